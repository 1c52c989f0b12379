#pragma once
// Subject, Comments and Content-Description: the whole value is one
// segment (never split, never folded).

#include "codec/header_field_codec.h"
#include "codec/scan_segment.h"

namespace vellumo {

class UnstructuredFieldCodec : public HeaderFieldCodec {
  public:
    [[nodiscard]] bool IsBreakChar(unsigned char) const override { return false; }
    [[nodiscard]] int32_t InitialScanState() const override { return kScanWhole; }
};

}  // namespace vellumo
