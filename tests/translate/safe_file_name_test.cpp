#include "translate/safe_file_name.h"

#include <gtest/gtest.h>

namespace vellumo::test {
namespace {

struct SafeNameCase {
    const char* name;
    std::string text;
    std::string expected;
};

TEST(MakeSafeFileName, CleansByCharacter) {
    const SafeNameCase cases[] = {
        {"colon dropped, blank kept", "Re: Hello", "Re Hello"},
        {"all eleven dropped", "a\\b/c:d*e?f!g\"h'i<j>k|l", "abcdefghijkl"},
        {"punctuation kept", "Q3 report, v1.2 (draft) - [ok]", "Q3 report, v1.2 (draft) - [ok]"},
        {"question marks only", "???", "file"},
        {"empty", "", "file"},
        {"control bytes dropped",
         "a\tb\x01"
         "c\x7f"
         "d\re\nf",
         "abcdef"},
        {"utf-8 letters kept whole", "Caf\xC3\xA9 \xE2\x82\xAC", "Caf\xC3\xA9 \xE2\x82\xAC"},
        {"device name", "CON", "CON_"},
        {"device name lower case", "nul", "nul_"},
        {"device name with extension", "aux.txt", "aux_.txt"},
        {"numbered device", "Com7", "Com7_"},
        {"numbered device with extension", "LPT1.tar.gz", "LPT1_.tar.gz"},
        {"device name after cleaning", "P:R:N", "PRN_"},
        {"not a device: COM0", "COM0", "COM0"},
        {"not a device: longer word", "CONSOLE", "CONSOLE"},
        {"not a device: device later in name", "My CON", "My CON"},
    };
    for (const SafeNameCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(MakeSafeFileName(c.text), c.expected);
    }
}

TEST(MakeSafeFileName, CutsAt255WithoutSplittingCharacters) {
    EXPECT_EQ(MakeSafeFileName(std::string(300, 'a')), std::string(255, 'a'));
    // 254 ASCII bytes then a two-byte character: it no longer fits whole.
    std::string text = std::string(254, 'a') + "\xC3\xA9" + "b";
    EXPECT_EQ(MakeSafeFileName(text), std::string(254, 'a'));
}

TEST(IsWindowsDeviceName, Table) {
    const struct {
        const char* name;
        bool device;
    } cases[] = {{"CON", true},
                 {"prn", true},
                 {"Aux", true},
                 {"NUL  ", true},
                 {"COM1", true},
                 {"com9", true},
                 {"LPT5", true},
                 {"COM", false},
                 {"LPT", false},
                 {"COM10", false},
                 {"", false},
                 {"NULL", false},
                 // Windows also takes the Latin-1 superscript digits as port numbers.
                 {"COM\xB9", true},
                 {"lpt\xB2", true},
                 {"COM\xB3", true},
                 {"COM\xB4", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IsWindowsDeviceName(c.name), c.device);
    }
}

}  // namespace
}  // namespace vellumo::test
