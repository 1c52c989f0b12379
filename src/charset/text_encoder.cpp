#include "charset/text_encoder.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "charset/legacy_indexes.h"
#include "charset/unicode_text.h"

namespace vellumo {
namespace {

constexpr char32_t kGb18030Unencodable = 0xE5E5;
// Big5 pointers below this are the HKSCS rows the encoder leaves out.
constexpr std::size_t kBig5FirstEncoded = (0xA1 - 0x81) * kBig5Row;
// Shift_JIS leaves out the NEC selections of IBM rows (their IBM forms win).
constexpr std::size_t kShiftJisSkipFirst = 8272;
constexpr std::size_t kShiftJisSkipLast = 8835;

void Put(std::string* out, std::size_t first, std::size_t second) {
    out->push_back(static_cast<char>(first));
    out->push_back(static_cast<char>(second));
}

using ReverseHalf = std::vector<std::pair<char32_t, unsigned char>>;

// The high halves by code point, one per single-byte encoding.
const ReverseHalf& ReverseHighHalf(Encoding encoding) {
    static const std::array<ReverseHalf, kSingleByteEncodingCount> halves = [] {
        std::array<ReverseHalf, kSingleByteEncodingCount> built;
        for (std::size_t i = 0; i < kSingleByteEncodingCount; ++i) {
            for (std::size_t byte = 0; byte < 128; ++byte) {
                if (kSingleByteIndexes[i][byte] != kReplacementCharacter) {
                    built[i].emplace_back(kSingleByteIndexes[i][byte],
                                          static_cast<unsigned char>(0x80 + byte));
                }
            }
            std::sort(built[i].begin(), built[i].end());
        }
        return built;
    }();
    return halves[static_cast<std::size_t>(encoding) - static_cast<std::size_t>(Encoding::kIbm866)];
}

bool EncodeSingleByte(Encoding encoding, char32_t codePoint, std::string* out) {
    const ReverseHalf& half = ReverseHighHalf(encoding);
    const auto found =
        std::lower_bound(half.begin(), half.end(), std::make_pair(codePoint, '\0'),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
    if (found == half.end() || found->first != codePoint) {
        return false;
    }
    out->push_back(static_cast<char>(found->second));
    return true;
}

bool EncodeGb18030(char32_t codePoint, bool gbk, std::string* out) {
    if (codePoint == kGb18030Unencodable) {
        return false;
    }
    if (gbk && codePoint == kEuro) {
        out->push_back('\x80');
        return true;
    }
    // Private-use characters GB18030-2022 moved, kept as GB18030-2005 wrote them.
    static constexpr std::pair<char32_t, unsigned short> kMoved[] = {
        {0xE78D, 0xA6D9}, {0xE78E, 0xA6DA}, {0xE78F, 0xA6DB}, {0xE790, 0xA6DC}, {0xE791, 0xA6DD},
        {0xE792, 0xA6DE}, {0xE793, 0xA6DF}, {0xE794, 0xA6EC}, {0xE795, 0xA6ED}, {0xE796, 0xA6F3},
        {0xE81E, 0xFE59}, {0xE826, 0xFE61}, {0xE82B, 0xFE66}, {0xE82C, 0xFE67}, {0xE832, 0xFE6D},
        {0xE843, 0xFE7E}, {0xE854, 0xFE90}, {0xE864, 0xFEA0},
    };
    for (const auto& moved : kMoved) {
        if (moved.first == codePoint) {
            Put(out, moved.second >> 8, moved.second & 0xFF);
            return true;
        }
    }
    std::size_t pointer = 0;
    if (Gb18030Index().Pointer(codePoint, &pointer)) {
        const std::size_t trail = pointer % kGb18030Row;
        Put(out, pointer / kGb18030Row + 0x81, trail + (trail < 0x3F ? 0x40 : 0x41));
        return true;
    }
    if (gbk) {
        return false;
    }
    std::uint32_t four = Gb18030RangesPointer(codePoint);
    const char bytes[4] = {static_cast<char>(four / (10 * 126 * 10) + 0x81),
                           static_cast<char>(four % (10 * 126 * 10) / (10 * 126) + 0x30),
                           static_cast<char>(four % (10 * 126) / 10 + 0x81),
                           static_cast<char>(four % 10 + 0x30)};
    out->append(bytes, 4);
    return true;
}

bool EncodeBig5(char32_t codePoint, std::string* out) {
    // The box-drawing and numeral duplicates take their later pointer.
    const bool last = codePoint == 0x2550 || codePoint == 0x255E || codePoint == 0x2561 ||
                      codePoint == 0x256A || codePoint == 0x5341 || codePoint == 0x5345;
    std::size_t pointer = 0;
    if (!Big5Index().Pointer(codePoint, &pointer, 0, kBig5FirstEncoded - 1, last)) {
        return false;
    }
    const std::size_t trail = pointer % kBig5Row;
    Put(out, pointer / kBig5Row + 0x81, trail + (trail < 0x3F ? 0x40 : 0x62));
    return true;
}

// The JIS X 0201 and half-width forms Shift_JIS and EUC-JP share; false
// when `*codePoint` is left to the double-byte set.
bool EncodeJisSingle(char32_t* codePoint, bool euc, std::string* out) {
    if (*codePoint == kYenSign || *codePoint == kOverline) {
        out->push_back(*codePoint == kYenSign ? '\x5C' : '\x7E');
        return true;
    }
    if (*codePoint >= kHalfwidthKatakana && *codePoint <= kHalfwidthKatakanaLast) {
        if (euc) {
            out->push_back('\x8E');
        }
        out->push_back(static_cast<char>(*codePoint - kHalfwidthKatakana + 0xA1));
        return true;
    }
    if (*codePoint == kMinusSign) {
        *codePoint = kFullwidthHyphenMinus;
    }
    return false;
}

bool EncodeShiftJis(char32_t codePoint, std::string* out) {
    if (codePoint == 0x80) {
        out->push_back('\x80');
        return true;
    }
    if (EncodeJisSingle(&codePoint, false, out)) {
        return true;
    }
    std::size_t pointer = 0;
    if (!Jis0208().Pointer(codePoint, &pointer, kShiftJisSkipFirst, kShiftJisSkipLast)) {
        return false;
    }
    const std::size_t lead = pointer / kShiftJisRow;
    const std::size_t trail = pointer % kShiftJisRow;
    Put(out, lead + (lead < 0x1F ? 0x81 : 0xC1), trail + (trail < 0x3F ? 0x40 : 0x41));
    return true;
}

bool EncodeEucJp(char32_t codePoint, std::string* out) {
    if (EncodeJisSingle(&codePoint, true, out)) {
        return true;
    }
    std::size_t pointer = 0;
    if (!Jis0208().Pointer(codePoint, &pointer)) {
        return false;
    }
    Put(out, pointer / kJisRow + 0xA1, pointer % kJisRow + 0xA1);
    return true;
}

bool EncodeEucKr(char32_t codePoint, std::string* out) {
    std::size_t pointer = 0;
    if (!EucKrIndex().Pointer(codePoint, &pointer)) {
        return false;
    }
    Put(out, pointer / kEucKrRow + 0x81, pointer % kEucKrRow + 0x41);
    return true;
}

bool EncodeUserDefined(char32_t codePoint, std::string* out) {
    if (codePoint < kUserDefinedBase || codePoint > kUserDefinedBase + 0x7F) {
        return false;
    }
    out->push_back(static_cast<char>(codePoint - kUserDefinedBase + 0x80));
    return true;
}

}  // namespace

bool TextEncoder::Encode(char32_t codePoint, std::string* out) {
    switch (encoding_) {
        case Encoding::kIso2022Jp:
            return iso2022Jp_.Encode(codePoint, out);
        case Encoding::kIso2022Kr:
            return iso2022Kr_.Encode(codePoint, out);
        case Encoding::kUtf8:
            AppendUtf8(codePoint, out);
            return true;
        case Encoding::kUtf16Be:
        case Encoding::kUtf16Le:
        case Encoding::kUtf32Be:
        case Encoding::kUtf32Le:
        case Encoding::kReplacement:
            return false;
        default:
            break;
    }
    if (codePoint < 0x80) {
        out->push_back(static_cast<char>(codePoint));
        return true;
    }
    switch (encoding_) {
        case Encoding::kGbk:
        case Encoding::kGb18030:
            return EncodeGb18030(codePoint, encoding_ == Encoding::kGbk, out);
        case Encoding::kBig5:
            return EncodeBig5(codePoint, out);
        case Encoding::kShiftJis:
            return EncodeShiftJis(codePoint, out);
        case Encoding::kEucJp:
            return EncodeEucJp(codePoint, out);
        case Encoding::kEucKr:
            return EncodeEucKr(codePoint, out);
        case Encoding::kXUserDefined:
            return EncodeUserDefined(codePoint, out);
        default:
            return IsSingleByteEncoding(encoding_) && EncodeSingleByte(encoding_, codePoint, out);
    }
}

void TextEncoder::Finish(std::string* out) {
    iso2022Jp_.Finish(out);
    iso2022Kr_.Finish(out);
}

bool EncodeText(Encoding encoding, std::string_view text, Substitute substitute, std::string* out) {
    out->clear();
    out->reserve(text.size());
    if (encoding == Encoding::kIso2022Kr &&
        std::any_of(text.begin(), text.end(), [](char c) { return (c & 0x80) != 0; })) {
        out->append(kIso2022KrAnnouncement);
    }
    TextEncoder encoder(encoding);
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char32_t codePoint = NextUtf8CodePoint(text, &pos);
        if (encoder.Encode(codePoint, out)) {
            continue;
        }
        const char replacement = substitute == nullptr ? '\0' : substitute(codePoint);
        if (replacement == '\0') {
            return false;
        }
        (void)encoder.Encode(static_cast<unsigned char>(replacement), out);
    }
    encoder.Finish(out);
    return true;
}

}  // namespace vellumo
