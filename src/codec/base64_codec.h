#pragma once
// Base64 (RFC 2045 section 6.8). `option` turns line breaking on: CR LF after
// every 76 characters and after a last partial line. Decoding skips every
// byte outside the alphabet (RFC 2045 6.8); "=" ends a group, whose bits
// that make no whole byte are dropped, and with it the data: what follows
// is decoded only when all of it is whole groups of four, each with its
// padding (parts joined, lines padded one by one), never a footer appended
// to the body. A last group of 2 or 3 characters without padding gives its
// 1 or 2 bytes.

#include "codec/transfer_codec.h"

namespace vellumo {

class Base64Codec : public TransferCodec {
  public:
    Base64Codec() = default;
    explicit Base64Codec(bool lineBreaking) { option = lineBreaking; }

    [[nodiscard]] int32_t EncodedLength() const override;
    // floor(3 * sourceLength / 4) + 2.
    [[nodiscard]] int32_t DecodedLength() const override;
    int32_t Encode(char* out, int32_t capacity) override;
    int32_t Decode(char* out, int32_t capacity) override;
};

constexpr int32_t kBase64LineLength = 76;

// Encodes into at most `capacity` bytes: whole characters as long as they
// fit, padding only when all of it fits. Returns the bytes written.
[[nodiscard]] int32_t EncodeBase64(const char* in, int32_t length, char* out, int32_t capacity,
                                   bool lineBreaking);
// Decodes until the input ends or the output is full. Returns the bytes written.
[[nodiscard]] int32_t DecodeBase64(const char* in, int32_t length, char* out, int32_t capacity);

}  // namespace vellumo
