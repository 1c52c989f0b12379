// The shipped Windows binaries load on Windows XP SP3: their headers ask for
// no later Windows, they import only from XP's system DLLs and nothing that
// XP lacks. Reads the win32 build's files.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "plugin/pe_image.h"
#include "plugin/pe_image_builder.h"
#include "plugin/post_xp_functions.h"

namespace vellumo::test {
namespace {

std::string ReadBinary(const std::string& name) {
    std::ifstream in(std::string(VELLUMO_WIN32_BIN) + "/" + name, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

struct ShippedCase {
    const char* name;
    const char* file;
};

void PrintTo(const ShippedCase& c, std::ostream* out) {
    *out << c.file;
}

class ShippedBinary : public ::testing::TestWithParam<ShippedCase> {
  protected:
    void SetUp() override {
        image_ = ReadPeImage(ReadBinary(GetParam().file));
        ASSERT_TRUE(image_.valid) << GetParam().file << ": " << image_.error
                                  << " (build the win32 preset first)";
    }
    PeImage image_;
};

TEST_P(ShippedBinary, ImportsNothingAddedAfterWindowsXp) {
    EXPECT_EQ(FindPostXpImports(image_), std::vector<std::string>{});
    EXPECT_FALSE(image_.hasDelayImports) << "delay-loaded imports escape this check";
}

TEST_P(ShippedBinary, NeedsOnlyXpSystemDlls) {
    EXPECT_EQ(FindNonSystemDlls(image_), std::vector<std::string>{});
}

// XP's loader refuses an image whose headers ask for a later Windows.
TEST_P(ShippedBinary, HeadersAskForNoLaterWindowsThanXp) {
    EXPECT_LE(image_.osMajor * 100 + image_.osMinor, 501);
    EXPECT_LE(image_.subsystemMajor * 100 + image_.subsystemMinor, 501);
}

INSTANTIATE_TEST_SUITE_P(Package, ShippedBinary,
                         ::testing::Values(ShippedCase{"Plugin", "vellumo.dll"},
                                           ShippedCase{"Translate", "vellumo-translate.exe"},
                                           ShippedCase{"Html2Text", "vellumo-html2text.exe"}),
                         [](const auto& info) { return std::string(info.param.name); });

// The reader sees the plug-in's real imports, so an empty finding above
// means a clean table, not an unread one.
TEST(ShippedPlugin, ImportsTheFunctionsItIsKnownToCall) {
    PeImage image = ReadPeImage(ReadBinary("vellumo.dll"));
    ASSERT_TRUE(image.valid) << image.error;
    for (const char* expected :
         {"VERSION.dll!GetFileVersionInfoA", "KERNEL32.dll!GetPrivateProfileStringA",
          "USER32.dll!DialogBoxParamA"}) {
        bool found = false;
        for (const PeImport& import : image.imports) {
            found = found || import.dll + "!" + import.function == expected;
        }
        EXPECT_TRUE(found) << expected;
    }
}

// The winpthread library of the posix-thread compilers imported this one.
TEST(PostXpCheck, CatchesGetTickCount64) {
    PeImage image =
        ReadPeImage(BuildPeImage({{"KERNEL32.dll", {"CreateFileA", "GetTickCount64"}}}));
    EXPECT_EQ(FindPostXpImports(image),
              std::vector<std::string>{"KERNEL32.dll!GetTickCount64 (Windows Vista)"});
}

TEST(PostXpCheck, FamiliesMatchByPrefixOnly) {
    PeImage image = ReadPeImage(
        BuildPeImage({{"comctl32.dll", {"TaskDialogIndirect", "InitCommonControlsEx"}},
                      {"kernel32.dll", {"Wow64DisableWow64FsRedirection", "IsWow64Process"}}}));
    EXPECT_EQ(
        FindPostXpImports(image),
        (std::vector<std::string>{"comctl32.dll!TaskDialogIndirect (Windows Vista)",
                                  "kernel32.dll!Wow64DisableWow64FsRedirection (Windows Vista)"}));
}

TEST(PostXpCheck, RuntimeLibrariesAreNotSystemDlls) {
    PeImage image =
        ReadPeImage(BuildPeImage({{"KERNEL32.dll", {"Sleep"}},
                                  {"libwinpthread-1.dll", {"pthread_create"}},
                                  {"api-ms-win-core-synch-l1-2-0.dll", {"WaitOnAddress"}}}));
    EXPECT_EQ(
        FindNonSystemDlls(image),
        (std::vector<std::string>{"libwinpthread-1.dll", "api-ms-win-core-synch-l1-2-0.dll"}));
}

// Every entry names one of the DLLs the check allows, so none is dead.
TEST(PostXpCheck, EveryEntryNamesAnXpSystemDll) {
    for (const PostXpFunction& entry : PostXpFunctions()) {
        PeImage image;
        image.dlls = {entry.dll};
        EXPECT_EQ(FindNonSystemDlls(image), std::vector<std::string>{}) << entry.function;
        EXPECT_NE(std::string(entry.function), "") << entry.dll;
    }
}

}  // namespace
}  // namespace vellumo::test
