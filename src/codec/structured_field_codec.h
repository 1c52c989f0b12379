#pragma once
// Every field without a codec of its own, the empty name included: one
// segment per word, never folded.

#include "codec/header_field_codec.h"
#include "codec/scan_segment.h"

namespace vellumo {

class StructuredFieldCodec : public HeaderFieldCodec {
  public:
    [[nodiscard]] bool IsBreakChar(unsigned char) const override { return false; }
    [[nodiscard]] int32_t InitialScanState() const override { return kScanOutside; }
};

}  // namespace vellumo
