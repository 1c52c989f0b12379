#include "html/html_text_options.h"

#include <gtest/gtest.h>

#include <string>

#include "html/html_renderer.h"

namespace vellumo::test {
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

TEST(HtmlTextOptions, ReadingAidsListEachUsefulTargetOnce) {
    const struct {
        const char* name;
        std::string html;
        std::string text;
    } cases[] = {
        {"a target listed once keeps its number",
         "<a href=' http://a.org/x '>a</a> <a href='http://b.org/'>b</a> <a "
         "href=http://a.org/x>c</a>",
         "a [1] b [2] c [1]\r\n\r\nLinks:\r\n[1] http://a.org/x\r\n[2] http://b.org/"},
        {"mail address without mailto and its fields",
         "<a href='MAILTO:ann@a.org?subject=hi'>Ann</a>", "Ann [1]\r\n\r\nLinks:\r\n[1] ann@a.org"},
        {"scripts left out", "<a href='javascript:go()'>Go</a> on", "Go on"},
        {"marker ends the link's text, blocks and spaces after it",
         "<a href=u><p>Read</p></a>on <a href=v>this </a>now",
         "Read [1]\r\n\r\non this [2] now\r\n\r\nLinks:\r\n[1] u\r\n[2] v"},
        {"text that is the target left out",
         "<a href='http://www.a.org/'>www.a.org</a> <a href='mailto:b@a.org'>b@a.org</a>",
         "www.a.org b@a.org"},
        {"picture-only link shows its alt text, or nothing, before its marker",
         "<a href=u1><img alt=Logo src=l></a><p><a href=u2><img src=p></a> next<p>see "
         "<a href=u3><img src=p></a>",
         "Logo [1]\r\n\r\n[2] next\r\n\r\nsee [3]\r\n\r\nLinks:\r\n[1] u1\r\n[2] u2\r\n[3] u3"},
        {"nested lists indent by level, an item's blocks follow its marker",
         "<ul><li><p>one</p><p>more</p><li>two<ol><li>a<li>b</ol></ul><ol><li><ul><li>x</ul>",
         "* one\r\n\r\n  more\r\n\r\n* two\r\n  1. a\r\n  2. b\r\n1.\r\n   * x"},
        {"data table in aligned columns",
         "<table><tr><th>Item<th>Qty<th>Price<tr><td>Tea<td>2<td>\xE2\x82\xAC"
         "3.50"
         "<tr><td>Biscuits<td>10<td>1</table>",
         "Item      Qty  Price\r\nTea       2    \xE2\x82\xAC"
         "3.50\r\nBiscuits  10   1"},
        {"layout tables read as blocks",
         "<table><tr><td>Logo</td></tr><tr><td><p>Hello</p><p>there</p></td><td>side</td></tr>"
         "</table>",
         "Logo\r\n\r\nHello\r\n\r\nthere\r\n\r\n\tside"},
        {"tidy: no blank lines at the start, one in a row, none of blanks",
         "<p>&nbsp;</p><br><p>a</p><p>&nbsp; </p><br><br><br><p>b</p><p>\t</p>", "a\r\n\r\nb"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(RenderHtmlText(c.html, "utf-8", ReadingAids(0)), c.text);
    }
}

TEST(HtmlTextOptions, TidyKeepsTextAndSingleBlankLines) {
    EXPECT_EQ(TidyTextLines("\r\n \r\na\r\n\r\n\t\r\n\r\nb\r\n \r\n", true), "a\r\n\r\nb");
    EXPECT_EQ(TidyTextLines("a\r\nb\r\n\r\n c", true), "a\r\nb\r\n\r\n c");
    EXPECT_EQ(TidyTextLines("\xC2\xA0\xE2\x80\x8C \xCD\x8F\r\nx", true), "x");
    // Direction marks show nothing, as the blank check of a translation says.
    EXPECT_EQ(TidyTextLines("\xE2\x80\x8E\xE2\x80\x8F\r\nx", true), "x");
    // In another charset those bytes may be a character of their own.
    EXPECT_EQ(TidyTextLines("\xC2\xA0\r\nx", false), "\xC2\xA0\r\nx");
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
        {"list item hangs under its text", "  12. aaa bbb ccc", 13, "  12. aaa bbb\r\n      ccc"},
        {"quoted item keeps markers and indent", "> * aaa bbb", 8, "> * aaa\r\n>   bbb"},
        {"reference number stays with its word", "see here [12] now", 11,
         "see\r\nhere [12]\r\nnow"},
        {"bracket text that is no number breaks", "aa [b]", 3, "aa\r\n[b]"},
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
}  // namespace vellumo::test
