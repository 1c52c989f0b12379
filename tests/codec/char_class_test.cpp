#include <gtest/gtest.h>

#include <string>

#include "codec/char_class.h"

namespace vellumo::test {
namespace {

// The expected entry of every ASCII byte, derived from the class definitions
// independently of the table's layout.
uint8_t ExpectedEntry(int c) {
    const std::string specials = "\"(),.:;<=>@[\\]";
    if (c < 0x20 || c == 0x7F) {
        return (c >= 0x09 && c <= 0x0D) ? 0x03 : 0x01;
    }
    if (c == ' ') {
        return 0x02;
    }
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')) {
        return 0x44;
    }
    if ((c >= 'G' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
        return 0x04;
    }
    return specials.find(static_cast<char>(c)) != std::string::npos ? 0x30 : 0x10;
}

TEST(CharClassTable, EveryEntryMatchesTheClassDefinitions) {
    for (int c = 0; c < kCharClassTableSize; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(CharClassTable[c], ExpectedEntry(c));
    }
}

TEST(CharClassTable, EntryValueCountsMatchTheListedGroups) {
    int counts[256] = {};
    for (int c = 0; c < kCharClassTableSize; ++c) {
        ++counts[CharClassTable[c]];
    }
    EXPECT_EQ(counts[0x01], 28);
    EXPECT_EQ(counts[0x03], 5);
    EXPECT_EQ(counts[0x02], 1);
    EXPECT_EQ(counts[0x44], 16);
    EXPECT_EQ(counts[0x04], 46);
    EXPECT_EQ(counts[0x30], 14);
    EXPECT_EQ(counts[0x10], 18);
}

TEST(CharClassTable, UnusedBitsAreNeverSet) {
    for (int c = 0; c < kCharClassTableSize; ++c) {
        EXPECT_EQ(CharClassTable[c] & 0x88, 0) << c;
    }
}

struct ClassCase {
    const char* name;
    unsigned char byte;
    uint8_t present;
    uint8_t absent;
};

const ClassCase kClassCases[] = {
    {"lower_a_is_alnum_not_hexupper", 'a', CC_ALNUM, CC_HEXUPPER},
    {"lower_f_is_alnum_not_hexupper", 'f', CC_ALNUM, CC_HEXUPPER},
    {"upper_F_is_hexupper", 'F', CC_ALNUM | CC_HEXUPPER, CC_PUNCT},
    {"upper_G_is_not_hexupper", 'G', CC_ALNUM, CC_HEXUPPER},
    {"equals_is_special", '=', CC_SPECIAL | CC_PUNCT, CC_ALNUM},
    {"slash_is_punct_only", '/', CC_PUNCT, CC_SPECIAL},
    {"question_is_punct_only", '?', CC_PUNCT, CC_SPECIAL},
    {"minus_is_punct_only", '-', CC_PUNCT, CC_SPECIAL},
    {"tab_is_control_and_space", '\t', CC_CONTROL | CC_SPACE, CC_PUNCT},
    {"vertical_tab_is_space", '\v', CC_SPACE, CC_ALNUM},
    {"delete_is_control_only", 0x7F, CC_CONTROL, CC_SPACE | CC_PUNCT},
    {"e9_has_no_class", 0xE9, 0, 0xFF},
    {"80_has_no_class", 0x80, 0, 0xFF},
    {"ff_has_no_class", 0xFF, 0, 0xFF},
};

TEST(CharClassTable, NamedBytes) {
    for (const ClassCase& test : kClassCases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(CharClassOf(test.byte) & test.present, test.present);
        EXPECT_EQ(CharClassOf(test.byte) & test.absent, 0);
    }
}

}  // namespace
}  // namespace vellumo::test
