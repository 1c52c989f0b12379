#pragma once
// Text in the system's 8-bit code page: the ANSI code page on Windows, UTF-8
// elsewhere. File names are built in it.

#include <cstddef>
#include <string>

namespace vellumo {

// Bytes of the character that starts the text: 1 for a single byte, more
// for a well-formed multi-byte character; never more than available
// (available must be at least 1).
[[nodiscard]] size_t SystemCharLength(const char* text, size_t available);

// The text converted from the named charset to the system code page;
// characters that do not map are dropped. An empty charset means the text is
// in the system code page already and it is returned unchanged; of a text in
// an unknown charset only the ASCII bytes are kept.
std::string ConvertToSystemCodePage(const std::string& text, const std::string& charset);

// The longest prefix of at most maxBytes bytes that ends on a character
// boundary of the system code page.
std::string CutToWholeCharacters(const std::string& text, size_t maxBytes);

// The text in the named charset decoded to UTF-8 as a browser reads it,
// without the characters that could not be read; only the ASCII bytes of a
// text in an unknown charset.
std::string DecodeCharsetText(const std::string& text, const std::string& charset);

// Only the ASCII bytes of the text, for charsets nothing here can read.
std::string KeepAsciiOnly(const std::string& text);

}  // namespace vellumo
