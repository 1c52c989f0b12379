// The media features of the screen the renderer stands for (the sizes in
// html_css_media.h) and the reading of one feature test against them.
#pragma once

#include <cstdint>

#include "html/html_css_media.h"
#include "html/html_css_tokens.h"

namespace vellumo {

// Media Queries' three values: a feature the screen does not know, or a
// value it cannot read, is unknown, and a query that stays unknown does
// not match.
enum class Kleene : std::uint8_t { kFalse, kTrue, kUnknown };

[[nodiscard]] inline Kleene KleeneFrom(bool value) {
    return value ? Kleene::kTrue : Kleene::kFalse;
}

[[nodiscard]] inline Kleene KleeneNot(Kleene value) {
    return value == Kleene::kUnknown ? value : KleeneFrom(value == Kleene::kFalse);
}

[[nodiscard]] inline Kleene KleeneAnd(Kleene a, Kleene b) {
    if (a == Kleene::kFalse || b == Kleene::kFalse) {
        return Kleene::kFalse;
    }
    return a == Kleene::kUnknown || b == Kleene::kUnknown ? Kleene::kUnknown : Kleene::kTrue;
}

[[nodiscard]] inline Kleene KleeneOr(Kleene a, Kleene b) {
    return KleeneNot(KleeneAnd(KleeneNot(a), KleeneNot(b)));
}

// The test inside one pair of parentheses, the tokens [begin, end):
// "(name)", "(name: value)", "(min-name: value)", "(name < value)",
// "(value < name < value)", ... An unknown feature or a value it does not
// take is unknown.
[[nodiscard]] Kleene EvaluateMediaFeature(const CssToken* begin, const CssToken* end);

}  // namespace vellumo
