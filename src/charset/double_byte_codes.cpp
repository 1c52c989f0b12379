#include "charset/double_byte_codes.h"

#include "charset/charset.h"
#include "charset/double_byte_set.h"
#include "charset/unicode_text.h"

namespace vellumo {
namespace {

// The 7-bit bytes of the 94 x 94 sets start here; EUC sets the high bit.
constexpr unsigned kSetBase = 0x21;
constexpr unsigned kHighBit = 0x80;
// JIS X 0201 katakana: single bytes in Shift_JIS, after 0x8E in EUC-JP.
constexpr unsigned kKatakanaFirstByte = 0xA1;
constexpr unsigned kKatakanaLastByte = 0xDF;
constexpr char32_t kKatakanaFirst = 0xFF61;
constexpr unsigned char kEucJpKatakanaShift = 0x8E;
// What the readers give for a sequence without a character here.
constexpr char32_t kNoCharacter = 0xFFFFFFFF;

// A set's cell, or kNoCharacter when it is unassigned.
char32_t CellOf(const DoubleByteSet& set, unsigned first, unsigned second) {
    const char32_t character =
        set.ToUnicode(static_cast<unsigned char>(first), static_cast<unsigned char>(second));
    return character != 0 ? character : kNoCharacter;
}

bool IsEucByte(unsigned byte) {
    return byte >= 0xA1 && byte <= 0xFE;
}

bool IsShiftJisLead(unsigned byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xEF);
}

bool IsShiftJisTrail(unsigned byte) {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

// Each lead byte covers two rows; the trail byte picks the row and column.
char32_t ShiftJisPair(unsigned lead, unsigned trail) {
    const unsigned leadIndex = (lead >= 0xE0 ? lead - 0x40 : lead) - 0x81;
    const bool oddRow = trail >= 0x9F;
    const unsigned row = leadIndex * 2 + (oddRow ? 1 : 0);
    const unsigned column = oddRow ? trail - 0x9F : trail - 0x40 - (trail >= 0x80 ? 1 : 0);
    return CellOf(Jis0208Set(), row + kSetBase, column + kSetBase);
}

// The character at `*pos`, advancing past it; kNoCharacter when there is
// none here.
char32_t NextShiftJis(std::string_view bytes, std::size_t* pos) {
    const auto lead = static_cast<unsigned char>(bytes[(*pos)++]);
    if (lead < 0x80) {
        return lead;
    }
    if (lead >= kKatakanaFirstByte && lead <= kKatakanaLastByte) {
        return kKatakanaFirst + (lead - kKatakanaFirstByte);
    }
    if (!IsShiftJisLead(lead) || *pos >= bytes.size()) {
        return kNoCharacter;
    }
    const auto trail = static_cast<unsigned char>(bytes[(*pos)++]);
    return IsShiftJisTrail(trail) ? ShiftJisPair(lead, trail) : kNoCharacter;
}

char32_t NextEuc(DoubleByteCode code, std::string_view bytes, std::size_t* pos) {
    const auto lead = static_cast<unsigned char>(bytes[(*pos)++]);
    if (lead < 0x80) {
        return lead;
    }
    if (*pos >= bytes.size()) {
        return kNoCharacter;
    }
    const auto trail = static_cast<unsigned char>(bytes[(*pos)++]);
    if (code == DoubleByteCode::kEucJp && lead == kEucJpKatakanaShift) {
        return trail >= kKatakanaFirstByte && trail <= kKatakanaLastByte
                   ? kKatakanaFirst + (trail - kKatakanaFirstByte)
                   : kNoCharacter;
    }
    if (!IsEucByte(lead) || !IsEucByte(trail)) {
        return kNoCharacter;
    }
    const DoubleByteSet& set = code == DoubleByteCode::kEucKr   ? KsX1001Set()
                               : code == DoubleByteCode::kEucCn ? Gb2312Set()
                                                                : Jis0208Set();
    return CellOf(set, lead - kHighBit, trail - kHighBit);
}

bool IsHalfWidthKatakana(char32_t character) {
    return character >= kKatakanaFirst &&
           character <= kKatakanaFirst + (kKatakanaLastByte - kKatakanaFirstByte);
}

// Encodes each character with `pair` for the double-byte set, after ASCII
// and, where the code has them, the half-width katakana.
template <typename Single, typename Pair>
bool EncodeEach(std::string_view text, std::string* out, Single single, Pair pair) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char32_t character = NextUtf8CodePoint(text, &pos);
        if (character < 0x80) {
            out->push_back(static_cast<char>(character));
        } else if (!single(character, out) && !pair(character, out)) {
            return false;
        }
    }
    return true;
}

bool EncodeEucPair(const DoubleByteSet& set, char32_t character, std::string* out) {
    unsigned char first = 0;
    unsigned char second = 0;
    if (!set.FromUnicode(character, &first, &second)) {
        return false;
    }
    out->push_back(static_cast<char>(first | kHighBit));
    out->push_back(static_cast<char>(second | kHighBit));
    return true;
}

}  // namespace

bool DecodeDoubleByteCode(DoubleByteCode code, std::string_view bytes, std::string* out) {
    if (out != nullptr) {
        out->reserve(out->size() + bytes.size() + bytes.size() / 2);
    }
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const char32_t character = code == DoubleByteCode::kShiftJis ? NextShiftJis(bytes, &pos)
                                                                     : NextEuc(code, bytes, &pos);
        if (character == kNoCharacter) {
            return false;
        }
        if (out != nullptr) {
            AppendUtf8(character, out);
        }
    }
    return true;
}

bool EncodeShiftJis(std::string_view text, std::string* out) {
    auto katakana = [](char32_t character, std::string* to) {
        if (!IsHalfWidthKatakana(character)) {
            return false;
        }
        to->push_back(static_cast<char>(kKatakanaFirstByte + (character - kKatakanaFirst)));
        return true;
    };
    auto pair = [](char32_t character, std::string* to) {
        unsigned char first = 0;
        unsigned char second = 0;
        if (!Jis0208Set().FromUnicode(character, &first, &second)) {
            return false;
        }
        const unsigned row = first - kSetBase;
        const unsigned column = second - kSetBase;
        unsigned lead = row / 2 + 0x81;
        if (lead > 0x9F) {
            lead += 0x40;
        }
        const unsigned trail =
            row % 2 == 1 ? column + 0x9F : column + 0x40 + (column >= 0x3F ? 1 : 0);
        to->push_back(static_cast<char>(lead));
        to->push_back(static_cast<char>(trail));
        return true;
    };
    return EncodeEach(text, out, katakana, pair);
}

bool EncodeEucJp(std::string_view text, std::string* out) {
    auto katakana = [](char32_t character, std::string* to) {
        if (!IsHalfWidthKatakana(character)) {
            return false;
        }
        to->push_back(static_cast<char>(kEucJpKatakanaShift));
        to->push_back(static_cast<char>(kKatakanaFirstByte + (character - kKatakanaFirst)));
        return true;
    };
    auto pair = [](char32_t character, std::string* to) {
        return EncodeEucPair(Jis0208Set(), character, to);
    };
    return EncodeEach(text, out, katakana, pair);
}

bool EncodeEucKr(std::string_view text, std::string* out) {
    auto none = [](char32_t, std::string*) { return false; };
    auto pair = [](char32_t character, std::string* to) {
        return EncodeEucPair(KsX1001Set(), character, to);
    };
    return EncodeEach(text, out, none, pair);
}

bool EncodeEucCn(std::string_view text, std::string* out) {
    auto none = [](char32_t, std::string*) { return false; };
    auto pair = [](char32_t character, std::string* to) {
        return EncodeEucPair(Gb2312Set(), character, to);
    };
    return EncodeEach(text, out, none, pair);
}

}  // namespace vellumo
