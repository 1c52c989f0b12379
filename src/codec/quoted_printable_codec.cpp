#include "codec/quoted_printable_codec.h"

#include <cstring>

#include "codec/char_class.h"
#include "codec/codec_limits.h"
#include "codec/quoted_printable_encoder.h"

namespace vellumo {

namespace {

constexpr int32_t kEstimateLineSpan = 74;
constexpr int32_t kEstimateBreakBytes = 6;

// The value of a hexadecimal digit of either case, or kNotHex.
constexpr uint8_t kNotHex = 0xFF;

struct HexTable {
    uint8_t value[256];
};

constexpr HexTable MakeHexTable() {
    HexTable table{};
    for (int c = 0; c < 256; ++c) {
        table.value[c] = c >= '0' && c <= '9'   ? static_cast<uint8_t>(c - '0')
                         : c >= 'A' && c <= 'F' ? static_cast<uint8_t>(c - 'A' + 10)
                         : c >= 'a' && c <= 'f' ? static_cast<uint8_t>(c - 'a' + 10)
                                                : kNotHex;
    }
    return table;
}

constexpr HexTable kHex = MakeHexTable();

inline bool IsEscape(const uint8_t* in, int32_t n, int32_t i) {
    return n - i >= 3 && in[i] == '=' && kHex.value[in[i + 1]] != kNotHex &&
           kHex.value[in[i + 2]] != kNotHex;
}

// The length of a soft line break at in[i] ("=" then blanks up to CR LF or to
// the end of the text), or 0. Blanks may have been added by transport; a
// body cut before its parent's delimiter ends on a bare "=".
inline int32_t SoftBreakLength(const uint8_t* in, int32_t n, int32_t i) {
    int32_t at = i + 1;
    while (at < n && (in[at] == ' ' || in[at] == '\t')) {
        ++at;
    }
    if (at == n) {
        return at - i;
    }
    return n - at >= 2 && in[at] == '\r' && in[at + 1] == '\n' ? at + 2 - i : 0;
}

constexpr uint64_t kOnes = 0x0101010101010101ULL;
constexpr uint64_t kHighs = 0x8080808080808080ULL;
constexpr uint64_t kEqualsWord = kOnes * '=';
constexpr int32_t kWordBytes = 8;

// The bytes of `word` equal to "=" flagged in their top bit; the lowest
// flag is exact (higher ones may be false alarms), which is all we use.
inline uint64_t EqualsFlags(uint64_t word) {
    const uint64_t x = word ^ kEqualsWord;
    return (x - kOnes) & ~x & kHighs;
}

// Copies bytes up to the next "=" eight at a time while both sides have
// eight bytes; the bytes stored behind the "=" are overwritten later or lie
// beyond the count returned, never beyond the capacity.
inline void CopyRunInWords(const uint8_t* in, int32_t n, char* out, int32_t cap, int32_t& i,
                           int32_t& o) {
    while (n - i >= kWordBytes && cap - o >= kWordBytes) {
        uint64_t word;
        std::memcpy(&word, in + i, kWordBytes);
        std::memcpy(out + o, &word, kWordBytes);
        const uint64_t flags = EqualsFlags(word);
        if (flags != 0) {
            const int32_t run = __builtin_ctzll(flags) >> 3;  // little-endian byte order
            i += run;
            o += run;
            return;
        }
        i += kWordBytes;
        o += kWordBytes;
    }
}

inline bool IsRunByte(uint8_t c, bool underscoreIsSpace) {
    return c != '=' && !(underscoreIsSpace && c == '_');
}

}  // namespace

int32_t QuotedPrintableEstimate(const char* data, int32_t length) {
    const uint8_t* in = reinterpret_cast<const uint8_t*>(data);
    const int32_t n = UsableLength(in, length);
    int64_t escaped = 0;
    for (int32_t i = 0; i < n; ++i) {
        escaped += (CharClassOf(in[i]) & CC_ALNUM) == 0;
    }
    const int64_t b = n + 2 * escaped;
    return SaturatedLength(b + kEstimateBreakBytes * (b / kEstimateLineSpan));
}

// RFC 2045 6.7: "=" and two hexadecimal digits (either case) give one byte;
// an "=" that starts neither an escape nor a soft break stays in the text,
// and what follows it is read as text again.
int32_t DecodeQuotedPrintable(const char* data, int32_t length, char* out, int32_t capacity,
                              bool underscoreIsSpace) {
    const uint8_t* in = reinterpret_cast<const uint8_t*>(data);
    const int32_t n = UsableLength(in, length);
    const int32_t cap = UsableLength(out, capacity);
    int32_t i = 0;
    int32_t o = 0;
    while (i < n && o < cap) {
        if (!underscoreIsSpace) {
            CopyRunInWords(in, n, out, cap, i, o);
            // Common escapes straight away, without another round trip.
            while (o < cap && IsEscape(in, n, i)) {
                out[o++] = static_cast<char>((kHex.value[in[i + 1]] << 4) | kHex.value[in[i + 2]]);
                i += 3;
                CopyRunInWords(in, n, out, cap, i, o);
            }
        }
        while (i < n && o < cap && IsRunByte(in[i], underscoreIsSpace)) {
            out[o++] = static_cast<char>(in[i++]);
        }
        if (i >= n || o >= cap) {
            break;
        }
        if (in[i] == '_') {
            out[o++] = ' ';
            ++i;
        } else if (IsEscape(in, n, i)) {
            out[o++] = static_cast<char>((kHex.value[in[i + 1]] << 4) | kHex.value[in[i + 2]]);
            i += 3;
        } else if (const int32_t soft = SoftBreakLength(in, n, i)) {
            i += soft;
        } else {
            out[o++] = '=';
            ++i;
        }
    }
    return o;
}

int32_t QuotedPrintableCodec::EncodedLength() const {
    return QuotedPrintableEstimate(source, sourceLength);
}

int32_t QuotedPrintableCodec::DecodedLength() const {
    return ClampedLength(sourceLength);
}

int32_t QuotedPrintableCodec::Encode(char* out, int32_t capacity) {
    return QuotedPrintableEncoder(source, sourceLength, option).Run(out, capacity);
}

int32_t QuotedPrintableCodec::Decode(char* out, int32_t capacity) {
    return DecodeQuotedPrintable(source, sourceLength, out, capacity, false);
}

}  // namespace vellumo
