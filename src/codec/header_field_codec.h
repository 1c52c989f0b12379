#pragma once
// Header field values. Decode turns encoded words into raw bytes and reports
// the first word's charset (the value is not unfolded). Encode, when
// `charset` is set, writes every segment that needs it (8-bit bytes, control
// bytes, line ends that are not folds) as encoded words in that charset, with
// blanks between two such segments inside one word so that they survive, and
// folds (CR LF TAB) after the kind's break characters unless only white space
// follows; without a charset the value is copied as stored.

#include <string>

#include "codec/transfer_codec.h"

namespace vellumo {

class HeaderFieldCodec : public TransferCodec {
  public:
    [[nodiscard]] int32_t EncodedLength() const override;
    // sourceLength.
    [[nodiscard]] int32_t DecodedLength() const override;
    int32_t Encode(char* out, int32_t capacity) override;
    // Sets `charset` to the charset of the first encoded word (or empty).
    int32_t Decode(char* out, int32_t capacity) override;
    // True when a fold (CR LF TAB) follows the byte in this kind of field.
    [[nodiscard]] virtual bool IsBreakChar(unsigned char ch) const = 0;
    // The scan state with which ScanSegment starts on this kind of field.
    [[nodiscard]] virtual int32_t InitialScanState() const = 0;

    std::string charset;  // the charset to encode with; after Decode, the one found
};

}  // namespace vellumo
