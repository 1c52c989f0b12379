#include "translate/archive_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "host/plugin_state.h"
#include "host/settings.h"
#include "platform/files.h"
#include "support/temp_folder.h"
#include "translate/archive_name.h"

namespace vellumo::test {
namespace {

constexpr LocalTime kNoon = {2026, 12, 7, 12, 5, 9};

// Points the process-wide settings at a temporary folder for one test.
class ArchiveTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ConfigFolder = temp_.File("Plugins");
        std::filesystem::create_directory(ConfigFolder);
        SettingsFilePath = ConfigFolder + "/vellumo.ini";
        CapturedHeaders.clear();
    }
    void TearDown() override {
        ConfigFolder.clear();
        SettingsFilePath.clear();
        CapturedHeaders.clear();
    }
    void SetFolder(const std::string& folder) {
        WriteSettingString(kOptionsSection, kHtmlPathKey, folder, SettingsFilePath);
    }
    void SetExtension(const std::string& extension) {
        WriteSettingString(kOptionsSection, kExtensionKey, extension, SettingsFilePath);
    }
    test::TempFolder temp_;
};

struct StemCase {
    const char* name;
    std::string subject;
    std::string expected;
};

TEST(MakeArchiveStem, Table) {
    const StemCase cases[] = {
        {"colon dropped", "Re: Hello", "Re Hello"},
        {"forty characters cut to 32", "0123456789012345678901234567890123456789",
         "01234567890123456789012345678901"},
        {"cut then trimmed", std::string(30, 'a') + "  tail", std::string(30, 'a')},
        {"blanks only", "   ", "NoSubject"},
        {"question marks", "???", "file"},
        {"empty uses the time", "", "07120509"},
        {"white space trimmed both ends", "\t Hello \r\n", "Hello"},
        {"cut keeps whole characters", std::string(31, 'a') + "\xC3\xA9", std::string(31, 'a')},
    };
    for (const StemCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(MakeArchiveStem(c.subject, kNoon), c.expected);
    }
}

TEST_F(ArchiveTest, RepeatedSubjectGivesHelloHello1Hello11) {
    std::string folder = temp_.Prefix();
    SetFolder(folder);
    EXPECT_EQ(CreateArchiveFileAt("Hello", kNoon), folder + "Hello.eml");
    EXPECT_EQ(CreateArchiveFileAt("Hello", kNoon), folder + "Hello1.eml");
    EXPECT_EQ(CreateArchiveFileAt("Hello", kNoon), folder + "Hello11.eml");
}

TEST_F(ArchiveTest, ExistingFileIsNeverOverwritten) {
    std::string folder = temp_.Prefix();
    SetFolder(folder);
    test::WriteFileBytes(folder + "Hello.eml", "precious");
    CapturedHeaders = "From: a@b\r\nDate: today";
    EXPECT_EQ(CreateArchiveFileAt("Hello", kNoon), folder + "Hello1.eml");
    EXPECT_EQ(test::ReadFileBytes(folder + "Hello.eml"), "precious");
}

TEST_F(ArchiveTest, SelectedHeaderLinesWrittenWithOrWithoutBlankAfterColon) {
    SetFolder(temp_.Prefix());
    CapturedHeaders =
        "from: Ann <ann@x>\r\nReply-To: r@x\r\nSubject: A long\r\n one\r\nCc: c@x\r\n"
        "To: t@x\r\nX-Date: no\r\nTopic: no\r\nDATE:Mon, 7 Dec 2026";
    std::string path = CreateArchiveFileAt("S", kNoon);
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(test::ReadFileBytes(path),
              "from: Ann <ann@x>\r\nSubject: A long\r\nCc: c@x\r\nTo: t@x\r\n"
              "DATE:Mon, 7 Dec 2026\r\n");
}

TEST_F(ArchiveTest, FolderAndExtensionSettings) {
    struct Case {
        const char* name;
        std::string folder;  // empty: the default from the configuration folder
        const char* extension;
        std::string expectedPath;
    } cases[] = {
        {"default folder is HTML Messages beside Plugins", "", nullptr,
         temp_.File("HTML Messages\\") + "Hi.eml"},
        {"empty extension ends in a dot", temp_.Prefix(), "", temp_.Prefix() + "Hi."},
        {"existing folder without final backslash is that folder", temp_.path(), "htm",
         temp_.path() + "\\Hi.htm"},
        {"missing folder without final backslash is made and used", temp_.File("Saved"), "htm",
         temp_.File("Saved\\Hi.htm")},
        {"missing parent folders are created", temp_.File("a/b/c/"), "htm",
         temp_.File("a/b/c/Hi.htm")},
        {"extension given with its dot gets no second dot", temp_.File("dot/"), ".htm",
         temp_.File("dot/Hi.htm")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(SettingsFilePath);
        if (!c.folder.empty()) {
            SetFolder(c.folder);
        }
        if (c.extension != nullptr) {
            SetExtension(c.extension);
        }
        std::string path = CreateArchiveFileAt("Hi", kNoon);
        EXPECT_EQ(path, c.expectedPath);
        EXPECT_TRUE(PathExists(path));
    }
}

TEST_F(ArchiveTest, FolderUnderAFileGivesNoFile) {
    temp_.Write("plain", "a file, not a folder");
    SetFolder(temp_.File("plain/sub/"));
    EXPECT_EQ(CreateArchiveFileAt("Hi", kNoon), "");
}

TEST(CreateUniqueArchiveFile, PathPastTheLimitRestartsFromTimeStem) {
    test::TempFolder temp;
    ArchiveNaming naming{temp.Prefix(), "Hello", ".eml", "07120509", 0};
    naming.maxPathLength = naming.folder.size() + 13;  // room for "Hello1111.eml"
    for (const char* taken : {"Hello", "Hello1", "Hello11", "Hello111", "Hello1111"}) {
        test::WriteFileBytes(naming.folder + taken + ".eml", "");
    }
    EXPECT_EQ(CreateUniqueArchiveFile(naming, "L\r\n"), naming.folder + "07120509.eml");
    EXPECT_EQ(CreateUniqueArchiveFile(naming, ""), naming.folder + "071205091.eml");
    EXPECT_EQ(test::ReadFileBytes(naming.folder + "07120509.eml"), "L\r\n");
    // Once the time stem has grown past the limit too, nothing is created.
    EXPECT_EQ(CreateUniqueArchiveFile(naming, ""), "");
}

TEST(CreateUniqueArchiveFile, NamePastTheNameLimitRestartsFromTimeStem) {
    test::TempFolder temp;
    ArchiveNaming naming{temp.Prefix(), "Hello", ".eml", "07120509", 4096, 13};
    for (const char* taken : {"Hello", "Hello1", "Hello11", "Hello111", "Hello1111"}) {
        test::WriteFileBytes(naming.folder + taken + ".eml", "");
    }
    EXPECT_EQ(CreateUniqueArchiveFile(naming, ""), naming.folder + "07120509.eml");
    EXPECT_EQ(CreateUniqueArchiveFile(naming, ""), naming.folder + "071205091.eml");
}

TEST(CreateUniqueArchiveFile, DanglingLinkNamesArePassedOver) {
    struct Case {
        const char* name;
        std::vector<std::string> links;
        std::string expected;
    } cases[] = {
        {"link with the stem's name", {"Hello.eml"}, "Hello1.eml"},
        {"links up to the limit, then at the time stem",
         {"Hello.eml", "Hello1.eml", "Hello11.eml", "Hello111.eml", "Hello1111.eml",
          "07120509.eml"},
         "071205091.eml"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempFolder temp;
        ArchiveNaming naming{temp.Prefix(), "Hello", ".eml", "07120509", 4096, 13};
        for (const std::string& link : c.links) {
            std::filesystem::create_symlink(temp.File("gone"), naming.folder + link);
        }
        EXPECT_EQ(CreateUniqueArchiveFile(naming, "L\r\n"), naming.folder + c.expected);
        EXPECT_FALSE(PathExists(temp.File("gone"))) << "nothing written through a link";
    }
}

TEST_F(ArchiveTest, OneSubjectKeepsFindingNamesPastTheFileNameLimit) {
    // Each message with the same subject adds a "1"; once the name reaches
    // the folder's limit the time stem takes over instead of giving up.
    std::string folder = temp_.Prefix();
    SetFolder(folder);
    size_t limit = MaxFileNameLength(folder + "x");
    std::string stem = "Hello";
    while (stem.size() + 4 <= limit) {
        test::WriteFileBytes(folder + stem + ".eml", "");
        stem += '1';
    }
    EXPECT_EQ(CreateArchiveFileAt("Hello", kNoon), folder + "07120509.eml");
    EXPECT_EQ(CreateArchiveFileAt("Hello", kNoon), folder + "071205091.eml");
}

TEST(CreateUniqueArchiveFile, RepeatedNameNeverBecomesADeviceName) {
    // "COM" + "1" would name the serial port on Windows, which would take
    // the saved HTML while the translation reports success.
    struct Case {
        const char* name;
        const char* stem;
        const char* expected;
    } cases[] = {
        {"COM then COM11", "COM", "COM11.eml"},
        {"lower-case lpt then lpt11", "lpt", "lpt11.eml"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempFolder temp;
        ArchiveNaming naming{temp.Prefix(), c.stem, ".eml", "07120509", 4096};
        test::WriteFileBytes(naming.folder + c.stem + ".eml", "");
        EXPECT_EQ(CreateUniqueArchiveFile(naming, ""), naming.folder + c.expected);
    }
}

TEST(MakeArchiveLink, QuotedFileUrlUnescaped) {
    EXPECT_EQ(MakeArchiveLink("C:\\Mail\\HTML Messages\\Re Hello.eml"),
              "\"file://C:\\Mail\\HTML Messages\\Re Hello.eml\"");
}

}  // namespace
}  // namespace vellumo::test

namespace vellumo::test {
namespace {

TEST_F(ArchiveTest, NoCapturedHeadersGiveAnEmptyStart) {
    SetFolder(temp_.Prefix());
    CapturedHeaders.clear();
    std::string path = CreateArchiveFileAt("First", kNoon);
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(test::ReadFileBytes(path), "");
}

}  // namespace
}  // namespace vellumo::test
