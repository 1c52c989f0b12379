// Finding the charset an HTML document declares for itself, as browsers do
// before they parse it.
#pragma once

#include <string>
#include <string_view>

namespace vellumo {

// How far into the document a <meta> declaration is looked for.
constexpr std::size_t kCharsetSniffLength = 1024;

// The charset a byte-order mark names ("utf-8", "utf-16le", "utf-16be");
// failing that, the one a <meta charset> or a <meta http-equiv=
// "content-type" content="...; charset=..."> within the first 1024 bytes
// names (quotes and surrounding blanks removed, case kept); "" when the
// document declares none. Any bytes are accepted.
[[nodiscard]] std::string SniffHtmlCharset(std::string_view html);

}  // namespace vellumo
