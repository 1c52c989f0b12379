#include "charset/iso2022jp.h"

#include "charset/decoder_steps.h"
#include "charset/legacy_indexes.h"

namespace vellumo {
namespace {

constexpr unsigned char kEscape = 0x1B;
// JIS X 0208 as ISO-2022-JP carries it: the 94 x 94 set, no extensions.
constexpr std::size_t kJis0208Cells = 94 * 94;

// The decoder's states; the first four are also output states.
enum Mode : unsigned char {
    kAscii,
    kRoman,
    kKatakana,
    kLeadByte,
    kTrailByte,
    kEscapeStart,
    kEscape2,
};

// A byte of one of the single-byte or lead states.
void TextByte(DecoderState& state, int byte, std::string* out) {
    const bool control = byte == 0x0E || byte == 0x0F || byte == kEscape || byte > 0x7F;
    state.flag = false;
    if (state.mode == kKatakana) {
        if (byte >= 0x21 && byte <= 0x5F) {
            AppendUtf8(kHalfwidthKatakana - 0x21 + static_cast<char32_t>(byte), out);
        } else {
            AppendReplacement(out);
        }
    } else if (state.mode == kLeadByte) {
        if (byte >= 0x21 && byte <= 0x7E) {
            state.first = static_cast<unsigned char>(byte);
            state.mode = kTrailByte;
        } else {
            AppendReplacement(out);
        }
    } else if (control) {
        AppendReplacement(out);
    } else if (state.mode == kRoman && (byte == 0x5C || byte == 0x7E)) {
        AppendUtf8(byte == 0x5C ? kYenSign : kOverline, out);
    } else {
        out->push_back(static_cast<char>(byte));
    }
}

void TrailByte(DecoderState& state, int byte, std::string* out) {
    if (byte == kEscape) {
        state.mode = kEscapeStart;
        AppendReplacement(out);
        return;
    }
    state.mode = kLeadByte;
    if (byte >= 0x21 && byte <= 0x7E) {
        const char32_t codePoint =
            Jis0208().CodePoint((state.first - 0x21) * kJisRow + byte - 0x21);
        if (codePoint != 0) {
            AppendUtf8(codePoint, out);
            return;
        }
    }
    AppendReplacement(out);
}

void EscapeByte(DecoderState& state, int byte, ByteQueue& queue, std::string* out) {
    const unsigned char lead = state.first;
    state.first = 0;
    int mode = -1;
    if (lead == 0x28) {
        mode = byte == 0x42 ? kAscii : byte == 0x4A ? kRoman : byte == 0x49 ? kKatakana : -1;
    } else if (lead == 0x24 && (byte == 0x40 || byte == 0x42)) {
        mode = kLeadByte;
    }
    if (mode >= 0) {
        state.mode = state.outputMode = static_cast<unsigned char>(mode);
        // Two escapes in a row with nothing between them are an error.
        if (state.flag) {
            AppendReplacement(out);
        }
        state.flag = true;
        return;
    }
    if (byte == kEndOfQueue) {
        queue.Restore(lead);
    } else {
        const unsigned char back[2] = {lead, static_cast<unsigned char>(byte)};
        queue.Restore(back, 2);
    }
    state.flag = false;
    state.mode = state.outputMode;
    AppendReplacement(out);
}

}  // namespace

bool StepIso2022Jp(DecoderState& state, int byte, ByteQueue& queue, std::string* out) {
    switch (state.mode) {
        case kEscapeStart:
            if (byte == 0x24 || byte == 0x28) {
                state.first = static_cast<unsigned char>(byte);
                state.mode = kEscape2;
                return false;
            }
            if (byte != kEndOfQueue) {
                queue.Restore(static_cast<unsigned char>(byte));
            }
            state.flag = false;
            state.mode = state.outputMode;
            AppendReplacement(out);
            return false;
        case kEscape2:
            EscapeByte(state, byte, queue, out);
            return false;
        case kTrailByte:
            if (byte == kEndOfQueue) {
                state.mode = kLeadByte;
                AppendReplacement(out);
                return false;
            }
            TrailByte(state, byte, out);
            return false;
        default:
            if (byte == kEndOfQueue) {
                return true;
            }
            if (byte == kEscape) {
                state.mode = kEscapeStart;
                return false;
            }
            TextByte(state, byte, out);
            return false;
    }
}

void Iso2022JpEncoder::Switch(Mode mode, std::string* out) {
    if (mode_ == mode) {
        return;
    }
    mode_ = mode;
    out->append(mode == Mode::kAscii ? "\x1B(B" : mode == Mode::kRoman ? "\x1B(J" : "\x1B$B");
}

bool Iso2022JpEncoder::Encode(char32_t codePoint, std::string* out) {
    // Shifts and escapes could switch a reader into another set.
    if (codePoint == 0x0E || codePoint == 0x0F || codePoint == 0x1B) {
        return false;
    }
    const bool ascii = codePoint < 0x80;
    if (ascii || codePoint == kYenSign || codePoint == kOverline) {
        const bool romanHolds = codePoint == kYenSign || codePoint == kOverline ||
                                (ascii && codePoint != 0x5C && codePoint != 0x7E);
        if (!(mode_ == Mode::kAscii && ascii) && !(mode_ == Mode::kRoman && romanHolds)) {
            Switch(ascii ? Mode::kAscii : Mode::kRoman, out);
        }
        out->push_back(static_cast<char>(codePoint == kYenSign    ? 0x5C
                                         : codePoint == kOverline ? 0x7E
                                                                  : codePoint));
        return true;
    }
    if (codePoint == kMinusSign) {
        codePoint = kFullwidthHyphenMinus;
    }
    if (codePoint >= kHalfwidthKatakana && codePoint <= kHalfwidthKatakanaLast) {
        codePoint = kIso2022JpKatakana[codePoint - kHalfwidthKatakana];
    }
    std::size_t pointer = 0;
    if (!Jis0208().Pointer(codePoint, &pointer) || pointer >= kJis0208Cells) {
        return false;
    }
    Switch(Mode::kJis0208, out);
    out->push_back(static_cast<char>(pointer / kJisRow + 0x21));
    out->push_back(static_cast<char>(pointer % kJisRow + 0x21));
    return true;
}

void Iso2022JpEncoder::Finish(std::string* out) {
    Switch(Mode::kAscii, out);
}

}  // namespace vellumo
