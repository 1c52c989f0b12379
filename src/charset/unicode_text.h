// UTF-8, the text every layer above works in: the one reader and the one
// writer of it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vellumo {

// U+FFFD, written wherever input cannot be read as a character.
inline constexpr char32_t kReplacementCharacter = 0xFFFD;

enum class Utf8Status { kValid, kIllFormed, kTruncated };

struct Utf8Read {
    Utf8Status status;
    char32_t codePoint;  // kValid only
    // kValid: the sequence's length; kIllFormed: the maximal ill-formed
    // subpart, which one U+FFFD replaces (as the Encoding Standard's
    // decoder does); kTruncated: the bytes left, a well-formed beginning.
    std::size_t length;
};

// The sequence at `pos` (inside the text).
[[nodiscard]] Utf8Read ReadUtf8(std::string_view text, std::size_t pos);

// The code point at `*pos`, advancing past it; U+FFFD and one byte for an
// ill-formed or cut sequence. `*pos` must be inside the text.
[[nodiscard]] char32_t NextUtf8CodePoint(std::string_view text, std::size_t* pos);

// Writes `cp` as UTF-8 at `to`, which has room for 4 bytes (U+FFFD for
// values that are not scalar values), and returns the end of what it wrote.
// Inline: the decoders call it for every character.
inline char* WriteUtf8(char32_t cp, char* to) {
    if (cp < 0x80) {
        *to++ = static_cast<char>(cp);
        return to;
    }
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        cp = kReplacementCharacter;
    }
    if (cp < 0x800) {
        *to++ = static_cast<char>(0xC0 | (cp >> 6));
    } else if (cp < 0x10000) {
        *to++ = static_cast<char>(0xE0 | (cp >> 12));
        *to++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    } else {
        *to++ = static_cast<char>(0xF0 | (cp >> 18));
        *to++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        *to++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    }
    *to++ = static_cast<char>(0x80 | (cp & 0x3F));
    return to;
}

// Appends `cp` as UTF-8, as WriteUtf8 writes it.
inline void AppendUtf8(char32_t cp, std::string* out) {
    if (cp < 0x80) {
        out->push_back(static_cast<char>(cp));
        return;
    }
    char bytes[4];
    out->append(bytes, static_cast<std::size_t>(WriteUtf8(cp, bytes) - bytes));
}

// The size of `codePoint` as WriteUtf8 writes it.
[[nodiscard]] std::size_t Utf8Size(char32_t codePoint);

// Characters that show nothing: Unicode's White_Space characters, and
// those that take no room (the soft hyphen, the combining grapheme joiner,
// the Mongolian vowel separator, zero-width spaces, joiners and direction
// marks, the word joiner and invisible operators, the byte-order mark).
// Mail pads hidden preview text with them.
[[nodiscard]] constexpr bool ShowsNothing(char32_t c) {
    const bool whiteSpace = (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 ||
                            c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 ||
                            c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
    const bool noWidth = c == 0xAD || c == 0x34F || c == 0x180E || (c >= 0x200B && c <= 0x200F) ||
                         (c >= 0x2060 && c <= 0x2064) || c == 0xFEFF;
    return whiteSpace || noWidth;
}

// True when `text` is well-formed UTF-8.
[[nodiscard]] bool IsValidUtf8(std::string_view text);

// Where the first ill-formed or cut sequence at or after `from` begins, read
// from `from` on; the text's size when there is none.
[[nodiscard]] std::size_t FindIllFormedUtf8(std::string_view text, std::size_t from);

// `text` with every maximal ill-formed subpart replaced by U+FFFD, as
// browsers decode it.
[[nodiscard]] std::string RepairUtf8(std::string_view text);

// True for the bytes 0x80-0xBF, which continue a character and never begin
// one.
[[nodiscard]] constexpr bool IsUtf8ContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The characters of `text` as columns count them: every byte that is not a
// continuation byte begins one.
[[nodiscard]] std::size_t Utf8CharacterCount(std::string_view text);

// The length of the character whose lead byte is at text[i], cut short at
// the first byte that is not a continuation byte or at the end; a stray
// continuation byte or invalid lead byte is a unit of its own. Never splits
// a character when text is cut into pieces of whole units.
[[nodiscard]] std::size_t Utf8UnitLength(std::string_view text, std::size_t i);

}  // namespace vellumo
