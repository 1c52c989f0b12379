#pragma once
// Walks a header value segment by segment for HeaderFieldCodec's length and
// encoding, so that both see exactly the same segments.

#include <cstdint>

namespace vellumo {

struct HeaderSegment {
    int32_t start = 0;
    int32_t length = 0;
    int32_t highCount = 0;  // bytes that need encoding
    bool hasDelimiter = false;
    uint8_t delimiter = 0;
};

class HeaderSegments {
  public:
    HeaderSegments(const char* text, int32_t length, int32_t initialState);

    // The next segment; false once the value is used up. A segment that needs
    // encoding absorbs the blanks (and folds) and the next segment behind it when that
    // one needs encoding too: a decoder drops white space between adjacent
    // encoded words, so the blanks must travel inside one word.
    [[nodiscard]] bool Next(HeaderSegment& segment);
    // Skips the white space (blanks and folds) after a separator that gets a
    // fold; false, skipping nothing, when only white space is left.
    [[nodiscard]] bool SkipSpaceForFold();
    [[nodiscard]] bool AnyLeft() const { return position_ < length_; }

  private:
    void AbsorbFollowingWords(HeaderSegment& segment);

    const char* text_;
    int32_t length_;
    int32_t position_ = 0;
    int32_t state_;
    bool started_ = false;
};

}  // namespace vellumo
