#include "translate/translate_driver.h"

#include <gtest/gtest.h>

#include "host/plugin_state.h"
#include "translate/driver_fixture.h"
#include "translate/mime_type_record.h"

namespace vellumo::test {
namespace {

constexpr const char* kUntouched = "\x01untouched";
const std::string kTrailerStart = "\r\n\r\nX-HTML-Message-Converted: \"file://";

struct DriverCase {
    const char* name;
    int translator;
    std::string input;
    int expectedStatus;
    std::string expectedOutput;  // kUntouched: the output keeps its old bytes
    const char* expectedType;    // "main/sub" on success
};

const std::string kRelated = WithCrLf(
    "From: a@example.org\n"
    "Content-Type: Multipart/Related; boundary=x\n"
    "\n"
    "--x\n"
    "Content-Type: text/html\n"
    "\n"
    "<p>hi</p>\n"
    "--x--\n");

const std::string kOctet = WithCrLf(
    "Content-Type: application/octet-stream; name=a.bin\n"
    "Content-Disposition: INLINE; filename=a.bin\n"
    "\n"
    "data\n");

const std::string kAlternativeBase64Plain = WithCrLf(
    "Content-Type: multipart/alternative; boundary=b\n"
    "\n"
    "--b\n"
    "Content-Type: text/plain; charset=iso-8859-1\n"
    "Content-Transfer-Encoding: base64\n"
    "\n"
    "Q2Fm6SBhdSBsYWl0\n"
    "--b\n"
    "Content-Type: text/html\n"
    "\n"
    "<p>Caf&eacute;</p>\n"
    "--b--\n");

const std::string kAlternativeNestedPlain = WithCrLf(
    "Content-Type: multipart/alternative; boundary=b\n"
    "\n"
    "--b\n"
    "Content-Type: multipart/mixed; boundary=c\n"
    "\n"
    "--c\n"
    "Content-Type: text/plain\n"
    "\n"
    "deep\n"
    "--c--\n"
    "--b--\n");

const std::vector<DriverCase>& DriverCases() {
    static const std::vector<DriverCase> cases = {
        {"related becomes mixed, prefix matched without case", 4, kRelated, 0,
         WithCrLf("From: a@example.org\n"
                  "Content-Type: multipart/mixed; related4mixed=yes; boundary=x\n"
                  "\n"
                  "--x\n"
                  "Content-Type: text/html\n"
                  "\n"
                  "<p>hi</p>\n"
                  "--x--\n"),
         "multipart/mixed"},
        {"related encoded-word name kept as it arrived", 4,
         WithCrLf("Content-Type: multipart/related; boundary=x;\n"
                  " name=\"=?UTF-8?B?w6lt?=\"\n"
                  "\n"
                  "--x\n"
                  "\n"
                  "a\n"
                  "--x--\n"),
         0,
         WithCrLf("Content-Type: multipart/mixed; related4mixed=yes; boundary=x;\n"
                  " name=\"=?UTF-8?B?w6lt?=\"\n"
                  "\n"
                  "--x\n"
                  "\n"
                  "a\n"
                  "--x--\n"),
         "multipart/mixed"},
        {"octet inline becomes attachment and is marked", 3, kOctet, 0,
         WithCrLf("Content-Type: application/octet-stream; inline4attachment=yes; name=a.bin\n"
                  "Content-Disposition: attachment; filename=a.bin\n"
                  "\n"
                  "data\n"),
         "application/octet-stream"},
        {"octet body that no decoder gives back passes through", 3,
         WithCrLf("Content-Type: application/octet-stream\nContent-Transfer-Encoding: base64\n\n"
                  "SGVsbG8s\nIHdv!cmxk\nIQ==\n"),
         0,
         WithCrLf("Content-Type: application/octet-stream; inline4attachment=yes\n"
                  "Content-Transfer-Encoding: base64\n\nSGVsbG8s\nIHdv!cmxk\nIQ==\n"),
         "application/octet-stream"},
        {"octet disposition before the type is changed too", 3,
         WithCrLf("Content-Disposition: Inline\nContent-Type: application/octet-stream\n\nx"), 0,
         WithCrLf("Content-Disposition: attachment\n"
                  "Content-Type: application/octet-stream; inline4attachment=yes\n\nx"),
         "application/octet-stream"},
        {"related keeps bodies, layout and epilogue as they arrived", 4,
         WithCrLf("Content-Type: multipart/related;\n\tboundary=x\n\npreamble\n--x  \n"
                  "Content-Transfer-Encoding: quoted-printable\n\n<a href=\"u\">=\n--x--\n"
                  "epilogue\n"),
         0,
         WithCrLf("Content-Type: multipart/mixed; related4mixed=yes;\n\tboundary=x\n\npreamble\n"
                  "--x  \nContent-Transfer-Encoding: quoted-printable\n\n<a href=\"u\">=\n--x--\n"
                  "epilogue\n"),
         "multipart/mixed"},
        {"related without a type gets one holding the marker", 4, WithCrLf("From: a\n\nbody"), 0,
         WithCrLf("From: a\nContent-Type: ; related4mixed=yes\n\nbody"), "multipart/mixed"},
        // A header of one byte and no line end had the marker's field run on
        // from it, where no reader finds it.
        {"one-byte header without a line end gets the marker on a line of its own", 4, "\x04", 0,
         "\x04\r\nContent-Type: ; related4mixed=yes\r\n", "multipart/mixed"},
        {"octet without disposition gets none", 3,
         WithCrLf("Content-Type: application/octet-stream\n\nx"), 0,
         WithCrLf("Content-Type: application/octet-stream; inline4attachment=yes\n\nx"),
         "application/octet-stream"},
        {"octet encoded-word file name kept as it arrived", 3,
         WithCrLf("Content-Type: application/octet-stream; name=\"=?UTF-8?Q?caf=C3=A9.bin?=\"\n"
                  "Content-Disposition: inline; filename=\"=?UTF-8?Q?caf=C3=A9.bin?=\"\n"
                  "\n"
                  "x"),
         0,
         WithCrLf("Content-Type: application/octet-stream; inline4attachment=yes; "
                  "name=\"=?UTF-8?Q?caf=C3=A9.bin?=\"\n"
                  "Content-Disposition: attachment; filename=\"=?UTF-8?Q?caf=C3=A9.bin?=\"\n"
                  "\n"
                  "x"),
         "application/octet-stream"},
        {"attachment disposition left alone", 3,
         WithCrLf("Content-Type: application/octet-stream\n"
                  "Content-Disposition: attachment; filename=a\n\nx"),
         0,
         WithCrLf("Content-Type: application/octet-stream; inline4attachment=yes\n"
                  "Content-Disposition: attachment; filename=a\n\nx"),
         "application/octet-stream"},
        {"plain alternative decoded from base64 under its charset", 1, kAlternativeBase64Plain, 0,
         "Mime-Version: 1.0\r\nContent-Type: text/plain; charset=iso-8859-1\r\n\r\n"
         "Caf\xE9 au lait",
         "text/plain"},
        {"plain alternative without charset", 1,
         WithCrLf("Content-Type: multipart/alternative; boundary=b\n\n--b\n\nplain\n--b--\n"), 0,
         "Mime-Version: 1.0\r\nContent-Type: text/plain\r\n\r\nplain", "text/plain"},
        {"last of two plain alternatives wins, no stale tail", 1,
         WithCrLf("Content-Type: multipart/alternative; boundary=b\n\n"
                  "--b\nContent-Type: text/plain\n\nfirst and longer\n"
                  "--b\nContent-Type: TEXT/PLAIN\n\nsecond\n--b--\n"),
         0, "Mime-Version: 1.0\r\nContent-Type: text/plain\r\n\r\nsecond", "text/plain"},
        {"declared plain wins over a header-less section after it", 1,
         WithCrLf("Content-Type: multipart/alternative; boundary=b\n\n"
                  "--b\nContent-Type: text/plain\n\nsender text\n"
                  "--b\n\n<html><body>not the text</body></html>\n--b--\n"),
         0, "Mime-Version: 1.0\r\nContent-Type: text/plain\r\n\r\nsender text", "text/plain"},
        {"blank leftover after a missing close delimiter keeps the text", 1,
         WithCrLf("Content-Type: multipart/alternative; boundary=b\n\n"
                  "--b\nContent-Type: text/plain\n\ntext\n--b\n\n"),
         0, "Mime-Version: 1.0\r\nContent-Type: text/plain\r\n\r\ntext", "text/plain"},
        {"blank leftover beside html is no text and declines", 1,
         WithCrLf("Content-Type: multipart/alternative; boundary=b\n\n"
                  "--b\nContent-Type: text/html\n\n<p>x</p>\n--b\n\n"),
         12, kUntouched, ""},
        {"zero byte in the plain body kept", 1,
         WithCrLf("Content-Type: multipart/alternative; boundary=b\n\n--b\n"
                  "Content-Transfer-Encoding: base64\n\nYQBi\n--b--\n"),
         0, std::string("Mime-Version: 1.0\r\nContent-Type: text/plain\r\n\r\na\0b", 50),
         "text/plain"},
        {"nested plain alternative declines", 1, kAlternativeNestedPlain, 12, kUntouched, ""},
        {"translator 1 on a single part declines", 1,
         WithCrLf("Content-Type: text/html\n\n<p>x</p>"), 12, kUntouched, ""},
        {"translator 2 on a non-text message declines", 2, kRelated, 12, kUntouched, ""},
        {"unreadable top-level header declines", 4, " stray\r\n\r\nbody", 12, kUntouched, ""},
        {"unknown translator declines", 5, kRelated, 12, kUntouched, ""},
        // The marker goes before the parameters, so a quote or comment left
        // open after the media type cannot take it in.
        {"related with an unterminated quoted boundary is marked before it", 4,
         WithCrLf("Content-Type: multipart/related; boundary=\"x\n\n--x\n\na\n--x--\n"), 0,
         WithCrLf("Content-Type: multipart/mixed; related4mixed=yes; boundary=\"x\n\n--x\n\na\n"
                  "--x--\n"),
         "multipart/mixed"},
        {"octet with an unterminated comment is marked before it", 3,
         WithCrLf("Content-Type: application/octet-stream(note\n\nx"), 0,
         WithCrLf("Content-Type: application/octet-stream; inline4attachment=yes(note\n\nx"),
         "application/octet-stream"},
        {"octet folded before its media type is marked after it", 3,
         WithCrLf("Content-Type:\n application/octet-stream\n\nx"), 0,
         WithCrLf("Content-Type:\n application/octet-stream; inline4attachment=yes\n\nx"),
         "application/octet-stream"},
        // Where no media type opens the value, the marker would not stand as
        // a parameter of its own.
        {"octet with a comment before its media type declines", 3,
         WithCrLf("Content-Type: (c) application/octet-stream\n\nx"), 12, kUntouched, ""},
        {"octet with a quote after its media type declines", 3,
         WithCrLf("Content-Type: application/octet-stream\"x\"\n\nx"), 12, kUntouched, ""},
        {"octet with an 8-bit subtype declines", 3,
         WithCrLf("Content-Type: application/octet-str\xE9"
                  "am\n\nx"),
         12, kUntouched, ""},
        {"octet without a subtype declines", 3, WithCrLf("Content-Type: application\n\nx"), 12,
         kUntouched, ""},
        // The label right after a fold used to stay as it was, under status 0.
        {"related folded right after the colon is relabelled", 4,
         WithCrLf("Content-Type:\n multipart/related; boundary=x\n\n--x\n\na\n--x--\n"), 0,
         WithCrLf("Content-Type:\n multipart/mixed; related4mixed=yes; boundary=x\n\n--x\n\na\n"
                  "--x--\n"),
         "multipart/mixed"},
        {"inline folded right after the colon becomes attachment", 3,
         WithCrLf("Content-Type: application/octet-stream\nContent-Disposition:\n inline\n\nx"), 0,
         WithCrLf("Content-Type: application/octet-stream; inline4attachment=yes\n"
                  "Content-Disposition:\n attachment\n\nx"),
         "application/octet-stream"},

    };
    return cases;
}

class TranslateDriverTest : public test::DriverFixture {};

TEST_F(TranslateDriverTest, Table) {
    for (const DriverCase& c : DriverCases()) {
        SCOPED_TRACE(c.name);
        test::WriteFileBytes(Input(), c.input);
        test::WriteFileBytes(Output(), "stale content that is longer than some outputs");
        MimeTypeRecord* type = nullptr;
        int status = TranslateMessageFile(c.translator, Input(), Output(), nullptr, &type);
        EXPECT_EQ(status, c.expectedStatus);
        std::string output = test::ReadFileBytes(Output());
        if (c.expectedOutput == kUntouched) {
            EXPECT_EQ(output, "stale content that is longer than some outputs");
        } else if (!c.expectedOutput.empty()) {
            EXPECT_EQ(output, c.expectedOutput);
        }
        if (status == 0) {
            ASSERT_NE(type, nullptr);
            EXPECT_EQ(std::string(type->mainType) + "/" + type->subType, c.expectedType);
            EXPECT_STREQ(type->mimeVersion, "1.0");
        } else {
            EXPECT_EQ(type, nullptr);
        }
        FreeMimeTypeRecord(type);
    }
}

// The host's input for a nested part ends with the line end of the parent's
// next delimiter and a CR LF of its own, for the message itself with that
// CR LF only; the host took them as attachment bytes when the output kept
// them. Translator 4 kept them too, and the last part of a related without
// a close delimiter, read again from its output, grew by them. Without the
// host (0) nothing is left out.
TEST_F(TranslateDriverTest, HostInputTailIsLeftOut) {
    struct TailCase {
        const char* name;
        int32_t tailLineEnds;
        std::string body;
        std::string expectedBody;
    };
    const TailCase cases[] = {
        {"nested part", 2, "line one\r\nline two\r\n\r\n\r\n", "line one\r\nline two\r\n"},
        {"message itself", 1, "line one\r\nline two\r\n\r\n", "line one\r\nline two\r\n"},
        {"not from the host", 0, "line one\r\n", "line one\r\n"},
        {"nested part with an empty body", 2, "\r\n\r\n", ""},
        {"tail never reaches into the header", 2, "", ""},
    };
    const struct {
        int id;
        const char* type;
        const char* marked;
    } translators[] = {
        {3, "application/octet-stream", "application/octet-stream; inline4attachment=yes"},
        {4, "multipart/related; boundary=b", "multipart/mixed; related4mixed=yes; boundary=b"},
    };
    for (const auto& translator : translators) {
        for (const TailCase& c : cases) {
            SCOPED_TRACE(std::string(c.name) + ", translator " + std::to_string(translator.id));
            HostInputTailLineEnds = c.tailLineEnds;
            test::WriteFileBytes(
                Input(), std::string("Content-Type: ") + translator.type + "\r\n\r\n" + c.body);
            test::WriteFileBytes(Output(), "");
            ASSERT_EQ(TranslateMessageFile(translator.id, Input(), Output(), nullptr, nullptr), 0);
            EXPECT_EQ(
                test::ReadFileBytes(Output()),
                std::string("Content-Type: ") + translator.marked + "\r\n\r\n" + c.expectedBody);
        }
    }
}

// The host writes a parameter value of letters, digits and blanks without
// quotes, and when it reads the output back it ends such a value at its
// first blank and drops the rest of the line: a marker after the
// parameters was never seen, and the host offered the output to
// translator 3 again and again. The marker now comes first.
TEST_F(TranslateDriverTest, MarkerStandsBeforeValuesTheHostCutsAtABlank) {
    const char* const parameters[] = {
        "; name=Meeting notes",     "; name=a  b",
        "; name=a b; x=1",          "; filename*0=very long ; filename*1=name.txt",
        ";\r\n name=Meeting notes",
    };
    for (const char* parameter : parameters) {
        SCOPED_TRACE(parameter);
        const std::string rest = std::string(parameter) + "\r\n\r\nbody";
        test::WriteFileBytes(Input(), "Content-Type: application/octet-stream" + rest);
        test::WriteFileBytes(Output(), "");
        ASSERT_EQ(TranslateMessageFile(3, Input(), Output(), nullptr, nullptr), 0);
        EXPECT_EQ(test::ReadFileBytes(Output()),
                  "Content-Type: application/octet-stream; inline4attachment=yes" + rest);
    }
}

// URL-safe base64 (with "-" and "_") lost most of its bytes when the body
// was decoded and encoded again.
TEST_F(TranslateDriverTest, UrlSafeBase64BodyPassesThrough) {
    std::string bytes;
    for (int i = 0; i < 255; ++i) {
        bytes += static_cast<char>(i);
    }
    static const char kUrlSafe[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
    std::string encoded;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const unsigned v = (static_cast<unsigned char>(bytes[i]) << 16) |
                           (static_cast<unsigned char>(bytes[i + 1]) << 8) |
                           static_cast<unsigned char>(bytes[i + 2]);
        for (int shift = 18; shift >= 0; shift -= 6) {
            encoded += kUrlSafe[(v >> shift) & 0x3F];
        }
    }
    const std::string head = "Content-Type: multipart/related; boundary=x";
    const std::string rest =
        "\r\n\r\n--x\r\nContent-Transfer-Encoding: base64\r\n\r\n" + encoded + "\r\n--x--\r\n";
    test::WriteFileBytes(Input(), head + rest);
    test::WriteFileBytes(Output(), "");
    ASSERT_EQ(TranslateMessageFile(4, Input(), Output(), nullptr, nullptr), 0);
    EXPECT_EQ(test::ReadFileBytes(Output()),
              "Content-Type: multipart/mixed; related4mixed=yes; boundary=x" + rest);
}

// The complex example of the MIME RFCs, whose bodies are placeholders ("...
// base64-encoded image data goes here ..."): decoded and encoded again they
// came back empty. Relabelled, the message keeps every byte.
TEST_F(TranslateDriverTest, RfcExamplePlaceholderBodiesPassThrough) {
    const std::string head =
        "MIME-Version: 1.0\nSubject: A multipart example\n"
        "Content-Type: multipart/mixed";
    const std::string rest =
        ";\n              boundary=unique-boundary-1"
        "\n\nThis is the preamble area of a multipart message.\n\n"
        "--unique-boundary-1\n\n  ... Some text appears here ...\n\n"
        "--unique-boundary-1\nContent-Type: multipart/parallel; boundary=unique-boundary-2\n\n"
        "--unique-boundary-2\nContent-Type: audio/basic\nContent-Transfer-Encoding: base64\n\n"
        "  ... base64-encoded 8000 Hz single-channel\n"
        "      mu-law-format audio data goes here ...\n\n"
        "--unique-boundary-2\nContent-Type: image/jpeg\nContent-Transfer-Encoding: base64\n\n"
        "  ... base64-encoded image data goes here ...\n\n--unique-boundary-2--\n\n"
        "--unique-boundary-1\nContent-type: text/enriched\n\n"
        "This is <bold><italic>enriched.</italic></bold>\n\n--unique-boundary-1--\n";
    test::WriteFileBytes(Input(), WithCrLf(head + rest));
    test::WriteFileBytes(Output(), "");
    ASSERT_EQ(TranslateMessageFile(4, Input(), Output(), nullptr, nullptr), 0);
    EXPECT_EQ(test::ReadFileBytes(Output()), WithCrLf(head + "; related4mixed=yes" + rest));
}

}  // namespace
}  // namespace vellumo::test
