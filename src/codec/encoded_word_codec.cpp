#include "codec/encoded_word_codec.h"

namespace vellumo {

int32_t EncodedWordCodec::EncodedLength() const {
    return 0;
}
int32_t EncodedWordCodec::DecodedLength() const {
    return 0;
}
int32_t EncodedWordCodec::Encode(char*, int32_t) {
    return 0;
}
int32_t EncodedWordCodec::Decode(char*, int32_t) {
    return 0;
}
bool IsUtf8CharsetName(const std::string&) {
    return false;
}

}  // namespace vellumo
