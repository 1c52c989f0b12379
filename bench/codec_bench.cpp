// Throughput of the transfer codecs on 16 MB of mail-like input: binary
// attachments for base64, accented prose with CR LF lines for
// quoted-printable (and English HTML, the more common case). Bytes per second count the bytes the
// step reads.

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "codec/base64_codec.h"
#include "codec/quoted_printable_codec.h"

namespace vellumo {
namespace {

constexpr size_t kInputBytes = 16u << 20;

const std::string& BinaryAttachment() {
    static const std::string data = [] {
        std::mt19937 random(7);
        std::string bytes(kInputBytes, '\0');
        for (char& byte : bytes) {
            byte = static_cast<char>(random() & 0xFF);
        }
        return bytes;
    }();
    return data;
}

// French and German prose in Latin-1: mostly ASCII words, an accented byte
// every few words, lines of about 70 bytes ended by CR LF.
const std::string& LatinText() {
    static const std::string text = [] {
        const char* words[] = {"le",
                               "caf\xE9",
                               "est",
                               "tr\xE8s",
                               "bon",
                               "und",
                               "f\xFCr",
                               "die",
                               "Stra\xDF"
                               "e",
                               "mail",
                               "message",
                               "report",
                               "=",
                               "weekly",
                               "\xE0",
                               "the",
                               "data."};
        std::mt19937 random(11);
        std::string out;
        size_t line = 0;
        while (out.size() < kInputBytes) {
            const std::string word = words[random() % (sizeof words / sizeof words[0])];
            if (line + word.size() > 70) {
                out += "\r\n";
                line = 0;
            } else if (line > 0) {
                out += ' ';
                ++line;
            }
            out += word;
            line += word.size();
        }
        out.resize(kInputBytes);
        return out;
    }();
    return text;
}

// English HTML mail: long lines of markup and prose, an 8-bit byte rarely.
const std::string& EnglishHtml() {
    static const std::string text = [] {
        const char* pieces[] = {"<p style=\"margin:0\">",
                                "Thanks for your order",
                                "</p>",
                                "<td class=\"x\">",
                                "Total:",
                                "&nbsp;",
                                "shipping",
                                "weekly",
                                "report",
                                "caf\xE9",
                                "the",
                                "data.",
                                "<br>\r\n"};
        std::mt19937 random(13);
        std::string out;
        while (out.size() < kInputBytes) {
            out += pieces[random() % (sizeof pieces / sizeof pieces[0])];
            out += ' ';
        }
        out.resize(kInputBytes);
        return out;
    }();
    return text;
}

std::string EncodeWith(TransferCodec& codec, const std::string& input) {
    codec.source = input.data();
    codec.sourceLength = static_cast<int32_t>(input.size());
    std::string out(static_cast<size_t>(codec.EncodedLength()), '\0');
    out.resize(static_cast<size_t>(codec.Encode(out.data(), static_cast<int32_t>(out.size()))));
    return out;
}

void RunEncode(benchmark::State& state, TransferCodec& codec, const std::string& input) {
    codec.source = input.data();
    codec.sourceLength = static_cast<int32_t>(input.size());
    std::vector<char> out(static_cast<size_t>(codec.EncodedLength()));
    for (auto _ : state) {
        benchmark::DoNotOptimize(codec.Encode(out.data(), static_cast<int32_t>(out.size())));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(input.size()));
}

void RunDecode(benchmark::State& state, TransferCodec& codec, const std::string& input) {
    codec.source = input.data();
    codec.sourceLength = static_cast<int32_t>(input.size());
    std::vector<char> out(static_cast<size_t>(codec.DecodedLength()));
    for (auto _ : state) {
        benchmark::DoNotOptimize(codec.Decode(out.data(), static_cast<int32_t>(out.size())));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(input.size()));
}

void Base64Encode(benchmark::State& state) {
    Base64Codec codec(true);
    RunEncode(state, codec, BinaryAttachment());
}

void Base64Decode(benchmark::State& state) {
    Base64Codec encoder(true);
    static const std::string encoded = EncodeWith(encoder, BinaryAttachment());
    Base64Codec codec(true);
    RunDecode(state, codec, encoded);
}

void QuotedPrintableEncode(benchmark::State& state) {
    QuotedPrintableCodec codec(false);
    RunEncode(state, codec, LatinText());
}

void QuotedPrintableEncodeEnglishHtml(benchmark::State& state) {
    QuotedPrintableCodec codec(false);
    RunEncode(state, codec, EnglishHtml());
}

void QuotedPrintableDecode(benchmark::State& state) {
    QuotedPrintableCodec encoder(false);
    static const std::string encoded = EncodeWith(encoder, LatinText());
    QuotedPrintableCodec codec(false);
    RunDecode(state, codec, encoded);
}

BENCHMARK(Base64Encode)->Unit(benchmark::kMillisecond);
BENCHMARK(Base64Decode)->Unit(benchmark::kMillisecond);
BENCHMARK(QuotedPrintableEncode)->Unit(benchmark::kMillisecond);
BENCHMARK(QuotedPrintableDecode)->Unit(benchmark::kMillisecond);
BENCHMARK(QuotedPrintableEncodeEnglishHtml)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vellumo

BENCHMARK_MAIN();
