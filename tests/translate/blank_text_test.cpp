// Texts that show nothing never replace a message: translators 1 and 2
// decline them, so that the mail client keeps what the sender sent.

#include "translate/blank_text.h"

#include <gtest/gtest.h>

#include "host/plugin_state.h"
#include "translate/driver_fixture.h"
#include "translate/translate_driver.h"

namespace vellumo::test {
namespace {

TEST(IsBlankText, WhiteSpaceOfEveryCharset) {
    struct Case {
        const char* name;
        std::string text;
        const char* charset;
        bool blank;
    };
    const Case cases[] = {
        {"empty", "", "", true},
        {"ascii white space", " \t\r\n\f\v", "us-ascii", true},
        {"no-break space in utf-8", "\xC2\xA0 \xC2\xA0\r\n", "utf-8", true},
        {"no-break space in windows-1252", "\xA0\xA0", "windows-1252", true},
        {"no-break space without a charset", "\xA0", "", true},
        {"ideographic space in shift_jis", "\x81\x40\r\n", "shift_jis", true},
        {"ideographic space in euc-jp", "\xA1\xA1", "euc-jp", true},
        {"wide spaces in utf-16", std::string("\x30\x00\x20\x00", 4), "utf-16be", true},
        {"zero-width characters and a byte-order mark",
         "\xEF\xBB\xBF\xE2\x80\x8B\xE2\x80\x8C\xCD\x8F\xC2\xAD", "utf-8", true},
        {"one letter", "  x  ", "utf-8", false},
        {"a letter after no-break spaces", "\xC2\xA0\xC3\xA9", "utf-8", false},
        {"a kanji in shift_jis", "\x81\x40\x88\x9F", "shift_jis", false},
        {"unknown charset, high byte", "\xA0", "x-unknown", false},
        {"replacement of a broken sequence", "\xC2", "utf-8", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IsBlankText(c.text, c.charset), c.blank);
    }
}

class BlankTranslationTest : public test::DriverFixture {
  protected:
    int Run(int translator, const std::string& message) {
        test::WriteFileBytes(Input(), message);
        test::WriteFileBytes(Output(), "");
        return TranslateMessageFile(translator, Input(), Output(), "Blank", nullptr);
    }
};

// Each gave a message of header lines only, the text gone.
TEST_F(BlankTranslationTest, HtmlThatShowsNothingIsLeftAsItArrived) {
    struct Case {
        const char* name;
        const char* charset;
        std::string html;
    };
    const Case cases[] = {
        {"accelerated mobile page boilerplate", "utf-8",
         "<html amp4email><head><style amp-boilerplate>body{visibility:hidden}</style></head>"
         "<body><p>Your order has shipped</p></body></html>"},
        {"display:none wrapper", "utf-8", "<div style=\"display:none\"><p>Hidden text</p></div>"},
        {"text for small screens only", "utf-8",
         "<style>@media (max-width:480px){.m{display:block!important}}</style>"
         "<div class=\"m\" style=\"display:none\">Mobile text</div>"},
        {"pictures and links only", "utf-8",
         "<a href=\"https://example.org/\"><img src=\"https://example.org/a.png\"></a>"
         "<img src=\"cid:b@x\">"},
        {"title only", "utf-8", "<html><head><title>Newsletter</title></head></html>"},
        {"frameset with noframes text", "utf-8",
         "<html><frameset><frame src=\"a.html\"><noframes>Use frames</noframes></frameset>"
         "</html>"},
        {"no-break spaces", "utf-8", "<p>&nbsp;&#160;</p><p>&nbsp;</p>"},
        {"no-break spaces in latin-1", "iso-8859-1", "<p>&nbsp;\xA0</p>"},
        {"ideographic spaces in shift_jis", "shift_jis", "<p>&#12288;\x81\x40</p>"},
        {"zero-width padding", "utf-8", "<p>&zwnj;&#847;&nbsp;&#8203;</p>"},
    };
    for (int saving : {0, 1}) {
        SaveHTMLMessagesValue = saving;
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (saving == 1 ? ", saving" : ""));
            const std::string message =
                "Subject: s\r\nContent-Type: text/html; charset=" + std::string(c.charset) +
                "\r\n\r\n" + c.html;
            EXPECT_EQ(Run(2, message), 12);
            EXPECT_EQ(test::ReadFileBytes(Output()), "");
            EXPECT_TRUE(ArchiveNames().empty());
        }
    }
}

// A text/plain alternative that was empty or white space replaced the
// message, and the HTML beside it was gone.
TEST_F(BlankTranslationTest, BlankPlainAlternativeIsNotChosenOverContent) {
    struct Case {
        const char* name;
        std::string plain;  // the text/plain part
        std::string other;  // the other alternative
        int expected;
    };
    const std::string html = "Content-Type: text/html\r\n\r\n<p>The text</p>";
    const Case cases[] = {
        {"empty beside html", "Content-Type: text/plain\r\n\r\n", html, 12},
        {"white space beside html", "Content-Type: text/plain\r\n\r\n \r\n\t\r\n", html, 12},
        {"no-break spaces in base64 beside html",
         "Content-Type: text/plain; charset=utf-8\r\nContent-Transfer-Encoding: base64\r\n\r\n"
         "wqDCoA==",
         html, 12},
        {"blank beside pictures", "Content-Type: text/plain\r\n\r\n ",
         "Content-Type: multipart/related; boundary=r\r\n\r\n--r\r\n" + html +
             "\r\n--r\r\nContent-Type: image/png\r\n\r\npng\r\n--r--",
         12},
        {"blank beside blank html", "Content-Type: text/plain\r\n\r\n ",
         "Content-Type: text/html\r\n\r\n\r\n", 0},
        {"text beside html", "Content-Type: text/plain\r\n\r\nThe text", html, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string message =
            "Content-Type: multipart/alternative; boundary=a\r\n\r\n--a\r\n" + c.plain +
            "\r\n--a\r\n" + c.other + "\r\n--a--\r\n";
        EXPECT_EQ(Run(1, message), c.expected);
        if (c.expected == 12) {
            EXPECT_EQ(test::ReadFileBytes(Output()), "");
        }
    }
}

}  // namespace
}  // namespace vellumo::test
