#pragma once
// The children of a multipart entity as their bytes stand in its text.

#include <string>
#include <string_view>
#include <vector>

namespace vellumo {

// Bound on the children listed for one entity; a text holding more gives
// an empty list (the caller then has no raw form to rely on).
inline constexpr size_t kMaxRawChildren = 10000;

// Splits the entity text (header, blank line, body) at the delimiter lines
// of `boundary`: a line that is "--" + boundary, then "--" or nothing, then
// only blanks and tabs up to CR LF (RFC 2046, 5.1.1). Each child runs from
// after its delimiter line to before the CR LF that precedes the next
// delimiter line, or to the end of the text when no close delimiter
// follows. The text must end with a NUL (std::string's) or lie inside a
// larger buffer: the header reader may look one byte past it. An empty
// boundary, an unreadable header or too many children give an empty list.
std::vector<std::string_view> RawChildTexts(std::string_view entity, const std::string& boundary);

}  // namespace vellumo
