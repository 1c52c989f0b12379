#include "charset/text_decoder.h"

#include "charset/decoder_steps.h"
#include "charset/legacy_indexes.h"

namespace vellumo {
namespace {

constexpr std::size_t kUtf32Unit = 4;

// Sized first and written in place: the high half's UTF-8 forms are at
// most three bytes each.
void DecodeSingleByte(const char16_t* high, std::string_view bytes, std::string* out) {
    std::size_t size = 0;
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        size += byte < 0x80 ? 1 : Utf8Size(high[byte - 0x80]);
    }
    const std::size_t start = out->size();
    out->resize(start + size);
    char* to = &(*out)[start];
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            *to++ = c;
            continue;
        }
        to = WriteUtf8(high[byte - 0x80], to);
    }
}

void DecodeUserDefined(std::string_view bytes, std::string* out) {
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        AppendUtf8(byte < 0x80 ? byte : kUserDefinedBase + (byte - 0x80), out);
    }
}

// The standard's shared UTF-16 decoder; `first` holds a leading byte when
// `flag` is set.
bool StepUtf16(DecoderState& state, int byte, bool bigEndian, ByteQueue& queue, std::string* out) {
    if (byte == kEndOfQueue) {
        if (!state.flag && state.surrogate == 0) {
            return true;
        }
        state.flag = false;
        state.surrogate = 0;
        AppendReplacement(out);
        return false;
    }
    if (!state.flag) {
        state.flag = true;
        state.first = static_cast<unsigned char>(byte);
        return false;
    }
    state.flag = false;
    const char32_t unit = bigEndian ? (state.first << 8) + static_cast<char32_t>(byte)
                                    : (static_cast<char32_t>(byte) << 8) + state.first;
    state.first = 0;
    const bool leading = unit >= 0xD800 && unit <= 0xDBFF;
    const bool trailing = unit >= 0xDC00 && unit <= 0xDFFF;
    if (state.surrogate != 0) {
        const char32_t lead = state.surrogate;
        state.surrogate = 0;
        if (trailing) {
            AppendUtf8(0x10000 + ((lead - 0xD800) << 10) + (unit - 0xDC00), out);
            return false;
        }
        const unsigned char high = static_cast<unsigned char>(unit >> 8);
        const unsigned char low = static_cast<unsigned char>(unit & 0xFF);
        const unsigned char back[2] = {bigEndian ? high : low, bigEndian ? low : high};
        queue.Restore(back, 2);
        AppendReplacement(out);
        return false;
    }
    if (leading) {
        state.surrogate = unit;
    } else if (trailing) {
        AppendReplacement(out);
    } else {
        AppendUtf8(unit, out);
    }
    return false;
}

bool StepUtf16Be(DecoderState& state, int byte, ByteQueue& queue, std::string* out) {
    return StepUtf16(state, byte, true, queue, out);
}

bool StepUtf16Le(DecoderState& state, int byte, ByteQueue& queue, std::string* out) {
    return StepUtf16(state, byte, false, queue, out);
}

// The standard's replacement decoder: one error for any input.
void DecodeReplacement(DecoderState& state, std::string_view bytes, std::string* out) {
    if (!bytes.empty() && !state.flag) {
        state.flag = true;
        AppendReplacement(out);
    }
}

}  // namespace

void TextDecoder::Decode(std::string_view bytes, bool last, std::string* out) {
    switch (encoding_) {
        case Encoding::kUtf8:
            DecodeUtf8(bytes, last, out);
            return;
        case Encoding::kUtf32Be:
        case Encoding::kUtf32Le:
            DecodeUtf32(bytes, last, out);
            return;
        case Encoding::kXUserDefined:
            DecodeUserDefined(bytes, out);
            return;
        case Encoding::kReplacement:
            DecodeReplacement(state_, bytes, out);
            return;
        case Encoding::kGbk:
        case Encoding::kGb18030:
        case Encoding::kBig5:
        case Encoding::kEucJp:
        case Encoding::kShiftJis:
        case Encoding::kEucKr:
            DecodeDoubleByte(encoding_, state_, bytes, last, out);
            return;
        case Encoding::kIso2022Jp:
            RunSteps<StepIso2022Jp>(state_, bytes, last, out, NoFastPair);
            return;
        case Encoding::kIso2022Kr:
            RunSteps<StepIso2022Kr>(state_, bytes, last, out, NoFastPair);
            return;
        case Encoding::kUtf16Be:
            RunSteps<StepUtf16Be>(state_, bytes, last, out, NoFastPair);
            return;
        case Encoding::kUtf16Le:
            RunSteps<StepUtf16Le>(state_, bytes, last, out, NoFastPair);
            return;
        default:
            DecodeSingleByte(SingleByteHighHalf(encoding_), bytes, out);
            return;
    }
}

// Completes a sequence the last piece cut, from the front of `bytes`;
// returns how many bytes of `bytes` it took (all of them when the sequence
// is still cut and this is not the last piece).
std::size_t TextDecoder::FinishCarriedUtf8(std::string_view bytes, bool last, std::string* out) {
    std::size_t used = 0;
    for (;;) {
        const Utf8Read read = ReadUtf8(carry_, 0);
        if (read.status == Utf8Status::kValid) {
            out->append(carry_);
            break;
        }
        if (read.status == Utf8Status::kIllFormed) {
            // Only the byte just taken can break a well-formed beginning:
            // it is read again.
            used -= carry_.size() - read.length;
            AppendReplacement(out);
            break;
        }
        if (used == bytes.size()) {
            if (!last) {
                return used;
            }
            AppendReplacement(out);
            break;
        }
        carry_.push_back(bytes[used++]);
    }
    carry_.clear();
    return used;
}

void TextDecoder::DecodeUtf8(std::string_view bytes, bool last, std::string* out) {
    if (!carry_.empty()) {
        bytes.remove_prefix(FinishCarriedUtf8(bytes, last, out));
        if (!carry_.empty()) {
            return;
        }
    }
    std::size_t pos = 0;
    std::size_t run = 0;  // the start of the well-formed bytes not yet copied
    while (pos < bytes.size()) {
        if (static_cast<unsigned char>(bytes[pos]) < 0x80) {
            ++pos;
            continue;
        }
        const Utf8Read read = ReadUtf8(bytes, pos);
        if (read.status == Utf8Status::kValid) {
            pos += read.length;
            continue;
        }
        out->append(bytes.data() + run, pos - run);
        if (read.status == Utf8Status::kTruncated && !last) {
            carry_.assign(bytes.substr(pos));
            return;
        }
        AppendReplacement(out);
        pos += read.length;
        run = pos;
    }
    out->append(bytes.data() + run, pos - run);
}

void TextDecoder::DecodeUtf32(std::string_view bytes, bool last, std::string* out) {
    const bool bigEndian = encoding_ == Encoding::kUtf32Be;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        carry_.push_back(bytes[pos++]);
        if (carry_.size() < kUtf32Unit) {
            continue;
        }
        char32_t value = 0;
        for (std::size_t i = 0; i < kUtf32Unit; ++i) {
            value = (value << 8) |
                    static_cast<unsigned char>(carry_[bigEndian ? i : kUtf32Unit - 1 - i]);
        }
        carry_.clear();
        AppendUtf8(value, out);  // U+FFFD for what is no scalar value
    }
    if (last && !carry_.empty()) {
        carry_.clear();
        AppendReplacement(out);
    }
}

std::size_t SniffByteOrderMark(std::string_view bytes, Encoding* encoding) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        *encoding = Encoding::kUtf8;
        return 3;
    }
    if (bytes.substr(0, 2) == "\xFE\xFF") {
        *encoding = Encoding::kUtf16Be;
        return 2;
    }
    if (bytes.substr(0, 2) == "\xFF\xFE") {
        *encoding = Encoding::kUtf16Le;
        return 2;
    }
    return 0;
}

std::string DecodeText(Encoding encoding, std::string_view bytes) {
    const bool utf32 = encoding == Encoding::kUtf32Be || encoding == Encoding::kUtf32Le;
    if (utf32 && (bytes.substr(0, 4) == std::string_view("\0\0\xFE\xFF", 4) ||
                  bytes.substr(0, 4) == std::string_view("\xFF\xFE\0\0", 4))) {
        encoding = bytes[0] == '\0' ? Encoding::kUtf32Be : Encoding::kUtf32Le;
        bytes.remove_prefix(4);
    } else {
        bytes.remove_prefix(SniffByteOrderMark(bytes, &encoding));
    }
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    TextDecoder decoder(encoding);
    decoder.Decode(bytes, true, &out);
    return out;
}

}  // namespace vellumo
