#include "charset/system_code_page.h"

#include <gtest/gtest.h>

#include <string>

namespace vellumo::test {
namespace {

struct ConvertCase {
    const char* name;
    std::string text;
    std::string charset;
    std::string expected;
};

TEST(ConvertToSystemCodePage, Table) {
    const ConvertCase cases[] = {
        {"no charset: unchanged", "Caf\xE9", "", "Caf\xE9"},
        {"latin-1 to utf-8", "Caf\xE9", "iso-8859-1", "Caf\xC3\xA9"},
        {"windows-1252 euro", "\x80 5", "Windows-1252", "\xE2\x82\xAC 5"},
        {"windows-1252 0x81 is U+0081, as browsers read it",
         "a\x81"
         "b",
         "windows-1252",
         "a\xC2\x81"
         "b"},
        {"shift_jis kanji", "\x93\xFA", "Shift_JIS", "\xE6\x97\xA5"},
        {"utf-8 valid kept", "\xC3\xA9t\xC3\xA9", "UTF-8", "\xC3\xA9t\xC3\xA9"},
        {"utf-8 broken bytes dropped", "a\xC3(b\xFF", "utf-8", "a(b"},
        {"unknown charset keeps ascii",
         "ab\xA4\xA2"
         "c",
         "x-unknown", "abc"},
        {"us-ascii is read as windows-1252", "ab\xE9", "us-ascii", "ab\xC3\xA9"},
        {"the replacement encoding keeps ascii", "a\xA4\xA2", "iso-2022-cn", "a"},
    };
    for (const ConvertCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ConvertToSystemCodePage(c.text, c.charset), c.expected);
    }
}

TEST(CutToWholeCharacters, NeverSplitsACharacter) {
    const std::string text =
        "a\xC3\xA9\xE2\x82\xAC"
        "b";  // a, e-acute, euro, b
    const size_t expectedLengths[] = {0, 1, 1, 3, 3, 3, 6, 7, 7};
    for (size_t limit = 0; limit < sizeof expectedLengths / sizeof expectedLengths[0]; ++limit) {
        SCOPED_TRACE(limit);
        EXPECT_EQ(CutToWholeCharacters(text, limit), text.substr(0, expectedLengths[limit]));
    }
}

}  // namespace
}  // namespace vellumo::test
