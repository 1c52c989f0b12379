#pragma once
// Where a part's body and its children lie in its text: the one reading of
// delimiter lines that the part tree and the in-place entity view share, so
// that both always see the same parts.

#include <cstddef>
#include <string>
#include <string_view>

namespace vellumo {

// Multipart nesting deeper than this is not split: such a part keeps all
// its text after the header as its body, so nothing is lost and the
// recursion stays far inside the host thread's stack.
inline constexpr int kMaxPartNestingDepth = 64;

struct PartLayout {
    // After the header's blank line (may lie past the text's end when the
    // header has no blank line).
    ptrdiff_t bodyStart = 0;
    // The body ends here: the text's end, or for a split multipart the end
    // of its preamble, which keeps the CR LF before the first delimiter.
    ptrdiff_t bodyEnd = 0;
    // The CR LF that starts the first delimiter line; -1 when the part is
    // not split into children.
    ptrdiff_t firstDelimiter = -1;
    // CR LF "--" boundary; empty when the part is not split.
    std::string delimiter;

    // True when children follow the preamble in a text of that length.
    [[nodiscard]] bool HasChildren(ptrdiff_t length) const {
        return firstDelimiter >= 0 && bodyEnd < length;
    }
};

// The layout of text[0, length) whose header takes headerSize bytes (blank
// line included). `boundary` is the part's boundary when it is a multipart
// to be split, else empty. The header's blank line may be the first
// delimiter's own CR LF.
[[nodiscard]] PartLayout LayOutPart(const char* text, ptrdiff_t length, ptrdiff_t headerSize,
                                    std::string_view boundary);

// The children of a split part, in order. Each runs from the end of its
// delimiter line to the CR LF of the next delimiter line (or to the end of
// the text); a child's own contents never move the reading on, delimiters
// are found by their bytes alone. The epilogue after the close delimiter
// belongs to no child.
class ChildCursor {
  public:
    ChildCursor(const char* text, ptrdiff_t length, const PartLayout& layout);

    // The next child's range; false after the close delimiter or when no
    // delimiter line is complete.
    [[nodiscard]] bool Next(ptrdiff_t& begin, ptrdiff_t& end);
    // Where reading stopped once Next gave false: after the close
    // delimiter line, else the text's end.
    [[nodiscard]] ptrdiff_t StoppedAt() const { return stoppedAt_; }

  private:
    const char* text_;
    ptrdiff_t length_;
    std::string delimiter_;
    ptrdiff_t current_;
    ptrdiff_t stoppedAt_;
};

}  // namespace vellumo
