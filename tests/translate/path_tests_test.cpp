#include "translate/path_tests.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_folder.h"

namespace vellumo::test {
namespace {

struct PathCase {
    const char* name;
    std::string path;
    bool fileExists;
    bool folderExists;
};

TEST(PathTests, AnswersByWhatIsOnDisk) {
    test::TempFolder temp;
    ASSERT_FALSE(temp.path().empty());
    test::WriteFileBytes(temp.File("message.eml"), "x");
    std::filesystem::create_directory(temp.File("saved"));
    const PathCase cases[] = {
        {"existing file", temp.File("message.eml"), true, false},
        {"existing folder", temp.File("saved"), true, true},
        {"folder with trailing slash", temp.File("saved") + "/", true, true},
        {"missing file", temp.File("missing.eml"), false, false},
        {"wildcard is not expanded", temp.File("mess*"), false, false},
        {"empty path", "", false, false},
        {"root folder, too short to test", "/", false, false},
        {"four characters, existing", "/tmp", true, true},
    };
    for (const PathCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FileExists(c.path), c.fileExists);
        EXPECT_EQ(FolderExists(c.path), c.folderExists);
    }
}

}  // namespace
}  // namespace vellumo::test
