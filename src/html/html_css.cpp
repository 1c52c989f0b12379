#include "html/html_css.h"

#include <algorithm>

#include "html/html_css_media.h"
#include "html/html_css_syntax.h"
#include "html/html_white_space.h"
#include "platform/ascii_case.h"

namespace vellumo {
namespace {

constexpr std::uint32_t kMaxSpecificityPart = 255;

struct Keyword {
    std::string_view name;
    std::int8_t value;
};

constexpr Keyword kDisplayKeywords[] = {
    {"none", static_cast<std::int8_t>(HtmlDisplay::kNone)},
    {"inline", static_cast<std::int8_t>(HtmlDisplay::kInline)},
    {"block", static_cast<std::int8_t>(HtmlDisplay::kBlock)},
    {"flow-root", static_cast<std::int8_t>(HtmlDisplay::kBlock)},
    {"-webkit-box", static_cast<std::int8_t>(HtmlDisplay::kBlock)},
    {"list-item", static_cast<std::int8_t>(HtmlDisplay::kListItem)},
    {"inline-block", static_cast<std::int8_t>(HtmlDisplay::kInlineBlock)},
    {"-webkit-inline-box", static_cast<std::int8_t>(HtmlDisplay::kInlineBlock)},
    {"table", static_cast<std::int8_t>(HtmlDisplay::kTable)},
    {"inline-table", static_cast<std::int8_t>(HtmlDisplay::kInlineTable)},
    {"table-row-group", static_cast<std::int8_t>(HtmlDisplay::kTableRowGroup)},
    {"table-header-group", static_cast<std::int8_t>(HtmlDisplay::kTableRowGroup)},
    {"table-footer-group", static_cast<std::int8_t>(HtmlDisplay::kTableRowGroup)},
    {"table-row", static_cast<std::int8_t>(HtmlDisplay::kTableRow)},
    {"table-cell", static_cast<std::int8_t>(HtmlDisplay::kTableCell)},
    {"table-caption", static_cast<std::int8_t>(HtmlDisplay::kTableCaption)},
    {"table-column", static_cast<std::int8_t>(HtmlDisplay::kTableColumn)},
    {"table-column-group", static_cast<std::int8_t>(HtmlDisplay::kTableColumn)},
    {"flex", static_cast<std::int8_t>(HtmlDisplay::kFlex)},
    {"inline-flex", static_cast<std::int8_t>(HtmlDisplay::kInlineFlex)},
    {"grid", static_cast<std::int8_t>(HtmlDisplay::kGrid)},
    {"inline-grid", static_cast<std::int8_t>(HtmlDisplay::kInlineGrid)},
    {"contents", static_cast<std::int8_t>(HtmlDisplay::kContents)},
};

constexpr Keyword kVisibilityKeywords[] = {
    {"visible", static_cast<std::int8_t>(CssVisibility::kVisible)},
    {"hidden", static_cast<std::int8_t>(CssVisibility::kHidden)},
    {"collapse", static_cast<std::int8_t>(CssVisibility::kHidden)},
};

constexpr Keyword kWhiteSpaceKeywords[] = {
    {"normal", static_cast<std::int8_t>(CssWhiteSpace::kNormal)},
    {"nowrap", static_cast<std::int8_t>(CssWhiteSpace::kNoWrap)},
    {"pre", static_cast<std::int8_t>(CssWhiteSpace::kPre)},
    {"pre-wrap", static_cast<std::int8_t>(CssWhiteSpace::kPreWrap)},
    {"break-spaces", static_cast<std::int8_t>(CssWhiteSpace::kPreWrap)},
    {"pre-line", static_cast<std::int8_t>(CssWhiteSpace::kPreLine)},
};

constexpr Keyword kTextTransformKeywords[] = {
    {"none", static_cast<std::int8_t>(CssTextTransform::kNone)},
    {"uppercase", static_cast<std::int8_t>(CssTextTransform::kUppercase)},
    {"lowercase", static_cast<std::int8_t>(CssTextTransform::kLowercase)},
    {"capitalize", static_cast<std::int8_t>(CssTextTransform::kCapitalize)},
};

constexpr Keyword kFloatKeywords[] = {
    {"none", static_cast<std::int8_t>(CssFlow::kInFlow)},
    {"left", static_cast<std::int8_t>(CssFlow::kOutOfFlow)},
    {"right", static_cast<std::int8_t>(CssFlow::kOutOfFlow)},
    {"inline-start", static_cast<std::int8_t>(CssFlow::kOutOfFlow)},
    {"inline-end", static_cast<std::int8_t>(CssFlow::kOutOfFlow)},
};

constexpr Keyword kPositionKeywords[] = {
    {"static", static_cast<std::int8_t>(CssFlow::kInFlow)},
    {"relative", static_cast<std::int8_t>(CssFlow::kInFlow)},
    {"sticky", static_cast<std::int8_t>(CssFlow::kInFlow)},
    {"absolute", static_cast<std::int8_t>(CssFlow::kOutOfFlow)},
    {"fixed", static_cast<std::int8_t>(CssFlow::kOutOfFlow)},
};

struct PseudoName {
    std::string_view name;
    CssPseudo pseudo;
};

// CSS 2 spelled these with one colon; browsers take both.
constexpr PseudoName kPseudoNames[] = {
    {"::first-line", CssPseudo::kFirstLine},
    {":first-line", CssPseudo::kFirstLine},
    {"::first-letter", CssPseudo::kFirstLetter},
    {":first-letter", CssPseudo::kFirstLetter},
};

template <std::size_t N>
std::int8_t FindKeyword(const Keyword (&table)[N], std::string_view value) {
    for (const Keyword& keyword : table) {
        if (keyword.name == value) {
            return keyword.value;
        }
    }
    return -1;
}

// The keyword value of one declaration, or -1 when it is not one we use.
std::int8_t KeywordValue(CssProperty property, std::string_view value) {
    switch (property) {
        case CssProperty::kDisplay:
            return FindKeyword(kDisplayKeywords, value);
        case CssProperty::kVisibility:
            return FindKeyword(kVisibilityKeywords, value);
        case CssProperty::kWhiteSpace:
            return FindKeyword(kWhiteSpaceKeywords, value);
        case CssProperty::kTextTransform:
            return FindKeyword(kTextTransformKeywords, value);
        case CssProperty::kFloat:
            return FindKeyword(kFloatKeywords, value);
        case CssProperty::kPosition:
            return FindKeyword(kPositionKeywords, value);
        default:
            return -1;
    }
}

bool PropertyByName(std::string_view name, CssProperty* property) {
    if (name == "display") {
        *property = CssProperty::kDisplay;
    } else if (name == "visibility") {
        *property = CssProperty::kVisibility;
    } else if (name == "white-space") {
        *property = CssProperty::kWhiteSpace;
    } else if (name == "text-transform") {
        *property = CssProperty::kTextTransform;
    } else if (name == "float") {
        *property = CssProperty::kFloat;
    } else if (name == "position") {
        *property = CssProperty::kPosition;
    } else {
        return false;
    }
    return true;
}

void ApplyDeclaration(std::string_view declaration, CssDeclarations* out) {
    const std::size_t colon = declaration.find(':');
    if (colon == std::string_view::npos) {
        return;
    }
    CssProperty property;
    if (!PropertyByName(LowerAsciiCopy(TrimHtmlWhiteSpace(declaration.substr(0, colon))),
                        &property)) {
        return;
    }
    std::string value = LowerAsciiCopy(TrimHtmlWhiteSpace(declaration.substr(colon + 1)));
    bool important = false;
    const std::size_t bang = value.find('!');
    if (bang != std::string::npos) {
        important = TrimHtmlWhiteSpace(std::string_view(value).substr(bang + 1)) == "important";
        value = std::string(TrimHtmlWhiteSpace(std::string_view(value).substr(0, bang)));
    }
    const std::int8_t keyword = KeywordValue(property, value);
    CssSlot& slot = out->slots[static_cast<int>(property)];
    if (keyword < 0 || (slot.important && !important)) {
        return;
    }
    slot.value = keyword;
    slot.important = important;
}

// Reads "[hidden]" (white space inside, the name in any case) from just
// after its "["; the only attribute selector whose answer the document
// keeps. False for any other.
bool ParseHiddenAttribute(std::string_view text, std::size_t* pos, CssCompound* out) {
    const std::size_t close = text.find(']', *pos);
    if (close == std::string_view::npos ||
        !EqualsIgnoringAsciiCase(TrimHtmlWhiteSpace(text.substr(*pos, close - *pos)), "hidden")) {
        return false;
    }
    *pos = close + 1;
    out->hiddenAttribute = true;
    return true;
}

// Parses one compound ("div.note#top", "[hidden]"); false for anything else.
bool ParseCompound(std::string_view text, bool foldCase, CssCompound* out) {
    std::size_t pos = 0;
    while (pos < text.size() && IsCssNameByte(text[pos])) {
        ++pos;
    }
    out->tag = LowerAsciiCopy(text.substr(0, pos));
    while (pos < text.size()) {
        const char kind = text[pos++];
        if (kind == '[') {
            if (!ParseHiddenAttribute(text, &pos, out)) {
                return false;
            }
            continue;
        }
        const std::size_t start = pos;
        while (pos < text.size() && IsCssNameByte(text[pos])) {
            ++pos;
        }
        if (pos == start || (kind != '.' && kind != '#')) {
            return false;
        }
        std::string name(text.substr(start, pos - start));
        if (foldCase) {
            name = LowerAsciiCopy(name);
        }
        if (kind == '.') {
            out->classes.push_back(std::move(name));
        } else {
            out->id = std::move(name);
        }
    }
    return !out->tag.empty() || !out->classes.empty() || !out->id.empty() || out->hiddenAttribute;
}

// Takes a pseudo-element off the end of the selector's subject.
std::string_view TakePseudoElement(std::string_view text, CssPseudo* pseudo) {
    for (const PseudoName& name : kPseudoNames) {
        if (text.size() > name.name.size() &&
            EqualsIgnoringAsciiCase(text.substr(text.size() - name.name.size()), name.name)) {
            *pseudo = name.pseudo;
            text.remove_suffix(name.name.size());
            return text;
        }
    }
    return text;
}

bool ParseSelector(std::string_view text, bool foldCase, CssRule* rule) {
    text = TakePseudoElement(text, &rule->pseudo);
    std::uint32_t ids = 0;
    std::uint32_t classes = 0;
    std::uint32_t tags = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && IsHtmlWhiteSpace(text[pos])) {
            ++pos;
        }
        const std::size_t start = pos;
        bool inBrackets = false;  // "[ hidden ]" is one compound
        while (pos < text.size() && (inBrackets || !IsHtmlWhiteSpace(text[pos]))) {
            inBrackets = text[pos] == '[' || (inBrackets && text[pos] != ']');
            ++pos;
        }
        if (pos == start) {
            break;
        }
        CssCompound compound;
        if (rule->compounds.size() >= kMaxSelectorCompounds ||
            !ParseCompound(text.substr(start, pos - start), foldCase, &compound)) {
            return false;
        }
        ids += compound.id.empty() ? 0 : 1;
        classes += static_cast<std::uint32_t>(compound.classes.size()) +
                   (compound.hiddenAttribute ? 1 : 0);
        tags += compound.tag.empty() ? 0 : 1;
        rule->compounds.push_back(std::move(compound));
    }
    rule->specificity = (std::min(ids, kMaxSpecificityPart) << 16) |
                        (std::min(classes, kMaxSpecificityPart) << 8) |
                        std::min(tags, kMaxSpecificityPart);
    return !rule->compounds.empty();
}

void AddRules(std::string_view prelude, std::string_view block, bool foldCase,
              std::vector<CssRule>* rules) {
    const CssDeclarations declarations = ParseCssDeclarations(block);
    if (declarations.Empty()) {
        return;
    }
    std::size_t pos = 0;
    while (pos <= prelude.size() && rules->size() < kMaxStyleRules) {
        std::size_t comma = prelude.find(',', pos);
        if (comma == std::string_view::npos) {
            comma = prelude.size();
        }
        CssRule rule;
        if (ParseSelector(TrimHtmlWhiteSpace(prelude.substr(pos, comma - pos)), foldCase, &rule)) {
            rule.order = static_cast<std::uint32_t>(rules->size());
            rule.declarations = declarations;
            rules->push_back(std::move(rule));
        }
        pos = comma + 1;
    }
}

// The query list of an "@media" prelude; false for other at-rules.
bool MediaQueryOf(std::string_view prelude, std::string_view* query) {
    const std::size_t nameEnd = SkipCssName(prelude, 1);
    if (!EqualsIgnoringAsciiCase(prelude.substr(1, nameEnd - 1), "media")) {
        return false;
    }
    *query = prelude.substr(nameEnd);
    return true;
}

// Appends the rules of a comment-free sheet, or of the block of an @media
// rule `depth` deep, in order, so that later rules win as in the cascade.
// An @media block whose query matches the screen adds its rules where it
// stands; other @media blocks and other at-rules (@supports, @layer,
// @font-face, ...) add none, which can only show more text.
void AddSheetRules(std::string_view sheet, bool nested, bool foldCase, int depth,
                   std::vector<CssRule>* rules) {
    CssRuleReader reader(sheet, nested);
    CssRuleText rule;
    std::string_view query;
    while (rules->size() < kMaxStyleRules && reader.Next(&rule)) {
        if (!rule.atRule) {
            AddRules(rule.prelude, rule.block, foldCase, rules);
        } else if (depth < kMaxMediaBlockNesting && MediaQueryOf(rule.prelude, &query) &&
                   CssMediaMatchesScreen(query)) {
            AddSheetRules(rule.block, true, foldCase, depth + 1, rules);
        }
    }
}

}  // namespace

bool CssDeclarations::Empty() const {
    for (const CssSlot& slot : slots) {
        if (slot.value >= 0) {
            return false;
        }
    }
    return true;
}

CssDeclarations ParseCssDeclarations(std::string_view text) {
    CssDeclarations out;
    CssDeclarationReader reader(text);
    std::string_view declaration;
    while (reader.Next(&declaration)) {
        ApplyDeclaration(declaration, &out);
    }
    return out;
}

void ParseCssStyleSheet(std::string_view sheetText, bool foldCase, std::vector<CssRule>* rules) {
    const std::string sheet = WithoutCssComments(sheetText);
    AddSheetRules(sheet, false, foldCase, 0, rules);
}

}  // namespace vellumo
