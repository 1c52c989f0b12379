#include "html/engine/html_offline_css.h"

#include "html/html_css_syntax.h"
#include "html/html_white_space.h"
#include "platform/ascii_case.h"

namespace vellumo {
namespace {

constexpr std::string_view kBindingProperties[] = {"behavior", "-ms-behavior", "-moz-binding"};

bool IsListed(std::string_view name, const std::string_view* list, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        if (EqualsIgnoringAsciiCase(name, list[i])) {
            return true;
        }
    }
    return false;
}

// Step 1 and 5: without comments, backslashes, control characters, "<" and
// "&".
std::string Simplified(std::string_view css) {
    std::string out;
    out.reserve(css.size());
    for (std::size_t i = 0; i < css.size(); ++i) {
        const char c = css[i];
        if (c == '/' && i + 1 < css.size() && css[i + 1] == '*') {
            const std::size_t end = css.find("*/", i + 2);
            i = end == std::string_view::npos ? css.size() : end + 1;
            continue;
        }
        const bool control = static_cast<unsigned char>(c) < 0x20 && !IsHtmlWhiteSpace(c);
        if (c != '\\' && c != '<' && c != '&' && c != 0x7F && !control) {
            out += c;
        }
    }
    return out;
}

// The index just past the group that opens at `open` ("(" or "{"), quotes
// and nesting respected; the end of the text when it is not closed.
std::size_t GroupEnd(std::string_view css, std::size_t open) {
    const char opening = css[open];
    const char closing = opening == '(' ? ')' : '}';
    std::size_t depth = 0;
    char quote = 0;
    for (std::size_t i = open; i < css.size(); ++i) {
        const char c = css[i];
        if (quote != 0) {
            quote = c == quote ? 0 : quote;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == opening) {
            ++depth;
        } else if (c == closing && --depth == 0) {
            return i + 1;
        }
    }
    return css.size();
}

// The index just past the at-rule at `at`: its prelude up to ";" or its
// block.
std::size_t AtRuleEnd(std::string_view css, std::size_t at) {
    for (std::size_t i = at; i < css.size(); ++i) {
        if (css[i] == ';') {
            return i + 1;
        }
        if (css[i] == '{') {
            return GroupEnd(css, i);
        }
    }
    return css.size();
}

std::size_t NameEnd(std::string_view css, std::size_t start) {
    while (start < css.size() && IsCssNameByte(css[start])) {
        ++start;
    }
    return start;
}

// Steps 2 to 4 for the name at [start, end): appends what stays and returns
// where scanning goes on.
std::size_t AppendName(std::string_view css, std::size_t start, std::size_t end, std::string* out) {
    const std::string_view name = css.substr(start, end - start);
    std::size_t next = end;
    while (next < css.size() && IsHtmlWhiteSpace(css[next])) {
        ++next;
    }
    if (next < css.size() && css[next] == '(' &&
        !IsListed(name, kOfflineCssFunctions, std::size(kOfflineCssFunctions))) {
        *out += "none";
        return GroupEnd(css, next);
    }
    if (IsListed(name, kBindingProperties, std::size(kBindingProperties))) {
        *out += "inert-";
    }
    out->append(name);
    return end;
}

}  // namespace

std::string MakeCssOffline(std::string_view input) {
    const std::string css = Simplified(input);
    std::string out;
    out.reserve(css.size());
    std::size_t i = 0;
    while (i < css.size()) {
        const char c = css[i];
        if (c == '@') {
            const std::size_t end = NameEnd(css, i + 1);
            if (EqualsIgnoringAsciiCase(std::string_view(css).substr(i + 1, end - i - 1),
                                        "media")) {
                out += "@media";
                i = end;
            } else {
                i = AtRuleEnd(css, i);
            }
        } else if (IsCssNameByte(c)) {
            i = AppendName(css, i, NameEnd(css, i), &out);
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

}  // namespace vellumo
