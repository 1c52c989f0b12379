#pragma once
// Content-Type and Content-Disposition: one segment per word, folded
// after ";" so that each parameter stands on a line of its own.

#include "codec/header_field_codec.h"
#include "codec/scan_segment.h"

namespace vellumo {

class ParameterFieldCodec : public HeaderFieldCodec {
  public:
    [[nodiscard]] bool IsBreakChar(unsigned char ch) const override { return ch == ';'; }
    [[nodiscard]] int32_t InitialScanState() const override { return kScanOutside; }
};

}  // namespace vellumo
