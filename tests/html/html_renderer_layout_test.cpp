// The renderer against a browser's innerText for the layout rules that
// change the text: out-of-flow boxes, CSS tables, templates, table white
// space, first-line (in a box of width 0, the first word) and first-letter
// styles, and Turkic case mapping.
#include <gtest/gtest.h>

#include <string>

#include "html/html_renderer.h"

namespace vellumo::test {
namespace {

struct LayoutCase {
    const char* name;
    const char* html;
    const char* expected;
};

void RunCases(const LayoutCase* begin, const LayoutCase* end) {
    for (const LayoutCase* c = begin; c != end; ++c) {
        SCOPED_TRACE(c->name);
        EXPECT_EQ(RenderHtmlText(c->html, "utf-8"), c->expected);
    }
}

#define RUN_CASES(table) RunCases(std::begin(table), std::end(table))

TEST(HtmlRendererLayout, FloatedAndPositionedBoxesAreBlocks) {
    const LayoutCase cases[] = {
        {"floated span", "<div>abc<span style='float:left'>123</span>def</div>",
         "abc\r\n123\r\ndef"},
        {"floated right div", "<div>abc<div style='float:right'>123</div>def</div>",
         "abc\r\n123\r\ndef"},
        {"absolute span", "<div>abc<span style='position:absolute'>123</span>def</div>",
         "abc\r\n123\r\ndef"},
        {"fixed span", "<div>abc<span style='position:fixed'>123</span>def</div>",
         "abc\r\n123\r\ndef"},
        {"float from a style sheet",
         "<style>.side{float:left}</style><p>abc<b class=side>123</b>def</p>", "abc\r\n123\r\ndef"},
        {"relative span stays inline",
         "<div>abc<span style='position:relative'>123</span>def</div>", "abc123def"},
        {"float none stays inline", "<div>abc<span style='float:none'>123</span>def</div>",
         "abc123def"},
        {"floated inline-block",
         "<div>abc <span style='display:inline-block;float:left'>1</span> d", "abc\r\n1\r\nd"},
    };
    RUN_CASES(cases);
}

TEST(HtmlRendererLayout, CssTableCellsWithoutRowsAreTabSeparated) {
    const LayoutCase cases[] = {
        {"cells in a table",
         "<div style='display:table'><span style='display:table-cell'>abc</span>"
         "<span style='display:table-cell'>def</span></div>",
         "abc\tdef"},
        {"cells in a row group",
         "<div style='display:table'><div style='display:table-row-group'>"
         "<div style='display:table-cell'>a</div><div style='display:table-cell'>b</div>"
         "<div style='display:table-cell'>c</div></div></div>",
         "a\tb\tc"},
        {"cells with an explicit row",
         "<div style='display:table'><div style='display:table-row'>"
         "<span style='display:table-cell'>a</span><span style='display:table-cell'>b</span>"
         "</div></div>",
         "a\tb"},
        {"white space between the cells",
         "<div style='display:table'>\n"
         "<span style='display:table-cell'>a</span>\n<span style='display:table-cell'>b</span>\n"
         "</div>",
         "a\tb"},
    };
    RUN_CASES(cases);
}

TEST(HtmlRendererLayout, TemplatesStayUnrendered) {
    const LayoutCase cases[] = {
        {"template", "<div>a<template>abc</template>b</div>", "ab"},
        {"template shown as a block", "<div>a<template style='display:block'>abc</template>b</div>",
         "ab"},
        {"template made a block by a style sheet",
         "<style>template{display:block}</style><p>a<template>abc</template>b", "ab"},
        {"template in an unrendered body", "<body style='display:none'>a<template>x</template>",
         "a"},
    };
    RUN_CASES(cases);
}

TEST(HtmlRendererLayout, WhiteSpaceDirectlyInTablesIsNotRendered) {
    const LayoutCase cases[] = {
        {"pre table", "<table style='white-space:pre'>  <td>abc</td>  </table>", "abc"},
        {"pre row", "<table><tr style='white-space:pre'>  <td>a</td>  <td>b</td>  </tr></table>",
         "a\tb"},
        {"pre row group",
         "<table style='white-space:pre'><tbody>\n <tr><td>a</td></tr>\n "
         "<tr><td>b</td></tr>\n</tbody></table>",
         "a\r\nb"},
        {"pre cell keeps its space", "<table><td style='white-space:pre'> a </td></table>", " a "},
    };
    RUN_CASES(cases);
}

TEST(HtmlRendererLayout, FirstLineAndFirstLetterTransforms) {
    const LayoutCase cases[] = {
        {"first line up to the break",
         "<style>div::first-line{text-transform:uppercase}</style><div>abc<br>def</div>",
         "ABC\r\ndef"},
        {"first line in a nested block",
         "<style>div::first-line{text-transform:uppercase}</style><div><p>abc</p><p>def</p></div>",
         "ABC\r\n\r\ndef"},
        {"one colon", "<style>p:first-line{text-transform:uppercase}</style><p>ab<br>ef",
         "AB\r\nef"},
        {"first line transformed the whole paragraph",
         "<style>p::first-line{text-transform:uppercase}</style><p> ab<b>c</b>  def<br>gh",
         "ABC def\r\ngh"},
        {"nowrap first line runs to the break",
         "<style>p::first-line{text-transform:uppercase}</style>"
         "<p style='white-space:nowrap'>ab cd<br>ef",
         "AB CD\r\nef"},
        {"pre-wrap first line ends after its spaces",
         "<style>p::first-line{text-transform:uppercase}</style>"
         "<p style='white-space:pre-wrap'>  ab  cd<b> ef</b>",
         "  AB  cd ef"},
        {"first letter", "<style>div::first-letter{text-transform:uppercase}</style><div>abc def",
         "Abc def"},
        {"first letter after punctuation",
         "<style>p::first-letter{text-transform:uppercase}</style><p>\"abc\"", "\"Abc\""},
        {"first letter in an inline child",
         "<style>p::first-letter{text-transform:uppercase}</style><p><b>abc</b> def", "Abc def"},
        {"each paragraph its own",
         "<style>p::first-letter{text-transform:uppercase}</style><p>ab<p>cd", "Ab\r\n\r\nCd"},
        {"first letter lower case",
         "<style>.x::first-letter{text-transform:lowercase}</style><div class=x>ABC</div>", "aBC"},
        {"pseudo-element rules set nothing else",
         "<style>div::first-line{display:none} p::first-line{visibility:hidden}</style>"
         "<div>abc</div><p>de f</p>",
         "abc\r\n\r\nde f"},
    };
    RUN_CASES(cases);
}

TEST(HtmlRendererLayout, TurkicUppercaseKeepsTheDotOfI) {
    const LayoutCase cases[] = {
        {"turkish", "<div lang='tr' style='text-transform:uppercase'>i \xC4\xB1</div>",
         "\xC4\xB0 I"},
        {"azerbaijani with a region",
         "<div lang='az-Latn' style='text-transform:uppercase'>i</div>", "\xC4\xB0"},
        {"inherited language", "<div lang=TR><p style='text-transform:uppercase'>bir</p></div>",
         "B\xC4\xB0R"},
        {"english inside turkish",
         "<div lang=tr><span lang=en style='text-transform:uppercase'>i</span></div>", "I"},
        {"empty lang ends it",
         "<div lang=tr><span lang='' style='text-transform:uppercase'>i</span>", "I"},
        {"english", "<div lang='en' style='text-transform:uppercase'>i \xC4\xB1</div>", "I I"},
        {"turkish capitalize", "<p lang=tr style='text-transform:capitalize'>istanbul",
         "\xC4\xB0stanbul"},
    };
    RUN_CASES(cases);
}

}  // namespace
}  // namespace vellumo::test
