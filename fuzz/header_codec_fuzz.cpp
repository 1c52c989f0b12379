// Header field codecs on any value: decode, then encode the decoded value
// with the charset found (or one chosen by the input) and decode it again;
// no fault, lengths bound the output, nothing past the capacity.
//
// Long run, from the project root after building the fuzz preset (one line):
//   build/fuzz/bin/header_codec_fuzz -max_total_time=3600 -timeout=10 -dict=fuzz/header_codec.dict
//   build/fuzz/fuzz-corpus/header_codec fuzz/seeds/header_codec

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "codec/header_codec_registry.h"

namespace {

constexpr size_t kGuard = 16;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

std::string Run(vellumo::HeaderFieldCodec& codec, const std::string& input, bool encoding) {
    codec.source = input.data();
    codec.sourceLength = static_cast<int32_t>(input.size());
    codec.encoding = encoding;
    const int32_t bound = codec.Length();
    Check(bound >= 0);
    std::vector<char> out(static_cast<size_t>(bound) + kGuard, '\x5A');
    const int32_t written = codec.Process(out.data(), bound);
    Check(written >= 0 && written <= bound);
    for (size_t i = 0; i < kGuard; ++i) {
        Check(out[static_cast<size_t>(bound) + i] == '\x5A');
    }
    return std::string(out.data(), static_cast<size_t>(written));
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Every CR must start CR LF blank and every LF be followed by a blank, so
// that no line of the field can start a new field.
bool HasLineEndOutsideFold(const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' &&
            !(i + 2 < text.size() && text[i + 1] == '\n' && IsBlank(text[i + 2]))) {
            return true;
        }
        if (text[i] == '\n' && !(i + 1 < text.size() && IsBlank(text[i + 1]))) {
            return true;
        }
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    static const char* const kFields[] = {"Subject", "From", "Content-Type", "X-Other"};
    static const char* const kCharsets[] = {"", "utf-8", "iso-8859-1", "x"};
    const std::string value(reinterpret_cast<const char*>(data + 1), size - 1);
    const char* field = kFields[data[0] & 3];
    std::unique_ptr<vellumo::HeaderFieldCodec> codec = vellumo::CreateHeaderCodec(field);
    const std::string decoded = Run(*codec, value, false);
    if (codec->charset.empty()) {
        codec->charset = kCharsets[(data[0] >> 2) & 3];
    }
    const std::string encoded = Run(*codec, decoded, true);
    // With a charset, nothing decoded may end the header line early.
    if (!codec->charset.empty() && codec->charset.size() <= 56) {
        Check(!HasLineEndOutsideFold(encoded));
    }
    std::unique_ptr<vellumo::HeaderFieldCodec> again = vellumo::CreateHeaderCodec(field);
    Run(*again, encoded, false);
    return 0;
}
