#include "html/html_css_media_features.h"

#include <optional>
#include <string>
#include <string_view>

#include "platform/ascii_case.h"

namespace vellumo {
namespace {

enum class ValueType : std::uint8_t { kLength, kRatio, kResolution, kInteger, kNumber, kKeyword };

struct MediaFeature {
    std::string_view name;
    ValueType type;
    bool range;                 // takes min-/max- and the range forms
    double value;               // numeric types: the screen's, in px, dppx or as a ratio
    std::string_view keyword;   // kKeyword: the screen's value
    std::string_view keywords;  // kKeyword: every valid value, each followed by a space
};

constexpr double kScreenAspectRatio = kScreenWidthPx / kScreenHeightPx;

constexpr MediaFeature kMediaFeatures[] = {
    {"width", ValueType::kLength, true, kScreenWidthPx, {}, {}},
    {"height", ValueType::kLength, true, kScreenHeightPx, {}, {}},
    {"device-width", ValueType::kLength, true, kScreenWidthPx, {}, {}},
    {"device-height", ValueType::kLength, true, kScreenHeightPx, {}, {}},
    {"aspect-ratio", ValueType::kRatio, true, kScreenAspectRatio, {}, {}},
    {"device-aspect-ratio", ValueType::kRatio, true, kScreenAspectRatio, {}, {}},
    {"resolution", ValueType::kResolution, true, kScreenPixelRatio, {}, {}},
    {"-webkit-device-pixel-ratio", ValueType::kNumber, true, kScreenPixelRatio, {}, {}},
    {"color", ValueType::kInteger, true, kScreenColorBits, {}, {}},
    {"color-index", ValueType::kInteger, true, 0, {}, {}},
    {"monochrome", ValueType::kInteger, true, 0, {}, {}},
    {"grid", ValueType::kInteger, false, 0, {}, {}},
    {"orientation", ValueType::kKeyword, false, 0, "landscape", "portrait landscape "},
    {"hover", ValueType::kKeyword, false, 0, "hover", "none hover "},
    {"any-hover", ValueType::kKeyword, false, 0, "hover", "none hover "},
    {"pointer", ValueType::kKeyword, false, 0, "fine", "none coarse fine "},
    {"any-pointer", ValueType::kKeyword, false, 0, "fine", "none coarse fine "},
    {"prefers-color-scheme", ValueType::kKeyword, false, 0, "light", "light dark "},
    {"prefers-reduced-motion", ValueType::kKeyword, false, 0, "no-preference",
     "no-preference reduce "},
    {"prefers-reduced-transparency", ValueType::kKeyword, false, 0, "no-preference",
     "no-preference reduce "},
    {"prefers-contrast", ValueType::kKeyword, false, 0, "no-preference",
     "no-preference less more custom "},
    {"forced-colors", ValueType::kKeyword, false, 0, "none", "none active "},
    {"inverted-colors", ValueType::kKeyword, false, 0, "none", "none inverted "},
    {"color-gamut", ValueType::kKeyword, false, 0, "srgb", "srgb p3 rec2020 "},
    {"dynamic-range", ValueType::kKeyword, false, 0, "standard", "standard high "},
    {"display-mode", ValueType::kKeyword, false, 0, "browser",
     "fullscreen standalone minimal-ui browser picture-in-picture "},
    {"update", ValueType::kKeyword, false, 0, "fast", "none slow fast "},
    {"overflow-block", ValueType::kKeyword, false, 0, "scroll", "none scroll paged "},
    {"overflow-inline", ValueType::kKeyword, false, 0, "scroll", "none scroll "},
    {"scripting", ValueType::kKeyword, false, 0, "none", "none initial-only enabled "},
};

struct LengthUnit {
    std::string_view name;
    double px;
};

// Font-relative units at the initial font size; viewport units of the screen.
constexpr LengthUnit kLengthUnits[] = {
    {"px", 1},
    {"em", 16},
    {"rem", 16},
    {"ex", 8},
    {"ch", 8},
    {"pt", 96.0 / 72},
    {"pc", 16},
    {"in", 96},
    {"cm", 96 / 2.54},
    {"mm", 96 / 25.4},
    {"q", 96 / 101.6},
    {"vw", kScreenWidthPx / 100},
    {"vh", kScreenHeightPx / 100},
};

enum class Bound : std::uint8_t { kExact, kMin, kMax };

// The feature a name in a query refers to, with its min-/max- prefix.
const MediaFeature* FindFeature(std::string_view name, Bound* bound) {
    *bound = Bound::kExact;
    std::string lower = LowerAsciiCopy(name);
    for (const char* vendor : {"", "-webkit-"}) {
        const std::string min = std::string(vendor) + "min-";
        const std::string max = std::string(vendor) + "max-";
        if (lower.compare(0, min.size(), min) == 0) {
            *bound = Bound::kMin;
            lower = vendor + lower.substr(min.size());
            break;
        }
        if (lower.compare(0, max.size(), max) == 0) {
            *bound = Bound::kMax;
            lower = vendor + lower.substr(max.size());
            break;
        }
    }
    for (const MediaFeature& feature : kMediaFeatures) {
        if (feature.name == lower) {
            return *bound == Bound::kExact || feature.range ? &feature : nullptr;
        }
    }
    return nullptr;
}

bool IsKeywordOf(const MediaFeature& feature, std::string_view word) {
    const std::string wanted = LowerAsciiCopy(word) + " ";
    const std::size_t at = feature.keywords.find(wanted);
    return at != std::string_view::npos && (at == 0 || feature.keywords[at - 1] == ' ');
}

// A numeric value of the feature's type, from the tokens [begin, end).
std::optional<double> ReadValue(const MediaFeature& feature, const CssToken* begin,
                                const CssToken* end) {
    const std::size_t count = static_cast<std::size_t>(end - begin);
    const CssToken& first = *begin;
    const bool number = count == 1 && first.kind == CssTokenKind::kNumber;
    switch (feature.type) {
        case ValueType::kLength:
            if (number && first.number == 0) {
                return 0.0;
            }
            for (const LengthUnit& unit : kLengthUnits) {
                if (count == 1 && first.kind == CssTokenKind::kDimension &&
                    EqualsIgnoringAsciiCase(first.text, unit.name)) {
                    return first.number * unit.px;
                }
            }
            return std::nullopt;
        case ValueType::kRatio:
            if (count == 3 && first.kind == CssTokenKind::kNumber &&
                begin[1].kind == CssTokenKind::kSlash && begin[2].kind == CssTokenKind::kNumber &&
                first.number >= 0 && begin[2].number > 0) {
                return first.number / begin[2].number;
            }
            return number && first.number >= 0 ? std::optional<double>(first.number) : std::nullopt;
        case ValueType::kResolution:
            if (count == 1 && first.kind == CssTokenKind::kDimension) {
                const std::string unit = LowerAsciiCopy(first.text);
                if (unit == "dppx" || unit == "x") {
                    return first.number;
                }
                if (unit == "dpi" || unit == "dpcm") {
                    return first.number * (unit == "dpi" ? 1 : 2.54) / 96;
                }
            }
            return std::nullopt;
        case ValueType::kInteger:
            return number && first.integer ? std::optional<double>(first.number) : std::nullopt;
        case ValueType::kNumber:
            return number ? std::optional<double>(first.number) : std::nullopt;
        default:
            return std::nullopt;
    }
}

// `screen op value`, where op is "<", "<=", ">", ">=" or "=".
bool Compare(double screen, std::string_view op, double value) {
    if (op == "<") {
        return screen < value;
    }
    if (op == "<=") {
        return screen <= value;
    }
    if (op == ">") {
        return screen > value;
    }
    if (op == ">=") {
        return screen >= value;
    }
    return screen == value;
}

// The comparison seen from the other side: "a < b" is "b > a".
std::string_view Flipped(std::string_view op) {
    if (op[0] == '<') {
        return op.size() == 2 ? ">=" : ">";
    }
    if (op[0] == '>') {
        return op.size() == 2 ? "<=" : "<";
    }
    return op;
}

// A feature in parentheses, "(name)", "(name: value)" or a range form,
// from the tokens inside them.
class FeatureReader {
  public:
    FeatureReader(const CssToken* begin, const CssToken* end) : begin_(begin), end_(end) {}

    [[nodiscard]] Kleene Evaluate() const {
        const std::size_t count = static_cast<std::size_t>(end_ - begin_);
        if (count == 1 && begin_->kind == CssTokenKind::kIdent) {
            return InBooleanContext(begin_->text);
        }
        if (count >= 3 && begin_->kind == CssTokenKind::kIdent &&
            begin_[1].kind == CssTokenKind::kColon) {
            return Plain(begin_->text, begin_ + 2);
        }
        return Range();
    }

  private:
    // "(hover)": true unless the screen's value is 0, none or no-preference.
    static Kleene InBooleanContext(std::string_view name) {
        Bound bound;
        const MediaFeature* feature = FindFeature(name, &bound);
        if (feature == nullptr || bound != Bound::kExact) {
            return Kleene::kUnknown;
        }
        if (feature->type != ValueType::kKeyword) {
            return KleeneFrom(feature->value != 0);
        }
        return KleeneFrom(feature->keyword != "none" && feature->keyword != "no-preference");
    }

    [[nodiscard]] Kleene Plain(std::string_view name, const CssToken* value) const {
        Bound bound;
        const MediaFeature* feature = FindFeature(name, &bound);
        if (feature == nullptr) {
            return Kleene::kUnknown;
        }
        if (feature->type == ValueType::kKeyword) {
            if (end_ - value != 1 || value->kind != CssTokenKind::kIdent ||
                !IsKeywordOf(*feature, value->text)) {
                return Kleene::kUnknown;
            }
            return KleeneFrom(EqualsIgnoringAsciiCase(value->text, feature->keyword));
        }
        const std::optional<double> given = ReadValue(*feature, value, end_);
        if (!given) {
            return Kleene::kUnknown;
        }
        const std::string_view op = bound == Bound::kMin ? ">=" : bound == Bound::kMax ? "<=" : "=";
        return KleeneFrom(Compare(feature->value, op, *given));
    }

    // "name op value", "value op name" or "value op name op value".
    [[nodiscard]] Kleene Range() const {
        const CssToken* ops[2] = {};
        int count = 0;
        for (const CssToken* t = begin_; t != end_; ++t) {
            if (t->kind == CssTokenKind::kCompare) {
                if (count == 2) {
                    return Kleene::kUnknown;
                }
                ops[count++] = t;
            }
        }
        if (count == 1) {
            const Kleene named = Side(begin_, ops[0], ops[0] + 1, end_, ops[0]->text);
            return named != Kleene::kUnknown
                       ? named
                       : Side(ops[0] + 1, end_, begin_, ops[0], Flipped(ops[0]->text));
        }
        const bool sameWay =
            count == 2 && ops[0]->text[0] == ops[1]->text[0] && ops[0]->text[0] != '=';
        if (!sameWay || ops[1] - ops[0] != 2) {
            return Kleene::kUnknown;
        }
        return KleeneAnd(Side(ops[0] + 1, ops[1], begin_, ops[0], Flipped(ops[0]->text)),
                         Side(ops[0] + 1, ops[1], ops[1] + 1, end_, ops[1]->text));
    }

    // "name op value" with the name in [name, nameEnd) and the value in
    // [value, valueEnd).
    static Kleene Side(const CssToken* name, const CssToken* nameEnd, const CssToken* value,
                       const CssToken* valueEnd, std::string_view op) {
        Bound bound;
        const MediaFeature* feature = nameEnd - name == 1 && name->kind == CssTokenKind::kIdent
                                          ? FindFeature(name->text, &bound)
                                          : nullptr;
        if (feature == nullptr || bound != Bound::kExact || !feature->range || value == valueEnd) {
            return Kleene::kUnknown;
        }
        const std::optional<double> given = ReadValue(*feature, value, valueEnd);
        return given ? KleeneFrom(Compare(feature->value, op, *given)) : Kleene::kUnknown;
    }

    const CssToken* begin_;
    const CssToken* end_;
};

}  // namespace

Kleene EvaluateMediaFeature(const CssToken* begin, const CssToken* end) {
    return FeatureReader(begin, end).Evaluate();
}

}  // namespace vellumo
