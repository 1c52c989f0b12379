// Character references: the generated table and the matching rules.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "html/html_entities.h"

namespace vellumo::test {
namespace {

TEST(HtmlEntities, TableHoldsTheStandardsList) {
    // The HTML standard lists 2231 names (2125 with ";", 106 legacy ones without).
    EXPECT_EQ(kNamedCharRefCount, 2231u);
    std::size_t withSemicolon = 0;
    for (std::size_t i = 0; i < kNamedCharRefCount; ++i) {
        const std::string name = kNamedCharRefs[i].name;
        SCOPED_TRACE(name);
        if (i > 0) {
            EXPECT_LT(std::strcmp(kNamedCharRefs[i - 1].name, name.c_str()), 0) << "not sorted";
        }
        ASSERT_FALSE(name.empty());
        if (name.back() == ';') {
            ++withSemicolon;
        } else {
            EXPECT_LE(name.size(), 6u) << "legacy names are short";
        }
        EXPECT_NE(kNamedCharRefs[i].first, 0u);
    }
    EXPECT_EQ(withSemicolon, 2125u);
}

TEST(HtmlEntities, NamedMatching) {
    const struct {
        const char* name;
        const char* text;  // after "&"
        std::size_t length;
        char32_t first;
        char32_t second;
    } cases[] = {
        {"with semicolon", "amp;x", 4, U'&', 0},
        {"legacy without semicolon", "amp x", 3, U'&', 0},
        {"longest legacy prefix", "notin", 3, 0xAC, 0},
        {"full name wins over legacy prefix", "notin;", 6, 0x2209, 0},
        {"case matters", "AMP;", 4, U'&', 0},
        {"two code points", "NotEqualTilde;", 14, 0x2242, 0x338},
        {"longest name", "CounterClockwiseContourIntegral;", 32, 0x2233, 0},
        {"legacy inside a longer word", "copyright", 4, 0xA9, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::size_t length = 0;
        const NamedCharRef* found = MatchNamedCharRef(c.text, &length);
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(length, c.length);
        EXPECT_EQ(found->first, c.first);
        EXPECT_EQ(found->second, c.second);
    }
}

TEST(HtmlEntities, NamesThatAreNotReferences) {
    const char* const cases[] = {
        "",                                                     // "&" at the end
        " amp;",                                                // space first
        "hellip",                                               // needs its ";"
        "bogus;",                                               // not a name
        "a",                                                    // too short for any name
        "Amp;",                                                 // wrong case
        "zzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzz;",  // past the longest name
    };
    for (const char* text : cases) {
        SCOPED_TRACE(text);
        std::size_t length = 0;
        EXPECT_EQ(MatchNamedCharRef(text, &length), nullptr);
    }
}

TEST(HtmlEntities, NumericValues) {
    const struct {
        const char* name;
        unsigned long value;
        char32_t expected;
    } cases[] = {
        {"ascii", 65, U'A'},
        {"zero", 0, 0xFFFD},
        {"euro from 0x80", 0x80, 0x20AC},
        {"trade mark from 0x99", 0x99, 0x2122},
        {"hole 0x81 kept", 0x81, 0x81},
        {"hole 0x9D kept", 0x9D, 0x9D},
        {"Y diaeresis from 0x9F", 0x9F, 0x178},
        {"first surrogate", 0xD800, 0xFFFD},
        {"last surrogate", 0xDFFF, 0xFFFD},
        {"last code point", 0x10FFFF, 0x10FFFF},
        {"past the last code point", 0x110000, 0xFFFD},
        {"noncharacter kept", 0xFFFE, 0xFFFE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(NumericCharRefValue(c.value), c.expected);
    }
}

TEST(HtmlEntities, NumericDecoding) {
    const struct {
        const char* name;
        const char* text;  // after "&#"
        std::size_t used;
        char32_t expected;
    } cases[] = {
        {"decimal with semicolon", "65;", 3, U'A'},
        {"decimal without", "65 ", 2, U'A'},
        {"hex lower x", "x41;", 4, U'A'},
        {"hex upper X and digits", "XfF;", 4, 0xFF},
        {"leading zeros", "0000065;", 8, U'A'},
        {"huge decimal saturates", "99999999999999999999999999;", 27, 0xFFFD},
        {"huge hex saturates", "xFFFFFFFFFFFFFFFFFFFF", 21, 0xFFFD},
        {"no digits", ";", 0, 0},
        {"hex without digits", "xg", 0, 0},
        {"empty", "", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        char32_t codePoint = 0;
        EXPECT_EQ(DecodeNumericCharRef(c.text, &codePoint), c.used);
        if (c.used > 0) {
            EXPECT_EQ(codePoint, c.expected);
        }
    }
}

std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(HtmlEntities, GeneratorReproducesTheCommittedTable) {
    if (std::system("python3 --version >/dev/null 2>&1") != 0 ||
        std::system("clang-format --version >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "python3 or clang-format is not installed";
    }
    const std::string source = VELLUMO_SOURCE_DIR;
    const std::string folder = std::string(VELLUMO_BINARY_DIR) + "/entity-table-check";
    const std::string command = "rm -rf '" + folder + "' && mkdir -p '" + folder +
                                "' && python3 '" + source +
                                "/tools/generators/html-entities/generate.py' '" + folder + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string made = FileText(folder + "/html_entity_table.cpp");
    EXPECT_FALSE(made.empty());
    EXPECT_TRUE(made == FileText(source + "/src/html/html_entity_table.cpp"))
        << "the committed table differs from what the generator writes";
}

}  // namespace
}  // namespace vellumo::test
