#pragma once
// Transfer codecs by Content-Transfer-Encoding name. Filled during static
// initialisation with "quoted-printable" (text mode) and "base64" (line
// breaking); every other name yields an IdentityCodec.

#include <memory>
#include <string_view>

#include "codec/transfer_codec.h"

namespace vellumo {

using TransferCodecFactory = std::unique_ptr<TransferCodec> (*)();

constexpr int kMaxTransferCodecs = 16;

// Removes every entry named `name` (ASCII case ignored), then adds (name,
// factory) unless factory is null. `name` must stay valid (it is not copied).
// False when the name is null/empty or the table is full.
[[nodiscard]] bool RegisterTransferCodec(const char* name, TransferCodecFactory factory);

// A new codec for the encoding name; null, empty and unknown names give an
// IdentityCodec. Surrounding white space of the name is ignored. Never null.
[[nodiscard]] std::unique_ptr<TransferCodec> CreateTransferCodec(std::string_view name);
[[nodiscard]] std::unique_ptr<TransferCodec> CreateTransferCodec(const char* name);

// The name of the entry at `index` in registration order; null past the end.
[[nodiscard]] const char* TransferCodecNameAt(int index);

}  // namespace vellumo
