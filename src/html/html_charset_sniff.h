// Finding the charset of an HTML document from its own bytes, for a message
// that names none: a byte-order mark, then a <meta charset> or
// <meta http-equiv="content-type" content="...; charset=..."> within the
// first kCharsetSniffBytes bytes, as browsers pre-scan a document.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vellumo {

constexpr std::size_t kCharsetSniffBytes = 1024;

// The charset name the document declares, in lower case ("utf-8",
// "utf-16le", "iso-2022-jp", ...), or "" when it declares none. A byte-order
// mark gives utf-8, utf-16le/be or utf-32le/be. A meta naming UTF-16 or
// UTF-32 means utf-8 (the bytes read it are ASCII-compatible), and a name
// that is not a plain token (letters, digits, "-_.:+()") counts as none.
[[nodiscard]] std::string SniffHtmlCharset(std::string_view html);

}  // namespace vellumo
