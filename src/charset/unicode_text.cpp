#include "charset/unicode_text.h"

#include <cstdint>
#include <cstring>

namespace vellumo {
namespace {

bool IsScalarValue(char32_t codePoint) {
    return codePoint <= 0x10FFFF && (codePoint < 0xD800 || codePoint > 0xDFFF);
}

// The sequence length a lead byte announces, with the range of its second
// byte (narrower after E0, ED, F0 and F4, which would otherwise allow
// overlong forms, surrogates and values above U+10FFFF); 0 for no lead.
std::size_t LeadLength(unsigned char lead, unsigned char* low, unsigned char* high) {
    *low = 0x80;
    *high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        *low = lead == 0xE0 ? 0xA0 : 0x80;
        *high = lead == 0xED ? 0x9F : 0xBF;
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        *low = lead == 0xF0 ? 0x90 : 0x80;
        *high = lead == 0xF4 ? 0x8F : 0xBF;
        return 4;
    }
    return 0;
}

// The ASCII bytes from `pos` on, eight at a time: HTML is mostly ASCII, and
// the check of every byte's high bit is most of the time a validation takes.
std::size_t SkipAscii(std::string_view text, std::size_t pos) {
    constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
    while (pos + sizeof(std::uint64_t) <= text.size()) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + pos, sizeof word);
        if ((word & kHighBits) != 0) {
            break;
        }
        pos += sizeof word;
    }
    while (pos < text.size() && static_cast<unsigned char>(text[pos]) < 0x80) {
        ++pos;
    }
    return pos;
}

}  // namespace

Utf8Read ReadUtf8(std::string_view text, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) {
        return {Utf8Status::kValid, lead, 1};
    }
    unsigned char low = 0;
    unsigned char high = 0;
    const std::size_t length = LeadLength(lead, &low, &high);
    if (length == 0) {
        return {Utf8Status::kIllFormed, 0, 1};
    }
    char32_t value = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if (pos + i >= text.size()) {
            return {Utf8Status::kTruncated, 0, i};
        }
        const auto byte = static_cast<unsigned char>(text[pos + i]);
        if (byte < (i == 1 ? low : 0x80) || byte > (i == 1 ? high : 0xBF)) {
            return {Utf8Status::kIllFormed, 0, i};
        }
        value = (value << 6) | (byte & 0x3F);
    }
    return {Utf8Status::kValid, value, length};
}

char32_t NextUtf8CodePoint(std::string_view text, std::size_t* pos) {
    const Utf8Read read = ReadUtf8(text, *pos);
    if (read.status != Utf8Status::kValid) {
        ++*pos;
        return kReplacementCharacter;
    }
    *pos += read.length;
    return read.codePoint;
}

std::size_t Utf8Size(char32_t codePoint) {
    if (!IsScalarValue(codePoint)) {
        codePoint = kReplacementCharacter;
    }
    return codePoint < 0x80 ? 1 : codePoint < 0x800 ? 2 : codePoint < 0x10000 ? 3 : 4;
}

std::size_t FindIllFormedUtf8(std::string_view text, std::size_t from) {
    std::size_t pos = from;
    while ((pos = SkipAscii(text, pos)) < text.size()) {
        const Utf8Read read = ReadUtf8(text, pos);
        if (read.status != Utf8Status::kValid) {
            return pos;
        }
        pos += read.length;
    }
    return text.size();
}

bool IsValidUtf8(std::string_view text) {
    return FindIllFormedUtf8(text, 0) == text.size();
}

std::string RepairUtf8(std::string_view text) {
    // Sized first: a growing string would hold up to twice the text at once.
    std::size_t size = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        if (static_cast<unsigned char>(text[pos]) < 0x80) {
            ++size;
            ++pos;
            continue;
        }
        const Utf8Read read = ReadUtf8(text, pos);
        size += read.status == Utf8Status::kValid ? read.length : Utf8Size(kReplacementCharacter);
        pos += read.length;
    }
    std::string out;
    out.reserve(size);
    for (std::size_t pos = 0; pos < text.size();) {
        if (static_cast<unsigned char>(text[pos]) < 0x80) {
            out.push_back(text[pos++]);
            continue;
        }
        const Utf8Read read = ReadUtf8(text, pos);
        if (read.status == Utf8Status::kValid) {
            out.append(text.substr(pos, read.length));
        } else {
            AppendUtf8(kReplacementCharacter, &out);
        }
        pos += read.length;
    }
    return out;
}

std::size_t Utf8CharacterCount(std::string_view text) {
    std::size_t count = 0;
    for (char c : text) {
        count += IsUtf8ContinuationByte(c) ? 0 : 1;
    }
    return count;
}

std::size_t Utf8UnitLength(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t expected = 1;
    if (lead >= 0xF0 && lead <= 0xF7) {
        expected = 4;
    } else if (lead >= 0xE0) {
        expected = lead <= 0xEF ? 3 : 1;
    } else if (lead >= 0xC0) {
        expected = 2;
    }
    std::size_t unit = 1;
    while (unit < expected && i + unit < text.size() && IsUtf8ContinuationByte(text[i + unit])) {
        ++unit;
    }
    return unit;
}

}  // namespace vellumo
