#pragma once
// Comparisons that ignore the case of ASCII letters only, as MIME names,
// media types, INI keys and Windows device names compare; other bytes compare
// exactly.

#include <string>
#include <string_view>

namespace vellumo {

[[nodiscard]] constexpr char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

[[nodiscard]] constexpr bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

// A copy with the ASCII letters in lower case.
[[nodiscard]] inline std::string LowerAsciiCopy(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = LowerAscii(c);
    }
    return out;
}

[[nodiscard]] constexpr bool StartsWithIgnoringAsciiCase(std::string_view text,
                                                         std::string_view prefix) {
    return text.size() >= prefix.size() &&
           EqualsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace vellumo
