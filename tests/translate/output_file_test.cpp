#include "translate/output_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_folder.h"
#include "translate/conversion_trailer.h"

namespace vellumo::test {
namespace {

struct WriteCase {
    const char* name;
    bool fileExists;
    std::string before;
    std::string text;
    OutputWrite expected;
    std::string after;
};

TEST(WriteOutputFile, WritesFromStartAndCutsTheRest) {
    const std::string withZero("ab\0cd", 5);
    const WriteCase cases[] = {
        {"empty file", true, "", "hello", OutputWrite::Written, "hello"},
        {"stale tail is cut", true, "0123456789", "abc", OutputWrite::Written, "abc"},
        {"zero byte kept", true, "", withZero, OutputWrite::Written, withZero},
        {"empty text empties the file", true, "old", "", OutputWrite::Written, ""},
        {"missing file is not created", false, "", "x", OutputWrite::OpenFailed, ""},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempFolder temp;
        std::string path = temp.File("out.txt");
        if (c.fileExists) {
            test::WriteFileBytes(path, c.before);
        }
        EXPECT_EQ(WriteOutputFile(path, c.text), c.expected);
        EXPECT_EQ(test::ReadFileBytes(path), c.after);
    }
}

struct AppendCase {
    const char* name;
    bool fileExists;
    std::string before;
    std::string text;
    bool expected;
    bool existsAfter;
    std::string after;
};

TEST(AppendTextToFile, AppendsTextAndLineEnd) {
    const std::string withZero("a\0b", 3);
    const AppendCase cases[] = {
        {"append to existing", true, "body", "tail", true, true,
         "body"
         "tail\r\n"},
        {"missing file is created", false, "", "tail", true, true, "tail\r\n"},
        {"empty text on missing file creates it empty", false, "", "", true, true, ""},
        {"empty text adds nothing", true, "body", "", true, true, "body"},
        {"zero byte kept", true, "", withZero, true, true, withZero + "\r\n"},
    };
    for (const AppendCase& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempFolder temp;
        std::string path = temp.File("out.txt");
        if (c.fileExists) {
            test::WriteFileBytes(path, c.before);
        }
        EXPECT_EQ(AppendTextToFile(path, c.text), c.expected);
        EXPECT_EQ(test::ReadFileBytes(path), c.after);
    }
}

TEST(AppendTextToFile, FailsInMissingFolder) {
    test::TempFolder temp;
    EXPECT_FALSE(AppendTextToFile(temp.File("no/such/out.txt"), "x"));
}

TEST(AppendTextToFile, ShortNameOfAnExistingFileStillGetsTheText) {
    // A name under four characters is never "found" by FileExists; the
    // existing output must still receive the trailer.
    test::TempFolder temp;
    std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(temp.path());
    test::WriteFileBytes("o1", "body");
    bool appended = AppendTextToFile("o1", "tail");
    std::string after = test::ReadFileBytes("o1");
    std::filesystem::current_path(before);
    EXPECT_TRUE(appended);
    EXPECT_EQ(after, "bodytail\r\n");
}

TEST(ConversionTrailer, BytesOnDiskExactly) {
    test::TempFolder temp;
    std::string path = temp.File("out.txt");
    test::WriteFileBytes(path, "Text");
    ASSERT_TRUE(
        AppendTextToFile(path, ConversionTrailer("\"file://C:\\Mail\\HTML Messages\\Hi.eml\"")));
    EXPECT_EQ(
        test::ReadFileBytes(path),
        "Text\r\n\r\nX-HTML-Message-Converted: \"file://C:\\Mail\\HTML Messages\\Hi.eml\"\r\n");
}

}  // namespace
}  // namespace vellumo::test
