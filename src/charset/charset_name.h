// A charset name as mail gives it, in a header parameter or an HTML
// declaration: what can be written back as it is.
#pragma once

#include <cstddef>
#include <string_view>

namespace vellumo {

// Charset names are at most 40 characters (RFC 2978).
inline constexpr std::size_t kMaxCharsetNameLength = 40;

// True for a charset name that can be written as a parameter as it is:
// 1 to kMaxCharsetNameLength bytes, each a letter, a digit or one of
// - _ . : + ( ). No control bytes, quotes, blanks or 8-bit bytes.
[[nodiscard]] bool IsPlainCharsetName(std::string_view name);

}  // namespace vellumo
