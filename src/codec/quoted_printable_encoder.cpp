#include "codec/quoted_printable_encoder.h"

#include <cstring>

#include "codec/codec_limits.h"

namespace vellumo {

namespace {

// The encoded line holds at most this many characters before the "=".
constexpr int32_t kMaxLineBody = 75;
constexpr char kHexDigits[] = "0123456789ABCDEF";

// Bytes written as themselves without further thought in either mode.
constexpr bool IsPlainLiteral(uint8_t c) {
    return c >= 0x21 && c <= 0x7E && c != '=' && c != '.';
}

struct PlainTable {
    bool plain[256];
};

constexpr PlainTable MakePlainTable() {
    PlainTable table{};
    for (int c = 0; c < 256; ++c) {
        table.plain[c] = IsPlainLiteral(static_cast<uint8_t>(c));
    }
    return table;
}

constexpr PlainTable kPlain = MakePlainTable();

}  // namespace

QuotedPrintableEncoder::QuotedPrintableEncoder(const char* in, int32_t length, bool binaryMode)
    : in_(reinterpret_cast<const uint8_t*>(in)),
      n_(UsableLength(in, length)),
      binary_(binaryMode) {}

int32_t QuotedPrintableEncoder::Run(char* out, int32_t capacity) {
    out_ = out;
    cap_ = UsableLength(out, capacity);
    for (int32_t i = 0; i < n_ && o_ < cap_; ++i) {
        const uint8_t c = in_[i];
        // Most bytes are plain literals in the middle of a line.
        if (kPlain.plain[c] && lineLength_ + 1 <= kMaxLineBody) {
            out_[o_++] = static_cast<char>(c);
            ++lineLength_;
            continue;
        }
        hardBreak_ = false;
        const Width width = Classify(i);
        if (lineLength_ + static_cast<int32_t>(width) > kMaxLineBody && cap_ - o_ >= 3) {
            SoftBreak(static_cast<int32_t>(width));
        }
        Emit(c, width);
    }
    return o_;
}

QuotedPrintableEncoder::Width QuotedPrintableEncoder::Classify(int32_t i) {
    const uint8_t c = in_[i];
    if (c == ' ' || c == '\t') {
        // A blank at the end of a line would be stripped in transit.
        const bool atLineEnd = i + 1 == n_ || (!binary_ && IsLineEndPair(i + 1));
        if (atLineEnd) {
            return Width::kEscaped;
        }
        if (lineLength_ > 0) {
            breakAt_ = o_;
        }
        return Width::kLiteral;
    }
    if (!binary_ && (c == '\r' || c == '\n')) {
        // Only a CR LF pair is a line end; a lone CR or LF would become one
        // in the reader, so it is escaped.
        const bool pair = c == '\r' ? IsLineEndPair(i) : (i > 0 && IsLineEndPair(i - 1));
        hardBreak_ = pair;
        return pair ? Width::kLiteral : Width::kEscaped;
    }
    if (!binary_ && c == '.') {
        return IsLoneDotLine(i) ? Width::kEscaped : Width::kLiteral;
    }
    return IsPlainLiteral(c) || c == '.' ? Width::kLiteral : Width::kEscaped;
}

bool QuotedPrintableEncoder::IsLineEndPair(int32_t i) const {
    return i + 1 < n_ && in_[i] == '\r' && in_[i + 1] == '\n';
}

// A "." alone on a line ends the message for an SMTP server.
bool QuotedPrintableEncoder::IsLoneDotLine(int32_t i) const {
    return i >= 2 && IsLineEndPair(i - 2) && IsLineEndPair(i + 1);
}

void QuotedPrintableEncoder::SoftBreak(int32_t width) {
    const int32_t moved = breakAt_ >= 0 ? o_ - (breakAt_ + 1) : -1;
    // Moving the bytes behind the last blank to the next line is worth it
    // only if that line then still has room for the byte being written.
    if (moved >= 0 && moved + width <= kMaxLineBody) {
        char* at = out_ + breakAt_ + 1;
        std::memmove(at + 3, at, static_cast<size_t>(moved));
        std::memcpy(at, "=\r\n", 3);
        lineLength_ = moved;
    } else {
        std::memcpy(out_ + o_, "=\r\n", 3);
        lineLength_ = 0;
    }
    o_ += 3;
    breakAt_ = -1;
}

void QuotedPrintableEncoder::Emit(uint8_t byte, Width width) {
    if (width == Width::kEscaped) {
        if (cap_ - o_ >= 3) {
            out_[o_] = '=';
            out_[o_ + 1] = kHexDigits[byte >> 4];
            out_[o_ + 2] = kHexDigits[byte & 0x0F];
            o_ += 3;
            lineLength_ += 3;
        }
        return;
    }
    if (o_ >= cap_) {
        return;  // a soft break took the last bytes
    }
    out_[o_++] = static_cast<char>(byte);
    ++lineLength_;
    if (hardBreak_) {
        lineLength_ = 0;
        breakAt_ = -1;
    }
}

}  // namespace vellumo
