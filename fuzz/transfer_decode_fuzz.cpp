// Transfer decoders on any bytes: no fault, nothing past the capacity, and
// never more than DecodedLength, for the full size and a cut one.
//
// Long run, from the project root after building the fuzz preset (one line):
//   build/fuzz/bin/transfer_decode_fuzz -max_total_time=3600 -timeout=10
//   -dict=fuzz/transfer_decode.dict build/fuzz/fuzz-corpus/transfer_decode
//   fuzz/seeds/transfer_decode

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "codec/base64_codec.h"
#include "codec/identity_codec.h"
#include "codec/quoted_printable_codec.h"

namespace {

constexpr size_t kGuard = 16;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void DecodeWithCapacity(vellumo::TransferCodec& codec, int32_t capacity) {
    std::vector<char> out(static_cast<size_t>(capacity) + kGuard, '\x5A');
    const int32_t written = codec.Decode(out.data(), capacity);
    Check(written >= 0 && written <= capacity);
    for (size_t i = 0; i < kGuard; ++i) {
        Check(out[static_cast<size_t>(capacity) + i] == '\x5A');
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const uint8_t cut = data[0];
    const char* text = reinterpret_cast<const char*>(data + 1);
    const int32_t length = static_cast<int32_t>(size - 1);
    std::unique_ptr<vellumo::TransferCodec> codecs[] = {
        std::make_unique<vellumo::Base64Codec>(true),
        std::make_unique<vellumo::QuotedPrintableCodec>(false),
        std::make_unique<vellumo::IdentityCodec>(),
    };
    for (auto& codec : codecs) {
        codec->source = text;
        codec->sourceLength = length;
        const int32_t bound = codec->DecodedLength();
        Check(bound >= 0);
        DecodeWithCapacity(*codec, bound);
        DecodeWithCapacity(*codec, bound > cut ? bound - cut : 0);
    }
    return 0;
}
