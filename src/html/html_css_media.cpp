#include "html/html_css_media.h"

#include <string>
#include <vector>

#include "html/html_css_media_features.h"
#include "html/html_css_syntax.h"
#include "html/html_css_tokens.h"
#include "platform/ascii_case.h"

namespace vellumo {
namespace {

// One media query of a list, read by its grammar:
//   <media-condition> | [not | only]? <media-type> [and <media-condition-without-or>]?
class QueryReader {
  public:
    QueryReader(const CssToken* begin, const CssToken* end) : pos_(begin), end_(end) {}

    // A query that does not parse is "not all".
    [[nodiscard]] bool Matches() {
        Kleene result = Kleene::kFalse;
        if (pos_ == end_) {
            valid_ = false;
        } else if (pos_->kind == CssTokenKind::kOpen || pos_->kind == CssTokenKind::kFunction ||
                   (AtWord("not") && pos_ + 1 != end_ && pos_[1].kind == CssTokenKind::kOpen)) {
            result = Condition(true, 0);
        } else {
            result = TypedQuery();
        }
        return valid_ && pos_ == end_ && result == Kleene::kTrue;
    }

  private:
    [[nodiscard]] bool AtWord(std::string_view word) const {
        return pos_ != end_ && pos_->kind == CssTokenKind::kIdent &&
               EqualsIgnoringAsciiCase(pos_->text, word);
    }

    Kleene TypedQuery() {
        const bool negated = AtWord("not");
        if (negated || AtWord("only")) {
            ++pos_;
        }
        if (pos_ == end_ || pos_->kind != CssTokenKind::kIdent || AtWord("only") || AtWord("not") ||
            AtWord("and") || AtWord("or") || AtWord("layer")) {
            valid_ = false;
            return Kleene::kFalse;
        }
        // Types other than these (print, speech, the old tty, tv, ...)
        // are valid and match nothing here.
        Kleene result = KleeneFrom(AtWord("all") || AtWord("screen"));
        ++pos_;
        if (pos_ != end_) {
            if (!AtWord("and")) {
                valid_ = false;
                return Kleene::kFalse;
            }
            ++pos_;
            result = KleeneAnd(result, Condition(false, 0));
        }
        return negated ? KleeneNot(result) : result;
    }

    // "not (...)", or "(...)" joined by "and" or (where allowed) by "or",
    // never both.
    Kleene Condition(bool allowOr, int depth) {
        if (AtWord("not")) {
            ++pos_;
            return KleeneNot(InParens(depth));
        }
        Kleene result = InParens(depth);
        const bool conjunction = AtWord("and");
        if (!conjunction && !(allowOr && AtWord("or"))) {
            return result;
        }
        const std::string_view word = conjunction ? "and" : "or";
        while (AtWord(word)) {
            ++pos_;
            const Kleene next = InParens(depth);
            result = conjunction ? KleeneAnd(result, next) : KleeneOr(result, next);
        }
        return result;
    }

    // The bracket that closes the one at `open`; `end_` when none does
    // (the end of the text closes it).
    [[nodiscard]] const CssToken* FindClose(const CssToken* open) const {
        int depth = 0;
        for (const CssToken* t = open; t != end_; ++t) {
            if (t->kind == CssTokenKind::kOpen || t->kind == CssTokenKind::kFunction) {
                ++depth;
            } else if (t->kind == CssTokenKind::kClose && --depth == 0) {
                return t;
            }
        }
        return end_;
    }

    // "( condition )", "( feature )", or anything else in brackets, which
    // is unknown.
    Kleene InParens(int depth) {
        if (pos_ == end_ ||
            (pos_->kind != CssTokenKind::kOpen && pos_->kind != CssTokenKind::kFunction)) {
            valid_ = false;
            return Kleene::kFalse;
        }
        const CssToken* inner = pos_ + 1;
        const CssToken* close = FindClose(pos_);
        const bool function = pos_->kind == CssTokenKind::kFunction;
        pos_ = close == end_ ? end_ : close + 1;
        if (function || inner >= close || depth >= kMaxMediaNesting) {
            return Kleene::kUnknown;
        }
        if (inner->kind == CssTokenKind::kOpen || inner->kind == CssTokenKind::kFunction ||
            (inner->kind == CssTokenKind::kIdent && EqualsIgnoringAsciiCase(inner->text, "not"))) {
            QueryReader nested(inner, close);
            const Kleene result = nested.Condition(true, depth + 1);
            return nested.valid_ && nested.pos_ == close ? result : Kleene::kUnknown;
        }
        return EvaluateMediaFeature(inner, close);
    }

    const CssToken* pos_;
    const CssToken* end_;
    bool valid_ = true;
};

}  // namespace

bool CssMediaMatchesScreen(std::string_view mediaQueryList) {
    if (mediaQueryList.size() > kMaxMediaListBytes) {
        return false;
    }
    const std::string text = WithoutCssComments(mediaQueryList);
    const std::vector<CssToken> tokens = TokenizeCss(text);
    if (tokens.empty()) {
        return true;
    }
    // Queries are split at the commas outside brackets; each stands alone.
    const CssToken* start = tokens.data();
    const CssToken* const end = tokens.data() + tokens.size();
    int depth = 0;
    for (const CssToken* t = start; t != end; ++t) {
        if (t->kind == CssTokenKind::kOpen || t->kind == CssTokenKind::kFunction) {
            ++depth;
        } else if (t->kind == CssTokenKind::kClose && depth > 0) {
            --depth;
        } else if (t->kind == CssTokenKind::kComma && depth == 0) {
            if (QueryReader(start, t).Matches()) {
                return true;
            }
            start = t + 1;
        }
    }
    return QueryReader(start, end).Matches();
}

}  // namespace vellumo
