// The encoded-word decoder on any header value: no fault, nothing past the
// capacity, and an encoded value of the bytes decodes back to them.
//
// Long run, from the project root after building the fuzz preset (one line):
//   build/fuzz/bin/encoded_word_fuzz -max_total_time=3600 -timeout=10 -dict=fuzz/encoded_word.dict
//   build/fuzz/fuzz-corpus/encoded_word fuzz/seeds/encoded_word

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "codec/encoded_word_codec.h"

namespace {

constexpr size_t kGuard = 16;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

int32_t Run(vellumo::EncodedWordCodec& codec, bool encoding, std::vector<char>& out) {
    const int32_t bound = encoding ? codec.EncodedLength() : codec.DecodedLength();
    Check(bound >= 0);
    out.assign(static_cast<size_t>(bound) + kGuard, '\x5A');
    const int32_t written =
        encoding ? codec.Encode(out.data(), bound) : codec.Decode(out.data(), bound);
    Check(written >= 0 && written <= bound);
    for (size_t i = 0; i < kGuard; ++i) {
        Check(out[static_cast<size_t>(bound) + i] == '\x5A');
    }
    return written;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    const char* text = reinterpret_cast<const char*>(data + 2);
    const int32_t length = static_cast<int32_t>(size - 2);
    vellumo::EncodedWordCodec decoder;
    decoder.source = text;
    decoder.sourceLength = length;
    std::vector<char> decoded;
    Run(decoder, false, decoded);

    // Encode the raw bytes with a charset chosen by the first byte and the
    // letter by the second, then decode them back.
    static const char* const kCharsets[] = {"utf-8", "iso-8859-1", "x",
                                            "a-rather-long-charset-name-for-testing-room-xx"};
    vellumo::EncodedWordCodec encoder;
    encoder.charset = kCharsets[data[0] % 4];
    encoder.letter = (data[1] & 1) != 0 ? 'B' : 'Q';
    encoder.source = text;
    encoder.sourceLength = length;
    std::vector<char> encoded;
    const int32_t written = Run(encoder, true, encoded);
    vellumo::EncodedWordCodec back;
    back.source = encoded.data();
    back.sourceLength = written;
    std::vector<char> again;
    const int32_t count = Run(back, false, again);
    Check(count == length && std::memcmp(again.data(), text, static_cast<size_t>(length)) == 0);
    return 0;
}
