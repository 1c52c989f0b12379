// CSS tokens for the small grammars read token by token (media queries):
// identifiers, numbers and dimensions, brackets and comparisons, as CSS
// Syntax Level 3 tokenizes them; white space is dropped and anything else
// is one kOther token (a string whole). Never fails on any input.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace vellumo {

enum class CssTokenKind : std::uint8_t {
    kIdent,
    kNumber,
    kDimension,
    kFunction,  // "name(": opens like "(" and holds what no grammar here reads
    kOpen,
    kClose,
    kColon,
    kSlash,
    kComma,
    kCompare,  // "<", "<=", ">", ">=", "="
    kOther,
};

struct CssToken {
    CssTokenKind kind = CssTokenKind::kOther;
    std::string_view text;  // an ident's or function's name, a unit, a comparison
    double number = 0;      // kNumber and kDimension
    bool integer = false;   // ... written without a fraction or exponent
};

// The tokens of comment-free text (WithoutCssComments); their views point
// into `text`.
[[nodiscard]] std::vector<CssToken> TokenizeCss(std::string_view text);

}  // namespace vellumo
