#include "codec/header_field_codec.h"

namespace vellumo {

int32_t HeaderFieldCodec::EncodedLength() const {
    return 0;
}
int32_t HeaderFieldCodec::DecodedLength() const {
    return 0;
}
int32_t HeaderFieldCodec::Encode(char*, int32_t) {
    return 0;
}
int32_t HeaderFieldCodec::Decode(char*, int32_t) {
    return 0;
}

}  // namespace vellumo
