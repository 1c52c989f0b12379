#pragma once
// Cuts a header value into the segments that the header field codecs encode
// one by one: words separated by white space and specials, with a quoted
// string, a comment or an angle-bracket address read as one segment.

#include <cstdint>

namespace vellumo {

// Scan states: 0 outside any bracketed construct, otherwise the byte that
// closes the one being read; kScanWhole never matches, so nothing is split.
constexpr int32_t kScanOutside = 0;
constexpr int32_t kScanWhole = 255;

// Returns the length of the next segment of text[0, length). The byte at the
// returned offset, if any, is the segment's delimiter. `state` is kept by the
// caller across calls; `highCount` is set to the number of bytes in the
// segment that need encoding: bytes 0x80-0xFF, control bytes other than HT,
// and CR or LF that do not belong to a fold (CR LF followed by space or tab).
[[nodiscard]] int32_t ScanSegment(const char* text, int32_t length, int32_t& state,
                                  int32_t& highCount);

// True for bytes that must never stand raw in a header written with a charset.
[[nodiscard]] bool NeedsHeaderEncoding(const char* text, int32_t length, int32_t offset);

}  // namespace vellumo
