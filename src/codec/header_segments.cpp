#include "codec/header_segments.h"

#include "codec/char_class.h"
#include "codec/codec_limits.h"
#include "codec/scan_segment.h"

namespace vellumo {

namespace {

inline bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Blanks and the line ends of folds: a decoder drops both between two
// encoded words.
bool IsGap(const char* text, int32_t length, int32_t i) {
    const char c = text[i];
    return IsBlank(c) || ((c == '\r' || c == '\n') && !NeedsHeaderEncoding(text, length, i));
}

}  // namespace

HeaderSegments::HeaderSegments(const char* text, int32_t length, int32_t initialState)
    : text_(text), length_(UsableLength(text, length)), state_(initialState) {}

bool HeaderSegments::Next(HeaderSegment& segment) {
    // An empty value is still one (empty) segment.
    if (started_ && position_ >= length_) {
        return false;
    }
    started_ = true;
    segment = HeaderSegment{};
    segment.start = position_;
    segment.length = ScanSegment(text_ + position_, length_ - position_, state_, segment.highCount);
    const int32_t end = position_ + segment.length;
    segment.hasDelimiter = end < length_;
    segment.delimiter = segment.hasDelimiter ? static_cast<uint8_t>(text_[end]) : 0;
    if (segment.highCount > 0) {
        AbsorbFollowingWords(segment);
    }
    position_ = segment.start + segment.length + 1;
    return true;
}

void HeaderSegments::AbsorbFollowingWords(HeaderSegment& segment) {
    while (segment.hasDelimiter && IsGap(text_, length_, segment.start + segment.length)) {
        int32_t next = segment.start + segment.length + 1;
        while (next < length_ && IsGap(text_, length_, next)) {
            ++next;
        }
        if (next >= length_) {
            return;
        }
        int32_t state = state_;
        int32_t high = 0;
        const int32_t length = ScanSegment(text_ + next, length_ - next, state, high);
        if (high == 0) {
            return;
        }
        state_ = state;
        segment.length = next + length - segment.start;
        segment.highCount += high;
        const int32_t end = segment.start + segment.length;
        segment.hasDelimiter = end < length_;
        segment.delimiter = segment.hasDelimiter ? static_cast<uint8_t>(text_[end]) : 0;
    }
}

bool HeaderSegments::SkipSpaceForFold() {
    // A line end that is not part of a fold is value, not white space.
    int32_t next = position_;
    while (next < length_ && HasCharClass(static_cast<uint8_t>(text_[next]), CC_SPACE) &&
           !NeedsHeaderEncoding(text_, length_, next)) {
        ++next;
    }
    if (next >= length_) {
        return false;
    }
    position_ = next;
    return true;
}

}  // namespace vellumo
