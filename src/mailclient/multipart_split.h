#pragma once
// Finding the parts of a multipart body without decoding anything.

#include <cstddef>
#include <string_view>
#include <vector>

namespace vellumo {

// Where one part's text lies in the body: from just after its delimiter
// line to the CR LF before the next delimiter line (begin == end for an
// empty part).
struct PartRange {
    size_t begin = 0;
    size_t end = 0;
};

// The parts of a CR LF multipart body with that boundary, in order. A
// delimiter line is "--" and the boundary at the start of the body or of a
// line, followed by "--" (the close delimiter) or by nothing, and then the
// line's end or the body's end; the host reads a line with trailing blanks
// as an ordinary line. Without a close delimiter the last part runs to the end of the
// body. Empty when the boundary is empty or no delimiter line is found.
[[nodiscard]] std::vector<PartRange> SplitMultipartBody(std::string_view body,
                                                        std::string_view boundary);

}  // namespace vellumo
