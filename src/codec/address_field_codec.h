#pragma once
// Address lists (From, To, Cc, Reply-To and their Resent- forms): one
// segment per word, folded after "," and ":".

#include "codec/header_field_codec.h"
#include "codec/scan_segment.h"

namespace vellumo {

class AddressFieldCodec : public HeaderFieldCodec {
  public:
    [[nodiscard]] bool IsBreakChar(unsigned char ch) const override {
        return ch == ',' || ch == ':';
    }
    [[nodiscard]] int32_t InitialScanState() const override { return kScanOutside; }
};

}  // namespace vellumo
