#include "charset/unicode_text.h"

#include <cstdint>

#include "charset/charset.h"

namespace vellumo {
namespace {

std::uint32_t Unit(std::string_view bytes, std::size_t pos, std::size_t size, bool bigEndian) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[pos + (bigEndian ? i : size - 1 - i)]);
        value = (value << 8) | byte;
    }
    return value;
}

bool IsHighSurrogate(std::uint32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(std::uint32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

char32_t NextUtf8CodePoint(std::string_view text, std::size_t* pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(*pos);
    if (lead < 0x80) {
        ++*pos;
        return lead;
    }
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (*pos + length > text.size() || !IsValidUtf8(text.substr(*pos, length))) {
        ++*pos;
        return kReplacementCharacter;
    }
    char32_t value = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        value = (value << 6) | (byte(*pos + i) & 0x3F);
    }
    *pos += length;
    return value;
}

std::string DecodeUtf16(std::string_view bytes, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size());
    std::size_t pos = 0;
    while (pos + 2 <= bytes.size()) {
        const std::uint32_t unit = Unit(bytes, pos, 2, bigEndian);
        pos += 2;
        if (IsHighSurrogate(unit) && pos + 2 <= bytes.size() &&
            IsLowSurrogate(Unit(bytes, pos, 2, bigEndian))) {
            const std::uint32_t low = Unit(bytes, pos, 2, bigEndian);
            pos += 2;
            AppendUtf8(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00), &out);
        } else {
            // AppendUtf8 writes U+FFFD for a lone surrogate.
            AppendUtf8(unit, &out);
        }
    }
    if (pos < bytes.size()) {
        AppendUtf8(kReplacementCharacter, &out);
    }
    return out;
}

std::string DecodeUtf32(std::string_view bytes, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size() / 2);
    std::size_t pos = 0;
    for (; pos + 4 <= bytes.size(); pos += 4) {
        AppendUtf8(Unit(bytes, pos, 4, bigEndian), &out);
    }
    if (pos < bytes.size()) {
        AppendUtf8(kReplacementCharacter, &out);
    }
    return out;
}

}  // namespace vellumo
