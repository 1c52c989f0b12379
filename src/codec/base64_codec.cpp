#include "codec/base64_codec.h"

namespace vellumo {

int32_t Base64Codec::EncodedLength() const {
    return 0;
}
int32_t Base64Codec::DecodedLength() const {
    return 0;
}
int32_t Base64Codec::Encode(char*, int32_t) {
    return 0;
}
int32_t Base64Codec::Decode(char*, int32_t) {
    return 0;
}
int32_t EncodeBase64(const char*, int32_t, char*, int32_t, bool) {
    return 0;
}
int32_t DecodeBase64(const char*, int32_t, char*, int32_t) {
    return 0;
}

}  // namespace vellumo
