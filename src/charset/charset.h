// The charset the HTML tokenizer writes character references in: UTF-8 (the
// renderer's text, decoded from the message's charset first), a single-byte
// encoding, or an unknown charset whose bytes are taken as they are.
#pragma once

#include <string>
#include <string_view>

#include "charset/encoding.h"
#include "charset/unicode_text.h"

namespace vellumo {

enum class CharsetKind { kUtf8, kSingleByte, kOpaque };

struct HtmlCharset {
    CharsetKind kind = CharsetKind::kOpaque;
    Encoding encoding = Encoding::kWindows1252;  // kSingleByte
    const char16_t* high = nullptr;              // kSingleByte: bytes 0x80-0xFF
};

// The charset a label names (see EncodingForLabel): an empty label is
// windows-1252; a label of another encoding, or none, is opaque.
[[nodiscard]] HtmlCharset ResolveHtmlCharset(std::string_view name);

// Appends `codePoint` in `charset`. What the charset cannot represent becomes
// "?", except U+00A0, which becomes a space.
void AppendCodePoint(const HtmlCharset& charset, char32_t codePoint, std::string* out);

// `text` in `charset` decoded to UTF-8 (opaque bytes above 0x7F become U+FFFD).
[[nodiscard]] std::string DecodeToUtf8(const HtmlCharset& charset, std::string_view text);

// The Windows code page of a label's encoding (WindowsCodePage), 0 for an
// unknown label.
[[nodiscard]] unsigned int WindowsCodePageForCharset(std::string_view name);

}  // namespace vellumo
