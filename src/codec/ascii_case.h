#pragma once
// ASCII case-insensitive comparison for codec and field names.

#include <string_view>

namespace vellumo {

[[nodiscard]] inline unsigned char ToAsciiLower(unsigned char byte) {
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}

[[nodiscard]] inline bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (ToAsciiLower(static_cast<unsigned char>(a[i])) !=
            ToAsciiLower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace vellumo
