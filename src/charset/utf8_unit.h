#pragma once
// Whole characters of UTF-8 text, so that encoded words never split one.

#include <cstdint>

namespace vellumo {

constexpr int32_t kMaxUtf8UnitLength = 4;

// The length of the character that starts at text[i]: its lead byte's
// sequence length, cut short at the first byte that is not a continuation
// byte or at the end. A stray continuation byte or invalid lead byte is a
// unit of its own. Always at least 1 when i < length.
[[nodiscard]] inline int32_t Utf8UnitLength(const uint8_t* text, int32_t i, int32_t length) {
    const uint8_t lead = text[i];
    int32_t expected = 1;
    if (lead >= 0xF0 && lead <= 0xF7) {
        expected = 4;
    } else if (lead >= 0xE0) {
        expected = lead <= 0xEF ? 3 : 1;
    } else if (lead >= 0xC0) {
        expected = 2;
    }
    int32_t unit = 1;
    while (unit < expected && i + unit < length && (text[i + unit] & 0xC0) == 0x80) {
        ++unit;
    }
    return unit;
}

}  // namespace vellumo
