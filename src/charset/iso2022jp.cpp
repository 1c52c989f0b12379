#include "charset/iso2022jp.h"

#include "charset/charset.h"
#include "charset/double_byte_set.h"
#include "charset/unicode_text.h"

namespace vellumo {
namespace {

constexpr char kEscape = '\x1B';
constexpr char32_t kYenSign = 0xA5;
constexpr char32_t kOverline = 0x203E;
constexpr char32_t kHalfwidthKatakanaFirst = 0xFF61;

enum class Mode { kAscii, kRoman, kKatakana, kJis0208 };

struct Designation {
    std::string_view escape;
    Mode mode;
};

// JIS X 0208-1978 ("ESC $ @") is read as its 1983 revision, as everyone does.
constexpr Designation kDesignations[] = {
    {"\x1B(B", Mode::kAscii},   {"\x1B(J", Mode::kRoman},   {"\x1B(I", Mode::kKatakana},
    {"\x1B$B", Mode::kJis0208}, {"\x1B$@", Mode::kJis0208},
};

const Designation* DesignationAt(std::string_view bytes, std::size_t pos) {
    for (const Designation& designation : kDesignations) {
        if (bytes.compare(pos, designation.escape.size(), designation.escape) == 0) {
            return &designation;
        }
    }
    return nullptr;
}

// One character of a single-byte mode: Roman differs from ASCII in two
// places, katakana fills 0x21-0x5F.
char32_t SingleByteCharacter(Mode mode, unsigned char byte) {
    if (byte < 0x21 || byte == 0x7F) {
        return byte;
    }
    if (mode == Mode::kRoman) {
        return byte == 0x5C ? kYenSign : byte == 0x7E ? kOverline : byte;
    }
    if (mode == Mode::kKatakana) {
        return byte <= 0x5F ? kHalfwidthKatakanaFirst + (byte - 0x21) : kReplacementCharacter;
    }
    return byte;
}

// The escape that switches from `from` to `to`, if any.
void SwitchMode(Mode* from, Mode to, std::string* out) {
    if (*from == to) {
        return;
    }
    for (const Designation& designation : kDesignations) {
        if (designation.mode == to) {
            out->append(designation.escape);
            break;
        }
    }
    *from = to;
}

}  // namespace

std::string DecodeIso2022Jp(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    Mode mode = Mode::kAscii;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[pos]);
        if (bytes[pos] == kEscape) {
            const Designation* designation = DesignationAt(bytes, pos);
            if (designation != nullptr) {
                mode = designation->mode;
                pos += designation->escape.size();
            } else {
                AppendUtf8(kReplacementCharacter, &out);
                ++pos;
            }
            continue;
        }
        ++pos;
        if (byte >= 0x80) {
            AppendUtf8(kReplacementCharacter, &out);
        } else if (mode != Mode::kJis0208 || byte < 0x21 || byte == 0x7F) {
            // Line ends and controls pass in any mode: senders forget to
            // switch back before a line end.
            AppendUtf8(SingleByteCharacter(mode, byte), &out);
        } else {
            AppendUtf8(Jis0208Set().ReadPair(byte, bytes, &pos), &out);
        }
    }
    return out;
}

bool EncodeIso2022Jp(std::string_view text, std::string* out) {
    Mode mode = Mode::kAscii;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char32_t character = NextUtf8CodePoint(text, &pos);
        unsigned char first = 0;
        unsigned char second = 0;
        if (character < 0x80) {
            // JIS X 0201 Roman keeps ASCII except at 0x5C and 0x7E.
            const bool romanSafe = mode == Mode::kRoman && character != 0x5C && character != 0x7E &&
                                   character != '\r' && character != '\n';
            if (!romanSafe) {
                SwitchMode(&mode, Mode::kAscii, out);
            }
            out->push_back(static_cast<char>(character));
        } else if (character == kYenSign || character == kOverline) {
            SwitchMode(&mode, Mode::kRoman, out);
            out->push_back(character == kYenSign ? '\x5C' : '\x7E');
        } else if (Jis0208Set().FromUnicode(character, &first, &second)) {
            SwitchMode(&mode, Mode::kJis0208, out);
            out->push_back(static_cast<char>(first));
            out->push_back(static_cast<char>(second));
        } else {
            return false;
        }
    }
    SwitchMode(&mode, Mode::kAscii, out);
    return true;
}

}  // namespace vellumo
