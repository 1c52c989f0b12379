#pragma once
// The line-keeping state machine behind QuotedPrintableCodec::Encode.
// Text mode keeps CR LF pairs as line ends and escapes a lone CR or LF;
// binary mode escapes both. A blank is escaped at the end of the text and
// before a line end. Lines are soft-broken before they would reach 76
// characters, preferably right after the last literal blank of the line.

#include <cstdint>

namespace vellumo {

class QuotedPrintableEncoder {
  public:
    QuotedPrintableEncoder(const char* in, int32_t length, bool binaryMode);

    // Writes at most `capacity` bytes; an escape that no longer fits is
    // dropped. Returns the bytes written.
    [[nodiscard]] int32_t Run(char* out, int32_t capacity);

  private:
    enum class Width : int32_t { kLiteral = 1, kEscaped = 3 };

    [[nodiscard]] int32_t RunBulk(int32_t i);
    [[nodiscard]] Width Classify(int32_t i);
    [[nodiscard]] bool IsLineEndPair(int32_t i) const;
    [[nodiscard]] bool IsLoneDotLine(int32_t i) const;
    void SoftBreak(int32_t width);
    void Emit(uint8_t byte, Width width);

    const uint8_t* in_;
    int32_t n_;
    bool binary_;
    char* out_ = nullptr;
    int32_t cap_ = 0;
    int32_t o_ = 0;
    int32_t lineLength_ = 0;
    int32_t breakAt_ = -1;  // output offset of the last literal blank, or -1
    bool hardBreak_ = false;
};

}  // namespace vellumo
