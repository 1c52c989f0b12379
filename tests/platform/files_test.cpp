#include "platform/files.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include "support/temp_folder.h"

namespace vellumo::test {
namespace {

using test::TempFolder;

TEST(PlatformFile, ModesBehaveAsNamed) {
    TempFolder folder;
    std::string path = folder.File("a.txt");
    PlatformFile file;
    EXPECT_FALSE(file.Open(path, FileMode::ReadExisting)) << "missing file";
    EXPECT_FALSE(file.Open(path, FileMode::WriteExisting)) << "write must not create";
    EXPECT_FALSE(file.Open(path, FileMode::AppendExisting)) << "append must not create";
    ASSERT_TRUE(file.Open(path, FileMode::CreateNew));
    ASSERT_TRUE(file.Write("hello world", 11));
    file.Close();
    EXPECT_FALSE(file.Open(path, FileMode::CreateNew)) << "create is exclusive";

    ASSERT_TRUE(file.Open(path, FileMode::WriteExisting));
    ASSERT_TRUE(file.Write("HE", 2));
    file.Close();
    EXPECT_EQ(folder.Read("a.txt"), "HEllo world") << "write starts at 0 without truncating";

    ASSERT_TRUE(file.Open(path, FileMode::WriteExisting));
    ASSERT_TRUE(file.Write("bye", 3));
    ASSERT_TRUE(file.TruncateHere());
    file.Close();
    EXPECT_EQ(folder.Read("a.txt"), "bye");

    ASSERT_TRUE(file.Open(path, FileMode::AppendExisting));
    ASSERT_TRUE(file.Write("\0!", 2));
    file.Close();
    EXPECT_EQ(folder.Read("a.txt"), std::string("bye\0!", 5)) << "bytes by count, zero kept";

    std::string all;
    ASSERT_TRUE(ReadWholeFile(path, all));
    EXPECT_EQ(all, std::string("bye\0!", 5));
}

TEST(PathTests, FilesFoldersAndBackslashes) {
    TempFolder folder;
    folder.Write("f.txt", "x");
    EXPECT_TRUE(PathExists(folder.File("f.txt")));
    EXPECT_FALSE(IsFolder(folder.File("f.txt")));
    EXPECT_TRUE(IsFolder(folder.path()));
    EXPECT_FALSE(PathExists(folder.File("none")));
    EXPECT_FALSE(PathExists(""));
    ASSERT_TRUE(CreateFolder(folder.path() + "\\sub"));
    EXPECT_TRUE(IsFolder(folder.File("sub")));
    EXPECT_FALSE(CreateFolder(folder.File("sub"))) << "already there";
    EXPECT_FALSE(CreateFolder(folder.File("no/such/parent")));
    PlatformFile file;
    EXPECT_FALSE(file.Open(folder.File("sub"), FileMode::ReadExisting)) << "a folder is no file";
    EXPECT_TRUE(DeleteFileAt(folder.File("f.txt")));
    EXPECT_FALSE(PathExists(folder.File("f.txt")));
}

TEST(PathTests, DanglingLinkTakesItsName) {
    TempFolder folder;
    ASSERT_EQ(symlink(folder.File("no-target").c_str(), folder.File("link.eml").c_str()), 0);
    EXPECT_FALSE(PathExists(folder.File("link.eml"))) << "the target is missing";
    EXPECT_TRUE(NameTaken(folder.File("link.eml")));
    EXPECT_FALSE(NameTaken(folder.File("free.eml")));
    PlatformFile file;
    EXPECT_FALSE(file.Open(folder.File("link.eml"), FileMode::CreateNew))
        << "an exclusive create must not follow the link";
    EXPECT_FALSE(PathExists(folder.File("no-target")));
}

TEST(MaxFileNameLength, IsTheLongestNameTheFolderAccepts) {
    TempFolder folder;
    size_t limit = MaxFileNameLength(folder.File("x"));
    ASSERT_GT(limit, 8u);
    ASSERT_LT(limit, 4096u);
    PlatformFile file;
    EXPECT_TRUE(file.Open(folder.File(std::string(limit, 'a')), FileMode::CreateNew));
    file.Close();
    EXPECT_FALSE(file.Open(folder.File(std::string(limit + 1, 'b')), FileMode::CreateNew));
    EXPECT_EQ(MaxFileNameLength(folder.File("missing/x")), kPortableMaxFileNameLength)
        << "a folder that cannot tell";
}

}  // namespace
}  // namespace vellumo::test
