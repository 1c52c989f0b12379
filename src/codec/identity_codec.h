#pragma once
// The codec of "7bit", "8bit", "binary" and every unknown encoding name:
// both directions copy the input, truncated at the capacity.

#include "codec/transfer_codec.h"

namespace vellumo {

class IdentityCodec : public TransferCodec {
  public:
    [[nodiscard]] int32_t EncodedLength() const override;
    [[nodiscard]] int32_t DecodedLength() const override;
    int32_t Encode(char* out, int32_t capacity) override;
    int32_t Decode(char* out, int32_t capacity) override;
};

}  // namespace vellumo
