#include "charset/system_code_page.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "charset/charset_code_pages.h"

namespace vellumo {
namespace {

TEST(CharsetCodePages, TableEntries) {
    unsigned count = 0;
    const CharsetCodePage* table = CharsetCodePageTable(count);
    ASSERT_GT(count, 0u);
    std::set<std::string> names;
    for (unsigned i = 0; i < count; ++i) {
        std::string name = table[i].name;
        SCOPED_TRACE(name);
        EXPECT_TRUE(names.insert(name).second) << "duplicate";
        EXPECT_NE(table[i].codePage, 0u);
        for (char c : name) {
            EXPECT_FALSE(c >= 'A' && c <= 'Z') << "names are stored in lower case";
        }
        std::string upper = name;
        for (char& c : upper) {
            c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
        }
        EXPECT_EQ(CodePageForCharset(upper.c_str()), table[i].codePage);
    }
    EXPECT_EQ(CodePageForCharset("utf-8"), 65001u);
    EXPECT_EQ(CodePageForCharset("ISO-8859-1"), 28591u);
    EXPECT_EQ(CodePageForCharset("utf-88"), 0u);
    EXPECT_EQ(CodePageForCharset(""), 0u);
    EXPECT_EQ(CodePageForCharset(nullptr), 0u);
}

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
        {"windows-1252 unused byte dropped",
         "a\x81"
         "b",
         "windows-1252", "ab"},
        {"utf-8 valid kept", "\xC3\xA9t\xC3\xA9", "UTF-8", "\xC3\xA9t\xC3\xA9"},
        {"utf-8 broken bytes dropped", "a\xC3(b\xFF", "utf-8", "a(b"},
        {"unknown charset keeps ascii",
         "ab\xA4\xA2"
         "c",
         "x-unknown", "abc"},
        {"us-ascii drops high bytes", "ab\xE9", "us-ascii", "ab"},
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
}  // namespace vellumo
