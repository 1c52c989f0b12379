// Character references of HTML text: the standard's named references and
// the decoding of numeric ones.
#pragma once

#include <cstddef>
#include <string_view>

namespace vellumo {

// One named reference: its name without the "&" (with the ";" when the
// standard lists it so) and the one or two code points it stands for
// (`second` is 0 for one).
struct NamedCharRef {
    const char* name;
    char32_t first;
    char32_t second;
};

// The generated table, sorted by name bytes.
extern const NamedCharRef kNamedCharRefs[];
extern const std::size_t kNamedCharRefCount;

// The longest reference named at the start of `text` (the bytes after "&"),
// or nullptr. `length` receives the bytes it covers (";" included).
[[nodiscard]] const NamedCharRef* MatchNamedCharRef(std::string_view text, std::size_t* length);

// The code point a numeric reference with value `value` stands for: 0,
// surrogates and values past U+10FFFF give U+FFFD, 0x80-0x9F give the
// windows-1252 character where that charset defines one.
[[nodiscard]] char32_t NumericCharRefValue(unsigned long value);

// Decodes a numeric reference at the start of `text` (the bytes after "&#").
// Returns the bytes consumed (";" included when present) or 0 when no digit
// follows, in which case the text is not a reference.
[[nodiscard]] std::size_t DecodeNumericCharRef(std::string_view text, char32_t* codePoint);

}  // namespace vellumo
