#pragma once
// Header field codecs by field name. Filled during static initialisation with
// the unstructured, address and parameter field names; every other name,
// the empty one included, yields a StructuredFieldCodec.

#include <memory>
#include <string_view>

#include "codec/header_field_codec.h"

namespace vellumo {

using HeaderCodecFactory = std::unique_ptr<HeaderFieldCodec> (*)();

constexpr int kMaxHeaderCodecs = 32;

// As RegisterTransferCodec: replaces an entry of the same name (ASCII case
// ignored); a null factory only removes. `name` is not copied.
[[nodiscard]] bool RegisterHeaderCodec(const char* name, HeaderCodecFactory factory);

// A new codec for the field name (ASCII case ignored). Never null.
[[nodiscard]] std::unique_ptr<HeaderFieldCodec> CreateHeaderCodec(std::string_view name);
[[nodiscard]] std::unique_ptr<HeaderFieldCodec> CreateHeaderCodec(const char* name);

// The name of the entry at `index` in registration order; null past the end.
[[nodiscard]] const char* HeaderCodecNameAt(int index);

}  // namespace vellumo
