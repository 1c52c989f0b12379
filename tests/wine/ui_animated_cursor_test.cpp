// The sleep animation loader under Wine, linked into cursorcheck.exe with
// resources of sizes around its 4096-byte copy piece.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

#include "wine/wine_support.h"

namespace vellumo::test {
namespace {

struct LoaderCase {
    const char* name;
    int id;
    const char* copy;  // "same SIZE" or "failed"
    const char* load;
};

TEST(AnimatedCursor, CopiesEveryByteLoadsAndLeavesNoFile) {
    const LoaderCase cases[] = {
        {"SleepAnimation", 118, "same 15890", "cursor"},
        {"OneByte", 201, "same 1", "none"},
        {"OneShortOfAPiece", 202, "same 4095", "none"},
        {"ExactlyOnePiece", 203, "same 4096", "none"},
        {"OnePastAPiece", 204, "same 4097", "none"},
        {"ExactlyFourPieces", 205, "same 16384", "none"},
        {"MissingResource", 299, "failed", "none"},
    };
    TempFolder folder;
    std::string temp = folder.File("temp");
    mkdir(temp.c_str(), 0755);
    std::vector<std::string> args = {WinePath(temp)};
    for (const LoaderCase& c : cases) {
        args.push_back(std::to_string(c.id));
    }
    WineRun run = RunUnderWine(Win32Binary("cursorcheck.exe"), args);
    ASSERT_EQ(run.exitCode, 0) << run.output << run.errors;
    for (const LoaderCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::string id = std::to_string(c.id);
        EXPECT_EQ(run.Value("copy." + id), c.copy);
        EXPECT_EQ(run.Value("load." + id), c.load);
        EXPECT_EQ(run.Value("leftover." + id), "0") << "a temporary file was left behind";
    }
}

TEST(AnimatedCursor, UnusableTemporaryFolderGivesNoCursor) {
    TempFolder folder;
    WineRun run =
        RunUnderWine(Win32Binary("cursorcheck.exe"), {WinePath(folder.File("missing")), "118"});
    ASSERT_EQ(run.exitCode, 0) << run.output << run.errors;
    EXPECT_EQ(run.Value("load.118"), "none");
    EXPECT_FALSE(FileExistsHere(folder.File("missing")));
}

}  // namespace
}  // namespace vellumo::test
