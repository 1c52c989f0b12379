// The PE import reader on images built with known import tables, and on
// broken ones.

#include "plugin/pe_image.h"

#include <gtest/gtest.h>

#include "plugin/pe_image_builder.h"

namespace vellumo::test {
namespace {

const std::vector<ImportedDll> kTwoDlls = {
    {"KERNEL32.dll", {"CreateFileA", "GetTickCount64"}},
    {"comctl32.dll", {"#17", "TaskDialogIndirect"}},
};

TEST(PeImage, ReadsEveryImportInOrder) {
    PeImage image = ReadPeImage(BuildPeImage(kTwoDlls, 6, 0));
    ASSERT_TRUE(image.valid) << image.error;
    EXPECT_EQ(image.dlls, (std::vector<std::string>{"KERNEL32.dll", "comctl32.dll"}));
    std::vector<std::string> seen;
    for (const PeImport& import : image.imports) {
        seen.push_back(import.dll + "!" + import.function);
    }
    EXPECT_EQ(seen,
              (std::vector<std::string>{"KERNEL32.dll!CreateFileA", "KERNEL32.dll!GetTickCount64",
                                        "comctl32.dll!#17", "comctl32.dll!TaskDialogIndirect"}));
    EXPECT_EQ(image.osMajor, 6);
    EXPECT_EQ(image.osMinor, 0);
    EXPECT_EQ(image.subsystemMajor, 6);
    EXPECT_FALSE(image.hasDelayImports);
}

TEST(PeImage, ImageWithoutImportsIsValidAndEmpty) {
    PeImage image = ReadPeImage(BuildPeImage({}));
    ASSERT_TRUE(image.valid) << image.error;
    EXPECT_TRUE(image.dlls.empty());
    EXPECT_TRUE(image.imports.empty());
}

struct BrokenCase {
    const char* name;
    size_t offset;  // where the byte is changed
    char value;
};

// Each change breaks one link of the chain from the DOS header to a name.
TEST(PeImage, BrokenImagesAreRefused) {
    const BrokenCase cases[] = {
        {"NoMzSignature", 0, 'X'},
        {"PeHeaderPastTheEnd", 0x3F, '\x7F'},
        {"NoPeSignature", 0x41, 'X'},
        {"UnknownOptionalHeader", 0x58, '\x55'},
        {"ImportTableOutsideTheSections", 0x58 + 104 + 2, '\x7F'},
        {"SectionDataPastTheEnd", 0x138 + 20 + 2, '\x7F'},
        {"DllNameOutsideTheSections", 0x200 + 12 + 2, '\x7F'},
    };
    for (const BrokenCase& c : cases) {
        std::string bytes = BuildPeImage(kTwoDlls);
        bytes[c.offset] = c.value;
        PeImage image = ReadPeImage(bytes);
        EXPECT_FALSE(image.valid) << c.name;
        EXPECT_FALSE(image.error.empty()) << c.name;
    }
}

// The builder leaves nothing after the last name, so every shorter prefix
// loses something the reader needs; none may be read past its end.
TEST(PeImage, EveryTruncationIsRefused) {
    std::string bytes = BuildPeImage(kTwoDlls);
    for (size_t length = 0; length < bytes.size(); ++length) {
        EXPECT_FALSE(ReadPeImage(bytes.substr(0, length)).valid) << length;
    }
}

TEST(PeImage, UnterminatedNameIsRefused) {
    std::string bytes =
        BuildPeImage({{"KERNEL32.dll", {std::string(kMaxImportNameLength + 1, 'A')}}});
    EXPECT_FALSE(ReadPeImage(bytes).valid);
}

}  // namespace
}  // namespace vellumo::test
