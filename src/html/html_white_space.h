// HTML's white space: space, tab, line feed, form feed and carriage return
// (vertical tab is not one). The tokenizer, the tree builder, CSS values,
// class lists, doctype tokens and text collapsing all split on this one set.
#pragma once

#include <string_view>

namespace vellumo {

[[nodiscard]] constexpr bool IsHtmlWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
}

// True for the empty text too.
[[nodiscard]] constexpr bool IsHtmlWhiteSpaceOnly(std::string_view text) {
    for (char c : text) {
        if (!IsHtmlWhiteSpace(c)) {
            return false;
        }
    }
    return true;
}

// `text` without the white space at either end.
[[nodiscard]] constexpr std::string_view TrimHtmlWhiteSpace(std::string_view text) {
    while (!text.empty() && IsHtmlWhiteSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsHtmlWhiteSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace vellumo
