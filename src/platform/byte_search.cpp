#include "platform/byte_search.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace vellumo {
namespace {

// True when the needle's first byte comes again later in it ("\n\n", or a
// boundary holding a CR).
bool FirstByteRecurs(std::string_view needle) {
    return needle.size() > 1 && std::memchr(needle.data() + 1, needle[0], needle.size() - 1);
}

// memchr to each first byte, then a compare. When the first byte does not
// recur in the needle, a partial match holds no other start, so the
// candidates never overlap and every byte is looked at a bounded number of
// times. In mail the first byte (a line end) comes once a line, and memchr
// passes over the line at vector speed.
size_t FindAfterFirstByte(std::string_view text, std::string_view needle, size_t from) {
    const size_t lastStart = text.size() - needle.size();
    while (from <= lastStart) {
        const void* hit = std::memchr(text.data() + from, needle[0], lastStart - from + 1);
        if (hit == nullptr) {
            return std::string_view::npos;
        }
        const size_t at = static_cast<size_t>(static_cast<const char*>(hit) - text.data());
        if (std::memcmp(text.data() + at + 1, needle.data() + 1, needle.size() - 1) == 0) {
            return at;
        }
        from = at + 1;
    }
    return std::string_view::npos;
}

// A long needle (a multipart delimiter) is looked for by the last two bytes
// under it, as glibc's memmem does: a pair of bytes that the needle does
// not hold skips nearly the needle's length at once, so an attachment is
// passed over many bytes a step instead of once a line. Shifts may be short
// on crafted text: once the compares have cost more than a few times the
// bytes passed over, the search hands over to the linear ones (npos with
// `stoppedAt` set; `stoppedAt` is npos when nothing is found).
constexpr size_t kSkipNeedleLength = 16;
constexpr size_t kSkipWorkFactor = 4;

unsigned PairHash(const char* second) {
    return (static_cast<unsigned char>(second[0]) - (static_cast<unsigned>(second[-1]) << 3)) &
           255u;
}

size_t FindBySkipping(std::string_view text, std::string_view needle, size_t from,
                      size_t& stoppedAt) {
    const size_t lastIndex = needle.size() - 1;
    // For each pair hash, the last index j >= 1 of the needle where a pair
    // of that hash ends (0: none), the needle's last pair aside.
    size_t lastAt[256] = {};
    for (size_t j = 1; j < lastIndex; ++j) {
        lastAt[PairHash(needle.data() + j)] = j;
    }
    const unsigned lastPair = PairHash(needle.data() + lastIndex);
    const size_t afterMismatch = lastIndex - lastAt[lastPair];
    lastAt[lastPair] = lastIndex;
    const size_t lastStart = text.size() - needle.size();
    const size_t start = from;
    size_t work = 0;
    while (from <= lastStart) {
        const size_t at = lastAt[PairHash(text.data() + from + lastIndex)];
        if (at == 0) {
            // The common step, taken apart: its length does not wait for the
            // byte read, so the processor reads the next ones meanwhile.
            from += lastIndex;
            continue;
        }
        if (at != lastIndex) {
            from += lastIndex - at;
            continue;
        }
        if (std::memcmp(text.data() + from, needle.data(), lastIndex) == 0) {
            return from;
        }
        work += needle.size();
        if (work > kSkipWorkFactor * (from - start + needle.size())) {
            stoppedAt = from;
            return std::string_view::npos;
        }
        from += afterMismatch;
    }
    stoppedAt = std::string_view::npos;
    return std::string_view::npos;
}

}  // namespace

size_t FindBytes(std::string_view text, std::string_view needle, size_t from) {
    if (needle.empty() || from > text.size() || text.size() - from < needle.size()) {
        return std::string_view::npos;
    }
    if (needle.size() >= kSkipNeedleLength) {
        size_t stoppedAt = 0;
        size_t found = FindBySkipping(text, needle, from, stoppedAt);
        if (found != std::string_view::npos || stoppedAt == std::string_view::npos) {
            return found;
        }
        from = stoppedAt;
    }
    if (!FirstByteRecurs(needle)) {
        return FindAfterFirstByte(text, needle, from);
    }
    // A needle such as "\n\n\n\nx" could make the compare above revisit each
    // byte once per needle byte; Boyer-Moore stays linear for a first match.
    auto hit = std::search(text.begin() + from, text.end(),
                           std::boyer_moore_searcher(needle.begin(), needle.end()));
    return hit == text.end() ? std::string_view::npos : static_cast<size_t>(hit - text.begin());
}

}  // namespace vellumo
