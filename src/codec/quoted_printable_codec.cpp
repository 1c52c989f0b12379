#include "codec/quoted_printable_codec.h"

namespace vellumo {

int32_t QuotedPrintableCodec::EncodedLength() const {
    return 0;
}
int32_t QuotedPrintableCodec::DecodedLength() const {
    return 0;
}
int32_t QuotedPrintableCodec::Encode(char*, int32_t) {
    return 0;
}
int32_t QuotedPrintableCodec::Decode(char*, int32_t) {
    return 0;
}
int32_t QuotedPrintableEstimate(const char*, int32_t) {
    return 0;
}
int32_t DecodeQuotedPrintable(const char*, int32_t, char*, int32_t, bool) {
    return 0;
}

}  // namespace vellumo
