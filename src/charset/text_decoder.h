// Bytes in an encoding decoded to UTF-8 with the Encoding Standard's
// decoders: malformed input becomes U+FFFD, and a byte that ends a sequence
// early is read again for what it is, as browsers do.
#pragma once

#include <string>
#include <string_view>

#include "charset/encoding.h"

namespace vellumo {

class TextDecoder {
  public:
    explicit TextDecoder(Encoding encoding) : encoding_(encoding) {}

    // Appends the UTF-8 of `bytes`, the next piece of the input, to `out`.
    // A sequence cut at the end of a piece is completed by the next one;
    // with `last`, a cut sequence at the end becomes U+FFFD.
    void Decode(std::string_view bytes, bool last, std::string* out);

    [[nodiscard]] Encoding encoding() const { return encoding_; }

    // What a decoder keeps between pieces; the steps of each encoding use it.
    struct State {
        unsigned char first = 0;  // a lead byte (gb18030: the first of four)
        unsigned char second = 0;
        unsigned char third = 0;
        bool flag = false;  // EUC-JP: JIS X 0212; ISO-2022: output / shifted out
        unsigned char mode = 0;
        unsigned char outputMode = 0;
        char32_t surrogate = 0;
        bool started = false;  // UTF-16/32: the byte-order mark has been looked for
    };

  private:
    void DecodeUtf8(std::string_view bytes, bool last, std::string* out);
    [[nodiscard]] std::size_t FinishCarriedUtf8(std::string_view bytes, bool last,
                                                std::string* out);
    void DecodeUtf32(std::string_view bytes, bool last, std::string* out);

    Encoding encoding_;
    State state_;
    std::string carry_;  // UTF-8/UTF-32: the start of a sequence cut by a piece
};

// `bytes` decoded whole, as the standard's "decode": a UTF-8 or UTF-16
// byte-order mark outranks `encoding` and is dropped (for UTF-32 its own
// mark too). kReplacement gives one U+FFFD for any input but the empty one.
[[nodiscard]] std::string DecodeText(Encoding encoding, std::string_view bytes);

// The encoding a byte-order mark at the start of `bytes` names, and its size
// (0 without one): UTF-8, UTF-16BE, UTF-16LE.
[[nodiscard]] std::size_t SniffByteOrderMark(std::string_view bytes, Encoding* encoding);

}  // namespace vellumo
