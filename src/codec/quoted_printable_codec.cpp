#include "codec/quoted_printable_codec.h"

#include <cstring>

#include "codec/char_class.h"
#include "codec/codec_limits.h"
#include "codec/quoted_printable_encoder.h"

namespace vellumo {

namespace {

constexpr int32_t kEstimateLineSpan = 74;
constexpr int32_t kEstimateBreakBytes = 6;

// What the decoder needs to know about the bytes after "=".
constexpr uint8_t kNotHex = 0xFF;
constexpr uint8_t kLowerHexFlag = 0x10;

struct HexTables {
    uint8_t first[256];   // 0-15 for 0-9 and A-F; 10-15 | kLowerHexFlag for a-f
    uint8_t second[256];  // 0-15 for any hex digit, kNotHex otherwise
    uint8_t modulo[256];  // the lenient value of any second digit, modulo 16
};

constexpr HexTables MakeHexTables() {
    HexTables tables{};
    for (int c = 0; c < 256; ++c) {
        const bool digit = c >= '0' && c <= '9';
        const bool upper = c >= 'A' && c <= 'F';
        const bool lower = c >= 'a' && c <= 'f';
        const uint8_t value = static_cast<uint8_t>(digit   ? c - '0'
                                                   : upper ? c - 'A' + 10
                                                           : c - 'a' + 10);
        tables.first[c] = digit || upper ? value : lower ? (value | kLowerHexFlag) : kNotHex;
        tables.second[c] = digit || upper || lower ? value : kNotHex;
        tables.modulo[c] = static_cast<uint8_t>((c <= '9' ? c - 0x30 : c - 0x37) & 0x0F);
    }
    return tables;
}

constexpr HexTables kHex = MakeHexTables();

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
            while (n - i >= 3 && o < cap && in[i] == '=' && kHex.first[in[i + 1]] < kLowerHexFlag) {
                out[o++] = static_cast<char>((kHex.first[in[i + 1]] << 4) | kHex.modulo[in[i + 2]]);
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
            continue;
        }
        if (n - i < 3) {
            break;  // an escape cut off by the end of the text
        }
        const uint8_t high = in[i + 1];
        const uint8_t low = in[i + 2];
        const uint8_t first = kHex.first[high];
        // An upper-case first digit takes any second byte (lenient readers do
        // the same); a lower-case one only a real hex digit, so that "=a"
        // followed by text stays literal.
        if (first < kLowerHexFlag) {
            out[o++] = static_cast<char>((first << 4) | kHex.modulo[low]);
            i += 3;
        } else if (first != kNotHex && kHex.second[low] != kNotHex) {
            out[o++] = static_cast<char>(((first & 0x0F) << 4) | kHex.second[low]);
            i += 3;
        } else if (high == '\r' && low == '\n') {
            i += 3;  // soft line break
        } else {
            out[o++] = static_cast<char>(high);  // "=" before anything else is dropped
            i += 2;
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
