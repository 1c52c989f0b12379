#include "host/acceptance.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/plugin_state.h"

namespace vellumo::test {
namespace {

// A host-style record with its strings kept alive.
struct OfferedType {
    std::string main, sub, disposition;
    std::vector<std::pair<std::string, std::string>> paramText;
    std::vector<MimeParamRecord> params;
    MimeTypeRecord record{};

    OfferedType(std::string m, std::string s,
                std::vector<std::pair<std::string, std::string>> p = {}, std::string d = "")
        : main(std::move(m)),
          sub(std::move(s)),
          disposition(std::move(d)),
          paramText(std::move(p)) {
        params.resize(paramText.size());
        for (size_t i = 0; i < params.size(); ++i) {
            params[i] = {16, &paramText[i].first[0], &paramText[i].second[0],
                         i + 1 < params.size() ? &params[i + 1] : nullptr};
        }
        record = {28,
                  nullptr,
                  &main[0],
                  &sub[0],
                  params.empty() ? nullptr : &params[0],
                  disposition.empty() ? nullptr : &disposition[0],
                  nullptr};
    }
};

class AcceptanceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SleepValue = 0;
        CapturedHeaders.clear();
    }
    void TearDown() override { SleepValue = 0; }
};

TEST_F(AcceptanceTest, TypesMarkersAndDisposition) {
    struct Case {
        const char* name;
        OfferedType type;
        bool accepts[4];
    };
    Case cases[] = {
        {"Alternative", {"multipart", "alternative"}, {true, false, false, false}},
        {"MixedCaseTypes", {"MULTIPART", "Alternative"}, {true, false, false, false}},
        {"Html", {"text", "html"}, {false, true, false, false}},
        {"HtmlAttachment", {"text", "html", {}, "ATTACHMENT"}, {false, false, false, false}},
        {"HtmlDispositionPseudoParameter",
         {"text", "html", {{"x-disposition", "attachment"}}},
         {false, false, false, false}},
        {"HtmlInline", {"text", "html", {}, "inline"}, {false, true, false, false}},
        {"HtmlAttachmentWithFileName",
         {"text", "html", {}, " attachment; filename=report.html"},
         {false, false, false, false}},
        {"HtmlAttachmentPseudoParameterWithFileName",
         {"text", "html", {{"X-Disposition", "Attachment;filename=a.htm"}}},
         {false, false, false, false}},
        {"HtmlAttachmentLookalike",
         {"text", "html", {}, "attachments"},
         {false, true, false, false}},
        {"OctetStream", {"application", "octet-stream"}, {false, false, true, false}},
        {"OctetStreamMarked",
         {"application", "octet-stream", {{"name", "a"}, {"inline4attachment", "yes"}}},
         {false, false, false, false}},
        {"OctetStreamOtherCaseMarker",
         {"application", "octet-stream", {{"INLINE4ATTACHMENT", "yes"}}},
         {false, false, true, false}},
        {"Related", {"multipart", "related", {{"boundary", "x"}}}, {false, false, false, true}},
        {"RelatedMarked",
         {"multipart", "related", {{"related4mixed", "yes"}}},
         {false, false, false, false}},
        {"RelatedMarkerOfOtherTranslator",
         {"multipart", "related", {{"inline4attachment", "yes"}}},
         {false, false, false, true}},
        {"Prefix", {"multipart", "alternativeX"}, {false, false, false, false}},
    };
    for (const Case& c : cases) {
        for (int id = 1; id <= 4; ++id) {
            EXPECT_EQ(AcceptsMessage(id, &c.type.record), c.accepts[id - 1])
                << c.name << " translator " << id;
        }
    }
}

TEST_F(AcceptanceTest, NullTypeFieldsAreRefused) {
    OfferedType type("text", "html");
    type.record.mainType = nullptr;
    EXPECT_FALSE(AcceptsMessage(2, &type.record));
    EXPECT_FALSE(AcceptsMessage(2, nullptr));
}

TEST_F(AcceptanceTest, SleepRefusesEverythingButStillCaptures) {
    SleepValue = 2;
    OfferedType type("text", "html");
    std::string raw = "Date: Mon, 7 Dec 2026\r\nSubject: x\r\n";
    HeaderRecord header{28, nullptr, nullptr, nullptr, nullptr, nullptr, &raw[0]};
    DataFileRecord data{20, 1, &type.record, &header, nullptr};
    TranslatorInfoRecord translator{28, 2, 0, 0, nullptr, nullptr, nullptr};
    EXPECT_EQ(CanTranslate(&translator, &data), kStatusCannotTranslate);
    EXPECT_EQ(CapturedHeaders, raw);
}

TEST_F(AcceptanceTest, CanTranslateStatusCodes) {
    OfferedType type("text", "html");
    DataFileRecord data{20, 1, &type.record, nullptr, nullptr};
    TranslatorInfoRecord translator{28, 2, 0, 0, nullptr, nullptr, nullptr};
    EXPECT_EQ(CanTranslate(&translator, &data), kStatusCanTranslateNow);
    EXPECT_EQ(CanTranslate(nullptr, &data), kStatusCannotTranslate);
    EXPECT_EQ(CanTranslate(&translator, nullptr), kStatusCannotTranslate);
    data.context = 2;
    EXPECT_EQ(CanTranslate(&translator, &data), kStatusCannotTranslate);
    data.context = 0x1000;
    EXPECT_EQ(CanTranslate(&translator, &data), kStatusCanTranslateNow);
    for (int id : {0, 5, -1}) {
        translator.id = id;
        EXPECT_EQ(CanTranslate(&translator, &data), kStatusInvalidId) << id;
    }
    translator.id = 2;
    data.mimeType = nullptr;
    EXPECT_EQ(CanTranslate(&translator, &data), kStatusCannotTranslate);
}

TEST_F(AcceptanceTest, CapturesEveryMessageHeaderAndKeepsItForParts) {
    struct Step {
        const char* raw;  // nullptr: a header record with a null text
        bool nullRecord;
        const char* captured;
    };
    const char* first = "From ???@??? Mon Dec 07 09:00:00 2026\r\nFrom: a\r\nDate: Mon\r\n";
    const Step steps[] = {
        {first, false, first},
        {"Content-Type: text/html\r\nContent-Transfer-Encoding: base64\r\n", false, first},
        {nullptr, false, first},
        {nullptr, true, first},
        {"X-Resent-Date: Thu\r\nSubject: Date: in a value\r\n", false, first},
        {"From ???@??? Mon Dec 07 09:00:00 2026\r\nContent-Type: text/plain\r\n", false, first},
        {"Subject: b\r\nDATE: Wed\r\n", false, "Subject: b\r\nDATE: Wed\r\n"},
        {"Subject: c\r\nDate:Fri\r\n", false, "Subject: c\r\nDate:Fri\r\n"},
        {"Subject: d\r\ndate: Sat\r\n", false, "Subject: d\r\ndate: Sat\r\n"},
        {"Message-Id: <m@x>\r\nSubject: e\r\n", false, "Message-Id: <m@x>\r\nSubject: e\r\n"},
        {"received:by x\r\nSubject: f\r\n", false, "received:by x\r\nSubject: f\r\n"},
        {"Subject: g\r\nfrom: b@x\r\n", false, "Subject: g\r\nfrom: b@x\r\n"},
        {"Content-Type: image/png\r\n", false, "Subject: g\r\nfrom: b@x\r\n"},
    };
    for (const Step& step : steps) {
        std::string raw = step.raw != nullptr ? step.raw : "";
        HeaderRecord header{28,
                            nullptr,
                            nullptr,
                            nullptr,
                            nullptr,
                            nullptr,
                            step.raw != nullptr ? &raw[0] : nullptr};
        CaptureHeaders(step.nullRecord ? nullptr : &header);
        EXPECT_EQ(CapturedHeaders, step.captured) << (step.raw ? step.raw : "(null)");
    }
}

// The host reads an unquoted parameter value up to its first blank and
// drops the rest of the line, so its parameter list can miss the marker of
// an output it offers again (name=Meeting notes; inline4attachment=yes):
// translator 3 then took its own output for ever. The raw header text
// still holds the marker.
TEST_F(AcceptanceTest, MarkerMissingFromTheHostsParametersIsFoundInTheRawHeader) {
    struct Case {
        const char* name;
        const char* raw;
        bool accepts;
    };
    const Case cases[] = {
        {"after a value the host cuts",
         "Content-Type: application/octet-stream; name=Meeting notes; inline4attachment=yes\r\n",
         false},
        {"after continuations",
         "Content-Type: application/octet-stream; filename*0=very long ; filename*1=x;\r\n"
         " inline4attachment=yes\r\n",
         false},
        {"first, with blanks around the equals sign",
         "content-type : application/octet-stream;inline4attachment = yes; name=a b\r\n", false},
        {"in a later Content-Type field",
         "Content-Type: application/octet-stream\r\nX-A: b\r\nContent-Type: x/y; "
         "inline4attachment=yes\r\n",
         false},
        {"inside a quoted value is no parameter",
         "Content-Type: application/octet-stream; name=\"a; inline4attachment=yes\"\r\n", true},
        {"in another field is no parameter",
         "Content-Disposition: inline; inline4attachment=yes\r\n", true},
        {"in another case is another name",
         "Content-Type: application/octet-stream; INLINE4ATTACHMENT=yes\r\n", true},
        {"as a longer name is another name",
         "Content-Type: application/octet-stream; inline4attachments=yes\r\n", true},
        {"without a value is no parameter",
         "Content-Type: application/octet-stream; inline4attachment\r\n", true},
    };
    OfferedType type("application", "octet-stream", {{"name", "Meeting"}});
    for (const Case& c : cases) {
        EXPECT_EQ(AcceptsMessage(3, &type.record, c.raw), c.accepts) << c.name;
        std::string raw = c.raw;
        HeaderRecord header{28, nullptr, nullptr, nullptr, nullptr, nullptr, &raw[0]};
        DataFileRecord data{20, 1, &type.record, &header, nullptr};
        TranslatorInfoRecord translator{28, 3, 0, 0, nullptr, nullptr, nullptr};
        EXPECT_EQ(CanTranslate(&translator, &data),
                  c.accepts ? kStatusCanTranslateNow : kStatusCannotTranslate)
            << c.name;
    }
    OfferedType related("multipart", "related");
    EXPECT_FALSE(AcceptsMessage(
        4, &related.record, "Content-Type: multipart/related; name=a b; related4mixed=yes\r\n"));
}

// The host's input ends with one line end of its own after the message
// itself and with the parent's delimiter line end too after a nested
// entity. The message was told by its Date, From, Message-ID or Received
// fields: a top-level attachment message without them lost its last CR LF,
// and a part holding a forwarded message's header gained one. Only the
// message itself begins with the mailbox's envelope line.
TEST_F(AcceptanceTest, MessageIsToldFromAPartByTheEnvelopeLine) {
    struct Case {
        const char* name;
        const char* raw;  // nullptr: a null text
        std::int32_t tail;
    };
    const Case cases[] = {
        {"message with its fields", "From ???@??? Mon Jan 01 00:00:00 2024\r\nFrom: a\r\n", 1},
        {"message without message fields",
         "From ???@??? Mon Jan 01 00:00:00 2024\r\nContent-Type: application/octet-stream\r\n", 1},
        {"part", "Content-Type: application/octet-stream\r\n", 2},
        {"embedded message",
         "Date: Mon, 1 Jan 2024\r\nFrom: a@b\r\nMessage-ID: <m@b>\r\n"
         "Content-Type: application/octet-stream\r\n",
         2},
        {"from field with a blank before its colon", "From : a@b\r\nDate: Mon\r\n", 2},
        {"empty header", "", 2},
        {"null text", nullptr, 1},
    };
    for (const Case& c : cases) {
        std::string raw = c.raw != nullptr ? c.raw : "";
        HeaderRecord header{
            28, nullptr, nullptr, nullptr, nullptr, nullptr, c.raw != nullptr ? &raw[0] : nullptr};
        EXPECT_EQ(HostInputTailFor(&header), c.tail) << c.name;
    }
    EXPECT_EQ(HostInputTailFor(nullptr), 1);
}

}  // namespace
}  // namespace vellumo::test
