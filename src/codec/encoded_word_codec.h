#pragma once
// Encoded words of RFC 2047 ("=?charset?B?text?=" and "=?charset?Q?text?=").
// Decode turns every encoded word of a header value into its raw bytes (no
// charset conversion) and drops white space between adjacent words; Encode
// writes the whole source as B or Q words of at most 75 bytes, separated by
// single spaces. A UTF-8 character is never split across two words, and a
// word is started only when its closing "?=" fits, so even a cut output ends
// with a closed word. Only "=?name?X?" with a non-empty printable charset
// name starts a word; "_" in Q text is a space; white space is dropped only
// between two decodable words.

#include <string>

#include "codec/identity_codec.h"

namespace vellumo {

// Longer charset names leave a word no room for a base64 group within 75
// bytes; a value with such a charset is copied as if it had none.
constexpr int32_t kMaxEncodedWordCharsetLength = 64;
// RFC 2047: an encoded word is at most 75 bytes.
constexpr int32_t kMaxEncodedWordLength = 75;

class EncodedWordCodec : public IdentityCodec {
  public:
    // 0 for empty input; sourceLength without a usable charset.
    [[nodiscard]] int32_t EncodedLength() const override;
    // sourceLength: decoding never grows the text.
    [[nodiscard]] int32_t DecodedLength() const override;
    int32_t Encode(char* out, int32_t capacity) override;
    // Sets `charset` to the charset name of the first encoded word (or empty).
    int32_t Decode(char* out, int32_t capacity) override;

    char letter = 'Q';    // "B" or "Q" (any case); anything but B means Q
    std::string charset;  // written into the words; after Decode, the one found
};

// True when `charset` names UTF-8 (ASCII case ignored).
[[nodiscard]] bool IsUtf8CharsetName(const std::string& charset);

}  // namespace vellumo
