#include "codec/quoted_printable_encoder.h"

#include <cstring>

#include "codec/codec_limits.h"

namespace vellumo {

namespace {

// The encoded line holds at most this many characters before the "=".
constexpr int32_t kMaxLineBody = 75;
constexpr char kHexDigits[] = "0123456789ABCDEF";

// Printable bytes other than "=" are written as themselves (but for the
// lone "." line of text mode).
constexpr bool IsLiteralByte(uint8_t c) {
    return c >= 0x21 && c <= 0x7E && c != '=';
}

// The bulk loop's view of a byte: its output (up to three characters), its
// width, whether it is a blank, and whether only the full rules may decide it
// (CR, LF and "." in text mode; "-" in both modes).
constexpr uint32_t kWidthMask = 0x0F;
constexpr uint32_t kBlankFlag = 0x10;
constexpr uint32_t kRuleFlag = 0x20;

struct EntryTable {
    uint32_t entry[256];  // characters in bytes 0-2, width and flags in byte 3
};

constexpr uint32_t Chars(uint8_t a, uint8_t b, uint8_t c) {
    return uint32_t{a} | (uint32_t{b} << 8) | (uint32_t{c} << 16);
}

constexpr EntryTable MakeEntryTable(bool binary) {
    EntryTable table{};
    for (int value = 0; value < 256; ++value) {
        const uint8_t c = static_cast<uint8_t>(value);
        const bool blank = c == ' ' || c == '\t';
        const bool rule = (!binary && (c == '\r' || c == '\n' || c == '.')) || c == '-';
        uint32_t flags = (blank ? kBlankFlag : 0) | (rule ? kRuleFlag : 0);
        if (blank || IsLiteralByte(c)) {
            table.entry[value] = Chars(c, 0, 0) | ((1 | flags) << 24);
        } else {
            table.entry[value] = Chars('=', static_cast<uint8_t>(kHexDigits[c >> 4]),
                                       static_cast<uint8_t>(kHexDigits[c & 0x0F])) |
                                 ((3 | flags) << 24);
        }
    }
    return table;
}

constexpr EntryTable kTextEntries = MakeEntryTable(false);
constexpr EntryTable kBinaryEntries = MakeEntryTable(true);

// Ends the current line with a soft break: right behind the last literal
// blank when the bytes written after it, plus the next byte, then fit on the
// new line; else at the current position. The caller has checked that three
// more bytes fit.
inline void InsertSoftBreak(char* out, int32_t& o, int32_t& line, int32_t& breakAt, int32_t width) {
    const int32_t moved = breakAt >= 0 ? o - (breakAt + 1) : -1;
    // Moved bytes must not put a literal "-" at the start of the new line.
    const bool dashFirst = moved > 0 && out[breakAt + 1] == '-';
    if (moved >= 0 && moved + width <= kMaxLineBody && !dashFirst) {
        char* at = out + breakAt + 1;
        std::memmove(at + 3, at, static_cast<size_t>(moved));
        std::memcpy(at, "=\r\n", 3);
        line = moved;
    } else {
        std::memcpy(out + o, "=\r\n", 3);
        line = 0;
    }
    o += 3;
    breakAt = -1;
}

constexpr uint64_t kOnes = 0x0101010101010101ULL;
constexpr uint64_t kHighs = 0x8080808080808080ULL;
constexpr uint64_t kLows = 0x7F7F7F7F7F7F7F7FULL;
constexpr int32_t kWordBytes = 8;
// Room for a soft break and a four-byte store.
constexpr int32_t kBulkRoom = 3 + 4;

// Nonzero when some byte of `word` is zero (exact as "any", not per byte).
constexpr uint64_t AnyZeroByte(uint64_t word) {
    return (word - kOnes) & ~word & kHighs;
}

// The top bit of exactly the zero bytes of `word`.
constexpr uint64_t ZeroBytes(uint64_t word) {
    return ~(((word & kLows) + kLows) | word | kLows);
}

// True when all eight bytes are written as themselves: 0x20-0x7E except "=".
// A "." alone on a line never passes: its word holds a CR or LF.
constexpr bool AllLiteralOrSpace(uint64_t word) {
    const uint64_t outsidePrintable = ((word - kOnes * 0x20) | word) & kHighs;
    return (outsidePrintable | AnyZeroByte(word ^ (kOnes * 0x7F)) |
            AnyZeroByte(word ^ (kOnes * '='))) == 0;
}

// The encoder's position and line state, kept in locals by the bulk loop.
struct BulkState {
    int32_t i;
    int32_t o;
    int32_t line;
    int32_t breakAt;
};

// Eight literal bytes at once when they fit on the line; false when the
// word needs a closer look.
inline bool BulkWord(const uint8_t* in, char* out, uint32_t text, BulkState& s) {
    uint64_t word;
    std::memcpy(&word, in + s.i, kWordBytes);
    if (!AllLiteralOrSpace(word) || (s.line == 0 && in[s.i] == '-')) {
        return false;
    }
    if (const uint64_t spaces = ZeroBytes(word ^ (kOnes * ' '))) {
        const int32_t last = (63 - __builtin_clzll(spaces)) >> 3;  // little-endian
        if (last == kWordBytes - 1 && text != 0 && in[s.i + kWordBytes] == '\r') {
            return false;  // that blank is escaped
        }
        s.breakAt = s.line + last > 0 ? s.o + last : s.breakAt;
    }
    std::memcpy(out + s.o, &word, kWordBytes);
    s.i += kWordBytes;
    s.o += kWordBytes;
    s.line += kWordBytes;
    return true;
}

// One byte decided from the table, with CR LF pairs, inner "." and soft
// breaks handled too; false when only the full rules may decide it. The
// entry is stored as four bytes (little-endian: the characters first); those
// past its width are overwritten later or lie beyond the count, never beyond
// the capacity.
inline bool BulkByte(const EntryTable& table, const uint8_t* in, char* out, uint32_t text,
                     BulkState& s) {
    const uint8_t c = in[s.i];
    const uint32_t entry = table.entry[c];
    const uint32_t meta = entry >> 24;
    const int32_t width = static_cast<int32_t>(meta & kWidthMask);
    if (c == '-') {
        // A "-" that starts a line, or would after a soft break, takes the
        // full rules; elsewhere it is literal.
        if (s.line == 0 || s.line + width > kMaxLineBody) {
            return false;
        }
    } else if ((meta & kRuleFlag) != 0) {
        // Text mode: a CR LF pair ends the line; a "." that does not start a
        // line is literal; the rest takes the full rules.
        if (c == '\r' && in[s.i + 1] == '\n') {
            out[s.o] = '\r';
            out[s.o + 1] = '\n';
            s.o += 2;
            s.i += 2;
            s.line = 0;
            s.breakAt = -1;
            return true;
        }
        if (c != '.' || (s.i > 0 && in[s.i - 1] == '\n')) {
            return false;
        }
    }
    const uint32_t blank = (meta & kBlankFlag) >> 4;
    // A blank before CR is escaped (text mode) or the CR is: full rules.
    if ((blank & text & uint32_t{in[s.i + 1] == '\r'}) != 0) {
        return false;
    }
    // Bitwise operators keep the common path free of unpredictable branches.
    s.breakAt = (blank & uint32_t{s.line > 0}) != 0 ? s.o : s.breakAt;
    if (s.line + width > kMaxLineBody) {
        InsertSoftBreak(out, s.o, s.line, s.breakAt, width);
    }
    std::memcpy(out + s.o, &entry, 4);
    s.o += width;
    s.line += width;
    ++s.i;
    return true;
}

}  // namespace

QuotedPrintableEncoder::QuotedPrintableEncoder(const char* in, int32_t length, bool binaryMode)
    : in_(reinterpret_cast<const uint8_t*>(in)),
      n_(UsableLength(in, length)),
      binary_(binaryMode) {}

int32_t QuotedPrintableEncoder::Run(char* out, int32_t capacity) {
    out_ = out;
    cap_ = UsableLength(out, capacity);
    for (int32_t i = 0; i < n_ && o_ < cap_;) {
        i = RunBulk(i);
        if (i >= n_ || o_ >= cap_) {
            break;
        }
        const uint8_t c = in_[i];
        hardBreak_ = false;
        Width width = Classify(i);
        if (lineLength_ + static_cast<int32_t>(width) > kMaxLineBody && cap_ - o_ >= 3) {
            SoftBreak(static_cast<int32_t>(width));
            if (c == '-' && lineLength_ == 0) {
                width = Width::kEscaped;
            }
        }
        Emit(c, width);
        ++i;
    }
    return o_;
}

// The common bytes, eight at a time where they are all literal, else one
// by one from the table, with the state in locals so that it stays in
// registers. The last byte always takes the full rules. Returns where the
// full rules must take over.
int32_t QuotedPrintableEncoder::RunBulk(int32_t i) {
    const EntryTable& table = binary_ ? kBinaryEntries : kTextEntries;
    const uint8_t* const in = in_;
    char* const out = out_;
    const int32_t cap = cap_;
    const uint32_t text = binary_ ? 0 : 1;
    const int32_t end = n_ - 1;
    BulkState s{i, o_, lineLength_, breakAt_};
    bool more = true;
    while (more && s.i < end && cap - s.o >= kBulkRoom) {
        if (end - s.i > kWordBytes && cap - s.o >= kWordBytes &&
            s.line + kWordBytes <= kMaxLineBody && BulkWord(in, out, text, s)) {
            continue;
        }
        // A word with a byte that needs a decision goes byte by byte.
        const int32_t stop = s.i + kWordBytes < end ? s.i + kWordBytes : end;
        while (s.i < stop && cap - s.o >= kBulkRoom) {
            if (!BulkByte(table, in, out, text, s)) {
                more = false;
                break;
            }
        }
    }
    o_ = s.o;
    lineLength_ = s.line;
    breakAt_ = s.breakAt;
    return s.i;
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
        if (pair) {
            // A line end needs no soft break, however full the line is.
            lineLength_ = -1;
            breakAt_ = -1;
        }
        return pair ? Width::kLiteral : Width::kEscaped;
    }
    if (!binary_ && c == '.') {
        return IsLoneDotLine(i) ? Width::kEscaped : Width::kLiteral;
    }
    if (c == '-' && lineLength_ == 0) {
        // A line of the encoded body that starts with "--" could read as a
        // multipart delimiter and split the part.
        return Width::kEscaped;
    }
    return IsLiteralByte(c) ? Width::kLiteral : Width::kEscaped;
}

bool QuotedPrintableEncoder::IsLineEndPair(int32_t i) const {
    return i + 1 < n_ && in_[i] == '\r' && in_[i + 1] == '\n';
}

// A "." alone on a line ends the message for an SMTP server.
bool QuotedPrintableEncoder::IsLoneDotLine(int32_t i) const {
    return i >= 2 && IsLineEndPair(i - 2) && IsLineEndPair(i + 1);
}

void QuotedPrintableEncoder::SoftBreak(int32_t width) {
    InsertSoftBreak(out_, o_, lineLength_, breakAt_, width);
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
