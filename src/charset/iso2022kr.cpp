#include "charset/iso2022kr.h"

#include "charset/charset.h"
#include "charset/double_byte_set.h"
#include "charset/unicode_text.h"

namespace vellumo {
namespace {

constexpr std::string_view kAnnouncement = "\x1B$)C";
constexpr char kEscape = '\x1B';
constexpr char kShiftOut = '\x0E';
constexpr char kShiftIn = '\x0F';
bool NeedsKorean(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::string DecodeIso2022Kr(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    bool korean = false;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const char c = bytes[pos];
        const auto byte = static_cast<unsigned char>(c);
        if (bytes.compare(pos, kAnnouncement.size(), kAnnouncement) == 0) {
            pos += kAnnouncement.size();
            continue;
        }
        ++pos;
        if (c == kShiftOut || c == kShiftIn) {
            korean = c == kShiftOut;
        } else if (c == kEscape || byte >= 0x80) {
            AppendUtf8(kReplacementCharacter, &out);
        } else if (!korean || byte < 0x21 || byte == 0x7F) {
            out.push_back(c);
        } else {
            AppendUtf8(KsX1001Set().ReadPair(byte, bytes, &pos), &out);
        }
    }
    return out;
}

bool EncodeIso2022Kr(std::string_view text, std::string* out) {
    if (NeedsKorean(text)) {
        out->append(kAnnouncement);
    }
    bool korean = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char32_t character = NextUtf8CodePoint(text, &pos);
        unsigned char first = 0;
        unsigned char second = 0;
        if (character < 0x80) {
            if (korean) {
                out->push_back(kShiftIn);
                korean = false;
            }
            out->push_back(static_cast<char>(character));
        } else if (KsX1001Set().FromUnicode(character, &first, &second)) {
            if (!korean) {
                out->push_back(kShiftOut);
                korean = true;
            }
            out->push_back(static_cast<char>(first));
            out->push_back(static_cast<char>(second));
        } else {
            return false;
        }
    }
    if (korean) {
        out->push_back(kShiftIn);
    }
    return true;
}

}  // namespace vellumo
