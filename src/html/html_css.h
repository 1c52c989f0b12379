// The little CSS the renderer needs: the declarations that decide whether
// and how text is rendered (display, visibility, white-space,
// text-transform, and float and position, which make a box a block), from
// style attributes and from the rules of style elements whose selectors
// are simple (type, .class, #id, [hidden], their compounds and descendant
// combinations). The sheet is cut into rules as a browser's CSS parser
// cuts it (html_css_syntax.h). The rules of an @media block count when its
// query matches the renderer's screen (html_css_media.h); rules inside
// other at-rules are ignored, as are rules with any other selector. Never
// fails on any input.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "html/html_tags.h"

namespace vellumo {

constexpr std::size_t kMaxStyleRules = 2048;
constexpr std::size_t kMaxSelectorCompounds = 16;
// @media blocks nested deeper than this add no rules.
constexpr int kMaxMediaBlockNesting = 8;

enum class CssProperty {
    kDisplay,
    kVisibility,
    kWhiteSpace,
    kTextTransform,
    kFloat,
    kPosition,
    kCount
};

enum class CssVisibility : std::int8_t { kVisible, kHidden };
enum class CssWhiteSpace : std::int8_t { kNormal, kNoWrap, kPre, kPreWrap, kPreLine };
enum class CssTextTransform : std::int8_t { kNone, kUppercase, kLowercase, kCapitalize };
// Whether float or position take the box out of the normal flow.
enum class CssFlow : std::int8_t { kInFlow, kOutOfFlow };
// The pseudo-element a rule styles: only text-transform is read from such rules.
enum class CssPseudo : std::int8_t { kNone, kFirstLine, kFirstLetter };

// One declared value: `value` is the enum value of the property, -1 when
// the property is not declared.
struct CssSlot {
    std::int8_t value = -1;
    bool important = false;
};

struct CssDeclarations {
    CssSlot slots[static_cast<int>(CssProperty::kCount)];

    [[nodiscard]] const CssSlot& Get(CssProperty p) const { return slots[static_cast<int>(p)]; }
    [[nodiscard]] bool Empty() const;
};

// Parses a declaration block ("display: none; color: red"). Later
// declarations win, "!important" ones over the others.
[[nodiscard]] CssDeclarations ParseCssDeclarations(std::string_view text);

// A compound selector: an optional type name, any classes and id, and
// "[hidden]".
struct CssCompound {
    std::string tag;  // lower case; empty for any element
    std::vector<std::string> classes;
    std::string id;
    bool hiddenAttribute = false;  // [hidden]: the element has the attribute
};

struct CssRule {
    std::vector<CssCompound> compounds;  // ancestors first, the subject last
    std::uint32_t specificity = 0;
    std::uint32_t order = 0;
    CssPseudo pseudo = CssPseudo::kNone;  // "::first-line", ":first-letter", ...
    CssDeclarations declarations;
};

// Appends the usable rules of `sheet` to `rules`. With `foldCase` (quirks
// mode) class and id names are lower-cased so they compare without case.
void ParseCssStyleSheet(std::string_view sheet, bool foldCase, std::vector<CssRule>* rules);

}  // namespace vellumo
