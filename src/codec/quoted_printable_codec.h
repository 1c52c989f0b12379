#pragma once
// Quoted-printable (RFC 2045 section 6.7). `option` false is text mode (CR LF
// pairs stay line ends), true is binary mode (CR and LF are escaped too).
// Encoded lines hold at most 75 characters plus the soft-break "=".
// Decoding keeps what it cannot decode: an "=" that is neither followed by two
// hexadecimal digits (either case) nor a soft line break ("=", blanks, then
// CR LF or the end of the text) stays as it is. It never fails.

#include "codec/transfer_codec.h"

namespace vellumo {

class QuotedPrintableCodec : public TransferCodec {
  public:
    QuotedPrintableCodec() = default;
    explicit QuotedPrintableCodec(bool binaryMode) { option = binaryMode; }

    [[nodiscard]] int32_t EncodedLength() const override;
    // sourceLength: decoding never grows the text.
    [[nodiscard]] int32_t DecodedLength() const override;
    int32_t Encode(char* out, int32_t capacity) override;
    int32_t Decode(char* out, int32_t capacity) override;
};

// The length bound of quoted-printable text: n + 2 per byte that is not an
// ASCII letter or digit, plus 6 per 74 of that (room for soft breaks).
[[nodiscard]] int32_t QuotedPrintableEstimate(const char* data, int32_t length);

// Decodes quoted-printable bytes; with `underscoreIsSpace` (the Q text of an
// encoded word) "_" becomes a space. Returns the bytes written.
[[nodiscard]] int32_t DecodeQuotedPrintable(const char* in, int32_t length, char* out,
                                            int32_t capacity, bool underscoreIsSpace);

}  // namespace vellumo
