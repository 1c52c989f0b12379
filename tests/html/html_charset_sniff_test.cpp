#include "html/html_charset_sniff.h"

#include <gtest/gtest.h>

#include <string>

namespace vellumo {
namespace {

TEST(HtmlCharsetSniff, Cases) {
    struct Case {
        const char* name;
        std::string html;
        std::string charset;
    };
    const Case cases[] = {
        {"utf-8 mark wins over meta", "\xEF\xBB\xBF<meta charset=koi8-r>", "utf-8"},
        {"utf-16le mark", "\xFF\xFE<\0h\0", "utf-16le"},
        {"utf-16be mark", "\xFE\xFF\0<", "utf-16be"},
        {"meta charset", "<html><head><meta charset=\"ISO-8859-2\"></head>", "ISO-8859-2"},
        {"meta charset unquoted, upper case tag", "<META CHARSET=utf-8>", "utf-8"},
        {"http-equiv content-type",
         "<meta http-equiv=\"Content-Type\" "
         "content=\"text/html; charset=windows-1251\">",
         "windows-1251"},
        {"content before http-equiv",
         "<meta content='text/html;charset=\"koi8-r\"' "
         "http-equiv=content-type>",
         "koi8-r"},
        {"content without http-equiv is ignored", "<meta content=\"text/html; charset=koi8-r\">",
         ""},
        {"meta inside a comment is ignored", "<!-- <meta charset=koi8-r> --><p>x", ""},
        {"metadata is not meta", "<metadata charset=koi8-r>", ""},
        {"past the first 1024 bytes", std::string(1024, ' ') + "<meta charset=koi8-r>", ""},
        {"no declaration", "<p>plain</p>", ""},
        {"cut-off tag", "<meta charset=", ""},
        {"empty", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SniffHtmlCharset(c.html), c.charset);
    }
}

TEST(HtmlCharsetSniff, EveryCutOfADeclarationIsSafe) {
    std::string html = "<meta http-equiv='content-type' content='text/html; charset=\"x\"'>";
    for (size_t length = 0; length <= html.size(); ++length) {
        (void)SniffHtmlCharset(html.substr(0, length));
    }
}

}  // namespace
}  // namespace vellumo
