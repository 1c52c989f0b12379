// What plug-in start reads from the settings file, and which raw headers the
// offers leave behind for the archive, seen through whole translations in
// the real DLL.

#include <dirent.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "wine/wine_support.h"

namespace vellumo::test {
namespace {

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (dirent* entry = readdir(dir)) {
            std::string name = entry->d_name;
            if (name != "." && name != "..") {
                names.push_back(name);
            }
        }
        closedir(dir);
    }
    return names;
}

struct SaveCase {
    const char* name;
    const char* settings;  // vellumo.ini, nullptr for none
    bool saves;
};

class SaveSettingAtStart : public ::testing::TestWithParam<SaveCase> {};

TEST_P(SaveSettingAtStart, DecidesArchiveAndTrailer) {
    const SaveCase& c = GetParam();
    TempFolder mail;
    std::string plugins = mail.File("Plugins");
    ASSERT_EQ(system(("mkdir -p '" + plugins + "'").c_str()), 0);
    if (c.settings != nullptr) {
        WriteFileBytes(plugins + "/vellumo.ini", c.settings);
    }
    std::string output = mail.File("out.txt");
    WineRun run = RunHost({"--config-dir", WinePath(plugins), "translate", "--translator", "1",
                           "samples/alternative.eml", WinePath(output)});
    ASSERT_EQ(run.Value("translate.status"), "0") << run.output;
    std::string text = ReadFileBytes(output);
    std::vector<std::string> archived = FilesIn(mail.File("HTML Messages"));
    if (c.saves) {
        ASSERT_EQ(archived.size(), 1u);
        EXPECT_EQ(archived[0], "Weekly report.eml");
        std::string trailer = "\r\n\r\nX-HTML-Message-Converted: \"file://" +
                              WinePath(mail.File("HTML Messages")) + "\\Weekly report.eml\"\r\n";
        ASSERT_GE(text.size(), trailer.size());
        EXPECT_EQ(text.substr(text.size() - trailer.size()), trailer);
    } else {
        EXPECT_TRUE(archived.empty());
        EXPECT_EQ(text.find("X-HTML-Message-Converted"), std::string::npos) << text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, SaveSettingAtStart,
    ::testing::Values(SaveCase{"NoFileSaves", nullptr, true},
                      SaveCase{"One", "[Options]\r\nSaveHTMLMessages=1\r\n", true},
                      SaveCase{"BlankBeforeOne", "[Options]\r\nSaveHTMLMessages= 1\r\n", true},
                      SaveCase{"Zero", "[Options]\r\nSaveHTMLMessages=0\r\n", false},
                      SaveCase{"TwoIsNotOne", "[Options]\r\nSaveHTMLMessages=2\r\n", false},
                      SaveCase{"Text", "[Options]\r\nSaveHTMLMessages=yes\r\n", false}),
    [](const auto& info) { return std::string(info.param.name); });

const char kDatedHeaders[] =
    "From: Ann <ann@example.org>\r\nTo: bob@example.org\r\nDate: Mon, 7 Dec 2026 09:00:00 "
    "+0000\r\nSubject: First\r\nContent-Type: text/plain\r\n\r\nhello\r\n";

std::string HtmlMessage(const std::string& headers) {
    return headers + "Content-Type: text/html\r\n\r\n<p>Hi</p>\r\n";
}

// An offer whose raw headers are a message's own (a Date, From, Message-ID
// or Received field in any spelling) replaces the captured headers; a header
// with none of them keeps the earlier message's. The archive of the next
// translation shows which ones were kept.
TEST(CapturedHeaders, EveryMessageHeaderReplacesTheEarlierCapture) {
    const char* kFirst =
        "From: Ann <ann@example.org>\r\nTo: bob@example.org\r\nDate: Mon, 7 Dec 2026 09:00:00 "
        "+0000\r\nSubject: First\r\n";
    const struct {
        const char* name;
        const char* headers;  // of the translated HTML message
        const char* archiveStart;
        const char* archiveName;
    } cases[] = {
        {"OwnDate", "From: Carl <c@example.org>\r\nDate: Tue, 8 Dec 2026\r\nSubject: Own\r\n",
         "From: Carl <c@example.org>\r\nDate: Tue, 8 Dec 2026\r\nSubject: Own\r\n", "Own.eml"},
        {"NoMessageField", "X-Mailer: m\r\nSubject: Undated\r\n", kFirst, "First.eml"},
        {"UpperCaseDate", "Subject: Loud\r\nDATE: Wed, 9 Dec 2026\r\n",
         "Subject: Loud\r\nDATE: Wed, 9 Dec 2026\r\n", "Loud.eml"},
        {"DateWithoutBlank", "Subject: Tight\r\nDate:Thu, 10 Dec 2026\r\n",
         "Subject: Tight\r\nDate:Thu, 10 Dec 2026\r\nContent-Type: text/html\r\n", "Tight.eml"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder mail;
        std::string plugins = mail.File("Plugins");
        ASSERT_EQ(system(("mkdir -p '" + plugins + "'").c_str()), 0);
        WriteFileBytes(mail.File("first.eml"), kDatedHeaders);
        WriteFileBytes(mail.File("html.eml"), HtmlMessage(c.headers));
        WineRun run = RunHost({"--config-dir", WinePath(plugins), "can", mail.File("first.eml"),
                               "--then", "translate", "--translator", "2", mail.File("html.eml"),
                               WinePath(mail.File("out.txt"))});
        ASSERT_EQ(run.Value("translate.status"), "0") << run.output;
        std::vector<std::string> archived = FilesIn(mail.File("HTML Messages"));
        ASSERT_EQ(archived.size(), 1u);
        EXPECT_EQ(archived[0], c.archiveName);
        std::string archive = ReadFileBytes(mail.File("HTML Messages") + "/" + archived[0]);
        EXPECT_EQ(archive.substr(0, std::string(c.archiveStart).size()), c.archiveStart) << archive;
        EXPECT_NE(archive.find("<p>Hi</p>"), std::string::npos) << archive;
    }
}

// ReadingAids and WrapWidth are read at start-up and change translator 2's
// text only; without them the text is the browser's.
TEST(ReadingAidsAtStart, ChooseTranslatorTwosText) {
    const char* kHtml =
        "<p>Read the <a href='http://example.org/news'>news</a> or write to "
        "<a href='mailto:ann@example.org'>Ann</a>.</p><ul><li>one</li></ul>";
    const struct {
        const char* name;
        const char* keys;
        const char* body;
    } cases[] = {
        {"NoKeys", "", "Read the news or write to Ann.\r\n\r\none"},
        {"ReadingAids", "ReadingAids=1\r\n",
         "Read the news [1] or write to Ann [2].\r\n\r\n* one\r\n\r\nLinks:\r\n"
         "[1] http://example.org/news\r\n[2] ann@example.org"},
        {"OnlyExactlyOne", "ReadingAids=2\r\n", "Read the news or write to Ann.\r\n\r\none"},
        {"WrapWidth", "WrapWidth=12\r\n", "Read the\r\nnews or\r\nwrite to\r\nAnn.\r\n\r\none"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder mail;
        std::string plugins = mail.File("Plugins");
        ASSERT_EQ(system(("mkdir -p '" + plugins + "'").c_str()), 0);
        WriteFileBytes(plugins + "/vellumo.ini",
                       std::string("[Options]\r\nSaveHTMLMessages=1\r\n") + c.keys);
        WriteFileBytes(
            mail.File("html.eml"),
            std::string("Subject: Aids\r\nContent-Type: text/html\r\n\r\n") + kHtml + "\r\n");
        WineRun run = RunHost({"--config-dir", WinePath(plugins), "translate", "--translator", "2",
                               mail.File("html.eml"), WinePath(mail.File("out.txt"))});
        ASSERT_EQ(run.Value("translate.status"), "0") << run.output;
        const std::string out = ReadFileBytes(mail.File("out.txt"));
        const size_t body = out.find("\r\n\r\n") + 4;
        const size_t trailer = out.find("\r\n\r\nX-HTML-Message-Converted:");
        ASSERT_NE(trailer, std::string::npos) << out;
        EXPECT_EQ(out.substr(body, trailer - body), c.body);
        // The archive keeps the HTML as it came, whatever the text shows.
        const std::vector<std::string> archived = FilesIn(mail.File("HTML Messages"));
        ASSERT_EQ(archived.size(), 1u);
        const std::string archive = ReadFileBytes(mail.File("HTML Messages/" + archived[0]));
        EXPECT_NE(archive.find(kHtml), std::string::npos) << archive;
    }
}

}  // namespace
}  // namespace vellumo::test
