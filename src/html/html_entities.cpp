#include "html/html_entities.h"
#include "charset/unicode_text.h"
#include "platform/ascii_class.h"

#include <algorithm>
#include <cstring>

namespace vellumo {
namespace {

// The longest name of the standard's list ("CounterClockwiseContourIntegral;").
constexpr std::size_t kMaxNamedRefLength = 32;
// Names the standard also accepts without ";" are at most this long ("frac34").
constexpr std::size_t kMaxLegacyNameLength = 6;
constexpr unsigned long kMaxCodePoint = 0x10FFFF;

// What 0x80-0x9F in a numeric reference stand for (0 where the byte is kept).
constexpr char16_t kC1Replacements[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// Compares a table name with `key` without measuring the name first.
int CompareName(const char* name, std::string_view key) {
    for (std::size_t i = 0; i < key.size(); ++i) {
        const auto a = static_cast<unsigned char>(name[i]);
        const auto b = static_cast<unsigned char>(key[i]);
        if (a != b) {
            return a < b ? -1 : 1;  // also when the name ends first (a == 0)
        }
    }
    return name[key.size()] == '\0' ? 0 : 1;
}

const NamedCharRef* FindExact(std::string_view name) {
    const NamedCharRef* end = kNamedCharRefs + kNamedCharRefCount;
    const NamedCharRef* found = std::lower_bound(
        kNamedCharRefs, end, name, [](const NamedCharRef& entry, std::string_view key) {
            return CompareName(entry.name, key) < 0;
        });
    if (found != end && CompareName(found->name, name) == 0) {
        return found;
    }
    return nullptr;
}

int DigitValue(char c, bool hex) {
    if (IsAsciiDigit(c)) {
        return c - '0';
    }
    if (hex && c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (hex && c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

}  // namespace

const NamedCharRef* MatchNamedCharRef(std::string_view text, std::size_t* length) {
    std::size_t run = 0;
    while (run < text.size() && run < kMaxNamedRefLength && IsAsciiAlphaNumeric(text[run])) {
        ++run;
    }
    if (run == 0) {
        return nullptr;
    }
    if (run < text.size() && text[run] == ';') {
        if (const NamedCharRef* entry = FindExact(text.substr(0, run + 1))) {
            *length = run + 1;
            return entry;
        }
    }
    // Without a matching ";" only the legacy names count, longest first
    // ("&notin" without ";" is "&not" followed by "in").
    for (std::size_t size = std::min(run, kMaxLegacyNameLength); size >= 2; --size) {
        if (const NamedCharRef* entry = FindExact(text.substr(0, size))) {
            *length = size;
            return entry;
        }
    }
    return nullptr;
}

char32_t NumericCharRefValue(unsigned long value) {
    if (value == 0 || value > kMaxCodePoint || (value >= 0xD800 && value <= 0xDFFF)) {
        return kReplacementCharacter;
    }
    if (value >= 0x80 && value <= 0x9F && kC1Replacements[value - 0x80] != 0) {
        return kC1Replacements[value - 0x80];
    }
    return static_cast<char32_t>(value);
}

std::size_t DecodeNumericCharRef(std::string_view text, char32_t* codePoint) {
    std::size_t pos = 0;
    bool hex = false;
    if (pos < text.size() && (text[pos] == 'x' || text[pos] == 'X')) {
        hex = true;
        ++pos;
    }
    const std::size_t digitsStart = pos;
    unsigned long value = 0;
    int digit = 0;
    while (pos < text.size() && (digit = DigitValue(text[pos], hex)) >= 0) {
        // Saturate: any value past the last code point decodes alike.
        if (value <= kMaxCodePoint) {
            value = value * (hex ? 16 : 10) + static_cast<unsigned long>(digit);
        }
        ++pos;
    }
    if (pos == digitsStart) {
        return 0;
    }
    if (pos < text.size() && text[pos] == ';') {
        ++pos;
    }
    *codePoint = NumericCharRefValue(value);
    return pos;
}

}  // namespace vellumo
