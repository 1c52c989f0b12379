// Decoding speed of the charset layer on 8 MB of HTML-like mail text in
// Big5, gb18030, EUC-JP and windows-1251, against copying the same bytes.
// Bytes per second count the encoded bytes read.

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "charset/text_decoder.h"
#include "charset/text_encoder.h"
#include "charset/unicode_text.h"

namespace vellumo {
namespace {

constexpr std::size_t kInputBytes = 8u << 20;
constexpr std::size_t kCharactersPerParagraph = 40;

// Paragraphs of characters from `first` on, cycling through `count` code
// points, in markup, encoded in `encoding` (a character it lacks is "?").
std::string Sample(Encoding encoding, char32_t first, char32_t count) {
    std::string utf8;
    char32_t next = 0;
    while (utf8.size() < kInputBytes) {
        utf8 += "<p class=\"body\">";
        for (std::size_t i = 0; i < kCharactersPerParagraph; ++i) {
            AppendUtf8(first + next++ % count, &utf8);
        }
        utf8 += "</p>\r\n";
    }
    std::string bytes;
    (void)EncodeText(
        encoding, utf8, [](char32_t) { return '?'; }, &bytes);
    return bytes.substr(0, kInputBytes);
}

const std::string& Input(Encoding encoding) {
    static const std::string big5 = Sample(Encoding::kBig5, 0x4E00, 0x5000);
    static const std::string gb18030 = Sample(Encoding::kGb18030, 0x4E00, 0x5000);
    static const std::string eucJp = Sample(Encoding::kEucJp, 0x4E00, 0x5000);
    static const std::string cyrillic = Sample(Encoding::kWindows1251, 0x410, 0x40);
    switch (encoding) {
        case Encoding::kBig5:
            return big5;
        case Encoding::kGb18030:
            return gb18030;
        case Encoding::kEucJp:
            return eucJp;
        default:
            return cyrillic;
    }
}

void BM_Decode(benchmark::State& state, Encoding encoding) {
    const std::string& input = Input(encoding);
    for (auto _ : state) {
        std::string out;
        out.reserve(input.size() + input.size() / 2);
        TextDecoder(encoding).Decode(input, true, &out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * input.size()));
}

// The same bytes copied into a new string: the floor any decoder stands on.
void BM_Copy(benchmark::State& state, Encoding encoding) {
    const std::string& input = Input(encoding);
    for (auto _ : state) {
        std::string out(input.size(), '\0');
        std::memcpy(&out[0], input.data(), input.size());
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * input.size()));
}

BENCHMARK_CAPTURE(BM_Copy, big5, Encoding::kBig5);
BENCHMARK_CAPTURE(BM_Decode, big5, Encoding::kBig5);
BENCHMARK_CAPTURE(BM_Decode, gb18030, Encoding::kGb18030);
BENCHMARK_CAPTURE(BM_Decode, euc_jp, Encoding::kEucJp);
BENCHMARK_CAPTURE(BM_Decode, windows_1251, Encoding::kWindows1251);

}  // namespace
}  // namespace vellumo

BENCHMARK_MAIN();
