// The charsets the HTML renderer reads and writes: UTF-8, a set of
// single-byte charsets with tables, and anything else taken as an opaque
// ASCII-compatible charset whose bytes pass through.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vellumo {

// The code points of bytes 0x80-0xFF of one single-byte charset (U+FFFD
// where the charset leaves a byte undefined).
struct SingleByteCharset {
    const char* name;
    char16_t high[128];
};

// The generated tables.
extern const SingleByteCharset kSingleByteCharsets[];
extern const std::size_t kSingleByteCharsetCount;

enum class CharsetKind { kUtf8, kSingleByte, kOpaque };

struct HtmlCharset {
    CharsetKind kind = CharsetKind::kOpaque;
    const SingleByteCharset* table = nullptr;  // set for kSingleByte only
};

// Resolves a charset name as browsers label them (any case, blanks and
// quotes around ignored): "latin1", "iso-8859-1" and "us-ascii" are
// windows-1252, "utf8" is UTF-8. An empty name is windows-1252; an unknown
// one is opaque.
[[nodiscard]] HtmlCharset ResolveHtmlCharset(std::string_view name);

// Appends `codePoint` in `charset`. What the charset cannot represent becomes
// "?", except U+00A0, which becomes a space.
void AppendCodePoint(const HtmlCharset& charset, char32_t codePoint, std::string* out);

// Appends `codePoint` as UTF-8 (U+FFFD for values that are not scalar values).
void AppendUtf8(char32_t codePoint, std::string* out);

// `text` with every ill-formed UTF-8 sequence replaced by U+FFFD, one per
// maximal ill-formed subpart, as browsers decode it.
[[nodiscard]] std::string RepairUtf8(std::string_view text);

// True when `text` is well-formed UTF-8.
[[nodiscard]] bool IsValidUtf8(std::string_view text);

// `text` in `charset` decoded to UTF-8 (opaque bytes above 0x7F become U+FFFD).
[[nodiscard]] std::string DecodeToUtf8(const HtmlCharset& charset, std::string_view text);

// The Windows code page for a charset name: 65001 for UTF-8, the matching
// code page for the charsets Windows knows, 0 (the ANSI code page) otherwise.
[[nodiscard]] unsigned int WindowsCodePageForCharset(std::string_view name);

}  // namespace vellumo
