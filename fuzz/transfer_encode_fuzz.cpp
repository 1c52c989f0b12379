// Transfer encoders on any bytes: Encode stays within EncodedLength and the
// capacity, encoded lines stay within 76 characters, and decoding gives the
// input back.
//
// Long run, from the project root after building the fuzz preset (one line):
//   build/fuzz/bin/transfer_encode_fuzz -max_total_time=3600 -timeout=10
//   build/fuzz/fuzz-corpus/transfer_encode fuzz/seeds/transfer_encode

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "codec/base64_codec.h"
#include "codec/quoted_printable_codec.h"

namespace {

constexpr size_t kGuard = 16;
constexpr size_t kMaxLine = 76;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

size_t LongestLine(const std::vector<char>& text, size_t length) {
    size_t longest = 0;
    size_t line = 0;
    for (size_t i = 0; i < length; ++i) {
        if (text[i] == '\r' && i + 1 < length && text[i + 1] == '\n') {
            line = 0;
            ++i;
            continue;
        }
        ++line;
        longest = line > longest ? line : longest;
    }
    return longest;
}

void RoundTrip(vellumo::TransferCodec& encoder, vellumo::TransferCodec& decoder, const char* input,
               int32_t length, uint8_t cut) {
    encoder.source = input;
    encoder.sourceLength = length;
    const int32_t bound = encoder.EncodedLength();
    Check(bound >= 0);
    std::vector<char> encoded(static_cast<size_t>(bound) + kGuard, '\x5A');
    const int32_t written = encoder.Encode(encoded.data(), bound);
    Check(written >= 0 && written <= bound);
    for (size_t i = 0; i < kGuard; ++i) {
        Check(encoded[static_cast<size_t>(bound) + i] == '\x5A');
    }
    Check(LongestLine(encoded, static_cast<size_t>(written)) <= kMaxLine);
    decoder.source = encoded.data();
    decoder.sourceLength = written;
    std::vector<char> decoded(static_cast<size_t>(decoder.DecodedLength()));
    const int32_t back = decoder.Decode(decoded.data(), static_cast<int32_t>(decoded.size()));
    // An empty vector's data() may be null, which memcmp must not see.
    Check(back == length &&
          (length == 0 || std::memcmp(decoded.data(), input, static_cast<size_t>(length)) == 0));
    // A cut capacity must still hold.
    const int32_t small = bound > cut ? bound - cut : 0;
    std::vector<char> shortOut(static_cast<size_t>(small) + kGuard, '\x5A');
    const int32_t shortWritten = encoder.Encode(shortOut.data(), small);
    Check(shortWritten >= 0 && shortWritten <= small);
    for (size_t i = 0; i < kGuard; ++i) {
        Check(shortOut[static_cast<size_t>(small) + i] == '\x5A');
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const uint8_t cut = data[0];
    const char* input = reinterpret_cast<const char*>(data + 1);
    const int32_t length = static_cast<int32_t>(size - 1);
    vellumo::Base64Codec base64(true);
    vellumo::Base64Codec base64Decoder;
    RoundTrip(base64, base64Decoder, input, length, cut);
    vellumo::QuotedPrintableCodec text(false);
    vellumo::QuotedPrintableCodec textDecoder;
    RoundTrip(text, textDecoder, input, length, cut);
    vellumo::QuotedPrintableCodec binary(true);
    vellumo::QuotedPrintableCodec binaryDecoder;
    RoundTrip(binary, binaryDecoder, input, length, cut);
    return 0;
}
