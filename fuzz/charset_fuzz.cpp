// The charset decoders and encoders on any bytes. The first byte picks the
// encoding; the rest is decoded whole and in two pieces (the same text,
// well-formed UTF-8), and, read as UTF-8 text, encoded: what an encoder
// writes decodes without errors and encodes again to the same bytes.
//
// Long run, from the project root after building the fuzz preset (one line):
//   build/fuzz/bin/charset_fuzz -max_total_time=3600 -timeout=10
//   build/fuzz/fuzz-corpus/charset fuzz/seeds/charset

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "charset/text_decoder.h"
#include "charset/text_encoder.h"
#include "charset/unicode_text.h"

namespace {

using vellumo::Encoding;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

std::string Decoded(Encoding encoding, std::string_view bytes) {
    std::string out;
    vellumo::TextDecoder(encoding).Decode(bytes, true, &out);
    return out;
}

void CheckDecoder(Encoding encoding, std::string_view bytes, std::size_t cut) {
    const std::string whole = Decoded(encoding, bytes);
    Check(vellumo::IsValidUtf8(whole));
    vellumo::TextDecoder decoder(encoding);
    std::string pieces;
    decoder.Decode(bytes.substr(0, cut), false, &pieces);
    decoder.Decode(bytes.substr(cut), true, &pieces);
    Check(pieces == whole);
    Check(vellumo::IsValidUtf8(vellumo::DecodeText(encoding, bytes)));
}

void CheckEncoder(Encoding encoding, std::string_view bytes) {
    const std::string text = vellumo::RepairUtf8(bytes);
    std::string encoded;
    if (!vellumo::EncodeText(encoding, text, nullptr, &encoded)) {
        return;
    }
    const std::string back = Decoded(encoding, encoded);
    const bool hadReplacement = text.find("\xEF\xBF\xBD") != std::string::npos;
    Check(hadReplacement || back.find("\xEF\xBF\xBD") == std::string::npos);
    std::string again;
    Check(vellumo::EncodeText(encoding, back, nullptr, &again));
    Check(again == encoded);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const auto encoding = static_cast<Encoding>(data[0] % vellumo::kEncodingCount);
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    CheckDecoder(encoding, bytes, bytes.empty() ? 0 : data[0] % (bytes.size() + 1));
    CheckEncoder(encoding, bytes);
    return 0;
}
