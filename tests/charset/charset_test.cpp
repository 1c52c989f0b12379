// Charset names, writing code points in each charset, UTF-8 repair and counting.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "charset/charset.h"
#include "charset/unicode_text.h"

namespace vellumo::test {
namespace {

std::size_t CodePointCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); ++count) {
        (void)NextUtf8CodePoint(text, &pos);
    }
    return count;
}

TEST(HtmlCharset, LabelsResolveAsBrowsersDo) {
    const struct {
        const char* label;
        CharsetKind kind;
        const char* table;  // the encoding of single-byte charsets
    } cases[] = {
        {"utf-8", CharsetKind::kUtf8, nullptr},
        {"UTF8", CharsetKind::kUtf8, nullptr},
        {" \"utf-8\" ", CharsetKind::kUtf8, nullptr},
        {"", CharsetKind::kSingleByte, "windows-1252"},
        {"us-ascii", CharsetKind::kSingleByte, "windows-1252"},
        {"ISO-8859-1", CharsetKind::kSingleByte, "windows-1252"},
        {"latin1", CharsetKind::kSingleByte, "windows-1252"},
        {"iso-8859-15", CharsetKind::kSingleByte, "ISO-8859-15"},
        {"iso-8859-9", CharsetKind::kSingleByte, "windows-1254"},
        {"cp1251", CharsetKind::kSingleByte, "windows-1251"},
        {"KOI8-R", CharsetKind::kSingleByte, "KOI8-R"},
        {"iso-2022-jp", CharsetKind::kOpaque, nullptr},
        {"x-made-up", CharsetKind::kOpaque, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const HtmlCharset charset = ResolveHtmlCharset(c.label);
        EXPECT_EQ(charset.kind, c.kind);
        if (c.table != nullptr) {
            ASSERT_NE(charset.high, nullptr);
            EXPECT_STREQ(EncodingName(charset.encoding), c.table);
        }
    }
}

TEST(HtmlCharset, TablesMatchTheirCharsets) {
    // Spot checks of the generated tables, one byte per charset.
    const struct {
        const char* name;
        unsigned char byte;
        char16_t codePoint;
    } cases[] = {
        {"windows-1252", 0x80, 0x20AC}, {"windows-1252", 0x81, 0x81},
        {"windows-1252", 0xE9, 0xE9},   {"windows-1250", 0x8A, 0x160},
        {"windows-1251", 0xC0, 0x410},  {"iso-8859-15", 0xA4, 0x20AC},
        {"iso-8859-2", 0xA1, 0x104},    {"koi8-r", 0xC1, 0x430},
        {"iso-8859-7", 0xC1, 0x391},    {"windows-1253", 0xAA, 0xFFFD},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const HtmlCharset charset = ResolveHtmlCharset(c.name);
        ASSERT_EQ(charset.kind, CharsetKind::kSingleByte);
        EXPECT_EQ(charset.high[c.byte - 0x80], c.codePoint);
    }
}

TEST(HtmlCharset, AppendCodePoint) {
    const struct {
        const char* name;
        const char* charset;
        char32_t codePoint;
        std::string expected;
    } cases[] = {
        {"ascii anywhere", "windows-1251", U'a', "a"},
        {"utf-8 two bytes", "utf-8", 0xE9, "\xC3\xA9"},
        {"utf-8 three bytes", "utf-8", 0x20AC, "\xE2\x82\xAC"},
        {"utf-8 four bytes", "utf-8", 0x1F600, "\xF0\x9F\x98\x80"},
        {"utf-8 surrogate replaced", "utf-8", 0xD800, "\xEF\xBF\xBD"},
        {"windows-1252 euro", "windows-1252", 0x20AC, "\x80"},
        {"windows-1252 no-break space", "windows-1252", 0xA0, "\xA0"},
        {"windows-1252 unmappable", "windows-1252", 0x4E2D, "?"},
        {"windows-1251 cyrillic", "windows-1251", 0x410, "\xC0"},
        {"koi8-r no-break space", "koi8-r", 0xA0, "\x9A"},
        {"iso-8859-7 euro sign", "iso-8859-7", 0x20AC, "\xA4"},
        {"replacement character is unmappable", "windows-1252", 0xFFFD, "?"},
        {"opaque no-break space", "iso-2022-jp", 0xA0, " "},
        {"opaque other", "iso-2022-jp", 0xE9, "?"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string out;
        AppendCodePoint(ResolveHtmlCharset(c.charset), c.codePoint, &out);
        EXPECT_EQ(out, c.expected);
    }
}

TEST(HtmlCharset, Utf8Repair) {
    const struct {
        const char* name;
        std::string input;
        std::string expected;
    } cases[] = {
        {"valid is kept", "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80",
         "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"},
        {"lone continuation",
         "a\x80"
         "b",
         "a\xEF\xBF\xBD"
         "b"},
        {"overlong two bytes", "\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"truncated three bytes is one replacement",
         "\xE2\x82"
         "a",
         "\xEF\xBF\xBD"
         "a"},
        {"surrogate encoded", "\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"past U+10FFFF", "\xF4\x90\x80\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"truncated at the end", "a\xF0\x9F\x98", "a\xEF\xBF\xBD"},
        {"invalid lead byte", "\xFF", "\xEF\xBF\xBD"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(RepairUtf8(c.input), c.expected);
        EXPECT_EQ(IsValidUtf8(c.input), c.input == c.expected);
        const std::string repaired = RepairUtf8(c.input);
        EXPECT_TRUE(IsValidUtf8(repaired));
        // Columns count the characters the reader reads in well-formed text.
        EXPECT_EQ(Utf8CharacterCount(repaired), CodePointCount(repaired));
    }
}

TEST(HtmlCharset, DecodeToUtf8) {
    EXPECT_EQ(DecodeToUtf8(ResolveHtmlCharset("windows-1252"), "\x80\x81\xE9"),
              "\xE2\x82\xAC\xC2\x81\xC3\xA9");
    EXPECT_EQ(DecodeToUtf8(ResolveHtmlCharset("iso-2022-jp"), "a\x80"), "a\xEF\xBF\xBD");
    EXPECT_EQ(DecodeToUtf8(ResolveHtmlCharset("utf-8"), "\xFF"), "\xEF\xBF\xBD");
}

TEST(HtmlCharset, WindowsCodePages) {
    const struct {
        const char* label;
        unsigned int codePage;
    } cases[] = {
        {"utf-8", 65001},
        {"UTF-8", 65001},
        {"windows-1252", 1252},
        {"iso-8859-1", 1252},
        {"windows-1251", 1251},
        {"iso-8859-2", 28592},
        {"koi8-r", 20866},
        {"iso-2022-jp", 50220},
        {"shift_jis", 932},
        {"x-unknown", 0},
        {"", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(WindowsCodePageForCharset(c.label), c.codePage);
    }
}

}  // namespace
}  // namespace vellumo::test
