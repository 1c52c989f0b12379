// The tag table, entry by entry, against the HTML standard's categories.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "html/html_tags.h"

namespace vellumo::test {
namespace {

std::set<std::string> TagsWith(std::uint32_t flag) {
    std::set<std::string> names;
    for (int i = 1; i < static_cast<int>(HtmlTag::kCount); ++i) {
        if (TagHas(static_cast<HtmlTag>(i), flag)) {
            names.insert(TagInfo(static_cast<HtmlTag>(i)).name);
        }
    }
    return names;
}

TEST(HtmlTags, EveryNameLooksUpToItsEntry) {
    for (int i = 1; i < static_cast<int>(HtmlTag::kCount); ++i) {
        const HtmlTagInfo& info = TagInfo(static_cast<HtmlTag>(i));
        SCOPED_TRACE(info.name);
        EXPECT_EQ(LookUpTag(info.name), static_cast<HtmlTag>(i));
    }
    EXPECT_EQ(LookUpTag("blink"), HtmlTag::kUnknown);
    EXPECT_EQ(LookUpTag(""), HtmlTag::kUnknown);
    EXPECT_EQ(LookUpTag("DIV"), HtmlTag::kUnknown) << "names are looked up in lower case";
}

TEST(HtmlTags, CategoriesMatchTheStandard) {
    const struct {
        const char* name;
        std::uint32_t flag;
        std::set<std::string> tags;
    } cases[] = {
        {"void elements",
         kTagVoid,
         {"area", "base", "basefont", "bgsound", "br", "col", "embed", "frame", "hr", "image",
          "img", "input", "keygen", "link", "meta", "param", "source", "track", "wbr"}},
        {"raw text elements",
         kTagRawText,
         {"iframe", "noembed", "noframes", "script", "style", "xmp"}},
        {"escapable raw text elements", kTagRcData, {"textarea", "title"}},
        {"formatting elements",
         kTagFormatting,
         {"a", "b", "big", "code", "em", "font", "i", "nobr", "s", "small", "strike", "strong",
          "tt", "u"}},
        {"headings", kTagHeading, {"h1", "h2", "h3", "h4", "h5", "h6"}},
        {"newline dropped after the start tag", kTagSkipNewline, {"listing", "pre", "textarea"}},
        {"table context", kTagTableContext, {"table", "tbody", "tfoot", "thead", "tr"}},
        {"start tags that close a p",
         kTagClosesP,
         {"address", "article", "aside",   "blockquote", "center", "dd",        "details",
          "dialog",  "dir",     "div",     "dl",         "dt",     "fieldset",  "figcaption",
          "figure",  "footer",  "form",    "h1",         "h2",     "h3",        "h4",
          "h5",      "h6",      "header",  "hgroup",     "hr",     "li",        "listing",
          "main",    "menu",    "nav",     "ol",         "p",      "plaintext", "pre",
          "search",  "section", "summary", "table",      "ul",     "xmp"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TagsWith(c.flag), c.tags);
    }
}

TEST(HtmlTags, DefaultDisplay) {
    const struct {
        const char* tag;
        HtmlDisplay display;
    } cases[] = {
        {"div", HtmlDisplay::kBlock},
        {"p", HtmlDisplay::kBlock},
        {"span", HtmlDisplay::kInline},
        {"li", HtmlDisplay::kListItem},
        {"table", HtmlDisplay::kTable},
        {"tr", HtmlDisplay::kTableRow},
        {"td", HtmlDisplay::kTableCell},
        {"tbody", HtmlDisplay::kTableRowGroup},
        {"caption", HtmlDisplay::kTableCaption},
        {"head", HtmlDisplay::kNone},
        {"script", HtmlDisplay::kNone},
        {"style", HtmlDisplay::kNone},
        {"title", HtmlDisplay::kNone},
        {"template", HtmlDisplay::kNone},
        {"noscript", HtmlDisplay::kInline},
        {"button", HtmlDisplay::kInlineBlock},
        {"center", HtmlDisplay::kBlock},
        {"option", HtmlDisplay::kBlock},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tag);
        EXPECT_EQ(TagInfo(LookUpTag(c.tag)).display, c.display);
    }
}

}  // namespace
}  // namespace vellumo::test
