// Whole messages walked as the mail client walks them, through the real
// driver.

#include "mailclient/message_walk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "host/host_records.h"
#include "platform/line_ends.h"
#include "translate/driver_fixture.h"
#include "translate/reference_mime.h"

namespace vellumo::test {
namespace {

struct Seen {
    std::string path;
    int translatorId;
    int status;
};

class Recorder : public WalkObserver {
  public:
    void Translated(const WalkedEntity& entity) override {
        seen.push_back({entity.path, entity.translatorId, entity.status});
        inputs.push_back(*entity.inputFile);
    }
    std::vector<Seen> seen;
    std::vector<std::string> inputs;
};

// Fails every translation with one status.
class FailingTranslator : public DriverEntityTranslator {
  public:
    int Translate(int, DataFileRecord&, std::string, std::string&) override {
        return kStatusOutputOpenFailed;
    }
};

const std::string kAttachment = "%PDF-1.4 bytes\nthat stay\n";

std::string MixedWithAlternative() {
    return WithCrLf(
               "From: a@example.org\nSubject: Report\nMIME-Version: 1.0\n"
               "Content-Type: multipart/mixed; boundary=\"m\"\n\npreamble\n--m\n"
               "Content-Type: multipart/alternative; boundary=a\n\n--a\n"
               "Content-Type: text/plain; charset=utf-8\n\nThe text.\n--a\n"
               "Content-Type: text/html\n\n<p>The <b>text</b>.</p>\n--a--\n\n--m\n"
               "Content-Type: application/pdf; name=r.pdf\nContent-Disposition: attachment\n"
               "Content-Transfer-Encoding: 8bit\n\n") +
           kAttachment + WithCrLf("--m--\nepilogue\n");
}

// The bodies of every application/octet-stream entity, read separately
// (message/rfc822 entered), in document order.
void CollectOctetBodies(const std::string& text, int depth, std::vector<std::string>& out) {
    test::RefEntity entity = test::RefSplit(text);
    std::string type = test::RefMediaType(entity.header);
    if (type == "application/octet-stream") {
        out.push_back(entity.body);
    } else if (depth < 20 && type == "message/rfc822") {
        CollectOctetBodies(entity.body, depth + 1, out);
    } else if (depth < 20 && type.compare(0, 10, "multipart/") == 0) {
        std::string boundary = test::RefParameter(entity.header, "Content-Type", "boundary");
        for (const std::string& child : test::RefChildren(entity.body, boundary)) {
            CollectOctetBodies(child, depth + 1, out);
        }
    }
}

std::vector<std::string> OctetBodies(const std::string& message) {
    std::vector<std::string> bodies;
    std::string text = message;
    if (text.compare(0, 5, "From ") == 0) {
        text.erase(0, text.find('\n') + 1);
    }
    CollectOctetBodies(text, 0, bodies);
    return bodies;
}

class MessageWalkTest : public test::DriverFixture {
  protected:
    WalkResult Walk(const std::string& message) {
        DriverEntityTranslator translator;
        return WalkMessage(message, translator, &recorder_);
    }
    std::vector<std::pair<std::string, int>> Translations() const {
        std::vector<std::pair<std::string, int>> out;
        for (const Seen& seen : recorder_.seen) {
            out.emplace_back(seen.path, seen.translatorId);
        }
        return out;
    }
    Recorder recorder_;
};

TEST_F(MessageWalkTest, MixedKeepsHeadersAndAttachmentAndConvertsTheAlternative) {
    std::string message = MixedWithAlternative();
    WalkResult result = Walk(message);
    ASSERT_EQ(result.outcome, WalkOutcome::Converted);
    using Step = std::pair<std::string, int>;
    EXPECT_EQ(Translations(), (std::vector<Step>{{"part 1", 1}}));
    test::RefEntity top = test::RefSplit(result.Text());
    EXPECT_EQ(top.header, test::RefSplit(message).header);
    std::string before = message.substr(0, message.find("Content-Type: multipart/alternative"));
    EXPECT_EQ(result.Text().substr(0, before.size()), before);
    size_t attachment = message.find("\r\n--m\r\nContent-Type: application/pdf");
    std::string tail = message.substr(attachment);
    ASSERT_GE(result.Text().size(), tail.size());
    EXPECT_EQ(result.Text().substr(result.Text().size() - tail.size()), tail);
    EXPECT_NE(result.Text().find("Content-Type: text/plain; charset=utf-8\r\n\r\nThe text."),
              std::string::npos);
    EXPECT_EQ(result.Text().find("text/html"), std::string::npos);
}

TEST_F(MessageWalkTest, OffersFollowTheHost) {
    struct Case {
        const char* name;
        std::string message;
        WalkOutcome outcome;
        std::vector<std::pair<std::string, int>> translations;
    };
    const Case cases[] = {
        {"plain text is left alone",
         WithCrLf("Subject: x\nContent-Type: text/plain\n\nhello\n"),
         WalkOutcome::Unchanged,
         {}},
        {"html message",
         WithCrLf("Subject: x\nContent-Type: text/html\n\n<p>hi</p>\n"),
         WalkOutcome::Converted,
         {{"message", 2}}},
        {"related: html to 2 and the image to 3 once relabelled",
         WithCrLf("Content-Type: multipart/related; boundary=r\n\n--r\n"
                  "Content-Type: text/html\n\n<p>hi</p>\n--r\n"
                  "Content-Type: application/octet-stream\nContent-Disposition: inline\n"
                  "Content-Transfer-Encoding: base64\n\nAAEC\n--r--\n"),
         WalkOutcome::Converted,
         {{"message", 4}, {"part 1", 2}, {"part 2", 3}}},
        {"alternative without plain text declines, then its html converts",
         WithCrLf("Content-Type: multipart/alternative; boundary=a\n\n--a\n"
                  "Content-Type: text/html\n\n<p>hi</p>\n--a--\n"),
         WalkOutcome::Converted,
         {{"message", 1}, {"part 1", 2}}},
        {"blank plain alternative declines, then its html converts",
         WithCrLf("Content-Type: multipart/alternative; boundary=a\n\n--a\n"
                  "Content-Type: text/plain\n\n \n--a\n"
                  "Content-Type: text/html\n\n<p>hi</p>\n--a--\n"),
         WalkOutcome::Converted,
         {{"message", 1}, {"part 2", 2}}},
        {"html attachment is not converted",
         WithCrLf("Content-Type: multipart/mixed; boundary=m\n\n--m\n"
                  "Content-Type: text/html\nContent-Disposition: attachment\n\n<p>x</p>\n"
                  "--m--\n"),
         WalkOutcome::Unchanged,
         {}},
        {"marked entity is not taken again",
         WithCrLf("Content-Type: multipart/related; boundary=r; related4mixed=yes\n\n--r\n"
                  "Content-Type: text/plain\n\nx\n--r--\n"),
         WalkOutcome::Unchanged,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        recorder_.seen.clear();
        WalkResult result = Walk(c.message);
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(Translations(), c.translations);
        if (c.outcome != WalkOutcome::Converted) {
            EXPECT_TRUE(result.Text().empty());
        }
    }
}

TEST_F(MessageWalkTest, InputFileIsWhatTheHostWrites) {
    std::string message = WithCrLf(
        "Date: Mon, 1 Jan 2024 00:00:00 +0000\nSubject: s\nContent-Type: text/html;\n"
        " charset=utf-8\nContent-Transfer-Encoding: quoted-printable\n\n<p>a=3Db</p>\n");
    ASSERT_EQ(Walk(message).outcome, WalkOutcome::Converted);
    ASSERT_EQ(recorder_.inputs.size(), 1u);
    EXPECT_EQ(recorder_.inputs[0],
              WithCrLf("Mime-Version: 1.0\nContent-Type: text/html; charset=utf-8\n"
                       "Content-Transfer-Encoding: quoted-printable\n\n<p>a=3Db</p>\n\n"));
}

// The host rebuilds the Content-Type line from the parameters it read,
// the disposition's but its file name after the type's, quoting only values
// that need it, writes the disposition with its file name only, and reads a nested part's body up
// to its parent's delimiter line, the line end before that line included.
TEST_F(MessageWalkTest, NestedInputFileIsWhatTheHostWrites) {
    std::string message = WithCrLf(
        "Content-Type: multipart/mixed; boundary=m\n\n--m\n"
        "Content-Type: application/octet-stream;\n name=\"Meeting notes\"; x=\"Photo 1.jpg\"\n"
        "Content-Disposition: inline; size=3; filename=\"a \\\"b\\\".bin\"\n"
        "Content-Transfer-Encoding: 7bit\n\nabc\n--m--\n");
    ASSERT_EQ(Walk(message).outcome, WalkOutcome::Converted);
    ASSERT_EQ(recorder_.inputs.size(), 1u);
    EXPECT_EQ(recorder_.inputs[0],
              WithCrLf("Mime-Version: 1.0\n"
                       "Content-Type: application/octet-stream; name=Meeting notes; "
                       "x=\"Photo 1.jpg\"; size=3\nContent-Transfer-Encoding: 7bit\n"
                       "Content-Disposition: inline; filename=\"a \\\"b\\\".bin\"\n\nabc\n\n"));
}

// Per host: an offered entity's raw header starts with the envelope line
// only for the message itself, and the host keeps reading the output's
// header its way. Each value the host writes bare or cuts at a blank (the
// marker was lost after them), with each translation happening once and
// every attachment byte kept.
TEST_F(MessageWalkTest, MarkedOutputIsTakenOnceWhateverTheHostCutsShort) {
    const char* const types[] = {
        "application/octet-stream; name=\"Meeting notes\"",
        "application/octet-stream; name=\"a  b\"",
        "application/octet-stream; name=\"a b\"; x=1",
        "application/octet-stream; filename*0=\"very long \"; filename*1=\"name.txt\"",
    };
    for (const char* type : types) {
        SCOPED_TRACE(type);
        recorder_.seen.clear();
        std::string message = WithCrLf(std::string("Content-Type: multipart/mixed; boundary=m\n\n"
                                                   "--m\nContent-Type: ") +
                                       type +
                                       "\nContent-Disposition: inline\n\nline one\n"
                                       "line two\n\n--m--\n");
        WalkResult result = Walk(message);
        ASSERT_EQ(result.outcome, WalkOutcome::Converted);
        EXPECT_EQ(Translations(), (std::vector<std::pair<std::string, int>>{{"part 1", 3}}));
        EXPECT_EQ(OctetBodies(result.Text()), OctetBodies(message));
    }
}

// The message was told from a nested entity by its Date, From, Message-ID
// or Received fields: an attachment message without them lost its last
// line end, and the octet-stream a forwarded message holds gained one.
TEST_F(MessageWalkTest, AttachmentBytesKeptWhereverTheEntityStands) {
    const std::string octet =
        "Content-Type: application/octet-stream\nContent-Disposition: inline\n\n"
        "line one\nline two\n";
    const struct {
        const char* name;
        std::string message;
        const char* path;
    } cases[] = {
        {"message without message fields", "From ???@??? Mon Jan 01 00:00:00 2024\n" + octet,
         "message"},
        {"message without an envelope line", octet, "message"},
        {"message with message fields",
         "From ???@??? Mon Jan 01 00:00:00 2024\nDate: Mon, 1 Jan 2024 00:00:00 +0000\n"
         "From: a@example.org\n" +
             octet,
         "message"},
        {"forwarded message",
         "From ???@??? Mon Jan 01 00:00:00 2024\nContent-Type: multipart/mixed; boundary=m\n\n"
         "--m\nContent-Type: text/plain\n\nsee below\n--m\nContent-Type: message/rfc822\n\n"
         "Date: Mon, 1 Jan 2024 00:00:00 +0000\nFrom: a@example.org\n"
         "Message-ID: <m@example.org>\n" +
             octet + "\n--m--\n",
         "part 2/message"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        recorder_.seen.clear();
        std::string message = WithCrLf(c.message);
        WalkResult result = Walk(message);
        ASSERT_EQ(result.outcome, WalkOutcome::Converted);
        EXPECT_EQ(Translations(), (std::vector<std::pair<std::string, int>>{{c.path, 3}}));
        EXPECT_EQ(OctetBodies(result.Text()), OctetBodies(message));
    }
}

// A multipart nested in another with the same boundary: every delimiter
// line is read as the parent's, and each octet-stream part, empty ones
// included, must come back with exactly its bytes.
TEST_F(MessageWalkTest, AttachmentsInMultipartsReusingTheParentBoundaryKeepTheirBytes) {
    const std::string empty =
        "Content-Type: application/octet-stream\nContent-Disposition: inline\n\n\n";
    const std::string filled =
        "Content-Type: application/octet-stream\nContent-Disposition: inline\n\nx\n\n";
    const std::string shapes[] = {
        "Content-Type: multipart/mixed; boundary=b\n\n--b\n"
        "Content-Type: multipart/mixed; boundary=b\n\n--b\n" +
            empty + "--b--\n\n--b--\n",
        "Content-Type: multipart/related; boundary=b\n\n--b\n"
        "Content-Type: multipart/related; boundary=b\n\n--b\n" +
            empty + "--b--\n\n--b--\n",
        "Content-Type: multipart/mixed; boundary=b\n\n--b\n"
        "Content-Type: multipart/related; boundary=b\n\n--b\nContent-Type: text/html\n\n"
        "<p>x</p>\n--b\n" +
            empty + "--b\n" + filled + "--b--\n--b--\n",
        "Content-Type: multipart/related; boundary=b\n\n--b\nContent-Type: text/html\n\n"
        "<p>x</p>\n--b\nContent-Type: multipart/mixed; boundary=b\n\n--b\n" +
            filled + "--b\n" + empty + "--b--\n\n--b--\n",
    };
    for (const std::string& shape : shapes) {
        SCOPED_TRACE(shape);
        std::string message = WithCrLf("From ???@??? Mon Jan 01 00:00:00 2024\n" + shape);
        WalkResult result = Walk(message);
        ASSERT_EQ(result.outcome, WalkOutcome::Converted);
        EXPECT_EQ(OctetBodies(result.Text()), OctetBodies(message));
    }
}

// Translator 4 kept the line ends that end the host's input, and the host
// takes an output's body up to its end: a relabelled entity grew by them.
TEST_F(MessageWalkTest, RelabelledRelatedGainsNoLineEnds) {
    const std::string related =
        "Content-Type: multipart/related; boundary=r\n\n--r\nContent-Type: image/png\n"
        "Content-Transfer-Encoding: base64\n\niVBORw0KGgo=\n--r--\n";
    const std::string shapes[] = {
        "From ???@??? Mon Jan 01 00:00:00 2024\nMIME-Version: 1.0\n" + related,
        "Content-Type: multipart/mixed; boundary=m\n\n--m\n" + related + "--m--\n",
    };
    for (const std::string& shape : shapes) {
        SCOPED_TRACE(shape);
        std::string message = WithCrLf(shape);
        WalkResult result = Walk(message);
        ASSERT_EQ(result.outcome, WalkOutcome::Converted);
        std::string expected = message;
        expected.replace(expected.find("multipart/related; boundary=r"), 29,
                         "multipart/mixed; related4mixed=yes; boundary=r");
        EXPECT_EQ(result.Text(), expected);
    }
}

// Translator 3 through the walk used to leave a bare "Content-Disposition:
// attachment": the input file held the plain "filename" parameter only.
TEST_F(MessageWalkTest, FileNamesAndParametersSurviveTheRelabel) {
    struct Case {
        const char* name;
        std::string fields;  // the inline part's fields after its Content-Type
        std::vector<std::string> kept;
    };
    const Case cases[] = {
        {"RFC 2231 file name",
         "Content-Disposition: inline; filename*=UTF-8''%E2%82%AC%20report.pdf\n",
         {"filename*=\"UTF-8''%E2%82%AC%20report.pdf\"", "filename=\"\xE2\x82\xAC report.pdf\""}},
        {"file name in pieces and a size",
         "Content-Disposition: inline; filename*0=\"long \"; filename*1=\"name.pdf\";"
         " size=1234\n",
         {"filename*1=\"name.pdf\"", "size=1234", "filename=\"long name.pdf\""}},
        {"second Content-Type field",
         "Content-Type: application/pdf\nContent-Disposition: inline\n",
         {"Content-Type: application/pdf\r\n", "Content-Disposition: attachment"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string message = WithCrLf(
            "Content-Type: multipart/mixed; boundary=m\n\n--m\n"
            "Content-Type: application/octet-stream\n" +
            std::string(c.fields) + "\nAAEC\n--m--\n");
        WalkResult result = Walk(message);
        ASSERT_EQ(result.outcome, WalkOutcome::Converted);
        for (const std::string& kept : c.kept) {
            EXPECT_NE(result.Text().find(kept), std::string::npos) << kept << "\n" << result.Text();
        }
    }
}

TEST_F(MessageWalkTest, InlineAttachmentDoesNotGrowByTheExtraLineEnd) {
    std::string body = "line one\r\nline two";
    std::string message = WithCrLf(
                              "Content-Type: multipart/mixed; boundary=m\n\n--m\n"
                              "Content-Type: application/octet-stream\n"
                              "Content-Disposition: inline\n\n") +
                          body + WithCrLf("\n--m--\n");
    WalkResult result = Walk(message);
    ASSERT_EQ(result.outcome, WalkOutcome::Converted);
    EXPECT_NE(result.Text().find("\r\n\r\n" + body + "\r\n--m--"), std::string::npos)
        << result.Text();
    EXPECT_NE(result.Text().find("Content-Disposition: attachment"), std::string::npos);
}

TEST_F(MessageWalkTest, LfMessageComesBackWithLf) {
    std::string message =
        "From ???@??? Mon Jan 01 00:00:00 2024\nSubject: x\n"
        "Content-Type: text/html\n\n<p>one</p><p>two</p>\n";
    WalkResult result = Walk(message);
    ASSERT_EQ(result.outcome, WalkOutcome::Converted);
    EXPECT_EQ(result.Text().find('\r'), std::string::npos);
    EXPECT_EQ(result.Text().rfind("From ???@??? Mon Jan 01 00:00:00 2024\nSubject: x\n", 0), 0u);
    EXPECT_NE(result.Text().find("one\n\ntwo"), std::string::npos) << result.Text();
}

// The way back to LF used to turn every CR LF into LF, the message's own
// (here in an 8-bit attachment) included.
TEST_F(MessageWalkTest, MixedLineEndsMessageIsLeftAsItWas) {
    std::string message =
        "Subject: x\nContent-Type: multipart/related; boundary=r\n\n--r\n"
        "Content-Type: text/html\n\n<p>one</p>\n--r\nContent-Type: application/octet-stream\n"
        "Content-Transfer-Encoding: 8bit\n\nbinary\r\nbytes\n--r--\n";
    EXPECT_EQ(Walk(message).outcome, WalkOutcome::Unchanged);
    std::string pureLf = message;
    pureLf.erase(pureLf.find('\r'), 1);
    EXPECT_EQ(Walk(pureLf).outcome, WalkOutcome::Converted);
}

TEST_F(MessageWalkTest, EachMessageIsReadWithItsOwnLineEnds) {
    const std::string html = "Content-Type: text/html\r\n\r\n<p>one</p><p>two</p>\r\n";
    struct Case {
        const char* name;
        std::string message;
        std::string converted;  // expected at the start of the converted text
    };
    const Case cases[] = {
        {"LF envelope line before a CR LF message",
         "From ???@??? Mon Jan 01 00:00:00 2024\nSubject: x\r\n" + html,
         "From ???@??? Mon Jan 01 00:00:00 2024\nSubject: x\r\nContent-Type: text/plain"},
        {"CR LF message with one bare LF header line", "Subject: x\r\nMessage-ID: <1@x>\n" + html,
         "Subject: x\r\nMessage-ID: <1@x>\r\nContent-Type: text/plain"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WalkResult result = Walk(c.message);
        ASSERT_EQ(result.outcome, WalkOutcome::Converted);
        EXPECT_EQ(result.Text().rfind(c.converted, 0), 0u) << result.Text();
        EXPECT_NE(result.Text().find("one\r\n\r\ntwo"), std::string::npos) << result.Text();
    }
}

// A message saved without an envelope line converts as it does after one,
// also when its first field is "From" with a blank before the colon: that
// field was taken for the envelope line, and the message for a nested part.
TEST_F(MessageWalkTest, FromFieldIsNoEnvelopeLine) {
    const std::string envelope = "From ???@??? Mon Jan 01 00:00:00 2024\r\n";
    for (const char* field : {"From: a@b", "From : a@b", "From :a@b", "From\t: a@b"}) {
        SCOPED_TRACE(field);
        std::string message = std::string(field) +
                              "\r\nContent-Type: multipart/related; boundary=r\r\n\r\n"
                              "--r\r\nContent-Type: text/html\r\n\r\n<p>one</p>\r\n--r--\r\n";
        std::string stored = envelope + message;  // the walk's pieces point into it
        WalkResult alone = Walk(message);
        WalkResult after = Walk(stored);
        ASSERT_EQ(alone.outcome, WalkOutcome::Converted);
        EXPECT_EQ(envelope + alone.Text(), after.Text());
    }
}

TEST_F(MessageWalkTest, ConvertedLineStartingWithFromIsQuotedForAMailbox) {
    std::string message = WithCrLf(
        "From ???@??? Mon Jan 01 00:00:00 2024\nContent-Type: text/html\n\n"
        "<p>From me Mon Jan 01 10:00:00 2024</p><p>From here on</p>\n");
    DriverEntityTranslator translator;
    WalkOptions options;
    options.quoteFromLines = true;
    WalkResult quoted = WalkMessage(message, translator, nullptr, options);
    ASSERT_EQ(quoted.outcome, WalkOutcome::Converted);
    EXPECT_EQ(quoted.Text().rfind("From ???@???", 0), 0u);
    EXPECT_NE(quoted.Text().find("\r\n>From me Mon Jan"), std::string::npos) << quoted.Text();
    // A line without a date starts no message: the mail client leaves it.
    EXPECT_NE(quoted.Text().find("\r\nFrom here on"), std::string::npos) << quoted.Text();
    EXPECT_NE(Walk(message).Text().find("\r\nFrom me Mon Jan"), std::string::npos);
}

// Gives back a fixed output for every translation.
class FixedOutputTranslator : public DriverEntityTranslator {
  public:
    explicit FixedOutputTranslator(std::string output) : output_(std::move(output)) {}
    int Translate(int, DataFileRecord&, std::string, std::string& output) override {
        output = output_;
        return kStatusSuccess;
    }

  private:
    std::string output_;
};

TEST_F(MessageWalkTest, OutputsOfAnyShapeArePutBack) {
    struct Case {
        const char* name;
        std::string output;
        std::string expected;
    };
    const std::string message = "Subject: s\r\nContent-Type: text/html\r\n\r\n<p>x</p>\r\n";
    const Case cases[] = {
        {"plain text gets the host's header", "text",
         "Subject: s\r\nContent-Type: text/plain\r\n"
         "Mime-Version: 1.0\r\n\r\ntext"},
        {"header without a blank line", "Mime-Version: 1.0\r\nContent-Type: text/plain",
         "Subject: s\r\nContent-Type: text/plain\r\nMime-Version: 1.0\r\n\r\n"},
        {"empty output", "", "Subject: s\r\nContent-Type: text/plain\r\nMime-Version: 1.0\r\n\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FixedOutputTranslator fixed(c.output);
        WalkResult result = WalkMessage(message, fixed);
        ASSERT_EQ(result.outcome, WalkOutcome::Converted);
        EXPECT_EQ(result.Text(), c.expected);
    }
}

TEST_F(MessageWalkTest, ArchiveNameNeverComesFromTheMessageBefore) {
    SaveHTMLMessagesValue = 1;
    std::string dated = WithCrLf(
        "Date: Mon, 1 Jan 2024 00:00:00 +0000\nSubject: First\nContent-Type: text/html\n\n"
        "<p>one</p>\n");
    std::string undated = WithCrLf("Subject: Second\nContent-Type: text/html\n\n<p>two</p>\n");
    ASSERT_EQ(Walk(dated).outcome, WalkOutcome::Converted);
    ASSERT_EQ(Walk(undated).outcome, WalkOutcome::Converted);
    std::vector<std::string> names = ArchiveNames();
    ASSERT_EQ(names.size(), 2u);
    size_t named = std::count_if(names.begin(), names.end(), [](const std::string& name) {
        return name.find("First") != std::string::npos;
    });
    EXPECT_EQ(named, 1u) << names[0] << " " << names[1];
}

TEST_F(MessageWalkTest, FailedTranslationNamesThePart) {
    FailingTranslator failing;
    WalkResult result = WalkMessage(MixedWithAlternative(), failing);
    EXPECT_EQ(result.outcome, WalkOutcome::Failed);
    EXPECT_TRUE(result.Text().empty());
    EXPECT_NE(result.failure.find("part 1: translator 1"), std::string::npos) << result.failure;
}

// A chain of multipart/mixed entities, each the only child of the one
// before, around an HTML part.
std::string NestedHtml(int levels) {
    std::string head, tail;
    for (int level = 0; level < levels; ++level) {
        std::string boundary = "n" + std::to_string(1000 + level);
        head += "Content-Type: multipart/mixed; boundary=" + boundary + "\r\n\r\n--" + boundary +
                "\r\n";
        tail = "\r\n--" + boundary + "--\r\n" + tail;
    }
    return head + "Content-Type: text/html\r\n\r\n<p>deepest</p>" + tail;
}

// The host offers entities up to 99 levels deep: the numbers are spelled
// out so that a smaller bound fails here.
TEST_F(MessageWalkTest, EntitiesAreOfferedUpToTheHostsDepth) {
    for (int levels : {60, 99}) {
        SCOPED_TRACE(levels);
        std::string message = NestedHtml(levels);
        WalkResult result = Walk(message);
        ASSERT_EQ(result.outcome, WalkOutcome::Converted);
        EXPECT_NE(result.Text().find("\r\n\r\ndeepest\r\n--n1"), std::string::npos);
        EXPECT_EQ(result.Text().find("<p>"), std::string::npos);
    }
    EXPECT_EQ(Walk(NestedHtml(100)).outcome, WalkOutcome::Unchanged);
}

// Each relabelled level used to keep its own copy of everything inside it:
// 64 levels of a 17 MB message took more than a gigabyte.
TEST_F(MessageWalkTest, NestedRelabelsKeepNoCopyOfTheBody) {
    const std::string attachment(1 << 20, 'A');
    std::string message = "Content-Type: application/octet-stream\r\n\r\n" + attachment;
    for (int level = 0; level < 60; ++level) {
        std::string boundary = "r" + std::to_string(level);
        message = "Content-Type: multipart/related; boundary=" + boundary + "\r\n\r\n--" +
                  boundary + "\r\n" + message + "\r\n--" + boundary + "--\r\n";
    }
    WalkResult result = Walk(message);
    ASSERT_EQ(result.outcome, WalkOutcome::Converted);
    size_t kept = 0;
    for (const std::string& text : result.texts) {
        kept += text.size();
    }
    EXPECT_LT(kept, attachment.size());
    std::string text = result.Text();
    EXPECT_NE(text.find(attachment), std::string::npos);
    size_t mixed = 0;
    for (size_t at = text.find("multipart/mixed"); at != std::string::npos;
         at = text.find("multipart/mixed", at + 1)) {
        ++mixed;
    }
    EXPECT_EQ(mixed, 60u);
}

TEST_F(MessageWalkTest, DeepNestingAndOddBytesAreCopied) {
    std::string deep;
    for (int level = 0; level < 200; ++level) {
        deep += "Content-Type: multipart/mixed; boundary=b" + std::to_string(level) +
                "\r\n\r\n--b" + std::to_string(level) + "\r\n";
    }
    deep += "Content-Type: text/plain\r\n\r\nx\r\n";
    const std::string odd[] = {
        "",         "\r\n",
        "\r\n\r\n", std::string("\0\n\r", 3),
        deep,       "Content-Type: multipart/mixed; boundary=\"\"\r\n\r\n--\r\n"};
    for (const std::string& message : odd) {
        WalkResult result = Walk(message);
        EXPECT_EQ(result.outcome, WalkOutcome::Unchanged);
    }
}

}  // namespace
}  // namespace vellumo::test
