#include "codec/encoded_word_codec.h"

#include <cstring>

#include "charset/unicode_text.h"
#include "codec/base64_codec.h"
#include "codec/codec_limits.h"
#include "codec/quoted_printable_codec.h"
#include "platform/ascii_case.h"

namespace vellumo {

namespace {

// An encoded word's text may fill at most 68 - cs bytes, so that the word,
// its "=?", charset, "?X?" and "?=" stay within 75 bytes.
constexpr int32_t kWordTextSpan = 68;
constexpr int32_t kWordFrame = 7;  // "=?" "?X?" "?="
constexpr int32_t kEstimateFrame = 11;
constexpr int32_t kEstimateSpan = 64;
// A whole UTF-8 character of escapes needs up to 12 bytes, so a Q word may
// close that much early.
constexpr int32_t kUtf8QEstimateSpan = 57;

// The text that every word but the last surely carries, as a divisor of the
// estimates: at least 1, so that charset names up to the longest usable one
// (whose words carry a few bytes each) never divide by zero.
inline int64_t EstimateSpan(int64_t span, int64_t cs) {
    return span - cs > 1 ? span - cs : 1;
}
constexpr char kHexDigits[] = "0123456789ABCDEF";

inline bool IsQLiteral(uint8_t c) {
    return c >= '!' && c <= '~' && c != '=' && c != '?' && c != '_';
}

inline int32_t QWidth(uint8_t c) {
    return IsQLiteral(c) ? 1 : 3;
}

inline bool WantsBase64(char letter) {
    return letter == 'B' || letter == 'b';
}

// Writes one encoded word piece by piece within the capacity.
class WordWriter {
  public:
    WordWriter(const std::string& charset, char letter, char* out, int32_t capacity)
        : charset_(charset), letter_(letter), out_(out), cap_(capacity) {}

    [[nodiscard]] int32_t Room() const { return cap_ - o_; }
    [[nodiscard]] int32_t Written() const { return o_; }
    [[nodiscard]] int32_t FrameLength() const {
        return static_cast<int32_t>(charset_.size()) + kWordFrame;
    }

    // "=?charset?X?"; the caller has checked the room for the whole frame.
    void Open() {
        Put("=?", 2);
        Put(charset_.data(), static_cast<int32_t>(charset_.size()));
        const char marker[3] = {'?', letter_, '?'};
        Put(marker, 3);
    }
    void Close() { Put("?=", 2); }
    void Put(const char* bytes, int32_t count) {
        std::memcpy(out_ + o_, bytes, static_cast<size_t>(count));
        o_ += count;
    }
    void PutEscaped(uint8_t c) {
        if (IsQLiteral(c)) {
            out_[o_++] = static_cast<char>(c);
            return;
        }
        const char escape[3] = {'=', kHexDigits[c >> 4], kHexDigits[c & 0x0F]};
        Put(escape, 3);
    }
    char* Cursor() { return out_ + o_; }
    void Advance(int32_t count) { o_ += count; }

  private:
    const std::string& charset_;
    char letter_;
    char* out_;
    int32_t cap_;
    int32_t o_ = 0;
};

// The length of the UTF-8 character at in[i] (see Utf8UnitLength).
int32_t UnitLength(const uint8_t* in, int32_t i, int32_t n) {
    const std::string_view text(reinterpret_cast<const char*>(in), static_cast<std::size_t>(n));
    return static_cast<int32_t>(Utf8UnitLength(text, static_cast<std::size_t>(i)));
}

// The longest run of whole characters within `limit` bytes; when not even
// one character fits (a long charset name leaves room for 3 bytes), the
// character is split rather than nothing written.
int32_t WholeUtf8Prefix(const uint8_t* in, int32_t limit, int32_t available) {
    int32_t length = 0;
    while (length < limit) {
        const int32_t unit = UnitLength(in, length, available);
        if (length + unit > limit) {
            break;
        }
        length += unit;
    }
    return length > 0 ? length : limit;
}

// Each word carries 3 * floor((68 - cs) / 4) bytes, fewer to end on a whole
// UTF-8 character; a word is started only when its frame fits.
void EncodeBWords(const uint8_t* in, int32_t n, bool utf8, int32_t cs, WordWriter& writer) {
    const int32_t perWord = 3 * ((kWordTextSpan - cs) / 4);
    if (writer.Room() < writer.FrameLength()) {
        return;
    }
    for (int32_t i = 0; i < n;) {
        int32_t chunk = n - i < perWord ? n - i : perWord;
        if (utf8 && i + chunk < n) {
            chunk = WholeUtf8Prefix(in + i, chunk, n - i);
        }
        const int32_t textRoom = writer.Room() - writer.FrameLength();
        writer.Open();
        writer.Advance(EncodeBase64(reinterpret_cast<const char*>(in + i), chunk, writer.Cursor(),
                                    textRoom, false));
        writer.Close();
        i += chunk;
        if (i >= n || writer.Room() - 1 < writer.FrameLength()) {
            return;
        }
        writer.Put(" ", 1);
    }
}

// Words close before their text would pass 68 - cs bytes; an escape, and in
// UTF-8 a whole character, is never split. Room for the closing "?=" is kept.
void EncodeQWords(const uint8_t* in, int32_t n, bool utf8, int32_t cs, WordWriter& writer) {
    const int32_t textLimit = kWordTextSpan - cs;
    if (writer.Room() < writer.FrameLength()) {
        return;
    }
    writer.Open();
    int32_t textLength = 0;
    for (int32_t i = 0; i < n;) {
        int32_t unit = utf8 ? UnitLength(in, i, n) : 1;
        int32_t width = 0;
        for (int32_t k = 0; k < unit; ++k) {
            width += QWidth(in[i + k]);
        }
        if (width > textLimit) {
            // Not even an empty word holds the whole character.
            unit = 1;
            width = QWidth(in[i]);
        }
        if (textLength + width > textLimit) {
            // "?= " and a new opening; the closing "?=" stays reserved.
            if (writer.Room() - 3 < writer.FrameLength()) {
                break;
            }
            writer.Close();
            writer.Put(" ", 1);
            writer.Open();
            textLength = 0;
        }
        if (writer.Room() - 2 < width) {
            break;  // the character no longer fits before the closing "?="
        }
        for (int32_t k = 0; k < unit; ++k) {
            writer.PutEscaped(in[i + k]);
        }
        textLength += width;
        i += unit;
    }
    writer.Close();
}

}  // namespace

bool IsUtf8CharsetName(const std::string& charset) {
    return EqualsIgnoringAsciiCase(charset, "utf-8") || EqualsIgnoringAsciiCase(charset, "utf8");
}

int32_t EncodedWordCodec::DecodedLength() const {
    return ClampedLength(sourceLength);
}

int32_t EncodedWordCodec::EncodedLength() const {
    const int32_t n = UsableLength(source, sourceLength);
    if (n == 0) {
        return 0;
    }
    const int64_t cs = static_cast<int64_t>(charset.size());
    if (cs == 0 || cs > kMaxEncodedWordCharsetLength) {
        return n;
    }
    const bool utf8 = IsUtf8CharsetName(charset);
    if (WantsBase64(letter)) {
        if (utf8) {
            // Words may carry up to three bytes less to end on a character.
            const int64_t groups = (kWordTextSpan - cs) / 4;
            const int64_t words = (n - 1) / EstimateSpan(3 * groups, 3) + 1;
            return SaturatedLength(words * (cs + kWordFrame + 1 + 4 * groups));
        }
        const int64_t b = 4 * ((int64_t{n} + 2) / 3);
        return SaturatedLength(b +
                               (b / EstimateSpan(kEstimateSpan, cs) + 1) * (cs + kEstimateFrame));
    }
    const int64_t b = QuotedPrintableEstimate(source, n);
    const int64_t span = utf8 ? kUtf8QEstimateSpan : kEstimateSpan;
    return SaturatedLength(b + (b / EstimateSpan(span, cs) + 1) * (cs + kEstimateFrame));
}

int32_t EncodedWordCodec::Encode(char* out, int32_t capacity) {
    const int32_t n = UsableLength(source, sourceLength);
    const int32_t cs = static_cast<int32_t>(charset.size());
    if (cs == 0 || cs > kMaxEncodedWordCharsetLength) {
        return CopyBytes(source, sourceLength, out, capacity);
    }
    if (n == 0) {
        return 0;
    }
    const uint8_t* in = reinterpret_cast<const uint8_t*>(source);
    const bool utf8 = IsUtf8CharsetName(charset);
    WordWriter writer(charset, WantsBase64(letter) ? 'B' : 'Q', out, UsableLength(out, capacity));
    if (WantsBase64(letter)) {
        EncodeBWords(in, n, utf8, cs, writer);
    } else {
        EncodeQWords(in, n, utf8, cs, writer);
    }
    return writer.Written();
}

}  // namespace vellumo
