// EncodedWordCodec::Decode: RFC 2047 encoded words in a header value.

#include <cstring>

#include "codec/base64_codec.h"
#include "codec/char_class.h"
#include "codec/codec_limits.h"
#include "codec/encoded_word_codec.h"
#include "codec/quoted_printable_codec.h"
#include "platform/ascii_case.h"

namespace vellumo {

namespace {

// Where the parts of "=?charset?X?text?=" lie, as offsets into the value.
struct EncodedWord {
    int32_t charsetStart = 0;
    int32_t charsetLength = 0;
    char letter = 0;  // lower case
    int32_t textStart = 0;
    int32_t textLength = 0;
    int32_t end = 0;  // past "?=", or the end of the value when unclosed
};

// A charset name is written back into the header when the value is encoded
// again, so only a non-empty run of printable ASCII is taken as one.
bool IsCharsetName(const uint8_t* text, int32_t length) {
    if (length <= 0) {
        return false;
    }
    for (int32_t i = 0; i < length; ++i) {
        if (text[i] <= 0x20 || text[i] >= 0x7F) {
            return false;
        }
    }
    return true;
}

int32_t Find(const uint8_t* in, int32_t from, int32_t n, uint8_t first, uint8_t second) {
    for (int32_t i = from; i + 1 < n; ++i) {
        if (in[i] == first && in[i + 1] == second) {
            return i;
        }
    }
    return n;
}

// Reads the encoded word at `pos` ("=?" already seen there); false when the
// bytes do not have the form of one.
bool ParseEncodedWord(const uint8_t* in, int32_t pos, int32_t n, EncodedWord& word) {
    const void* hit = std::memchr(in + pos + 2, '?', static_cast<size_t>(n - pos - 2));
    if (hit == nullptr) {
        return false;
    }
    const int32_t q = static_cast<int32_t>(static_cast<const uint8_t*>(hit) - in);
    if (q + 3 >= n || in[q + 2] != '?' || !IsCharsetName(in + pos + 2, q - pos - 2)) {
        return false;
    }
    word.charsetStart = pos + 2;
    word.charsetLength = q - pos - 2;
    word.letter = LowerAscii(static_cast<char>(in[q + 1]));
    word.textStart = q + 3;
    return true;
}

// The text of a word runs to the first "?=" or to the end of the value.
// Looked for only in words that decode, so that each byte is searched once.
void FindWordEnd(const uint8_t* in, int32_t n, EncodedWord& word) {
    const int32_t close = Find(in, word.textStart, n, '?', '=');
    word.textLength = close - word.textStart;
    word.end = close < n ? close + 2 : n;
}

bool IsDecodableWordAt(const uint8_t* in, int32_t pos, int32_t n) {
    EncodedWord word;
    return pos + 1 < n && in[pos] == '=' && in[pos + 1] == '?' &&
           ParseEncodedWord(in, pos, n, word) && (word.letter == 'b' || word.letter == 'q');
}

bool AllSpace(const uint8_t* in, int32_t from, int32_t to) {
    for (int32_t i = from; i < to; ++i) {
        if (!HasCharClass(in[i], CC_SPACE)) {
            return false;
        }
    }
    return true;
}

}  // namespace

int32_t EncodedWordCodec::Decode(char* out, int32_t capacity) {
    charset.clear();
    const uint8_t* in = reinterpret_cast<const uint8_t*>(source);
    const int32_t n = UsableLength(in, sourceLength);
    const int32_t cap = UsableLength(out, capacity);
    int32_t pos = 0;
    int32_t o = 0;
    while (pos < n && o < cap) {
        EncodedWord word;
        if (in[pos] == '=' && pos + 1 < n && in[pos + 1] == '?' &&
            ParseEncodedWord(in, pos, n, word)) {
            if (charset.empty()) {
                charset.assign(source + word.charsetStart, static_cast<size_t>(word.charsetLength));
            }
            if (word.letter == 'b' || word.letter == 'q') {
                FindWordEnd(in, n, word);
                const char* text = source + word.textStart;
                o += word.letter == 'b'
                         ? DecodeBase64(text, word.textLength, out + o, cap - o)
                         : DecodeQuotedPrintable(text, word.textLength, out + o, cap - o, true);
                pos = word.end;
                continue;
            }
        }
        // Plain text up to the next "=?". White space between two encoded
        // words is dropped; before anything that does not decode, it stays.
        const int32_t next = Find(in, pos + 1, n, '=', '?');
        if (next < n && pos > 0 && AllSpace(in, pos, next) && IsDecodableWordAt(in, next, n)) {
            pos = next;
            continue;
        }
        o += CopyBytes(source + pos, next - pos, out + o, cap - o);
        pos = next;
    }
    return o;
}

}  // namespace vellumo
