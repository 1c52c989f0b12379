// ISO-2022-JP and the wide Unicode forms: decoding, encoding, and the
// renderer reading a Japanese newsletter whole.
#include <gtest/gtest.h>

#include <string>

#include "charset/charset.h"
#include "charset/double_byte_set.h"
#include "charset/iso2022jp.h"
#include "charset/iso2022kr.h"
#include "charset/unicode_text.h"
#include "html/html_text_extractor.h"

namespace vellumo {
namespace {

// "センター長の山田です。" in ISO-2022-JP, as Python's codec writes it.
const std::string kGreetingJis = "\x1B$B%;%s%?!<D9$N;3ED$G$9!#\x1B(B";
const std::string kGreetingUtf8 =
    "\xE3\x82\xBB\xE3\x83\xB3\xE3\x82\xBF\xE3\x83\xBC\xE9\x95\xB7\xE3\x81\xAE"
    "\xE5\xB1\xB1\xE7\x94\xB0\xE3\x81\xA7\xE3\x81\x99\xE3\x80\x82";

TEST(HtmlIso2022Jp, DecodesTable) {
    const struct {
        const char* name;
        std::string bytes;
        std::string utf8;
    } cases[] = {
        {"greeting", kGreetingJis, kGreetingUtf8},
        {"ascii stays ascii", "a<b>&amp;", "a<b>&amp;"},
        {"1978 designation", "\x1B$@$\"\x1B(B", "\xE3\x81\x82"},
        {"roman yen and overline", "\x1B(J\\~a\x1B(B\\",
         "\xC2\xA5\xE2\x80\xBE"
         "a\\"},
        {"katakana set", "\x1B(I1\x1B(B", "\xEF\xBD\xB1"},
        {"line end in kanji mode passes", "\x1B$B$\"\r\n$\"", "\xE3\x81\x82\r\n\xE3\x81\x82"},
        {"unknown escape", "\x1B$(Qa", "\xEF\xBF\xBD$(Qa"},
        {"eight-bit byte", "a\xE9", "a\xEF\xBF\xBD"},
        {"cut-off pair", "\x1B$B$", "\xEF\xBF\xBD"},
        {"unassigned cell", "\x1B$B\x29\x21", "\xEF\xBF\xBD"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DecodeIso2022Jp(c.bytes), c.utf8);
    }
}

TEST(HtmlIso2022Jp, EncodesBackInAsciiAtEveryLineEnd) {
    std::string out;
    ASSERT_TRUE(EncodeIso2022Jp(kGreetingUtf8 + "\r\nnext " + kGreetingUtf8, &out));
    EXPECT_EQ(out, kGreetingJis + "\r\nnext " + kGreetingJis);
    std::string euro;
    EXPECT_FALSE(EncodeIso2022Jp("\xE2\x82\xAC", &euro));
}

// Every character of JIS X 0208 survives decoding and encoding, each alone
// and all in one paragraph through the renderer.
TEST(HtmlIso2022Jp, EveryJis0208CharacterRoundTrips) {
    std::string pairs;
    std::size_t count = 0;
    for (unsigned char first = 0x21; first <= 0x7E; ++first) {
        for (unsigned char second = 0x21; second <= 0x7E; ++second) {
            if (Jis0208Set().ToUnicode(first, second) == 0) {
                continue;
            }
            ++count;
            const std::string bytes = std::string("\x1B$B") + static_cast<char>(first) +
                                      static_cast<char>(second) + "\x1B(B";
            std::string back;
            ASSERT_TRUE(EncodeIso2022Jp(DecodeIso2022Jp(bytes), &back));
            EXPECT_EQ(back, bytes) << std::hex << int(first) << int(second);
            pairs += bytes.substr(3, 2);
        }
    }
    EXPECT_EQ(count, 6879u);
    const std::string expected = "\x1B$B" + pairs + "\x1B(B";
    const std::string text = RenderHtmlText("<p>" + expected + "</p>", "iso-2022-jp");
    EXPECT_TRUE(text == expected) << "lengths " << text.size() << " and " << expected.size();
}

TEST(HtmlIso2022Jp, NewsletterComesOutWhole) {
    const std::string html = "<html><body><p>" + kGreetingJis +
                             "</p>\r\n<p>Visit <b>example.org</b> &amp; reply.</p></body></html>";
    EXPECT_EQ(RenderHtmlText(html, "ISO-2022-JP"),
              kGreetingJis + "\r\n\r\nVisit example.org & reply.");
    LabelledText labelled;
    ASSERT_TRUE(HtmlToLabelledText(html, "iso-2022-jp", &labelled));
    EXPECT_EQ(labelled.charset, "iso-2022-jp");
    EXPECT_EQ(labelled.text, kGreetingJis + "\r\n\r\nVisit example.org & reply.");
}

TEST(HtmlIso2022Kr, DecodesTable) {
    const struct {
        const char* name;
        std::string bytes;
        std::string utf8;
    } cases[] = {
        {"korean", "\x1B$)C\x0EGQ19>n\x0F!", "\xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4!"},
        {"no announcement",
         "\x0E!!\x0F"
         "a",
         "\xE3\x80\x80"
         "a"},
        {"markup bytes in korean are text", "\x0E<p\x0F<p>", "\xEC\x88\x80<p>"},
        {"line end passes", "\x0E!!\r\n!!", "\xE3\x80\x80\r\n\xE3\x80\x80"},
        {"other escape", "\x1B$)A", "\xEF\xBF\xBD$)A"},
        {"cut-off pair", "\x0E!", "\xEF\xBF\xBD"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DecodeIso2022Kr(c.bytes), c.utf8);
    }
}

// Every character of KS X 1001 survives decoding and encoding, and the
// encoder shifts in before each line end.
TEST(HtmlIso2022Kr, EveryKsX1001CharacterRoundTrips) {
    std::string pairs;
    std::size_t count = 0;
    for (unsigned char first = 0x21; first <= 0x7E; ++first) {
        for (unsigned char second = 0x21; second <= 0x7E; ++second) {
            if (KsX1001Set().ToUnicode(first, second) == 0) {
                continue;
            }
            ++count;
            pairs += std::string{static_cast<char>(first), static_cast<char>(second)};
        }
    }
    EXPECT_EQ(count, 8225u);
    const std::string bytes = "\x1B$)C\x0E" + pairs + "\x0F\r\n\x0E!!\x0F";
    std::string back;
    ASSERT_TRUE(EncodeIso2022Kr(DecodeIso2022Kr(bytes), &back));
    EXPECT_TRUE(back == bytes) << "lengths " << back.size() << " and " << bytes.size();
    std::string accented;
    EXPECT_FALSE(EncodeIso2022Kr("\xC3\xA9", &accented));
}

TEST(HtmlIso2022Jp, WideFormsDecode) {
    const struct {
        const char* name;
        std::string bytes;
        bool utf32;
        bool bigEndian;
        std::string utf8;
    } cases[] = {
        {"utf-16le", std::string("a\0\xE9\0", 4), false, false, "a\xC3\xA9"},
        {"utf-16be pair", std::string("\xD8\x3D\xDE\x00", 4), false, true, "\xF0\x9F\x98\x80"},
        {"utf-16 lone surrogate", std::string("\x00\xD8", 2), false, false, "\xEF\xBF\xBD"},
        {"utf-16 odd byte", std::string("a\0b", 3), false, false, "a\xEF\xBF\xBD"},
        {"utf-32be", std::string("\0\0\0a\0\x01\xF6\x00", 8), true, true, "a\xF0\x9F\x98\x80"},
        {"utf-32 past the range", std::string("\0\0\x11\0", 4), true, false, "\xEF\xBF\xBD"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.utf32 ? DecodeUtf32(c.bytes, c.bigEndian) : DecodeUtf16(c.bytes, c.bigEndian),
                  c.utf8);
    }
}

}  // namespace
}  // namespace vellumo
