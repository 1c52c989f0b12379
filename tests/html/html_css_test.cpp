// Style attributes, style sheets and the doctype's quirks mode.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "html/html_css.h"
#include "html/html_doctype.h"

namespace vellumo::test {
namespace {

TEST(HtmlCss, Declarations) {
    const struct {
        const char* name;
        const char* text;
        CssProperty property;
        int value;  // -1: not declared
        bool important;
    } cases[] = {
        {"display none", "display:none", CssProperty::kDisplay,
         static_cast<int>(HtmlDisplay::kNone), false},
        {"case and spaces", " DISPLAY : Block ; ", CssProperty::kDisplay,
         static_cast<int>(HtmlDisplay::kBlock), false},
        {"later wins", "display:none;display:inline", CssProperty::kDisplay,
         static_cast<int>(HtmlDisplay::kInline), false},
        {"important wins over later", "display:none!important;display:inline",
         CssProperty::kDisplay, static_cast<int>(HtmlDisplay::kNone), true},
        {"unknown value ignored", "display:none;display:weird", CssProperty::kDisplay,
         static_cast<int>(HtmlDisplay::kNone), false},
        {"other properties ignored", "color:red", CssProperty::kDisplay, -1, false},
        {"no colon", "display none", CssProperty::kDisplay, -1, false},
        {"visibility collapse is hidden", "visibility:collapse", CssProperty::kVisibility,
         static_cast<int>(CssVisibility::kHidden), false},
        {"white-space pre-line", "white-space:pre-line", CssProperty::kWhiteSpace,
         static_cast<int>(CssWhiteSpace::kPreLine), false},
        {"text-transform", "text-transform:capitalize", CssProperty::kTextTransform,
         static_cast<int>(CssTextTransform::kCapitalize), false},
        {"empty", "", CssProperty::kDisplay, -1, false},
        {"semicolon in a string split the declaration", "content:\"a;display:none;\"",
         CssProperty::kDisplay, -1, false},
        {"semicolon in an unquoted url ends nothing", "background:url(a;b);display:none",
         CssProperty::kDisplay, static_cast<int>(HtmlDisplay::kNone), false},
        {"escaped semicolon ends nothing", "font-family:a\\;display:none", CssProperty::kDisplay,
         -1, false},
        {"semicolon in a comment ends nothing", "color:red/*;display:none*/", CssProperty::kDisplay,
         -1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CssSlot slot = ParseCssDeclarations(c.text).Get(c.property);
        EXPECT_EQ(slot.value, c.value);
        EXPECT_EQ(slot.important, c.important);
    }
}

std::vector<std::string> Selectors(const char* sheet, bool foldCase = false) {
    std::vector<CssRule> rules;
    ParseCssStyleSheet(sheet, foldCase, &rules);
    std::vector<std::string> out;
    for (const CssRule& rule : rules) {
        std::string text;
        for (const CssCompound& compound : rule.compounds) {
            text += text.empty() ? "" : " ";
            text += compound.tag;
            for (const std::string& name : compound.classes) {
                text += "." + name;
            }
            text += compound.id.empty() ? "" : "#" + compound.id;
            text += compound.hiddenAttribute ? "[hidden]" : "";
        }
        out.push_back(text + "/" + std::to_string(rule.specificity));
    }
    return out;
}

TEST(HtmlCss, StyleSheets) {
    using List = std::vector<std::string>;
    const struct {
        const char* name;
        const char* sheet;
        List rules;
    } cases[] = {
        {"type, class and id",
         "p{display:none} .a{display:none} #b{display:none}",
         {"p/1", ".a/256", "#b/65536"}},
        {"compound and descendant",
         "div.x#y span.z { visibility: hidden }",
         {"div.x#y span.z/66050"}},
        {"selector list", "a, .b {display:none}", {"a/1", ".b/256"}},
        {"rules without our properties are dropped", "p{color:red}", {}},
        {"@media screen rule dropped",
         ".a{display:none} @Media Screen{.m{display:none}} .n{display:none}",
         {".a/256", ".m/256", ".n/256"}},
        {"@media rule for another device applied",
         "@media print{.p{display:none}} @media (max-width:600px){.q{display:none}}"
         "@media nonsense){.r{display:none}}",
         {}},
        {"rules of nested @media blocks lost",
         "@media all{@media screen{.m{display:none}} @media print{.p{display:none}}}",
         {".m/256"}},
        {"other at-rules' blocks applied",
         "@supports (x){@media all{.s{display:none}}} @mediax{.x{display:none}}"
         "@layer l{.y{display:none}}.n{display:none}",
         {".n/256"}},
        {"html comment marker in an @media block ignored",
         "@media all{<!-- .e{display:none} .f{display:none}}",
         {".f/256"}},
        {"statement at-rule skipped", "@import url(x.css); .n{display:none}", {".n/256"}},
        {"comments removed", "/* .c{display:none} */ .d/**/{display:none}", {".d/256"}},
        {"html comment markers ignored", "<!-- .e{display:none} -->", {".e/256"}},
        {"unsupported selectors skipped",
         "a:hover, [x], a>b, a+b, *, .ok{display:none}",
         {".ok/256"}},
        {"unclosed block", ".u{display:none", {".u/256"}},
        {"hidden attribute selectors",
         "[hidden]{display:block} div[ HIDDEN ].a{display:none} [hidden=x], [id]{display:none}",
         {"[hidden]/256", "div.a[hidden]/513"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Selectors(c.sheet), c.rules);
    }
    EXPECT_EQ(Selectors(".AbC{display:none}", true), List{".abc/256"});
}

// What a browser's CSS parser drops after an error, and what it keeps.
TEST(HtmlCss, StyleSheetErrorRecovery) {
    using List = std::vector<std::string>;
    const struct {
        const char* name;
        const char* sheet;
        List rules;
    } cases[] = {
        {"rule after a stray brace was applied",
         "}} .v{display:none} .w{display:none}",
         {".w/256"}},
        {"rule after a stray semicolon was applied",
         "p{} ; .v{display:none} .w{display:none}",
         {".w/256"}},
        {"brace in a string ended the block",
         ".a{content:\"}\"; display:none} .b{display:none}",
         {".a/256", ".b/256"}},
        {"brace in a url opened a block",
         ".a{background:url(x{y).png)} .b{display:none}",
         {".b/256"}},
        {"comment opener in a string hid the rest",
         ".a{content:\"/*\"} .b{display:none} /**/",
         {".b/256"}},
        {"unclosed parenthesis runs to the end", ".a{color:rgb(1,2} .b{display:none}", {}},
        {"prelude at the end of the sheet gives no rule", ".a{display:none} .b", {".a/256"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Selectors(c.sheet), c.rules);
    }
}

TEST(HtmlCss, RuleCountIsBounded) {
    std::string sheet;
    for (std::size_t i = 0; i < kMaxStyleRules + 10; ++i) {
        sheet += ".c" + std::to_string(i) + "{display:none}";
    }
    std::vector<CssRule> rules;
    ParseCssStyleSheet(sheet, false, &rules);
    EXPECT_EQ(rules.size(), kMaxStyleRules);
}

TEST(HtmlCss, MediaBlockNestingIsBounded) {
    const auto nested = [](int depth) {
        std::string sheet;
        for (int i = 0; i < depth; ++i) {
            sheet += "@media all{";
        }
        return sheet + ".m{display:none}" + std::string(static_cast<std::size_t>(depth), '}');
    };
    EXPECT_EQ(Selectors(nested(kMaxMediaBlockNesting).c_str()).size(), 1u);
    EXPECT_TRUE(Selectors(nested(kMaxMediaBlockNesting + 1).c_str()).empty());
    EXPECT_TRUE(Selectors(nested(100000).c_str()).empty());
}

TEST(HtmlDoctype, QuirksMode) {
    const struct {
        const char* doctype;
        bool quirks;
    } cases[] = {
        {" html", false},
        {" HTML", false},
        {"", true},
        {" svg", true},
        {" html PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\"", true},
        {" html PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" "
         "\"http://www.w3.org/TR/html4/loose.dtd\"",
         false},
        {" html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
         "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\"",
         false},
        {" html PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\"", true},
        {" html PUBLIC \"-//IETF//DTD HTML//EN\"", true},
        {" html PUBLIC 'HTML'", true},
        {" html SYSTEM \"about:legacy-compat\"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.doctype);
        EXPECT_EQ(IsQuirksDoctype(c.doctype), c.quirks);
    }
}

}  // namespace
}  // namespace vellumo::test
