// The built-in renderer against the innerText a browser gives, one named
// case per rule. Expected texts use CR LF as the renderer writes them.
#include <gtest/gtest.h>

#include <string>

#include "html/html_renderer.h"

namespace vellumo::test {
namespace {

struct RenderCase {
    const char* name;
    std::string html;
    const char* expected;
    const char* charset = "utf-8";
};

void RunCases(const RenderCase* begin, const RenderCase* end) {
    for (const RenderCase* c = begin; c != end; ++c) {
        SCOPED_TRACE(c->name);
        EXPECT_EQ(RenderHtmlText(c->html, c->charset), c->expected);
    }
}

#define RUN_CASES(table) RunCases(std::begin(table), std::end(table))

TEST(HtmlRenderer, WhiteSpace) {
    const RenderCase cases[] = {
        {"runs collapse to one space", "<p>a  \t\n b</p>", "a b"},
        {"leading and trailing space of a block go", "<div>  a b  </div>", "a b"},
        {"space between inline elements is kept", "<b>a</b> <i>b</i>", "a b"},
        {"space inside adjacent inlines collapses once", "<b>a </b><i> b</i>", "a b"},
        {"white space only text between blocks gives nothing", "<div>a</div>\n  \n<div>b</div>",
         "a\r\nb"},
        {"CR LF in text is one space", "a\r\nb", "a b"},
        {"no-break space does not collapse", "a&nbsp;&nbsp;b",
         "a\xC2\xA0\xC2\xA0"
         "b"},
        {"space at the start of the body goes", "  \n  text", "text"},
        {"nowrap collapses too", "<span style=\"white-space:nowrap\">a   b</span>", "a b"},
    };
    RUN_CASES(cases);
}

TEST(HtmlRenderer, Preformatted) {
    const RenderCase cases[] = {
        {"pre keeps spaces and newlines", "<pre>a  b\n  c</pre>", "a  b\r\n  c"},
        {"first newline after pre is dropped", "<pre>\nx\n</pre>", "x\r\n"},
        {"pre keeps tabs", "<pre>a\tb</pre>", "a\tb"},
        {"listing is preformatted", "<listing>a  b</listing>", "a  b"},
        {"xmp is raw and preformatted", "<xmp><b>a  b</b></xmp>", "<b>a  b</b>"},
        {"plaintext takes the rest of the input", "<plaintext><p>a</p>", "<p>a</p>"},
        {"white-space pre from a style attribute", "<div style=\"white-space: pre\">a  b</div>",
         "a  b"},
        {"pre-wrap keeps spaces", "<div style=\"white-space:pre-wrap\">a  b</div>", "a  b"},
        {"pre-line keeps newlines and collapses spaces",
         "<div style=\"white-space:pre-line\">a   b\nc</div>", "a b\r\nc"},
        {"CR LF inside pre is one line break", "<pre>a\r\nb\rc</pre>", "a\r\nb\r\nc"},
        {"CR from a reference in pre is a space, never a bare CR in mail",
         "<pre>a&#13;b&#x0D;&#10;c</pre>", "a b \r\nc"},
    };
    RUN_CASES(cases);
}

TEST(HtmlRenderer, LineBreaks) {
    const RenderCase cases[] = {
        {"br gives a line break", "a<br>b", "a\r\nb"},
        {"two br give an empty line", "a<br><br>b", "a\r\n\r\nb"},
        {"br at the end stays", "a<br>", "a\r\n"},
        {"end tag br is a br", "a</br>b", "a\r\nb"},
        {"p gives two line breaks", "<p>a</p><p>b</p>", "a\r\n\r\nb"},
        {"div gives one", "<div>a</div><div>b</div>", "a\r\nb"},
        {"p and div merge to the larger count", "<div><p>a</p></div><div>b</div>", "a\r\n\r\nb"},
        {"headings are blocks", "<h1>T</h1>text", "T\r\ntext"},
        {"hr separates", "a<hr>b", "a\r\nb"},
        {"breaks at the start and end go", "<p><div>a</div></p>", "a"},
        {"blockquote and center are blocks", "<blockquote>q</blockquote><center>c</center>",
         "q\r\nc"},
        {"empty paragraphs add nothing between", "a<p></p><p></p>b", "a\r\n\r\nb"},
        {"end tag p alone makes an empty paragraph", "a</p>b", "a\r\n\r\nb"},
        {"inline-block p still gives two breaks", "x <p style=\"display:inline-block\">y</p> z",
         "x \r\n\r\ny\r\n\r\n z"},
    };
    RUN_CASES(cases);
}

TEST(HtmlRenderer, Tables) {
    const RenderCase cases[] = {
        {"cells by tab, rows by line break",
         "<table><tr><td>a</td><td>b</td></tr><tr><td>c</td><td>d</td></tr></table>",
         "a\tb\r\nc\td"},
        {"unclosed cells and rows", "<table><tr><td>a<td>b<tr><td>c</table>", "a\tb\r\nc"},
        {"empty cells keep their tabs", "<table><tr><td></td><td>x</td><td></td></tr></table>",
         "\tx\t"},
        {"implied row for a cell in the table", "<table><td>a<td>b</table>", "a\tb"},
        {"rows across sections", "<table><thead><tr><td>h</thead><tbody><tr><td>b</table>",
         "h\r\nb"},
        {"nested table inside a cell",
         "<table><tr><td>a<table><tr><td>x</td><td>y</td></tr></table></td><td>b</td></tr>"
         "</table>",
         "a\r\nx\ty\r\n\tb"},
        {"text misplaced in a table goes before it", "<table>lost<tr><td>a</td></tr></table>",
         "lost\r\na"},
        {"element misplaced in a table goes before it",
         "<table><tr><div>moved</div><td>a</td></tr></table>", "moved\r\na"},
        {"table parts outside a table are ignored", "<td>a</td><tr>b", "ab"},
        {"caption is a line", "<table><caption>C</caption><tr><td>a</table>", "C\r\na"},
        {"hidden cell gives no tab",
         "<table><tr><td>a</td><td style=\"display:none\">x</td><td>b</td></tr></table>", "a\tb"},
        {"a table directly in a table closes it",
         "<table><tr><td>a</td></tr><table><tr><td>b</td></tr></table>", "a\r\nb"},
        {"white space between cells is not rendered",
         "<table>\n <tr>\n  <td> a </td>\n  <td> b </td>\n </tr>\n</table>", "a\tb"},
        {"a cell shown as a block has no tab after it",
         "<table><tr><td>a</td><td style=\"display:block\">b</td><td>c</td></tr></table>",
         "a\t\r\nb\r\nc"},
        {"table closes a paragraph in standards mode",
         "<!DOCTYPE html><p>x<table><tr><td>a</td></tr></table>y</p>", "x\r\n\r\na\r\ny"},
        {"visibility hidden cell gives no tab",
         "<table><tr><td style=\"visibility:hidden\">x</td><td>y</td></tr></table>", "y"},
        {"table in a paragraph in quirks mode stays inside it",
         "<p>x<table><tr><td>a</td></tr></table>y</p>", "x\r\na\r\ny"},
    };
    RUN_CASES(cases);
}

TEST(HtmlRenderer, Lists) {
    const RenderCase cases[] = {
        {"each item starts a line", "<ul><li>a</li><li>b</li></ul>", "a\r\nb"},
        {"unclosed items", "<ol><li>a<li>b</ol>c", "a\r\nb\r\nc"},
        {"nested list", "<ul><li>a<ul><li>b</li></ul></li><li>c</li></ul>", "a\r\nb\r\nc"},
        {"definition lists", "<dl><dt>t<dd>d<dt>u</dl>", "t\r\nd\r\nu"},
        {"no markers are written", "<ol><li>one</li></ol>", "one"},
        {"legend is a block", "<fieldset><legend>L</legend>c</fieldset>", "L\r\nc"},
        {"text in a select between options is not shown", "<select>x<option>a</select>", "a"},
        {"options and optgroups each give a line",
         "<select><optgroup label=g><option>a<option>b</select>", "a\r\nb"},
        {"optgroup outside a select gave its text",
         "<div>a<optgroup>1<option>2</option>3</optgroup>b", "a\r\n2\r\nb"},
        {"text in an optgroup in a select is not shown", "<select><optgroup>t<option>a</select>",
         "a"},
    };
    RUN_CASES(cases);
}

TEST(HtmlRenderer, Entities) {
    const RenderCase cases[] = {
        {"named with semicolon", "&lt;&gt;&amp;&quot;&apos;", "<>&\"'"},
        {"legacy name without semicolon", "&copy 2024 &amp", "\xC2\xA9 2024 &"},
        {"longest legacy prefix", "&notit;", "\xC2\xACit;"},
        {"name needing its semicolon is text without it", "&hellip", "&hellip"},
        {"unknown name is text", "&bogus; & x", "&bogus; & x"},
        {"two code points", "&NotEqualTilde;", "\xE2\x89\x82\xCC\xB8"},
        {"decimal", "&#65;&#x42;&#X43;", "ABC"},
        {"without semicolon", "&#65x", "Ax"},
        {"C1 range is windows-1252", "&#128;&#x99;", "\xE2\x82\xAC\xE2\x84\xA2"},
        {"C1 hole stays", "&#x81;", "\xC2\x81"},
        {"zero is replaced", "&#0;", "\xEF\xBF\xBD"},
        {"surrogate is replaced", "&#xD800;", "\xEF\xBF\xBD"},
        {"too large is replaced", "&#x110000;&#99999999999999999999;", "\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"no digits is text", "&#; &#x;", "&#; &#x;"},
        {"astral character", "&#x1F600;", "\xF0\x9F\x98\x80"},
        {"windows-1252 output", "&euro;&eacute;&nbsp;", "\x80\xE9\xA0", "windows-1252"},
        {"unmappable in windows-1252", "&#x4E2D;&rarr;", "??", "windows-1252"},
        {"iso-8859-15 euro", "&euro;", "\xA4", "iso-8859-15"},
        {"latin1 label means windows-1252", "&#x2014;", "\x97", "iso-8859-1"},
        {"no-break space in an unknown charset is a space", "a&nbsp;&nbsp;b", "a  b", "x-unknown"},
        {"references in raw text are not decoded", "<xmp>&amp;</xmp>", "&amp;"},
    };
    RUN_CASES(cases);
}

TEST(HtmlRenderer, HiddenContent) {
    const RenderCase cases[] = {
        {"head, title and style give nothing",
         "<head><title>T</title><style>p{}</style></head><body>b</body>", "b"},
        {"script gives nothing", "a<script>var x = '<p>no</p>';</script>b", "ab"},
        {"comments give nothing", "a<!-- hidden -->b", "ab"},
        {"conditional comment", "a<!--[if mso]><p>x</p><![endif]-->b", "ab"},
        {"downlevel-revealed comment shows its content", "<![if !mso]>a<![endif]>", "a"},
        {"template gives nothing", "a<template><p>x</p></template>b", "ab"},
        {"hidden attribute", "a<div hidden>x</div>b", "ab"},
        {"display none inline", "a<span style=\"display:none\">x</span>b", "ab"},
        {"display none important", "a<span style=\"DISPLAY: None !important\">x</span>b", "ab"},
        {"visibility hidden block adds no line breaks",
         "a<div style=\"visibility:hidden\">x<br>y</div>b", "ab"},
        {"visibility hidden keeps visible children",
         "<div style=\"visibility:hidden\">x<span style=\"visibility:visible\">y</span></div>",
         "y"},
        {"popover", "a<div popover>x</div>b", "ab"},
        {"closed dialog", "a<dialog>x</dialog>b", "ab"},
        {"open dialog", "a<dialog open>x</dialog>b", "a\r\nx\r\nb"},
        {"noscript shows with scripting off", "<noscript>n</noscript>", "n"},
        {"closed details show the summary only", "<details><summary>s</summary>hidden</details>",
         "s"},
        {"open details show all", "<details open><summary>s</summary>shown</details>",
         "s\r\nshown"},
        {"images give no text", "a<img alt=\"alt text\" src=x>b", "ab"},
        {"hidden input gives nothing", "a<input type=hidden value=v>b", "ab"},
        {"type=hidden hid an element other than an input",
         "<span type=hidden>a</span><a type=hidden href=x>b</a>", "ab"},
        {"iframe content is not rendered", "a<iframe>x</iframe>b", "ab"},
        {"textarea content is not rendered", "a<textarea>x</textarea>b", "ab"},
        {"hidden by a class rule", "<style>.pre{display:none}</style><div class=pre>x</div>y", "y"},
        {"hidden by an id rule", "<style>#p {visibility:hidden}</style><p id=p>x</p>y", "y"},
        {"hidden by a type rule", "<style>span{display:none}</style>a<span>x</span>b", "ab"},
        {"hidden by a compound rule",
         "<style>div.a.b{display:none}</style><div class=\"b a\">x</div><div class=a>y</div>", "y"},
        {"hidden by a descendant rule",
         "<style>.mobile span{display:none}</style><div class=mobile><b><span>x</span></b></div>"
         "<span>y</span>",
         "y"},
        {"a phone-only @media rule still hides nothing",
         "<style>@media (max-width:600px){.d{display:none}}</style><div class=d>x</div>", "x"},
        {"a rule in @media screen did not hide text",
         "<style>@media screen{.x{display:none}}</style><b class=x>x</b>y", "y"},
        {"a rule in @media for a wide screen did not hide text",
         "<style>@media only screen and (min-width:600px){.x{display:none}}</style>"
         "<b class=x>x</b>y",
         "y"},
        {"a desktop @media rule came before the rules around it",
         "<style>.x{display:none} @media screen{.x{display:inline}} .y{display:none}</style>"
         "<b class=x>x</b><b class=\"x y\">y</b>",
         "x"},
        {"a rule in nested matching @media blocks did not hide text",
         "<style>@media screen{@media (min-width:600px){.x{display:none}}"
         "@media print{.y{display:none}}}</style><b class=x>x</b><b class=y>y</b>",
         "y"},
        {"a rule in @supports is skipped",
         "<style>@supports (display:none){.x{display:none}}</style><b class=x>x</b>", "x"},
        {"rules with other selectors are ignored",
         "<style>a:hover, [title], div > p {display:none}</style><p title=t>x</p>", "x"},
        {"inline style beats a rule",
         "<style>.x{display:none}</style><b class=x "
         "style=\"display:inline\">y</b>",
         "y"},
        {"important rule beats inline style",
         "<style>.x{display:none !important}</style><b class=x style=\"display:inline\">y</b>z",
         "z"},
        {"higher specificity wins",
         "<style>#i{display:inline} .c{display:none}</style><b id=i class=c>y</b>", "y"},
        {"later rule wins at equal specificity",
         "<style>.a{display:none} .b{display:inline}</style><b class=\"a b\">y</b>", "y"},
        {"class names ignore case in quirks mode",
         "<style>.Hide{display:none}</style><b class=hide>x</b>y", "y"},
        {"class names keep case in standards mode",
         "<!DOCTYPE html><style>.Hide{display:none}</style><b class=hide>x</b>", "x"},
        {"a hidden attribute can be overridden",
         "<style>div{display:block}</style><div hidden>x</div>", "x"},
        {"a [hidden] rule could not show hidden content",
         "<style>[hidden]{display:block}</style>a<span hidden>x</span>", "a\r\nx"},
        {"style sheet in the body applies", "<b class=h>x</b>y<style>.h{display:none}</style>",
         "y"},
        {"print style sheet hid text",
         "<style media=print>.x{display:none}</style><b class=x>x</b>", "x"},
        {"phone-width style sheet hid text",
         "<style media=\"only screen and (max-width:600px)\">.d{display:none}</style>"
         "<b class=d>x</b>",
         "x"},
        {"style sheet for screens applies",
         "<style media=\"print, screen\">.x{display:none}</style><b class=x>x</b>y", "y"},
        {"style sheet of another type hid text",
         "<style type=text/plain>.x{display:none}</style><b class=x>x</b>", "x"},
        {"style sheet typed as CSS in any case applies",
         "<style type=TEXT/CSS>.x{display:none}</style><b class=x>x</b>y", "y"},
        {"style sheet in a template hid text",
         "<template><style>.x{display:none}</style></template><b class=x>x</b>", "x"},
        {"rule a browser drops after a stray brace hid text",
         "<style>p{} } .x{display:none} .y{display:none}</style><b class=x>x</b><b class=y>y</b>z",
         "xz"},
    };
    RUN_CASES(cases);
}

TEST(HtmlRenderer, DisplayAndTransform) {
    const RenderCase cases[] = {
        {"inline display block gives breaks", "a<span style=\"display:block\">b</span>c",
         "a\r\nb\r\nc"},
        {"inline display on a div joins lines", "<div style=\"display:inline\">a</div>b", "ab"},
        {"inline-block keeps the line", "a <div style=\"display:inline-block\">b</div> c", "a b c"},
        {"table-cell display gives tabs",
         "<div style=\"display:table-row\"><div style=\"display:table-cell\">a</div>"
         "<div style=\"display:table-cell\">b</div></div>",
         "a\tb"},
        {"list-item display is a block", "<span style=\"display:list-item\">a</span>b", "a\r\nb"},
        {"children of flex are blocks",
         "<div style=\"display:inline-flex\"><span>a</span><span>b</span></div>", "a\r\nb"},
        {"children of grid are blocks",
         "<div style=\"display:grid\"><span>a</span><span>b</span></div>", "a\r\nb"},
        {"uppercase", "<span style=\"text-transform:uppercase\">abc \xC3\xA9</span>",
         "ABC \xC3\x89"},
        {"uppercase sharp s",
         "<b style=\"text-transform:uppercase\">stra\xC3\x9F"
         "e</b>",
         "STRASSE"},
        {"uppercase in windows-1252", "<b style=\"text-transform:uppercase\">\xE9\x9A\xFF</b>",
         "\xC9\x8A\x9F", "windows-1252"},
        {"uppercase cyrillic in windows-1251", "<b style=\"text-transform:uppercase\">\xE0\xFF</b>",
         "\xC0\xDF", "windows-1251"},
        {"uppercase keeps a no-break space", "<b style=\"text-transform:uppercase\">a&nbsp;b</b>",
         "A\xC2\xA0"
         "B"},
        {"capitalize after a no-break space in an unknown charset",
         "<b style=\"text-transform:capitalize\">a&nbsp;b</b>", "A B", "x-unknown"},
        {"capitalize keeps apostrophes inside words",
         "<span style=\"text-transform:capitalize\">o'neil hello-world</span>",
         "O'neil Hello-World"},
        {"lowercase", "<span style=\"text-transform: lowercase\">ABC</span>", "abc"},
        {"capitalize", "<span style=\"text-transform:capitalize\">hello big world</span>",
         "Hello Big World"},
        {"transform is inherited", "<div style=\"text-transform:uppercase\"><b>x</b></div>", "X"},
        {"transform by a rule", "<style>.u{text-transform:uppercase}</style><p class=u>x</p>", "X"},
    };
    RUN_CASES(cases);
}

TEST(HtmlRenderer, BrokenMarkup) {
    const RenderCase cases[] = {
        {"unclosed tags", "<div><b><i>a", "a"},
        {"misnested inline and block", "<b><p>a</b>b</p>c", "ab\r\n\r\nc"},
        {"stray end tags", "a</span></div></table>b", "ab"},
        {"lone less-than", "a < b <3 c", "a < b <3 c"},
        {"less-than before digit", "<1>", "<1>"},
        {"tag cut off at the end", "a<div class=\"x", "a"},
        {"end tag open at the end", "a</", "a</"},
        {"empty end tag", "a</>b", "ab"},
        {"bogus comment", "a<?xml version=\"1.0\"?>b", "ab"},
        {"end tag with a non-letter", "a</ x>b", "ab"},
        {"abrupt comments", "a<!-->b<!--->c", "abc"},
        {"comment closed by --!>", "a<!-- x --!>b", "ab"},
        {"unterminated comment runs to the end", "a<!-- b", "a"},
        {"doctype", "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\">a", "a"},
        {"attributes without quotes and duplicates",
         "<div style=display:none style=\"display:block\">x</div>y", "y"},
        {"attribute with > in quotes", "<span title=\"a>b\">x</span>", "x"},
        {"uppercase tags", "<DIV>a</DIV><P>b</P>", "a\r\n\r\nb"},
        {"unclosed script hides the rest", "a<script>b", "a"},
        {"script end tag needs a delimiter", "<script>x</scriptx>y</script>z", "z"},
        {"unclosed title", "<title>t", ""},
        {"NUL bytes in text are dropped", std::string("a\0b", 3), "ab"},
        {"CDATA outside svg is a bogus comment", "a<![CDATA[x]]>b", "ab"},
        {"CDATA inside svg is text", "<svg><text><![CDATA[x<y]]></text></svg>", "x<y"},
        {"svg style gives nothing", "<svg><style>s</style><text>t</text></svg>", "t"},
        {"a block breaks out of svg", "<svg><p>x</p>", "x"},
    };
    RUN_CASES(cases);
}

TEST(HtmlRenderer, DocumentStructure) {
    const RenderCase cases[] = {
        {"text before the body", "<html>a<body>b</body></html>", "ab"},
        {"text after the body", "<body>a</body>b</html>c", "abc"},
        {"head content after body start tag", "<body>a<title>t</title>b", "ab"},
        {"no body tag", "<html><head></head>text", "text"},
        {"only a head", "<head><title>t</title></head>", ""},
        {"empty input", "", ""},
        {"frameset document has no body text", "<frameset><frame></frameset>x", ""},
        {"white space only", " \r\n\t", ""},
        {"unrendered body gives its text content",
         "<body style=\"display:none\">x<script>s</script></body>", "xs"},
        {"hidden body gives its text content", "<body hidden>a\nb</body>", "a\r\nb"},
        {"CR from a reference in an unrendered body is a space",
         "<body hidden>a&#13;b&#13;&#10;c</body>", "a b \r\nc"},
        {"utf-8 byte order mark", "\xEF\xBB\xBFx", "x"},
        {"ill-formed utf-8 becomes U+FFFD", "a\xC3(b\xFF", "a\xEF\xBF\xBD(b\xEF\xBF\xBD"},
        {"windows-1252 bytes pass through", "caf\xE9", "caf\xE9", "windows-1252"},
        {"head noscript with text starts the body", "<head><noscript>n</noscript></head>", "n"},
    };
    RUN_CASES(cases);
}

// Text whose line ends are CR LF or CR is read from the input in pieces
// between them; it renders as the same text with LF line ends.
TEST(HtmlRenderer, LineEndsReadInPlaceRenderAsLineFeeds) {
    const char* cases[] = {
        "<pre>a\r\nb\r\n\r\nc\r</pre>",
        "<pre>\r\n\r\nx\r\r\n</pre>",
        "<p style='white-space:pre-line'>x \r\n y\r\rz</p>",
        "<p style='white-space:pre-wrap'>x\r\n  y</p><p>a\r\nb</p>",
        "<p style='text-transform:capitalize'>ab\r\ncd</p>",
        "<style>p::first-letter{text-transform:uppercase}</style><p>\r\n\r\nab\r\ncd</p>",
        "<style>p::first-line{text-transform:uppercase}</style><pre>ab\r\ncd</pre>",
        "<table>\r\n<tr><td>a\r\nb</td>\r\n</tr></table>",
    };
    for (const char* html : cases) {
        SCOPED_TRACE(html);
        std::string lineFeeds;
        for (const char* c = html; *c != '\0'; ++c) {
            if (*c != '\r') {
                lineFeeds.push_back(*c);
            } else if (c[1] != '\n') {
                lineFeeds.push_back('\n');
            }
        }
        EXPECT_EQ(RenderHtmlText(html, "utf-8"), RenderHtmlText(lineFeeds, "utf-8"));
    }
}

}  // namespace
}  // namespace vellumo::test
