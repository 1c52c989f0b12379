// The byte handlers of the decoders, as the Encoding Standard writes them:
// each takes one byte (or kEndOfQueue), may put bytes back in front of the
// queue to be read again, and writes code points as UTF-8. Private to the
// charset layer.
#pragma once

#include <string>
#include <string_view>

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
bool StepGb18030(DecoderState& state, int byte, ByteQueue& queue, std::string* out);
bool StepBig5(DecoderState& state, int byte, ByteQueue& queue, std::string* out);
bool StepEucJp(DecoderState& state, int byte, ByteQueue& queue, std::string* out);
bool StepShiftJis(DecoderState& state, int byte, ByteQueue& queue, std::string* out);
bool StepEucKr(DecoderState& state, int byte, ByteQueue& queue, std::string* out);
bool StepIso2022Jp(DecoderState& state, int byte, ByteQueue& queue, std::string* out);
bool StepIso2022Kr(DecoderState& state, int byte, ByteQueue& queue, std::string* out);

inline void AppendReplacement(std::string* out) {
    out->append("\xEF\xBF\xBD", 3);
}

inline bool IsAsciiByte(int byte) {
    return byte >= 0 && byte < 0x80;
}

}  // namespace vellumo
