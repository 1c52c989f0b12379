// Markup and CSS rewritten so that an HTML engine finds nothing to fetch.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "html/engine/html_offline_css.h"
#include "html/engine/html_offline_markup.h"
#include "html/html_text_extractor.h"
#include "platform/ascii_case.h"

namespace vellumo::test {
namespace {

// Hostile spellings of a fetch from the host "evil"; after the rewrite the
// text `absent` (by default the host's name) must be gone, any case.
TEST(HtmlOfflineMarkup, NoSpellingKeepsAFetch) {
    const struct {
        const char* name;
        const char* html;
        const char* absent;
    } cases[] = {
        {"stylesheet link", "<link rel=stylesheet href=\"http://evil/x.css\">", nullptr},
        {"upper case, protocol-relative", "<LINK REL=STYLESHEET HREF=//EVIL/x.css>", nullptr},
        {"entity in the scheme", "<img src=\"&#104;ttp://evil/x.png\">", nullptr},
        {"tab inside the scheme", "<img src=\"ht&#9;tp://evil/x\">", nullptr},
        {"UNC path", "<img src=' \\\\evil\\share\\x.png'>", nullptr},
        {"lowsrc and dynsrc", "<img lowsrc=http://evil/a dynsrc=file://evil/b>", nullptr},
        {"body background", "<body background=\"http://evil/bg.gif\">", nullptr},
        {"relative cell background", "<table><td background=evil.gif>x</table>", nullptr},
        {"script", "<script src=http://evil/x.js>evil()</script>", nullptr},
        {"iframe", "<iframe src=http://evil/></iframe>", nullptr},
        {"frame", "<frameset><frame src=evil.htm></frameset>", nullptr},
        {"object", "<object data=evil.swf classid=clsid:evil codebase=evil.cab></object>", nullptr},
        {"embed", "<embed src=evil.swf>", nullptr},
        {"base", "<base href=http://evil/>", nullptr},
        {"xml island", "<xml id=x src=http://evil/x.xml></xml>", nullptr},
        {"image input", "<input type=image src=http://evil/>", nullptr},
        {"applet", "<applet code=evil.class codebase=http://evil></applet>", nullptr},
        {"background sound", "<bgsound src=evil.wav>", nullptr},
        {"svg xlink", "<svg><image xlink:href=\"http://evil/x\"/></svg>", nullptr},
        {"refresh", "<meta http-equiv=refresh content=\"0;URL=evil.html\">", nullptr},
        {"link", "<a href=\"http://evil/\">text</a>", nullptr},
        {"event handler", "<body onload=\"go('evil')\">", nullptr},
        {"import with url", "<style>@import url(http://evil/a.css);</style>", nullptr},
        {"import with string", "<style>@IMPORT 'evil.css';</style>", nullptr},
        {"escaped import", "<style>@im\\port \"evil.css\";</style>", nullptr},
        {"font face", "<style>@font-face{src:url(evil.woff)}</style>", nullptr},
        {"url in a rule", "<style>body{background:url(http://evil/a)}</style>", nullptr},
        {"escaped letter", "<style>p{background:u\\rl(evil)}</style>", nullptr},
        {"hex escape", "<style>p{background:\\75 rl(evil)}</style>", nullptr},
        {"comment inside the name", "<style>p{background:ur/**/l(evil)}</style>", nullptr},
        {"behavior", "<style>p{behavior:url(evil.htc)}</style>", nullptr},
        {"filter string", "<style>p{-ms-filter:\"AlphaImageLoader(src='evil.png')\"}</style>",
         nullptr},
        {"style attribute", "<p style=\"background:url(&quot;http://evil/&quot;)\">", nullptr},
        {"space before the paren", "<p style=\"background:URL ( evil )\">", nullptr},
        {"entity backslashes", "<p style=\"background:url(&#x5c;&#x5c;evil&#x5c;s)\">", nullptr},
        {"expression", "<p style=\"width:expression(fetch('evil'))\">", nullptr},
        {"conditional comment", "<!--[if IE]><link rel=stylesheet href=evil.css><![endif]-->",
         nullptr},
        {"processing instruction", "<?import namespace=x implementation=\"evil.htc\"?>", nullptr},
        {"doctype system id", "<!DOCTYPE html SYSTEM \"http://evil/x.dtd\">", nullptr},
        {"style ended early", "<style>a{}<\\/style><img src=//evil/x></style>", "<img"},
        {"markup after the style", "<style>a{}</style><img src=//evil/x>", nullptr},
        {"tag name with a quote", "<img\"src=//evil/x>", nullptr},
        {"doctype identifier holding markup", "<!DOCTYPE html PUBLIC \"x<link href=\">", "href="},
        {"reference in svg style text", "<svg><style>&#64;import 'evil.css';</style></svg>",
         "&#64;"},
    };
    for (const auto& c : cases) {
        const std::string out = LowerAsciiCopy(MakeHtmlOffline(c.html));
        const std::string absent = c.absent != nullptr ? c.absent : "evil";
        EXPECT_EQ(out.find(absent), std::string::npos) << c.name << ": " << out;
    }
}

TEST(HtmlOfflineMarkup, KeepsTextAndWhatShapesIt) {
    const struct {
        const char* name;
        const char* html;
        const char* expected;
    } cases[] = {
        {"style attribute", "<p style=\"display:none\">x</p>", "<p style=\"display:none\">x</p>"},
        {"class and text", "<p class=a>Hi &amp; bye</p>", "<p class=\"a\">Hi &amp; bye</p>"},
        {"xmp as pre", "<xmp><b>x</b></xmp>", "<pre>&lt;b&gt;x&lt;/b&gt;</pre>"},
        {"title", "<title>a &lt; b</title>", "<title>a &lt; b</title>"},
        {"media rule", "<style>@media (max-width:600px){.m{display:none}}</style>",
         "<style>@media (max-width:600px){.m{display:none}}</style>"},
        {"colour function", "<style>p{color:rgb(1,2,3)}</style>",
         "<style>p{color:rgb(1,2,3)}</style>"},
        {"standard doctype",
         "\r\n<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" "
         "\"http://www.w3.org/TR/html4/loose.dtd\">",
         "\n<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" "
         "\"http://www.w3.org/TR/html4/loose.dtd\">"},
        {"late doctype", "<p>x</p><!DOCTYPE html>", "<p>x</p>"},
        {"script content", "a<script>b</script>c", "ac"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MakeHtmlOffline(c.html), c.expected) << c.name;
    }
}

TEST(HtmlOfflineCss, NeutralisedSpellings) {
    const struct {
        const char* name;
        const char* css;
        const char* expected;
    } cases[] = {
        {"url", "a{background:url(x)}", "a{background:none}"},
        {"quoted paren", "a{background:url(\"x)y\")}", "a{background:none}"},
        {"unclosed", "a{background:url(x", "a{background:none"},
        {"import", "@import 'x'; p{color:red}", " p{color:red}"},
        {"font face block", "@font-face{src:url(x)}p{}", "p{}"},
        {"selector function", "li:nth-child(2n){display:none}", "li:nth-child(2n){display:none}"},
        {"media query", "@media only screen and (max-width:600px){}",
         "@media only screen and (max-width:600px){}"},
        {"behavior", "p{behavior:none}", "p{inert-behavior:none}"},
        {"binding", "p{-moz-binding:none}", "p{inert--moz-binding:none}"},
        {"control characters", "p{u\x01rl(x)}", "p{none}"},
        {"less-than", "p{}</style>", "p{}/style>"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MakeCssOffline(c.css), c.expected) << c.name;
    }
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

// The rewrite changes nothing a reader sees: over the real mail of the
// corpus, the rendered text is the same before and after.
TEST(HtmlOfflineMarkup, CorpusTextUnchanged) {
    const std::filesystem::path folder = VELLUMO_TEST_DATA_DIR "/corpus/html";
    int compared = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".html") {
            continue;
        }
        const std::string html = ReadFile(entry.path());
        EXPECT_EQ(RenderHtmlText(MakeHtmlOffline(html), "utf-8"), RenderHtmlText(html, "utf-8"))
            << entry.path().filename();
        ++compared;
    }
    EXPECT_GT(compared, 50);
}

}  // namespace
}  // namespace vellumo::test
