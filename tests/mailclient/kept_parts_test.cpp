// Translator 1 on alternatives that hold more than renderings of the text:
// the parts beside the text reach the message the mail client finally
// stores, byte for byte, through its whole walk.

#include "translate/kept_parts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "host/host_records.h"
#include "host/plugin_state.h"
#include "mailclient/message_walk.h"
#include "platform/line_ends.h"
#include "translate/driver_fixture.h"
#include "translate/mixed_output.h"
#include "translate/translate_driver.h"

namespace vellumo::test {
namespace {

const std::string kPlain = WithCrLf("Content-Type: text/plain; charset=utf-8\n\nThe text.");
const std::string kHtml = WithCrLf("Content-Type: text/html\n\n<p>The <b>text</b>.</p>");
const std::string kPicture = WithCrLf(
    "Content-Type: image/jpeg; name=\"p.jpg\"\nContent-ID: <p@x>\n"
    "Content-Transfer-Encoding: base64\n\n/9j/4AAQ\nSkZJ!Rg==");
const std::string kPdf = WithCrLf(
    "Content-Type: application/pdf; name=\"r.pdf\"\n"
    "Content-Disposition: inline; filename=\"r.pdf\"\n"
    "Content-Transfer-Encoding: base64\n\nJVBERi0xLjQK");
const std::string kCalendar = WithCrLf(
    "Content-Type: text/calendar; method=REQUEST; charset=utf-8\n\n"
    "BEGIN:VCALENDAR\nMETHOD:REQUEST\nEND:VCALENDAR");
const std::string kNotes =
    WithCrLf("Content-Type: text/plain; name=notes.txt\nContent-Disposition: attachment\n\nnotes");

// A multipart of these parts, with the header lines before its type.
std::string Multipart(const std::string& head, const std::string& type,
                      const std::vector<std::string>& parts) {
    std::string text =
        head + "Content-Type: multipart/" + type + "; boundary=" + type + "B\r\n\r\n";
    for (const std::string& part : parts) {
        text += "--" + type + "B\r\n" + part + "\r\n";
    }
    return text + "--" + type + "B--";
}

const std::string kMessageHead =
    WithCrLf("Date: Mon, 1 Jan 2024 00:00:00 +0000\nFrom: a@example.org\nSubject: Parts\n");

// The part as it must arrive: every byte as it came, a disposition of
// attachment added after its fields when it has none.
std::string AsKept(std::string part) {
    if (part.find("Content-Disposition:") == std::string::npos) {
        part.insert(part.find("\r\n\r\n") + 2, "Content-Disposition: attachment\r\n");
    }
    return part;
}

class Recorder : public WalkObserver {
  public:
    void Translated(const WalkedEntity& entity) override {
        seen.emplace_back(entity.path, entity.translatorId, entity.status);
    }
    std::vector<std::tuple<std::string, int, int>> seen;
};

class KeptPartsTest : public test::DriverFixture {};

// The picture of alternative { text/plain, related { text/html, image } },
// the document of alternative { text/plain, mixed { html, pdf, html } } and
// the invitation of alternative { text/plain, text/html, text/calendar }
// were dropped with the HTML, saving or not.
TEST_F(KeptPartsTest, PartsBesideTheTextReachTheStoredMessage) {
    struct Case {
        const char* name;
        std::string message;
        std::string translatedPath;
        std::vector<std::string> kept;  // parts translator 1 keeps beside the text
        std::vector<std::string> stay;  // parts outside the alternative
    };
    const Case cases[] = {
        {"picture of a related branch",
         Multipart(kMessageHead, "alternative",
                   {kPlain, Multipart("", "related", {kHtml, kPicture})}),
         "message",
         {kPicture},
         {}},
        {"document among pieces of html",
         Multipart(kMessageHead, "alternative",
                   {kPlain, Multipart("", "mixed", {kHtml, kPdf, kHtml})}),
         "message",
         {kPdf},
         {}},
        {"meeting invitation",
         Multipart(kMessageHead, "alternative", {kPlain, kHtml, kCalendar}),
         "message",
         {kCalendar},
         {}},
        {"attached text file among pieces of html",
         Multipart(kMessageHead, "alternative", {kPlain, Multipart("", "mixed", {kHtml, kNotes})}),
         "message",
         {kNotes},
         {}},
        {"alternative inside a message with an attachment",
         Multipart(kMessageHead, "mixed",
                   {Multipart("", "alternative",
                              {kPlain, Multipart("", "related", {kHtml, kPicture}), kCalendar}),
                    kPdf}),
         "part 1",
         {kPicture, kCalendar},
         {kPdf}},
    };
    for (int saving : {0, 1}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (saving == 1 ? ", saving" : ""));
            SaveHTMLMessagesValue = saving;
            DriverEntityTranslator translator;
            Recorder recorder;
            WalkResult result = WalkMessage(c.message, translator, &recorder);
            ASSERT_EQ(result.outcome, WalkOutcome::Converted) << result.failure;
            // One translation: nothing in the output is taken again.
            EXPECT_EQ(recorder.seen, (std::vector<std::tuple<std::string, int, int>>{
                                         {c.translatedPath, 1, kStatusSuccess}}));
            const std::string stored = result.Text();
            EXPECT_NE(stored.find("Content-Type: text/plain; charset=utf-8\r\n\r\nThe text."),
                      std::string::npos);
            for (const std::string& part : c.kept) {
                EXPECT_NE(stored.find(AsKept(part)), std::string::npos) << part;
            }
            for (const std::string& part : c.stay) {
                EXPECT_NE(stored.find(part), std::string::npos) << part;
            }
            EXPECT_EQ(ArchiveNames().size(), saving == 1 ? 1u : 0u);
            Recorder again;
            EXPECT_EQ(WalkMessage(stored, translator, &again).outcome, WalkOutcome::Unchanged);
            std::filesystem::remove_all(ArchiveFolder());
        }
    }
}

// Past the bound the message is left as it arrived, whose parts the mail
// client then offers one by one.
TEST_F(KeptPartsTest, TooManyPartsLeaveTheMessageAsItArrived) {
    for (size_t count : {kMaxKeptParts, kMaxKeptParts + 1}) {
        SCOPED_TRACE(count);
        std::vector<std::string> parts = {kPlain, kHtml};
        parts.insert(parts.end(), count, kPicture);
        std::string output;
        EXPECT_EQ(
            TranslateMessageText(1, Multipart("", "alternative", parts), output, nullptr, nullptr),
            count > kMaxKeptParts ? 12 : 0);
    }
}

// A sender's text may hold the boundary a fixed choice would use.
TEST(MixedOutput, BoundaryOccursInNoPart) {
    std::string text;
    for (int i = 0; i < 300; ++i) {
        text += "--" + FreshBoundary({text}) + "\r\n";
    }
    const std::string boundary = FreshBoundary({text, kPicture});
    EXPECT_EQ(text.find(boundary), std::string::npos);
    EXPECT_EQ(boundary.find_first_not_of(
                  "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-"),
              std::string::npos);
}

}  // namespace
}  // namespace vellumo::test
