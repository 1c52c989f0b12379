#include "charset/iso2022kr.h"

#include "charset/decoder_steps.h"
#include "charset/legacy_indexes.h"

namespace vellumo {
namespace {

constexpr int kAnnouncementSize = 4;
constexpr int kEscape = 0x1B;
constexpr int kShiftOut = 0x0E;
constexpr int kShiftIn = 0x0F;
// KS X 1001 is the part of the EUC-KR index whose two bytes are both
// 0xA1-0xFE; ISO-2022-KR writes them without the high bit.
constexpr int kHighBit = 0x80;

// The announcement did not come: the escape is an error and the bytes
// after it are read again.
void AbandonEscape(DecoderState& state, int byte, ByteQueue& queue, std::string* out) {
    unsigned char back[kAnnouncementSize] = {};
    int count = 0;
    for (int i = 1; i < state.second; ++i) {
        back[count++] = static_cast<unsigned char>(kIso2022KrAnnouncement[i]);
    }
    if (byte != kEndOfQueue) {
        back[count++] = static_cast<unsigned char>(byte);
    }
    queue.Restore(back, count);
    state.second = 0;
    AppendReplacement(out);
}

void KoreanPair(DecoderState& state, int byte, ByteQueue& queue, std::string* out) {
    const int lead = state.first;
    state.first = 0;
    if (byte < 0x21) {
        queue.Restore(static_cast<unsigned char>(byte));  // a line end, read again
        AppendReplacement(out);
        return;
    }
    const char32_t codePoint = byte <= 0x7E
                                   ? EucKrIndex().CodePoint((lead + kHighBit - 0x81) * kEucKrRow +
                                                            (byte + kHighBit - 0x41))
                                   : 0;
    if (codePoint == 0) {
        AppendReplacement(out);
    } else {
        AppendUtf8(codePoint, out);
    }
}

}  // namespace

bool StepIso2022Kr(DecoderState& state, int byte, ByteQueue& queue, std::string* out) {
    if (state.second > 0) {
        if (byte == static_cast<unsigned char>(kIso2022KrAnnouncement[state.second])) {
            state.second = state.second + 1 == kAnnouncementSize ? 0 : state.second + 1;
        } else {
            AbandonEscape(state, byte, queue, out);
        }
        return false;
    }
    if (byte == kEndOfQueue) {
        if (state.first == 0) {
            return true;
        }
        state.first = 0;
        AppendReplacement(out);
        return false;
    }
    if (state.first != 0) {
        KoreanPair(state, byte, queue, out);
    } else if (byte == kEscape) {
        state.second = 1;
    } else if (byte == kShiftOut || byte == kShiftIn) {
        state.flag = byte == kShiftOut;
    } else if (byte >= 0x80) {
        AppendReplacement(out);
    } else if (!state.flag || byte < 0x21 || byte == 0x7F) {
        out->push_back(static_cast<char>(byte));
    } else {
        state.first = static_cast<unsigned char>(byte);
    }
    return false;
}

bool Iso2022KrEncoder::Encode(char32_t codePoint, std::string* out) {
    if (codePoint == kShiftOut || codePoint == kShiftIn || codePoint == kEscape) {
        return false;
    }
    if (codePoint < 0x80) {
        if (korean_) {
            out->push_back(static_cast<char>(kShiftIn));
            korean_ = false;
        }
        out->push_back(static_cast<char>(codePoint));
        return true;
    }
    std::size_t pointer = 0;
    if (!EucKrIndex().Pointer(codePoint, &pointer)) {
        return false;
    }
    const std::size_t lead = pointer / kEucKrRow + 0x81;
    const std::size_t trail = pointer % kEucKrRow + 0x41;
    if (lead < 0xA1 || lead > 0xFE || trail < 0xA1 || trail > 0xFE) {
        return false;  // a Unified Hangul Code addition, not in KS X 1001
    }
    if (!korean_) {
        out->push_back(static_cast<char>(kShiftOut));
        korean_ = true;
    }
    out->push_back(static_cast<char>(lead - kHighBit));
    out->push_back(static_cast<char>(trail - kHighBit));
    return true;
}

void Iso2022KrEncoder::Finish(std::string* out) {
    if (korean_) {
        out->push_back(static_cast<char>(kShiftIn));
        korean_ = false;
    }
}

}  // namespace vellumo
