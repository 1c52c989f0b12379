#include "html/html_css_tokens.h"

#include <algorithm>
#include <cmath>

#include "html/html_css_syntax.h"
#include "html/html_white_space.h"
#include "platform/ascii_class.h"

namespace vellumo {
namespace {

// Past this a number is infinite or zero anyway.
constexpr int kMaxExponent = 400;

bool StartsNumber(std::string_view text, std::size_t pos) {
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        ++pos;
    }
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
    }
    return pos < text.size() && IsAsciiDigit(text[pos]);
}

// A CSS number from `*pos`, which StartsNumber accepted.
double ReadNumber(std::string_view text, std::size_t* pos, bool* integer) {
    double sign = 1;
    if (text[*pos] == '+' || text[*pos] == '-') {
        sign = text[(*pos)++] == '-' ? -1 : 1;
    }
    double value = 0;
    while (*pos < text.size() && IsAsciiDigit(text[*pos])) {
        value = value * 10 + (text[(*pos)++] - '0');
    }
    *integer = true;
    if (*pos + 1 < text.size() && text[*pos] == '.' && IsAsciiDigit(text[*pos + 1])) {
        *integer = false;
        double scale = 0.1;
        for (++*pos; *pos < text.size() && IsAsciiDigit(text[*pos]); ++*pos, scale /= 10) {
            value += (text[*pos] - '0') * scale;
        }
    }
    const std::size_t e = *pos;
    const bool signedExponent = e + 1 < text.size() && (text[e + 1] == '-' || text[e + 1] == '+');
    std::size_t digits = e + (signedExponent ? 2 : 1);
    if (e < text.size() && (text[e] == 'e' || text[e] == 'E') && digits < text.size() &&
        IsAsciiDigit(text[digits])) {
        int exponent = 0;
        for (; digits < text.size() && IsAsciiDigit(text[digits]); ++digits) {
            exponent = std::min(exponent * 10 + (text[digits] - '0'), kMaxExponent);
        }
        value *= std::pow(10.0, text[e + 1] == '-' ? -exponent : exponent);
        *pos = digits;
        *integer = false;
    }
    return sign * value;
}

CssToken ReadToken(std::string_view text, std::size_t* pos) {
    CssToken token;
    const std::size_t start = *pos;
    const char c = text[start];
    if (StartsNumber(text, start)) {
        token.number = ReadNumber(text, pos, &token.integer);
        token.kind = CssTokenKind::kNumber;
        if (StartsCssIdent(text, *pos)) {
            const std::size_t unit = *pos;
            *pos = SkipCssName(text, unit);
            token.kind = CssTokenKind::kDimension;
            token.text = text.substr(unit, *pos - unit);
        } else if (*pos < text.size() && text[*pos] == '%') {
            ++*pos;
            token.kind = CssTokenKind::kOther;
        }
        return token;
    }
    if (StartsCssIdent(text, start)) {
        *pos = SkipCssName(text, start);
        token.text = text.substr(start, *pos - start);
        token.kind = CssTokenKind::kIdent;
        if (*pos < text.size() && text[*pos] == '(') {
            ++*pos;
            token.kind = CssTokenKind::kFunction;
        }
        return token;
    }
    ++*pos;
    switch (c) {
        case '(':
            token.kind = CssTokenKind::kOpen;
            break;
        case ')':
            token.kind = CssTokenKind::kClose;
            break;
        case ':':
            token.kind = CssTokenKind::kColon;
            break;
        case '/':
            token.kind = CssTokenKind::kSlash;
            break;
        case ',':
            token.kind = CssTokenKind::kComma;
            break;
        case '<':
        case '>':
        case '=':
            if (c != '=' && *pos < text.size() && text[*pos] == '=') {
                ++*pos;
            }
            token.kind = CssTokenKind::kCompare;
            token.text = text.substr(start, *pos - start);
            break;
        case '"':
        case '\'':
            while (*pos < text.size() && text[*pos] != c && text[*pos] != '\n') {
                *pos += text[*pos] == '\\' ? 2 : 1;
            }
            *pos = std::min(*pos + 1, text.size());
            break;
        default:
            break;
    }
    return token;
}

}  // namespace

std::vector<CssToken> TokenizeCss(std::string_view text) {
    std::vector<CssToken> tokens;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (IsHtmlWhiteSpace(text[pos])) {
            ++pos;
        } else {
            tokens.push_back(ReadToken(text, &pos));
        }
    }
    return tokens;
}

}  // namespace vellumo
