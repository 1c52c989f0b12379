#pragma once
// The ASCII character classes the web's standards name ("ASCII digit",
// "ASCII alpha", "ASCII alphanumeric"). A byte outside ASCII is in none of
// them, whatever the charset or the system's locale says.

namespace vellumo {

[[nodiscard]] constexpr bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

[[nodiscard]] constexpr bool IsAsciiAlpha(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

[[nodiscard]] constexpr bool IsAsciiAlphaNumeric(char c) {
    return IsAsciiAlpha(c) || IsAsciiDigit(c);
}

}  // namespace vellumo
