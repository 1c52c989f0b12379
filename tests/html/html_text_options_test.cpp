#include "html/html_text_options.h"

#include <gtest/gtest.h>

#include <string>

#include "html/html_renderer.h"

namespace vellumo {
namespace {

HtmlTextOptions With(bool links, bool alt, bool lists, bool quotes, int wrap = 0) {
    HtmlTextOptions options;
    options.links = links;
    options.altText = alt;
    options.listMarkers = lists;
    options.quoteMarkers = quotes;
    options.wrapWidth = wrap;
    return options;
}

TEST(HtmlTextOptions, Extras) {
    struct Case {
        const char* name;
        std::string html;
        HtmlTextOptions options;
        std::string text;
    };
    const Case cases[] = {
        {"links numbered and listed", "<p>See <a href='http://a.org/'>this</a> and <a>that</a>.",
         With(true, false, false, false),
         "See this [1] and that.\r\n\r\nLinks:\r\n[1] http://a.org/"},
        {"alt text where the image stands", "<p>A <img alt='logo' src=x> B <img src=y>",
         With(false, true, false, false), "A logo B "},
        {"bullets and numbers", "<ul><li>x<li>y</ul><ol><li>a<li>b</ol>",
         With(false, false, true, false), "* x\r\n* y\r\n1. a\r\n2. b"},
        {"quote levels with unquoted blank lines around",
         "<p>hi</p><blockquote><p>one</p><blockquote>two</blockquote></blockquote><p>end",
         With(false, false, false, true), "hi\r\n\r\n> one\r\n>\r\n> > two\r\n\r\nend"},
        {"quote at the very start", "<blockquote>q</blockquote>x", With(false, false, false, true),
         "> q\r\nx"},
        {"hidden link is not listed", "<a href=h style='display:none'>x</a>y",
         With(true, false, false, false), "y"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(RenderHtmlText(c.html, "utf-8", c.options), c.text);
    }
}

TEST(HtmlTextOptions, DefaultsGiveTheBrowsersText) {
    const std::string pages[] = {
        "<p>See <a href='h'>this</a> <img alt=a></p><ul><li>x</ul><blockquote>q</blockquote>",
        "<table><tr><td>a<td>b</table>", "", "<pre>  x\n y</pre>"};
    for (const std::string& page : pages) {
        EXPECT_EQ(RenderHtmlText(page, "utf-8", HtmlTextOptions()), RenderHtmlText(page, "utf-8"));
    }
}

TEST(HtmlTextOptions, Wrapping) {
    struct Case {
        const char* name;
        std::string text;
        int width;
        std::string wrapped;
    };
    const Case cases[] = {
        {"short lines stay", "a b\r\nc", 10, "a b\r\nc"},
        {"break at the last space", "one two three", 8, "one two\r\nthree"},
        {"long word stays whole", "abcdefghij kl", 4, "abcdefghij\r\nkl"},
        {"quote markers repeat", "> aaa bbb ccc", 9, "> aaa bbb\r\n> ccc"},
        {"UTF-8 counts characters", "\xC3\xA9\xC3\xA9\xC3\xA9 \xC3\xA9", 5,
         "\xC3\xA9\xC3\xA9\xC3\xA9 \xC3\xA9"},
        {"zero width keeps the text", "a b c", 0, "a b c"},
        {"width one", "a b", 1, "a\r\nb"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(WrapTextLines(c.text, c.width), c.wrapped);
    }
}

// The command-line tool read ISO-2022-JP and the other charsets the plug-in
// reads as windows-1252, or refused them.
TEST(HtmlTextOptions, TextIsReadInOneCharsetAndWrittenInAnother) {
    const struct {
        const char* name;
        std::string html;
        const char* input;
        const char* output;
        std::string text;
    } cases[] = {
        {"iso-2022-jp to utf-8", "<p>\x1B$B$\"\x1B(B</p>", "iso-2022-jp", "utf-8", "\xE3\x81\x82"},
        {"utf-8 to shift_jis", "<p>\xE3\x81\x82 &copy;</p>", "utf-8", "shift_jis", "\x82\xA0 ?"},
        {"windows-1252 to utf-8", "<p>caf\xE9</p>", "windows-1252", "utf-8", "caf\xC3\xA9"},
        {"big5 to utf-8", "<p>\xA4\xA4</p>", "big5", "utf-8", "\xE4\xB8\xAD"},
        {"utf-8 to gb18030", "<p>\xF0\x90\x80\x80</p>", "utf-8", "gb18030", "\x90\x30\x81\x30"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(RenderHtmlTextAs(c.html, c.input, c.output, HtmlTextOptions()), c.text);
    }
    for (const char* label : {"iso-2022-jp", "shift_jis", "euc-kr", "gb2312", "utf-8", "koi8-r"}) {
        EXPECT_TRUE(ReadsHtmlCharset(label) && WritesHtmlCharset(label)) << label;
    }
    EXPECT_TRUE(ReadsHtmlCharset("utf-16le") && !WritesHtmlCharset("utf-16le"));
    EXPECT_TRUE(ReadsHtmlCharset("big5") && WritesHtmlCharset("x-mac-cyrillic"));
    EXPECT_FALSE(ReadsHtmlCharset("utf-7") || ReadsHtmlCharset("iso-2022-cn"));
}

}  // namespace
}  // namespace vellumo
