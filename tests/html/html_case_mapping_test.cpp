// Case mapping for text-transform, pair by pair over each script it covers.
#include <gtest/gtest.h>

#include <string>

#include "html/html_case_mapping.h"

namespace vellumo::test {
namespace {

TEST(HtmlCaseMapping, Pairs) {
    const struct {
        const char* name;
        char32_t lower;
        char32_t upper;
    } cases[] = {
        {"ascii", U'a', U'A'},
        {"ascii last", U'z', U'Z'},
        {"latin-1 a grave", 0xE0, 0xC0},
        {"latin-1 thorn", 0xFE, 0xDE},
        {"latin extended-a even pair", 0x101, 0x100},
        {"latin extended-a c caron", 0x10D, 0x10C},
        {"latin extended-a odd pair l acute", 0x13A, 0x139},
        {"latin extended-a z caron", 0x17E, 0x17D},
        {"latin extended-a o double acute", 0x151, 0x150},
        {"greek alpha", 0x3B1, 0x391},
        {"greek omega", 0x3C9, 0x3A9},
        {"greek alpha tonos", 0x3AC, 0x386},
        {"greek epsilon tonos", 0x3AD, 0x388},
        {"greek omicron tonos", 0x3CC, 0x38C},
        {"greek omega tonos", 0x3CE, 0x38F},
        {"cyrillic a", 0x430, 0x410},
        {"cyrillic ya", 0x44F, 0x42F},
        {"cyrillic io", 0x451, 0x401},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(UpperCase(c.lower), c.upper);
        EXPECT_EQ(LowerCase(c.upper), c.lower);
        EXPECT_EQ(UpperCase(c.upper), c.upper);
        EXPECT_EQ(LowerCase(c.lower), c.lower);
    }
}

TEST(HtmlCaseMapping, OneWayAndUnmapped) {
    const struct {
        const char* name;
        char32_t from;
        char32_t upper;
        char32_t lower;
    } cases[] = {
        {"y diaeresis to Y diaeresis", 0xFF, 0x178, 0xFF},
        {"dotless i", 0x131, U'I', 0x131},
        {"long s", 0x17F, U'S', 0x17F},
        {"capital I with dot", 0x130, 0x130, U'i'},
        {"final sigma", 0x3C2, 0x3A3, 0x3C2},
        {"multiplication sign", 0xD7, 0xD7, 0xD7},
        {"division sign", 0xF7, 0xF7, 0xF7},
        {"digit", U'7', U'7', U'7'},
        {"cjk", 0x4E2D, 0x4E2D, 0x4E2D},
        {"kra has no upper case", 0x138, 0x138, 0x138},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(UpperCase(c.from), c.upper);
        EXPECT_EQ(LowerCase(c.from), c.lower);
    }
}

TEST(HtmlCaseMapping, Runs) {
    const struct {
        const char* name;
        const char* charset;
        CssTextTransform transform;
        std::string run;
        std::string expected;
    } cases[] = {
        {"utf-8 upper", "utf-8", CssTextTransform::kUppercase, "\xC3\xA9t\xC3\xA9",
         "\xC3\x89T\xC3\x89"},
        {"utf-8 three-byte kept", "utf-8", CssTextTransform::kUppercase,
         "a\xE4\xB8\xAD"
         "b",
         "A\xE4\xB8\xAD"
         "B"},
        {"utf-8 lower greek", "utf-8", CssTextTransform::kLowercase, "\xCE\xA9", "\xCF\x89"},
        {"capitalize words", "utf-8", CssTextTransform::kCapitalize,
         "ab-cd,\xC3\xA9"
         "f",
         "Ab-Cd,\xC3\x89"
         "f"},
        {"sharp s", "utf-8", CssTextTransform::kUppercase, "\xC3\x9F", "SS"},
        {"latin-1 y diaeresis", "windows-1252", CssTextTransform::kUppercase, "\xFF", "\x9F"},
        {"unrepresentable mapping kept", "iso-8859-15", CssTextTransform::kUppercase, "\xFF",
         "\xBE"},
        {"opaque charset maps a plain ascii run", "shift_jis", CssTextTransform::kUppercase, "ab",
         "AB"},
        // A multi-byte character's bytes must not be case mapped.
        {"opaque charset keeps a shift_jis trail letter", "shift_jis", CssTextTransform::kLowercase,
         "\x83\x41X", "\x83\x41X"},
        {"opaque charset keeps a big5 trail letter", "big5", CssTextTransform::kUppercase,
         "\xA4\x61", "\xA4\x61"},
        {"opaque charset keeps iso-2022-jp letters", "iso-2022-jp", CssTextTransform::kUppercase,
         "\x1B$B$a$b\x1B(B", "\x1B$B$a$b\x1B(B"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bool afterWord = false;
        std::string out;
        AppendTransformed(c.run, c.transform, ResolveHtmlCharset(c.charset), &afterWord, &out);
        EXPECT_EQ(out, c.expected);
    }
}

}  // namespace
}  // namespace vellumo::test
