#include "codec/base64_codec.h"

#include <array>
#include <cstring>

#include "codec/base64_tables.h"
#include "codec/codec_limits.h"

namespace vellumo {

namespace {

constexpr int32_t kGroupBytes = 3;
constexpr int32_t kGroupChars = 4;
constexpr int32_t kLineBytes = kBase64LineLength / kGroupChars * kGroupBytes;  // 57
constexpr int32_t kLineWithBreak = kBase64LineLength + 2;

inline const uint8_t* Bytes(const char* data) {
    return reinterpret_cast<const uint8_t*>(data);
}

// Four characters for three bytes, two characters per 12-bit half.
inline void EncodeGroup(const uint8_t* in, char* out) {
    const uint32_t v = (uint32_t{in[0]} << 16) | (uint32_t{in[1]} << 8) | in[2];
    std::memcpy(out, kBase64Pairs.pairs[v >> 12], 2);
    std::memcpy(out + 2, kBase64Pairs.pairs[v & 0xFFF], 2);
}

inline void EncodeGroups(const uint8_t* in, int32_t groups, char* out) {
    for (int32_t g = 0; g < groups; ++g) {
        EncodeGroup(in + g * kGroupBytes, out + g * kGroupChars);
    }
}

// The byte-by-byte rules after the bulk: capacity checks per character,
// the last partial group, its padding and the final line end.
class Base64Tail {
  public:
    Base64Tail(const uint8_t* in, int32_t length, char* out, int32_t capacity, bool lineBreaking)
        : in_(in), n_(length), out_(out), cap_(capacity), lineBreaking_(lineBreaking) {}

    int32_t Run(int32_t i, int32_t o, int32_t lineChars) {
        o_ = o;
        lineChars_ = lineChars;
        for (; n_ - i >= kGroupBytes; i += kGroupBytes) {
            char quad[kGroupChars];
            EncodeGroup(in_ + i, quad);
            if (!Put(quad, kGroupChars)) {
                return o_;
            }
            EndFullLine();
        }
        if (n_ > i && !PartialGroup(i)) {
            return o_;
        }
        if (lineBreaking_ && lineChars_ > 0 && cap_ - o_ >= 2) {
            PutLineEnd();
        }
        return o_;
    }

  private:
    // CR LF right after the 76th character of a line, when it fits; without
    // room the characters go on until the output is full.
    void EndFullLine() {
        if (lineBreaking_ && lineChars_ >= kBase64LineLength && cap_ - o_ >= 2) {
            PutLineEnd();
        }
    }

    void PutLineEnd() {
        out_[o_++] = '\r';
        out_[o_++] = '\n';
        lineChars_ = 0;
    }

    // Writes what fits; false when not all of it did.
    bool Put(const char* chars, int32_t count) {
        const int32_t fit = count < cap_ - o_ ? count : cap_ - o_;
        std::memcpy(out_ + o_, chars, static_cast<size_t>(fit));
        o_ += fit;
        lineChars_ += fit;
        return fit == count;
    }

    bool PartialGroup(int32_t i) {
        const uint8_t last[kGroupBytes] = {in_[i], n_ - i > 1 ? in_[i + 1] : uint8_t{0}, 0};
        char quad[kGroupChars];
        EncodeGroup(last, quad);
        const int32_t chars = n_ - i + 1;
        const int32_t padding = kGroupChars - chars;
        if (!Put(quad, chars)) {
            return false;
        }
        if (cap_ - o_ >= padding) {
            Put("==", padding);
        }
        return true;
    }

    const uint8_t* in_;
    int32_t n_;
    char* out_;
    int32_t cap_;
    bool lineBreaking_;
    int32_t o_ = 0;
    int32_t lineChars_ = 0;
};

// Decoder state between bytes: the bits not yet written.
struct Base64Bits {
    uint32_t value = 0;
    int bits = 0;
};

bool IsBase64Blank(uint8_t c) {
    return c == '\r' || c == '\n' || c == ' ' || c == '\t';
}

// True when in[0, n), after the rest of the padding just read, holds only
// whole groups of four (line ends and blanks between them), each with its
// padding: joined parts, or an encoder that pads every line. Text of any
// other shape after the padding (a footer a mailing list appended) is not
// data.
bool WholeGroupsFollow(const uint8_t* in, int32_t n) {
    int32_t i = 0;
    while (i < n && (in[i] == '=' || IsBase64Blank(in[i]))) {
        ++i;
    }
    int32_t inGroup = 0;
    bool padded = false;
    bool any = false;
    for (; i < n; ++i) {
        if (IsBase64Blank(in[i])) {
            continue;
        }
        const uint8_t value = kBase64Decode.value[in[i]];
        const bool pad = value == kBase64Pad;
        // Padding only in the last two places of a group, and nothing but
        // padding after it.
        if ((!pad && (value >= 64 || padded)) || (pad && inGroup < 2)) {
            return false;
        }
        padded = padded || pad;
        if (++inGroup == kGroupChars) {
            inGroup = 0;
            padded = false;
            any = true;
        }
    }
    return any && inGroup == 0;
}

}  // namespace

int32_t EncodeBase64(const char* data, int32_t length, char* out, int32_t capacity,
                     bool lineBreaking) {
    const uint8_t* in = Bytes(data);
    const int32_t n = UsableLength(in, length);
    const int32_t cap = UsableLength(out, capacity);
    int32_t i = 0;
    int32_t o = 0;
    if (lineBreaking) {
        // Whole 76-character lines while they and their CR LF fit.
        for (; n - i >= kLineBytes && cap - o >= kLineWithBreak; i += kLineBytes) {
            EncodeGroups(in + i, kBase64LineLength / kGroupChars, out + o);
            o += kBase64LineLength;
            out[o++] = '\r';
            out[o++] = '\n';
        }
    } else {
        int32_t groups = (n - i) / kGroupBytes;
        if (groups > (cap - o) / kGroupChars) {
            groups = (cap - o) / kGroupChars;
        }
        EncodeGroups(in + i, groups, out + o);
        i += groups * kGroupBytes;
        o += groups * kGroupChars;
    }
    return Base64Tail(in, n, out, cap, lineBreaking).Run(i, o, 0);
}

int32_t DecodeBase64(const char* data, int32_t length, char* out, int32_t capacity) {
    const uint8_t* in = Bytes(data);
    const int32_t n = UsableLength(in, length);
    const int32_t cap = UsableLength(out, capacity);
    int32_t i = 0;
    int32_t o = 0;
    Base64Bits acc;
    // Whether whole groups were found to fill the rest after a padding; one
    // look covers every padding after it.
    bool groupsFollow = false;
    while (i < n && o < cap) {
        // Bulk: whole groups of four alphabet bytes at a group boundary.
        if (acc.bits == 0) {
            while (n - i >= kGroupChars && cap - o >= kGroupBytes) {
                const uint32_t v =
                    kBase64Decode.shifted[0][in[i]] | kBase64Decode.shifted[1][in[i + 1]] |
                    kBase64Decode.shifted[2][in[i + 2]] | kBase64Decode.shifted[3][in[i + 3]];
                if (v & kBase64NotInGroup) {
                    break;
                }
                out[o] = static_cast<char>(v >> 16);
                out[o + 1] = static_cast<char>(v >> 8);
                out[o + 2] = static_cast<char>(v);
                i += kGroupChars;
                o += kGroupBytes;
            }
            if (i >= n || o >= cap) {
                break;
            }
        }
        const uint8_t value = kBase64Decode.value[in[i++]];
        if (value == kBase64Skip) {
            continue;  // line ends, blanks and stray bytes (RFC 2045 6.8)
        }
        if (value == kBase64Pad) {
            acc = Base64Bits();  // the group ends, and the data with it
            groupsFollow = groupsFollow || WholeGroupsFollow(in + i, n - i);
            if (!groupsFollow) {
                break;
            }
            continue;
        }
        acc.value = (acc.value << 6) | value;
        acc.bits += 6;
        if (acc.bits >= 8) {
            acc.bits -= 8;
            out[o++] = static_cast<char>(acc.value >> acc.bits);
        }
    }
    return o;
}

int32_t Base64Codec::EncodedLength() const {
    const int64_t chars = 4 * ((int64_t{ClampedLength(sourceLength)} + 2) / 3);
    if (!option) {
        return SaturatedLength(chars);
    }
    return SaturatedLength(chars + 2 * (chars / kBase64LineLength) + 2);
}

int32_t Base64Codec::DecodedLength() const {
    return SaturatedLength(3 * int64_t{ClampedLength(sourceLength)} / 4 + 2);
}

int32_t Base64Codec::Encode(char* out, int32_t capacity) {
    return EncodeBase64(source, sourceLength, out, capacity, option);
}

int32_t Base64Codec::Decode(char* out, int32_t capacity) {
    return DecodeBase64(source, sourceLength, out, capacity);
}

}  // namespace vellumo
