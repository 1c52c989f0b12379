#include "codec/header_field_codec.h"

#include <cstring>
#include <vector>

#include "codec/codec_limits.h"
#include "codec/encoded_word_codec.h"
#include "codec/header_segments.h"

namespace vellumo {

namespace {

constexpr int32_t kFoldLength = 3;  // CR LF TAB

// B when base64 is shorter than Q's worst case and more than a fifth of the
// bytes need encoding.
char ChooseLetter(int32_t length, int32_t highCount) {
    const int64_t qWorst = int64_t{length} + 2 * int64_t{highCount};
    const int64_t base64 = 4 * ((int64_t{length} + 2) / 3);
    return qWorst > base64 && 5 * int64_t{highCount} > length ? 'B' : 'Q';
}

void PrepareWord(EncodedWordCodec& word, const char* value, const HeaderSegment& segment) {
    word.source = value + segment.start;
    word.sourceLength = segment.length;
    word.letter = ChooseLetter(segment.length, segment.highCount);
}

// Copies what fits; returns the count.
int32_t PutTruncated(const char* bytes, int32_t count, char* out, int32_t room) {
    return CopyBytes(bytes, count, out, room);
}

// The encoded words of one segment, truncated at the room left.
int32_t PutEncodedWords(EncodedWordCodec& word, char* out, int32_t room) {
    const int32_t needed = word.EncodedLength();
    if (needed <= room) {
        return word.Encode(out, room);
    }
    // Only a caller that ignored EncodedLength gets here.
    std::vector<char> whole(static_cast<size_t>(needed));
    const int32_t written = word.Encode(whole.data(), needed);
    return PutTruncated(whole.data(), written, out, room);
}

}  // namespace

int32_t HeaderFieldCodec::DecodedLength() const {
    return ClampedLength(sourceLength);
}

int32_t HeaderFieldCodec::EncodedLength() const {
    const int32_t n = UsableLength(source, sourceLength);
    if (charset.empty()) {
        return n;
    }
    EncodedWordCodec word;
    word.charset = charset;
    int64_t total = 0;
    HeaderSegments segments(source, n, InitialScanState());
    HeaderSegment segment;
    while (segments.Next(segment)) {
        if (segment.highCount > 0) {
            PrepareWord(word, source, segment);
            total += word.EncodedLength();
        } else {
            total += segment.length;
        }
        total += 1;
        // The same segments as Encode: its fold skips the white space behind.
        if (segment.hasDelimiter && IsBreakChar(segment.delimiter) && segments.AnyLeft() &&
            segments.SkipSpaceForFold()) {
            total += kFoldLength;
        }
    }
    return SaturatedLength(total);
}

int32_t HeaderFieldCodec::Encode(char* out, int32_t capacity) {
    const int32_t n = UsableLength(source, sourceLength);
    if (charset.empty()) {
        return CopyBytes(source, n, out, capacity);
    }
    const int32_t cap = UsableLength(out, capacity);
    EncodedWordCodec word;
    word.charset = charset;
    int32_t o = 0;
    HeaderSegments segments(source, n, InitialScanState());
    HeaderSegment segment;
    while (segments.Next(segment)) {
        if (segment.highCount > 0) {
            PrepareWord(word, source, segment);
            o += PutEncodedWords(word, out + o, cap - o);
        } else {
            o += PutTruncated(source + segment.start, segment.length, out + o, cap - o);
        }
        if (segment.hasDelimiter) {
            o += PutTruncated(reinterpret_cast<const char*>(&segment.delimiter), 1, out + o,
                              cap - o);
        }
        if (!segments.AnyLeft()) {
            break;
        }
        // One entry per line; no fold when only white space would follow it.
        if (segment.hasDelimiter && IsBreakChar(segment.delimiter) && cap - o >= kFoldLength &&
            segments.SkipSpaceForFold()) {
            std::memcpy(out + o, "\r\n\t", kFoldLength);
            o += kFoldLength;
        }
    }
    return o;
}

int32_t HeaderFieldCodec::Decode(char* out, int32_t capacity) {
    EncodedWordCodec word;
    word.source = source;
    word.sourceLength = UsableLength(source, sourceLength);
    const int32_t cap = UsableLength(out, capacity);
    int32_t written = 0;
    if (cap >= word.sourceLength) {
        written = word.Decode(out, word.sourceLength);
    } else {
        // Decode the whole value so that the charset is found even when the
        // output is cut short.
        std::vector<char> whole(static_cast<size_t>(word.sourceLength));
        written =
            PutTruncated(whole.data(), word.Decode(whole.data(), word.sourceLength), out, cap);
    }
    charset = word.charset;
    return written;
}

}  // namespace vellumo
