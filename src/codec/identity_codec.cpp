#include "codec/identity_codec.h"

#include <cstring>

#include "codec/codec_limits.h"

namespace vellumo {

int32_t IdentityCodec::EncodedLength() const {
    return ClampedLength(sourceLength);
}

int32_t IdentityCodec::DecodedLength() const {
    return ClampedLength(sourceLength);
}

int32_t IdentityCodec::Encode(char* out, int32_t capacity) {
    return CopyBytes(source, sourceLength, out, capacity);
}

int32_t IdentityCodec::Decode(char* out, int32_t capacity) {
    return CopyBytes(source, sourceLength, out, capacity);
}

}  // namespace vellumo
