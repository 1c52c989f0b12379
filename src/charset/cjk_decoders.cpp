#include "charset/decoder_steps.h"
#include "charset/legacy_indexes.h"

namespace vellumo {
namespace {

constexpr char32_t kEudcStart = 0xE000;
constexpr int kShiftJisEudcFirst = 8836;
constexpr int kShiftJisEudcLast = 10715;

bool InRange(int byte, int low, int high) {
    return byte >= low && byte <= high;
}

// The end of the input: finished, or an error for a sequence cut short.
bool EndWithLead(unsigned char* lead, std::string* out) {
    if (*lead == 0) {
        return true;
    }
    *lead = 0;
    AppendReplacement(out);
    return false;
}

// The character of a lead and trail byte pair, or the error for it: an
// ASCII trail byte is read again for what it is.
void EmitPair(char32_t codePoint, int trail, ByteQueue& queue, std::string* out) {
    if (codePoint != 0) {
        AppendUtf8(codePoint, out);
        return;
    }
    if (IsAsciiByte(trail)) {
        queue.Restore(static_cast<unsigned char>(trail));
    }
    AppendReplacement(out);
}

// The fourth byte of a gb18030 four-byte sequence.
void Gb18030Fourth(DecoderState& state, int byte, ByteQueue& queue, std::string* out) {
    if (!InRange(byte, 0x30, 0x39)) {
        const unsigned char back[3] = {state.second, state.third, static_cast<unsigned char>(byte)};
        queue.Restore(back, 3);
        state.first = state.second = state.third = 0;
        AppendReplacement(out);
        return;
    }
    const std::uint32_t pointer = (state.first - 0x81) * (10 * 126 * 10) +
                                  (state.second - 0x30) * (10 * 126) + (state.third - 0x81) * 10 +
                                  static_cast<std::uint32_t>(byte - 0x30);
    state.first = state.second = state.third = 0;
    const char32_t codePoint = Gb18030RangesCodePoint(pointer);
    if (codePoint == 0) {
        AppendReplacement(out);
    } else {
        AppendUtf8(codePoint, out);
    }
}

}  // namespace

bool StepGb18030(DecoderState& state, int byte, ByteQueue& queue, std::string* out) {
    if (byte == kEndOfQueue) {
        if (state.first == 0 && state.second == 0 && state.third == 0) {
            return true;
        }
        state.first = state.second = state.third = 0;
        AppendReplacement(out);
        return false;
    }
    if (state.third != 0) {
        Gb18030Fourth(state, byte, queue, out);
    } else if (state.second != 0) {
        if (InRange(byte, 0x81, 0xFE)) {
            state.third = static_cast<unsigned char>(byte);
            return false;
        }
        const unsigned char back[2] = {state.second, static_cast<unsigned char>(byte)};
        queue.Restore(back, 2);
        state.first = state.second = 0;
        AppendReplacement(out);
    } else if (state.first != 0) {
        if (InRange(byte, 0x30, 0x39)) {
            state.second = static_cast<unsigned char>(byte);
            return false;
        }
        const int lead = state.first;
        state.first = 0;
        const int offset = byte < 0x7F ? 0x40 : 0x41;
        const bool trail = InRange(byte, 0x40, 0x7E) || InRange(byte, 0x80, 0xFE);
        const char32_t codePoint =
            trail ? Gb18030Index().CodePoint((lead - 0x81) * kGb18030Row + (byte - offset)) : 0;
        EmitPair(codePoint, byte, queue, out);
    } else if (IsAsciiByte(byte)) {
        out->push_back(static_cast<char>(byte));
    } else if (byte == 0x80) {
        AppendUtf8(kEuro, out);
    } else if (InRange(byte, 0x81, 0xFE)) {
        state.first = static_cast<unsigned char>(byte);
    } else {
        AppendReplacement(out);
    }
    return false;
}

bool StepBig5(DecoderState& state, int byte, ByteQueue& queue, std::string* out) {
    if (byte == kEndOfQueue) {
        return EndWithLead(&state.first, out);
    }
    if (state.first != 0) {
        const int lead = state.first;
        state.first = 0;
        const int offset = byte < 0x7F ? 0x40 : 0x62;
        const bool trail = InRange(byte, 0x40, 0x7E) || InRange(byte, 0xA1, 0xFE);
        const int pointer = trail ? (lead - 0x81) * kBig5Row + (byte - offset) : -1;
        // Four pointers give a letter with a combining mark, two code points.
        switch (pointer) {
            case 1133:
            case 1135:
            case 1164:
            case 1166:
                AppendUtf8(pointer < 1164 ? 0x00CA : 0x00EA, out);
                AppendUtf8(pointer == 1133 || pointer == 1164 ? 0x0304 : 0x030C, out);
                return false;
            default:
                break;
        }
        EmitPair(pointer < 0 ? 0 : Big5Index().CodePoint(pointer), byte, queue, out);
    } else if (IsAsciiByte(byte)) {
        out->push_back(static_cast<char>(byte));
    } else if (InRange(byte, 0x81, 0xFE)) {
        state.first = static_cast<unsigned char>(byte);
    } else {
        AppendReplacement(out);
    }
    return false;
}

bool StepEucJp(DecoderState& state, int byte, ByteQueue& queue, std::string* out) {
    if (byte == kEndOfQueue) {
        return EndWithLead(&state.first, out);
    }
    if (state.first == 0x8E && InRange(byte, 0xA1, 0xDF)) {
        state.first = 0;
        AppendUtf8(kHalfwidthKatakana - 0xA1 + static_cast<char32_t>(byte), out);
    } else if (state.first == 0x8F && InRange(byte, 0xA1, 0xFE)) {
        state.flag = true;  // JIS X 0212
        state.first = static_cast<unsigned char>(byte);
    } else if (state.first != 0) {
        const int lead = state.first;
        state.first = 0;
        char32_t codePoint = 0;
        if (InRange(lead, 0xA1, 0xFE) && InRange(byte, 0xA1, 0xFE)) {
            const int pointer = (lead - 0xA1) * kJisRow + byte - 0xA1;
            codePoint = state.flag ? Jis0212().CodePoint(pointer) : Jis0208().CodePoint(pointer);
        }
        state.flag = false;
        EmitPair(codePoint, byte, queue, out);
    } else if (IsAsciiByte(byte)) {
        out->push_back(static_cast<char>(byte));
    } else if (byte == 0x8E || byte == 0x8F || InRange(byte, 0xA1, 0xFE)) {
        state.first = static_cast<unsigned char>(byte);
    } else {
        AppendReplacement(out);
    }
    return false;
}

bool StepShiftJis(DecoderState& state, int byte, ByteQueue& queue, std::string* out) {
    if (byte == kEndOfQueue) {
        return EndWithLead(&state.first, out);
    }
    if (state.first != 0) {
        const int lead = state.first;
        state.first = 0;
        const int offset = byte < 0x7F ? 0x40 : 0x41;
        const int leadOffset = lead < 0xA0 ? 0x81 : 0xC1;
        const bool trail = InRange(byte, 0x40, 0x7E) || InRange(byte, 0x80, 0xFC);
        const int pointer = trail ? (lead - leadOffset) * kShiftJisRow + byte - offset : -1;
        if (InRange(pointer, kShiftJisEudcFirst, kShiftJisEudcLast)) {
            // Windows' end-user-defined characters, kept as private use.
            AppendUtf8(kEudcStart - kShiftJisEudcFirst + static_cast<char32_t>(pointer), out);
            return false;
        }
        EmitPair(pointer < 0 ? 0 : Jis0208().CodePoint(pointer), byte, queue, out);
    } else if (IsAsciiByte(byte) || byte == 0x80) {
        AppendUtf8(static_cast<char32_t>(byte), out);
    } else if (InRange(byte, 0xA1, 0xDF)) {
        AppendUtf8(kHalfwidthKatakana - 0xA1 + static_cast<char32_t>(byte), out);
    } else if (InRange(byte, 0x81, 0x9F) || InRange(byte, 0xE0, 0xFC)) {
        state.first = static_cast<unsigned char>(byte);
    } else {
        AppendReplacement(out);
    }
    return false;
}

bool StepEucKr(DecoderState& state, int byte, ByteQueue& queue, std::string* out) {
    if (byte == kEndOfQueue) {
        return EndWithLead(&state.first, out);
    }
    if (state.first != 0) {
        const int lead = state.first;
        state.first = 0;
        const char32_t codePoint =
            InRange(byte, 0x41, 0xFE)
                ? EucKrIndex().CodePoint((lead - 0x81) * kEucKrRow + (byte - 0x41))
                : 0;
        EmitPair(codePoint, byte, queue, out);
    } else if (IsAsciiByte(byte)) {
        out->push_back(static_cast<char>(byte));
    } else if (InRange(byte, 0x81, 0xFE)) {
        state.first = static_cast<unsigned char>(byte);
    } else {
        AppendReplacement(out);
    }
    return false;
}

void DecodeDoubleByte(Encoding encoding, DecoderState& state, std::string_view bytes, bool last,
                      std::string* out) {
    // The plain pairs: a lead and a trail byte that give an index entry.
    switch (encoding) {
        case Encoding::kBig5: {
            const LegacyIndex& index = Big5Index();
            RunSteps<StepBig5>(state, bytes, last, out, [&](int lead, int trail) -> char32_t {
                if (lead < 0x81 || lead > 0xFE || !(InRange(trail, 0x40, 0x7E) || trail >= 0xA1) ||
                    trail == 0xFF) {
                    return 0;
                }
                const int pointer = (lead - 0x81) * kBig5Row + trail - (trail < 0x7F ? 0x40 : 0x62);
                // The four pointers of two code points are left to the steps.
                return pointer >= 1133 && pointer <= 1166 ? 0 : index.CodePoint(pointer);
            });
            return;
        }
        case Encoding::kEucKr: {
            const LegacyIndex& index = EucKrIndex();
            RunSteps<StepEucKr>(state, bytes, last, out, [&](int lead, int trail) -> char32_t {
                if (lead < 0x81 || lead > 0xFE || trail < 0x41 || trail > 0xFE) {
                    return 0;
                }
                return index.CodePoint((lead - 0x81) * kEucKrRow + trail - 0x41);
            });
            return;
        }
        case Encoding::kEucJp: {
            const LegacyIndex& index = Jis0208();
            RunSteps<StepEucJp>(state, bytes, last, out, [&](int lead, int trail) -> char32_t {
                if (lead < 0xA1 || lead > 0xFE || trail < 0xA1 || trail > 0xFE) {
                    return 0;
                }
                return index.CodePoint((lead - 0xA1) * kJisRow + trail - 0xA1);
            });
            return;
        }
        case Encoding::kShiftJis: {
            const LegacyIndex& index = Jis0208();
            RunSteps<StepShiftJis>(state, bytes, last, out, [&](int lead, int trail) -> char32_t {
                const bool isLead = InRange(lead, 0x81, 0x9F) || InRange(lead, 0xE0, 0xFC);
                if (!isLead || !(InRange(trail, 0x40, 0x7E) || InRange(trail, 0x80, 0xFC))) {
                    return 0;
                }
                const int pointer = (lead - (lead < 0xA0 ? 0x81 : 0xC1)) * kShiftJisRow + trail -
                                    (trail < 0x7F ? 0x40 : 0x41);
                return index.CodePoint(pointer);  // 0 in the user-defined area: the steps
            });
            return;
        }
        default: {
            const LegacyIndex& index = Gb18030Index();
            RunSteps<StepGb18030>(state, bytes, last, out, [&](int lead, int trail) -> char32_t {
                if (lead < 0x81 || lead > 0xFE || trail < 0x40 || trail > 0xFE || trail == 0x7F) {
                    return 0;
                }
                return index.CodePoint((lead - 0x81) * kGb18030Row + trail -
                                       (trail < 0x7F ? 0x40 : 0x41));
            });
            return;
        }
    }
}

}  // namespace vellumo
