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

// Appends `codePoint` as UTF-8 (U+FFFD for values that are not scalar values).
void AppendUtf8(char32_t codePoint, std::string* out);

// The size of `codePoint` as AppendUtf8 writes it.
[[nodiscard]] std::size_t Utf8Size(char32_t codePoint);

// True when `text` is well-formed UTF-8.
[[nodiscard]] bool IsValidUtf8(std::string_view text);

// `text` with every maximal ill-formed subpart replaced by U+FFFD, as
// browsers decode it.
[[nodiscard]] std::string RepairUtf8(std::string_view text);

// The length of the character whose lead byte is at text[i], cut short at
// the first byte that is not a continuation byte or at the end; a stray
// continuation byte or invalid lead byte is a unit of its own. Never splits
// a character when text is cut into pieces of whole units.
[[nodiscard]] std::size_t Utf8UnitLength(std::string_view text, std::size_t i);

}  // namespace vellumo
