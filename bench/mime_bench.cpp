// Parse and write throughput of the MIME model on generated messages, and the
// memory the model holds: after parsing (the input text released) and at the
// peak of writing (the model plus the written text).
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "codec/transfer_codec_registry.h"
#include "mime/mime_message.h"

namespace {

constexpr double kMegabyte = 1024.0 * 1024.0;

std::string Encode(const char* encoding, const std::string& bytes) {
    std::unique_ptr<vellumo::TransferCodec> codec = vellumo::CreateTransferCodec(encoding);
    codec->source = bytes.data();
    codec->sourceLength = static_cast<int32_t>(bytes.size());
    codec->encoding = true;
    std::string out(static_cast<size_t>(codec->EncodedLength()), '\0');
    out.resize(static_cast<size_t>(codec->Encode(out.data(), static_cast<int32_t>(out.size()))));
    return out;
}

std::string RandomBytes(std::mt19937& random, size_t size) {
    std::string bytes(size, '\0');
    for (char& byte : bytes) {
        byte = static_cast<char>(random() & 0xFF);
    }
    return bytes;
}

// Latin-1 prose: mostly ASCII words, some 8-bit letters, lines of ~70 bytes.
std::string RandomText(std::mt19937& random, size_t size) {
    static const char* const kWords[] = {"the",          "message",   "caf\xE9", "report",
                                         "na\xEFve",     "quarterly", "=",       "meeting",
                                         "r\xE9sum\xE9", "and"};
    std::string text;
    size_t lineLength = 0;
    while (text.size() < size) {
        const char* word = kWords[random() % 10];
        text += word;
        lineLength += std::char_traits<char>::length(word) + 1;
        if (lineLength > 70) {
            text += "\r\n";
            lineLength = 0;
        } else {
            text += ' ';
        }
    }
    return text;
}

std::string PartHeader(const std::string& type, const char* encoding) {
    return "Content-Type: " + type + "\r\nContent-Transfer-Encoding: " + encoding + "\r\n\r\n";
}

// multipart/related: one HTML part and base64 images until the size is reached.
std::string RelatedMessage(size_t targetSize) {
    std::mt19937 random(1);
    std::string text =
        "From: a@example.com\r\nSubject: =?iso-8859-1?Q?Bilder_f=FCr_Sie?=\r\n"
        "Content-Type: multipart/related; boundary=\"rel.boundary.1\"; type=\"text/html\"\r\n\r\n";
    text += "--rel.boundary.1\r\n" + PartHeader("text/html; charset=iso-8859-1", "7bit") +
            "<html><body><img src=cid:1></body></html>\r\n";
    int image = 0;
    while (text.size() < targetSize) {
        text +=
            "--rel.boundary.1\r\n" +
            PartHeader("image/jpeg; name=\"img" + std::to_string(++image) + ".jpg\"", "base64") +
            Encode("base64", RandomBytes(random, 750 * 1024));
    }
    return text + "--rel.boundary.1--\r\n";
}

// multipart/alternative with quoted-printable text and HTML parts.
std::string AlternativeMessage(size_t targetSize) {
    std::mt19937 random(2);
    std::string text =
        "Subject: report\r\nContent-Type: multipart/alternative; boundary=alt\r\n\r\n";
    bool html = false;
    while (text.size() < targetSize) {
        text +=
            "--alt\r\n" +
            PartHeader(html ? "text/html; charset=iso-8859-1" : "text/plain; charset=iso-8859-1",
                       "quoted-printable") +
            Encode("quoted-printable", RandomText(random, 512 * 1024)) + "\r\n";
        html = !html;
    }
    return text + "--alt--\r\n";
}

std::vector<std::string> SmallMessages(int count) {
    std::mt19937 random(3);
    std::vector<std::string> messages;
    for (int i = 0; i < count; ++i) {
        messages.push_back(
            "From: =?utf-8?Q?J=C3=B6rg?= <j@example.com>\r\nTo: a@example.com,\r\n "
            "b@example.com\r\n"
            "Subject: message " +
            std::to_string(i) + "\r\nContent-Type: multipart/alternative; boundary=b" +
            std::to_string(i) + "\r\n\r\n--b" + std::to_string(i) + "\r\n" +
            PartHeader("text/plain", "quoted-printable") +
            Encode("quoted-printable", RandomText(random, 1500)) + "\r\n--b" + std::to_string(i) +
            "\r\n" + PartHeader("text/html", "base64") +
            Encode("base64", RandomText(random, 2500)) + "--b" + std::to_string(i) + "--\r\n");
    }
    return messages;
}

size_t HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

size_t DecodedBytes(const vellumo::MimePart& part) {
    size_t total = part.body.size();
    for (const auto& child : part.children) {
        total += DecodedBytes(*child);
    }
    return total;
}

struct Measure {
    size_t modelBytes = 0;
    size_t peakBytes = 0;
    size_t decodedBytes = 0;
    size_t writtenBytes = 0;
};

// Parses a copy of `text` (released after parsing, as the driver may) and
// writes the tree back into one buffer of GetSize bytes.
void ParseAndWrite(const std::string& text, Measure* measure) {
    const size_t before = HeapInUse();
    auto input = std::make_unique<std::string>(text);
    vellumo::MimeMessage message;
    benchmark::DoNotOptimize(message.Parse(input->c_str(), static_cast<int>(input->size())));
    input.reset();
    const size_t afterParse = HeapInUse();
    const int size = message.GetSize();
    std::unique_ptr<char[]> out(new char[static_cast<size_t>(size) + 1]);
    const int written = message.Write(out.get(), size);
    benchmark::DoNotOptimize(out.get());
    if (measure != nullptr) {
        measure->modelBytes = afterParse - before;
        measure->peakBytes = HeapInUse() - before;
        measure->decodedBytes = DecodedBytes(message);
        measure->writtenBytes = static_cast<size_t>(written);
    }
}

void Report(benchmark::State& state, size_t inputBytes, const Measure& measure) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(inputBytes));
    state.counters["input_MB"] = static_cast<double>(inputBytes) / kMegabyte;
    state.counters["model_MB"] = static_cast<double>(measure.modelBytes) / kMegabyte;
    state.counters["decoded_MB"] = static_cast<double>(measure.decodedBytes) / kMegabyte;
    state.counters["written_MB"] = static_cast<double>(measure.writtenBytes) / kMegabyte;
    state.counters["peak_MB"] = static_cast<double>(measure.peakBytes) / kMegabyte;
}

void BM_Related50MB(benchmark::State& state) {
    static const std::string text = RelatedMessage(50u * 1024 * 1024);
    Measure measure;
    ParseAndWrite(text, &measure);
    for (auto _ : state) {
        ParseAndWrite(text, nullptr);
    }
    Report(state, text.size(), measure);
}
BENCHMARK(BM_Related50MB)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_Alternative20MB(benchmark::State& state) {
    static const std::string text = AlternativeMessage(20u * 1024 * 1024);
    Measure measure;
    ParseAndWrite(text, &measure);
    for (auto _ : state) {
        ParseAndWrite(text, nullptr);
    }
    Report(state, text.size(), measure);
}
BENCHMARK(BM_Alternative20MB)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_SmallMessages2000(benchmark::State& state) {
    static const std::vector<std::string> messages = SmallMessages(2000);
    size_t total = 0;
    for (const std::string& message : messages) {
        total += message.size();
    }
    for (auto _ : state) {
        for (const std::string& message : messages) {
            ParseAndWrite(message, nullptr);
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(total));
    state.counters["input_MB"] = static_cast<double>(total) / kMegabyte;
    state.counters["messages_per_s"] = benchmark::Counter(
        static_cast<double>(messages.size()) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SmallMessages2000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
