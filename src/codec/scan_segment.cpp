#include "codec/scan_segment.h"

#include "codec/char_class.h"

namespace vellumo {

namespace {

inline bool IsBlank(uint8_t c) {
    return c == ' ' || c == '\t';
}

// The byte that closes the construct a byte opens, or 0.
inline int32_t ClosingByteOf(uint8_t c) {
    switch (c) {
        case '"':
            return '"';
        case '(':
            return ')';
        case '<':
            return '>';
        default:
            return kScanOutside;
    }
}

}  // namespace

bool NeedsHeaderEncoding(const char* text, int32_t length, int32_t offset) {
    const auto byteAt = [&](int32_t i) { return static_cast<uint8_t>(text[i]); };
    const uint8_t c = byteAt(offset);
    if (c >= 0x80) {
        return true;
    }
    // A line end in a value is harmless only as part of a fold; any other CR
    // or LF (decoded from an encoded word) would end the header line early.
    if (c == '\r') {
        return !(offset + 2 < length && byteAt(offset + 1) == '\n' && IsBlank(byteAt(offset + 2)));
    }
    if (c == '\n') {
        return !(offset + 1 < length && IsBlank(byteAt(offset + 1)));
    }
    // ESC of ISO-2022-JP, NUL of UTF-16 and the other controls must not stand
    // raw in a header either.
    return c != '\t' && HasCharClass(c, CC_CONTROL);
}

int32_t ScanSegment(const char* text, int32_t length, int32_t& state, int32_t& highCount) {
    highCount = 0;
    if (text == nullptr || length <= 0) {
        return 0;
    }
    for (int32_t i = 0; i < length; ++i) {
        const uint8_t c = static_cast<uint8_t>(text[i]);
        if (NeedsHeaderEncoding(text, length, i)) {
            ++highCount;
            continue;
        }
        if (c == (state & 0xFF)) {
            state = kScanOutside;
            return i;
        }
        if (state != kScanOutside) {
            continue;
        }
        if (HasCharClass(c, CC_SPACE | CC_SPECIAL)) {
            if (const int32_t closing = ClosingByteOf(c)) {
                state = closing;
            }
            return i;
        }
    }
    return length;
}

}  // namespace vellumo
