// Shift_JIS, EUC-JP and EUC-KR: every character of their sets both ways,
// and what the renderer makes of mail in them.
#include "charset/double_byte_codes.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "charset/charset.h"
#include "charset/double_byte_set.h"
#include "html/html_text_extractor.h"

namespace vellumo {
namespace {

struct Code {
    const char* name;
    DoubleByteCode code;
    bool (*encode)(std::string_view, std::string*);
    const DoubleByteSet& (*set)();
};

const Code kCodes[] = {
    {"Shift_JIS", DoubleByteCode::kShiftJis, EncodeShiftJis, Jis0208Set},
    {"EUC-JP", DoubleByteCode::kEucJp, EncodeEucJp, Jis0208Set},
    {"EUC-KR", DoubleByteCode::kEucKr, EncodeEucKr, KsX1001Set},
    {"EUC-CN", DoubleByteCode::kEucCn, EncodeEucCn, Gb2312Set},
};

// Each character of the set gets two bytes of its own and reads back as
// itself; the half-width katakana of the Japanese codes too.
TEST(DoubleByteCodes, EveryCharacterOfTheSetRoundTrips) {
    for (const Code& code : kCodes) {
        SCOPED_TRACE(code.name);
        std::set<std::string> seen;
        std::vector<char32_t> characters;
        for (unsigned char first = 0x21; first <= 0x7E; ++first) {
            for (unsigned char second = 0x21; second <= 0x7E; ++second) {
                if (char32_t c = code.set().ToUnicode(first, second)) {
                    characters.push_back(c);
                }
            }
        }
        EXPECT_GT(characters.size(), 6000u);
        if (code.code == DoubleByteCode::kShiftJis || code.code == DoubleByteCode::kEucJp) {
            for (char32_t c = 0xFF61; c <= 0xFF9F; ++c) {
                characters.push_back(c);
            }
        }
        for (char32_t c : characters) {
            std::string utf8;
            AppendUtf8(c, &utf8);
            std::string bytes;
            ASSERT_TRUE(code.encode(utf8, &bytes)) << std::hex << c;
            EXPECT_TRUE(static_cast<unsigned char>(bytes[0]) >= 0x80) << std::hex << c;
            std::string back;
            ASSERT_TRUE(DecodeDoubleByteCode(code.code, bytes, &back)) << std::hex << c;
            EXPECT_EQ(back, utf8) << std::hex << c;
            seen.insert(bytes);
        }
        EXPECT_EQ(seen.size(), characters.size());
    }
}

struct MailCase {
    const char* name;
    std::string charset;
    std::string html;
    std::string label;
    std::string text;
};

TEST(DoubleByteCodes, MailIsReadInItsCharsetOrPassedThrough) {
    // HIRAGANA LETTER A in UTF-8; after it KATAKANA LETTER A and the kan of kanji.
    const std::string a = "\xE3\x81\x82";
    const MailCase cases[] = {
        {"Shift_JIS stays Shift_JIS", "shift_jis", "<p>\x82\xA0\x8A\xBF &amp; x</p>", "shift_jis",
         "\x82\xA0\x8A\xBF & x"},
        {"a reference outside it makes UTF-8", "Shift_JIS",
         "<p>\x82\xA0\x83\x41\x8A\xBF &copy; 2026</p>", "utf-8",
         a + "\xE3\x82\xA2\xE6\xBC\xA2 \xC2\xA9 2026"},
        {"a vendor extension passes through as bytes", "windows-31j", "<p>\x87\x40\x82\xA0</p>",
         "windows-31j", "\x87\x40\x82\xA0"},
        {"EUC-JP", "euc-jp", "<p>\xA4\xA2\x8E\xB1</p>", "euc-jp", "\xA4\xA2\x8E\xB1"},
        {"JIS X 0212 in EUC-JP passes through", "euc-jp", "<p>\x8F\xB0\xA1</p>", "euc-jp",
         "\x8F\xB0\xA1"},
        {"EUC-KR", "ks_c_5601-1987", "<p>\xC7\xD1 &euro;</p>", "ks_c_5601-1987",
         "\xC7\xD1 \xA2\xE6"},
        {"EUC-KR and a character outside it", "euc-kr", "<p>\xC7\xD1 &#128512;</p>", "utf-8",
         "\xED\x95\x9C \xF0\x9F\x98\x80"},
        {"GB 2312", "gb2312", "<p>\xD6\xD0\xCE\xC4 &copy;</p>", "utf-8",
         "\xE4\xB8\xAD\xE6\x96\x87 \xC2\xA9"},
        {"GBK beyond GB 2312 passes through", "gb2312", "<p>\x81\x40</p>", "gb2312", "\x81\x40"},
        {"cut-off pair passes through", "euc-kr", "<p>x</p>\xC7", "euc-kr", "x\r\n\r\n\xC7"},
    };
    for (const MailCase& c : cases) {
        SCOPED_TRACE(c.name);
        LabelledText out;
        ASSERT_TRUE(HtmlToLabelledText(c.html, c.charset, &out));
        EXPECT_EQ(out.charset, c.label);
        EXPECT_EQ(out.text, c.text);
    }
}

}  // namespace
}  // namespace vellumo
