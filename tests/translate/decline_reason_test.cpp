// Every rule that declines a translation names itself, with what it refused,
// for the callers that show it to a person.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "host/settings.h"
#include "translate/driver_fixture.h"
#include "translate/kept_parts.h"
#include "translate/output_file.h"
#include "translate/translate_driver.h"

namespace vellumo::test {
namespace {

// An alternative of a text part and `extra` (parts with their delimiters).
std::string Alternative(const std::string& text, const std::string& extra) {
    return WithCrLf("Content-Type: multipart/alternative; boundary=b\n\n--b\n" + text + extra +
                    "--b--\n");
}

const std::string kHtmlPart = "--b\nContent-Type: text/html\n\n<p>Hello</p>\n";

std::string ManyPictures(size_t count) {
    std::string parts;
    for (size_t i = 0; i < count; ++i) {
        parts += "--b\nContent-Type: image/png\n\nx\n";
    }
    return parts;
}

struct DeclineCase {
    const char* name;
    int translator;
    std::string message;
    DeclineCause cause;
    const char* detail;  // "ARCHIVE" stands for the archive setting of the row
    bool saving = false;
};

class DeclineReasonTest : public test::DriverFixture {};

TEST_F(DeclineReasonTest, EachRuleThatDeclinesNamesItself) {
    const DeclineCase cases[] = {
        {"unknown translator", 5, "Content-Type: text/html\r\n\r\nx",
         DeclineCause::kUnknownTranslator, ""},
        {"header of one stray continuation line", 4, " x", DeclineCause::kHeaderUnreadable, ""},
        {"alternative that is not multipart", 1, "Content-Type: text/plain\r\n\r\nx",
         DeclineCause::kWrongMainType, ""},
        {"alternative without a text", 1, Alternative("", kHtmlPart),
         DeclineCause::kNoTextAlternative, ""},
        {"blank text beside HTML", 1,
         Alternative("--b\nContent-Type: text/plain\n\n \n", kHtmlPart),
         DeclineCause::kBlankTextAlternative, ""},
        {"too many parts to keep", 1,
         Alternative("--b\nContent-Type: text/plain\n\nHello\n", ManyPictures(kMaxKeptParts + 1)),
         DeclineCause::kTooManyKeptParts, "more than 1000"},
        {"archive folder under a file", 1,
         Alternative("--b\nContent-Type: text/plain\n\nHello\n", kHtmlPart),
         DeclineCause::kArchiveFolderNotCreated, "ARCHIVE", true},
        {"archive folder under a file, HTML alone", 2, "Content-Type: text/html\r\n\r\n<p>x</p>",
         DeclineCause::kArchiveFolderNotCreated, "ARCHIVE", true},
        {"charset not read", 2, "Content-Type: text/html; charset=ISO-2022-CN\r\n\r\n<p>x</p>",
         DeclineCause::kCharsetNotRead, "ISO-2022-CN"},
        {"charset the HTML declares", 2,
         "Content-Type: text/html\r\n\r\n<meta charset=iso-2022-cn><p>x</p>",
         DeclineCause::kCharsetNotRead, "iso-2022-cn"},
        {"HTML of pictures only", 2, "Content-Type: text/html\r\n\r\n<img src=a.png>",
         DeclineCause::kRendersToNothing, ""},
        {"type that cannot carry the marker", 4, "Content-Type: \"multipart/related\"\r\n\r\nx",
         DeclineCause::kTypeCannotBeMarked, ""},
        {"disposition with a stray line break", 3,
         "Content-Type: application/octet-stream\r\nContent-Disposition: inline\rx\r\n\r\nx",
         DeclineCause::kDispositionUnsafe, ""},
    };
    const std::string archive = temp_.File("file.txt") + "/HTML/";
    test::WriteFileBytes(temp_.File("file.txt"), "a file where a folder should be");
    WriteSettingString(kOptionsSection, kHtmlPathKey, archive, SettingsFilePath);
    for (const DeclineCase& c : cases) {
        SCOPED_TRACE(c.name);
        SaveHTMLMessagesValue = c.saving ? 1 : 0;
        std::string output;
        DeclineReason reason;
        EXPECT_EQ(TranslateMessageText(c.translator, c.message, output, "Subject", nullptr, nullptr,
                                       &reason),
                  kStatusDataUnchanged);
        EXPECT_EQ(reason.cause, c.cause);
        EXPECT_EQ(reason.detail, std::string(c.detail) == "ARCHIVE" ? archive : c.detail);
    }
}

// A file too large to keep in memory is never written over, since it could
// not be put back; the reason names it.
TEST_F(DeclineReasonTest, OutputTooLargeToPutBackIsNamed) {
    test::WriteFileBytes(Input(), "Content-Type: text/html\r\n\r\n<p>x</p>");
    test::WriteFileBytes(Output(), "");
    std::filesystem::resize_file(Output(), kMaxRestorableOutputBytes + 1);
    DeclineReason reason;
    EXPECT_EQ(TranslateMessageFile(2, Input(), Output(), "S", nullptr, nullptr, &reason),
              kStatusDataUnchanged);
    EXPECT_EQ(reason.cause, DeclineCause::kOutputTooLargeToRestore);
    EXPECT_EQ(DescribeDecline(reason),
              "the output file is too large to put back should the translation fail: " + Output());
}

}  // namespace
}  // namespace vellumo::test
