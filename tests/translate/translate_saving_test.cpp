// The driver with SaveHTMLMessages on: archive files, trailer, declines.

#include <gtest/gtest.h>

#include <filesystem>

#include "html/html_text_extractor.h"
#include "platform/files.h"
#include "translate/driver_fixture.h"
#include "translate/mime_type_record.h"
#include "translate/translate_driver.h"

namespace vellumo::test {
namespace {

const std::string kCaptured =
    "from: Ann <ann@example.org>\r\nTo: bob@example.org\r\nCc: c@example.org\r\n"
    "Reply-To: r@example.org\r\nDate: Mon, 7 Dec 2026 09:00:00 +0000\r\n"
    "Subject: Weekly\r\n report";

const std::string kSelectedLines =
    "from: Ann <ann@example.org>\r\nTo: bob@example.org\r\nCc: c@example.org\r\n"
    "Date: Mon, 7 Dec 2026 09:00:00 +0000\r\nSubject: Weekly\r\n";

std::string Trailer(const std::string& archivePath) {
    return "\r\n\r\nX-HTML-Message-Converted: \"file://" + archivePath + "\"\r\n";
}

class SavingTest : public test::DriverFixture {
  protected:
    void SetUp() override {
        DriverFixture::SetUp();
        SaveHTMLMessagesValue = 1;
        CapturedHeaders = kCaptured;
    }
    int Run(int translator, const std::string& message, const char* subject,
            MimeTypeRecord** type = nullptr) {
        test::WriteFileBytes(Input(), message);
        test::WriteFileBytes(Output(), "");
        return TranslateMessageFile(translator, Input(), Output(), subject, type);
    }
};

const std::string kTwoHtml = WithCrLf(
    "Content-Type: multipart/alternative; boundary=b\n"
    "\n"
    "--b\n"
    "Content-Type: text/plain\n"
    "\n"
    "plain\n"
    "--b\n"
    "Content-Type: text/html; charset=us-ascii\n"
    "Content-Transfer-Encoding: quoted-printable\n"
    "\n"
    "<p>one=3D1</p>\n"
    "--b\n"
    "content-type: text/html\n"
    "Content-Disposition: inline\n"
    "\n"
    "<p>two</p>\n"
    "--b--\n");

TEST_F(SavingTest, AlternativeWithTwoHtmlPartsArchivesBothInOrder) {
    MimeTypeRecord* type = nullptr;
    ASSERT_EQ(Run(1, kTwoHtml, "Re: Hello", &type), 0);
    FreeMimeTypeRecord(type);
    std::string archive = ArchiveFolder() + "Re Hello.eml";
    EXPECT_EQ(test::ReadFileBytes(archive),
              kSelectedLines +
                  "Content-Type: text/html; charset=us-ascii\r\nMIME-Version: 1.0\r\n\r\n"
                  "<p>one=1</p>"
                  "Content-Type: text/html\r\nContent-Disposition: inline\r\n"
                  "MIME-Version: 1.0\r\n\r\n<p>two</p>");
    EXPECT_EQ(test::ReadFileBytes(Output()),
              "Mime-Version: 1.0\r\nContent-Type: text/plain\r\n\r\nplain" + Trailer(archive));
}

const std::string kOneHtml = WithCrLf(
    "Content-Type: multipart/alternative; boundary=b\n\n--b\n\nplain\n"
    "--b\nContent-Type: text/html\n\n<p>x</p>\n--b--\n");

TEST_F(SavingTest, AlternativeWithoutHtmlLeavesNoArchiveAndNoTrailer) {
    const std::pair<const char*, std::string> cases[] = {
        {"plain only",
         WithCrLf("Content-Type: multipart/alternative; boundary=b\n\n--b\n\nplain\n--b--\n")},
        {"plain and enriched",
         WithCrLf("Content-Type: multipart/alternative; boundary=b\n\n--b\n\nplain\n"
                  "--b\nContent-Type: text/enriched\n\n<bold>plain</bold>\n--b--\n")},
        {"related without html",
         WithCrLf("Content-Type: multipart/alternative; boundary=b\n\n--b\n\nplain\n"
                  "--b\nContent-Type: multipart/related; boundary=r\n\n"
                  "--r\nContent-Type: text/enriched\n\nx\n--r--\n--b--\n")},
    };
    for (const auto& [name, message] : cases) {
        SCOPED_TRACE(name);
        ASSERT_EQ(Run(1, message, "Hello"), 0);
        EXPECT_TRUE(ArchiveNames().empty());
        EXPECT_EQ(test::ReadFileBytes(Output()),
                  "Mime-Version: 1.0\r\nContent-Type: text/plain\r\n\r\nplain");
    }
}

TEST_F(SavingTest, RepeatedSubjectsGiveHelloHello1Hello11) {
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(Run(1, kOneHtml, "Hello"), 0);
    }
    EXPECT_EQ(ArchiveNames(), (std::vector<std::string>{"Hello.eml", "Hello1.eml", "Hello11.eml"}));
}

// The usual shape of mail with inline pictures, as the host writes the
// alternative's own file; the picture's base64 holds a stray byte.
const std::string kRelatedBranch = WithCrLf(
    "Content-Type: multipart/related; boundary=rel; type=\"text/html\"\n"
    "\n"
    "--rel\n"
    "Content-Type: text/html; charset=utf-8\n"
    "Content-Transfer-Encoding: quoted-printable\n"
    "\n"
    "<p>Hi <img src=3D\"cid:pic@x\"></p>\n"
    "--rel\n"
    "Content-Type: image/jpeg\n"
    "Content-ID: <pic@x>\n"
    "Content-Transfer-Encoding: base64\n"
    "\n"
    "SGVsbG8s\n"
    "IHdv!cmxk\n"
    "--rel--");
const std::string kAlternativeWithRelated =
    WithCrLf(
        "Mime-Version: 1.0\n"
        "Content-Type: multipart/alternative; boundary=alt\n"
        "\n"
        "--alt\n"
        "Content-Type: text/plain\n"
        "\n"
        "Hello\n"
        "--alt\n") +
    kRelatedBranch + WithCrLf("\n--alt--\n\n");

const std::string kPictureWithDisposition = WithCrLf(
    "Content-Type: image/jpeg\n"
    "Content-ID: <pic@x>\n"
    "Content-Transfer-Encoding: base64\n"
    "Content-Disposition: attachment\n"
    "\n"
    "SGVsbG8s\n"
    "IHdv!cmxk");

// The text, then the picture as it arrived, marked as an attachment.
std::string TextAndPicture(const std::string& output, const std::string& text) {
    const size_t at = output.find("boundary=") + 9;
    const std::string boundary = output.substr(at, output.find("\r\n", at) - at);
    return "Mime-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=" + boundary +
           "\r\n\r\n--" + boundary + "\r\nContent-Type: text/plain\r\n\r\n" + text + "\r\n--" +
           boundary + "\r\n" + kPictureWithDisposition + "\r\n--" + boundary + "--\r\n";
}

// The picture of an HTML branch was dropped with the HTML, saving or not;
// the archive keeps the branch whole, the message keeps the picture.
TEST_F(SavingTest, PictureOfAnHtmlBranchStaysBesideTheText) {
    struct Case {
        const char* name;
        int saving;
        bool inMemory;
    };
    const Case cases[] = {
        {"saving, output file", 1, false},
        {"saving, output in memory", 1, true},
        {"not saving", 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(ArchiveFolder());
        SaveHTMLMessagesValue = c.saving;
        std::string output;
        std::string archive;
        MimeTypeRecord* type = nullptr;
        if (c.inMemory) {
            ASSERT_EQ(TranslateMessageText(1, kAlternativeWithRelated, output, "Pictures", &type,
                                           &archive),
                      0);
        } else {
            test::WriteFileBytes(Input(), kAlternativeWithRelated);
            test::WriteFileBytes(Output(), "");
            ASSERT_EQ(TranslateMessageFile(1, Input(), Output(), "Pictures", &type, &archive), 0);
            output = test::ReadFileBytes(Output());
        }
        ASSERT_NE(type, nullptr);
        EXPECT_EQ(std::string(type->mainType) + "/" + type->subType, "multipart/mixed");
        FreeMimeTypeRecord(type);
        if (c.saving == 0) {
            EXPECT_TRUE(archive.empty());
            EXPECT_TRUE(ArchiveNames().empty());
            EXPECT_EQ(output, TextAndPicture(output, "Hello"));
            continue;
        }
        EXPECT_EQ(archive, ArchiveFolder() + "Pictures.eml");
        EXPECT_EQ(test::ReadFileBytes(archive),
                  kSelectedLines + "MIME-Version: 1.0\r\n" + kRelatedBranch);
        EXPECT_EQ(output, TextAndPicture(output, "Hello" + Trailer(archive)));
    }
}

TEST_F(SavingTest, PureHtmlRendersDecodedHtmlKeepsCharsetDropsTransferEncoding) {
    const std::string html =
        "<p>Gr\xC3\xBC\xC3\x9F"
        "e &amp; more</p>";
    std::string message = WithCrLf(
        "Subject: s\n"
        "Content-Type: text/html; charset=utf-8; format=x\n"
        "Content-Transfer-Encoding: quoted-printable\n"
        "X-Other: kept\n"
        "\n"
        "<p>Gr=C3=BC=C3=9Fe &amp; more</p>");
    ASSERT_EQ(Run(2, message, "Report"), 0);
    std::string archive = ArchiveFolder() + "Report.eml";
    EXPECT_EQ(test::ReadFileBytes(archive),
              kSelectedLines +
                  "Content-Type: text/html; charset=utf-8; format=x\r\nMIME-Version: 1.0\r\n\r\n" +
                  html);
    EXPECT_EQ(test::ReadFileBytes(Output()),
              "Subject: s\r\nContent-Type: text/plain; charset=utf-8\r\nX-Other: kept\r\n\r\n" +
                  HtmlToText(html, "utf-8") + Trailer(archive));
}

// A list's footer appended after a padded base64 body turned into garbage
// bytes after the text, in the converted message and in the archive.
TEST_F(SavingTest, FooterAfterPaddedBase64BodyIsNoText) {
    const std::string footer = "\r\n_______________\r\nList mailing list\r\nList@example.org\r\n";
    const std::string base64 = "Content-Transfer-Encoding: base64\r\n\r\n";
    // "Hi!!" and "<p>Hi!</p>", padded.
    const std::string plainPart = "Content-Type: text/plain\r\n" + base64 + "SGkhIQ==" + footer;
    const std::string htmlPart =
        "Content-Type: text/html\r\n" + base64 + "PHA+SGkhPC9wPg==" + footer;
    const std::string htmlArchived =
        "Content-Type: text/html\r\nMIME-Version: 1.0\r\n\r\n<p>Hi!</p>";
    ASSERT_EQ(Run(1,
                  "Content-Type: multipart/alternative; boundary=a\r\n\r\n--a\r\n" + plainPart +
                      "--a\r\n" + htmlPart + "--a--\r\n",
                  "Footer"),
              0);
    std::string archive = ArchiveFolder() + "Footer.eml";
    EXPECT_EQ(test::ReadFileBytes(Output()),
              "Mime-Version: 1.0\r\nContent-Type: text/plain\r\n\r\nHi!!" + Trailer(archive));
    EXPECT_EQ(test::ReadFileBytes(archive), kSelectedLines + htmlArchived);
    ASSERT_EQ(Run(2, "Subject: s\r\n" + htmlPart, "Footer"), 0);
    archive = ArchiveFolder() + "Footer1.eml";
    EXPECT_EQ(test::ReadFileBytes(Output()),
              "Subject: s\r\nContent-Type: text/plain\r\n\r\nHi!" + Trailer(archive));
    EXPECT_EQ(test::ReadFileBytes(archive), kSelectedLines + htmlArchived);
}

TEST_F(SavingTest, SubjectFromCapturedHeadersWhenTheHostGivesNone) {
    struct Case {
        const char* name;
        std::string captured;
        std::string expectedFile;
    } cases[] = {
        {"folded subject unfolded", kCaptured, "Weekly report.eml"},
        {"encoded words decoded to the system code page",
         "Date: x\r\nSubject: =?UTF-8?Q?Gr=C3=BC=C3=9Fe?=",
         "Gr\xC3\xBC\xC3\x9F"
         "e.eml"},
        {"latin-1 encoded word converted", "Subject: =?iso-8859-1?Q?Caf=E9?=\r\nDate: x",
         "Caf\xC3\xA9.eml"},
        {"blank subject field named by the time", "Subject:    \r\nDate: x", ""},
        {"no subject field named by the time", "Date: x", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CapturedHeaders = c.captured;
        std::filesystem::remove_all(ArchiveFolder());
        ASSERT_EQ(Run(1, kOneHtml, nullptr), 0);
        if (!c.expectedFile.empty()) {
            EXPECT_TRUE(PathExists(ArchiveFolder() + c.expectedFile));
            continue;
        }
        std::vector<std::string> names = ArchiveNames();
        ASSERT_EQ(names.size(), 1u);
        EXPECT_EQ(names[0].size(), 12u);
        EXPECT_EQ(names[0].find_first_not_of("0123456789"), 8u) << names[0];
    }
}

struct DeclineCase {
    const char* name;
    int translator;
    std::string message;
};

TEST_F(SavingTest, DeclineRemovesTheArchiveFileItCreated) {
    const DeclineCase cases[] = {
        {"nested plain alternative", 1,
         WithCrLf("Content-Type: multipart/alternative; boundary=b\n\n--b\n"
                  "Content-Type: multipart/mixed; boundary=c\n\n--c\n\ndeep\n--c--\n--b--\n")},
        {"translator 1 on a single part", 1, WithCrLf("Content-Type: text/plain\n\nx")},
        {"translator 2 on an image", 2, WithCrLf("Content-Type: image/png\n\nx")},
        {"unreadable header", 2, " stray\r\n\r\n<p>x</p>"},
    };
    for (const DeclineCase& c : cases) {
        SCOPED_TRACE(c.name);
        test::WriteFileBytes(Output(), "kept");
        test::WriteFileBytes(Input(), c.message);
        EXPECT_EQ(TranslateMessageFile(c.translator, Input(), Output(), "Gone", nullptr), 12);
        EXPECT_EQ(test::ReadFileBytes(Output()), "kept");
        EXPECT_TRUE(ArchiveNames().empty());
    }
}

TEST_F(SavingTest, ArchiveThatCannotBeCreatedDeclinesOnlyWhenThereIsHtml) {
    test::WriteFileBytes(temp_.File("plain"), "a file where a folder would go");
    WriteSettingString(kOptionsSection, kHtmlPathKey, temp_.File("plain/folder/"),
                       SettingsFilePath);
    EXPECT_EQ(Run(1, kOneHtml, "Hello"), 12);
    EXPECT_EQ(test::ReadFileBytes(Output()), "");
    std::string withoutHtml =
        WithCrLf("Content-Type: multipart/alternative; boundary=b\n\n--b\n\nplain\n--b--\n");
    EXPECT_EQ(Run(1, withoutHtml, "Hello"), 0);
    EXPECT_EQ(test::ReadFileBytes(Output()),
              "Mime-Version: 1.0\r\nContent-Type: text/plain\r\n\r\nplain");
}

TEST_F(SavingTest, SavingOffWritesNoArchiveAndNoTrailer) {
    SaveHTMLMessagesValue = 2;  // only exactly 1 saves
    ASSERT_EQ(Run(1, kTwoHtml, "Hello"), 0);
    EXPECT_EQ(test::ReadFileBytes(Output()),
              "Mime-Version: 1.0\r\nContent-Type: text/plain\r\n\r\nplain");
    EXPECT_TRUE(ArchiveNames().empty());
}

TEST_F(SavingTest, MissingOutputGivesSixAndKeepsTheArchive) {
    test::WriteFileBytes(Input(), kTwoHtml);
    EXPECT_EQ(TranslateMessageFile(1, Input(), temp_.File("missing.eml"), "Hello", nullptr), 6);
    EXPECT_FALSE(PathExists(temp_.File("missing.eml")));
    EXPECT_EQ(ArchiveNames(), std::vector<std::string>{"Hello.eml"});
}

struct StatusCase {
    const char* name;
    int translator;
    bool inputExists;
    bool outputExists;
    int expected;
};

TEST_F(SavingTest, FileStatusCodes) {
    const StatusCase cases[] = {
        {"missing input, translator 1", 1, false, true, 5},
        {"missing input, translator 4", 4, false, true, 5},
        {"missing output, translator 2", 2, true, false, 6},
        {"missing output, translator 3", 3, true, false, 6},
        {"missing output, translator 4", 4, true, false, 6},
    };
    for (const StatusCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::string input = temp_.File(c.inputExists ? "in-ok.eml" : "no-in.eml");
        std::string output = temp_.File(c.outputExists ? "out-ok.eml" : "no-out.eml");
        if (c.inputExists) {
            test::WriteFileBytes(input, WithCrLf("Content-Type: text/html\n\n<p>x</p>"));
        }
        if (c.outputExists) {
            test::WriteFileBytes(output, "");
        }
        MimeTypeRecord* type = nullptr;
        EXPECT_EQ(TranslateMessageFile(c.translator, input, output, "S", &type), c.expected);
        EXPECT_EQ(type, nullptr);
        EXPECT_FALSE(PathExists(temp_.File("no-out.eml")));
    }
}

TEST_F(SavingTest, NullOutputRecordStillTranslates) {
    SaveHTMLMessagesValue = 0;
    EXPECT_EQ(Run(4, WithCrLf("Content-Type: multipart/related; boundary=x\n\n--x\n\na\n--x--\n"),
                  nullptr, nullptr),
              0);
    EXPECT_NE(test::ReadFileBytes(Output()).find("related4mixed=yes"), std::string::npos);
}

}  // namespace
}  // namespace vellumo::test
