#pragma once
// The one byte search of the code base, for the long texts of mail: a
// separator in a mailbox, a delimiter in a multipart body, a line end. The C
// library's memmem is not standard (the Windows build has none), and the
// generic searches of the standard library slow down on hostile input.

#include <cstddef>
#include <string_view>

namespace vellumo {

// Where needle (compared exactly) first lies wholly inside text at or after
// `from`; npos when nowhere (an empty needle is never found). Time is linear
// in the text whatever the bytes; nothing outside text is read.
[[nodiscard]] size_t FindBytes(std::string_view text, std::string_view needle, size_t from = 0);

}  // namespace vellumo
