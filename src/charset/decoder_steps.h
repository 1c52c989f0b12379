// The byte handlers of the decoders, as the Encoding Standard writes them:
// each takes one byte (or kEndOfQueue), may put bytes back in front of the
// queue to be read again, and writes code points as UTF-8. Private to the
// charset layer.
#pragma once

#include <string>
#include <string_view>
#include <type_traits>

#include "charset/text_decoder.h"
#include "charset/unicode_text.h"

namespace vellumo {

inline constexpr int kEndOfQueue = -1;

// The input of a decoder: bytes put back first, then the piece.
class ByteQueue {
  public:
    explicit ByteQueue(std::string_view input) : input_(input) {}

    [[nodiscard]] int Next() {
        if (restoredCount_ > 0) {
            const unsigned char byte = restored_[0];
            for (int i = 1; i < restoredCount_; ++i) {
                restored_[i - 1] = restored_[i];
            }
            --restoredCount_;
            return byte;
        }
        return pos_ < input_.size() ? static_cast<unsigned char>(input_[pos_++]) : kEndOfQueue;
    }

    // Puts `count` bytes back in front, in their order.
    void Restore(const unsigned char* bytes, int count) {
        for (int i = restoredCount_ - 1; i >= 0; --i) {
            restored_[i + count] = restored_[i];
        }
        for (int i = 0; i < count; ++i) {
            restored_[i] = bytes[i];
        }
        restoredCount_ += count;
    }
    void Restore(unsigned char byte) { Restore(&byte, 1); }

    [[nodiscard]] bool HasRestored() const { return restoredCount_ > 0; }
    [[nodiscard]] std::string_view Rest() const { return input_.substr(pos_); }
    void Skip(std::size_t count) { pos_ += count; }

  private:
    std::string_view input_;
    std::size_t pos_ = 0;
    unsigned char restored_[8] = {};
    int restoredCount_ = 0;
};

using DecoderState = TextDecoder::State;

// Each returns true when the input is finished (only ever at kEndOfQueue).
using Step = bool (*)(DecoderState& state, int byte, ByteQueue& queue, std::string* out);
bool StepGb18030(DecoderState& state, int byte, ByteQueue& queue, std::string* out);
bool StepBig5(DecoderState& state, int byte, ByteQueue& queue, std::string* out);
bool StepEucJp(DecoderState& state, int byte, ByteQueue& queue, std::string* out);
bool StepShiftJis(DecoderState& state, int byte, ByteQueue& queue, std::string* out);
bool StepEucKr(DecoderState& state, int byte, ByteQueue& queue, std::string* out);
bool StepIso2022Jp(DecoderState& state, int byte, ByteQueue& queue, std::string* out);
bool StepIso2022Kr(DecoderState& state, int byte, ByteQueue& queue, std::string* out);

// The ASCII-compatible double-byte decoders (GBK, gb18030, Big5, EUC-JP,
// Shift_JIS, EUC-KR), in cjk_decoders.cpp.
void DecodeDoubleByte(Encoding encoding, DecoderState& state, std::string_view bytes, bool last,
                      std::string* out);

// For decoders without a fast path: never a pair.
inline char32_t NoFastPair(unsigned char, unsigned char) {
    return 0;
}

// Runs a decoder's steps over the piece. While the decoder holds nothing,
// ASCII runs are copied at once and `fastPair(lead, trail)` may give the
// character of a plain two-byte sequence (0 leaves it to the steps), as
// most of CJK text is. A template on both, so that each loop calls them
// directly.
template <Step step, typename FastPair>
void RunSteps(DecoderState& state, std::string_view bytes, bool last, std::string* out,
              FastPair fastPair) {
    constexpr bool kFast = !std::is_same_v<FastPair, decltype(&NoFastPair)>;
    ByteQueue queue(bytes);
    for (;;) {
        while (kFast && state.first == 0 && !queue.HasRestored()) {
            const std::string_view rest = queue.Rest();
            std::size_t ascii = 0;
            while (ascii < rest.size() && static_cast<unsigned char>(rest[ascii]) < 0x80) {
                ++ascii;
            }
            out->append(rest.data(), ascii);
            queue.Skip(ascii);
            if (rest.size() < ascii + 2) {
                break;
            }
            const char32_t codePoint = fastPair(static_cast<unsigned char>(rest[ascii]),
                                                static_cast<unsigned char>(rest[ascii + 1]));
            if (codePoint == 0) {
                break;
            }
            AppendUtf8(codePoint, out);
            queue.Skip(2);
        }
        const int byte = queue.Next();
        if (byte != kEndOfQueue) {
            (void)step(state, byte, queue, out);
        } else if (!last || step(state, kEndOfQueue, queue, out)) {
            return;
        }
    }
}

inline void AppendReplacement(std::string* out) {
    out->append("\xEF\xBF\xBD", 3);
}

inline bool IsAsciiByte(int byte) {
    return byte >= 0 && byte < 0x80;
}

}  // namespace vellumo
