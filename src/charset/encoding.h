// The encodings of the WHATWG Encoding Standard, the browsers' definition of
// how bytes in a charset become characters, and their labels.
#pragma once

#include <cstddef>
#include <string_view>

namespace vellumo {

// In the order of the standard's encodings.json; the last three are read
// here though the standard gives them no decoder of its own.
enum class Encoding : unsigned char {
    kUtf8,
    kIbm866,  // the single-byte encodings, kIbm866 to kXMacCyrillic
    kIso8859_2,
    kIso8859_3,
    kIso8859_4,
    kIso8859_5,
    kIso8859_6,
    kIso8859_7,
    kIso8859_8,
    kIso8859_8I,
    kIso8859_10,
    kIso8859_13,
    kIso8859_14,
    kIso8859_15,
    kIso8859_16,
    kKoi8R,
    kKoi8U,
    kMacintosh,
    kWindows874,
    kWindows1250,
    kWindows1251,
    kWindows1252,
    kWindows1253,
    kWindows1254,
    kWindows1255,
    kWindows1256,
    kWindows1257,
    kWindows1258,
    kXMacCyrillic,
    kGbk,
    kGb18030,
    kBig5,
    kEucJp,
    kIso2022Jp,
    kShiftJis,
    kEucKr,
    kReplacement,  // ISO-2022-CN, HZ-GB-2312 and the like: never read
    kUtf16Be,
    kUtf16Le,
    kXUserDefined,
    kIso2022Kr,  // old Korean mail; the standard maps its labels to kReplacement
    kUtf32Be,
    kUtf32Le,
};

inline constexpr std::size_t kEncodingCount = static_cast<std::size_t>(Encoding::kUtf32Le) + 1;
inline constexpr std::size_t kSingleByteEncodingCount =
    static_cast<std::size_t>(Encoding::kXMacCyrillic) -
    static_cast<std::size_t>(Encoding::kIbm866) + 1;

struct EncodingLabel {
    const char* label;  // lower case
    Encoding encoding;
};

// The generated label table (encoding_labels.cpp), sorted by label.
extern const EncodingLabel kEncodingLabels[];
extern const std::size_t kEncodingLabelCount;

// The encoding a label names, as the standard's "get an encoding": ASCII
// case ignored, leading and trailing ASCII white space stripped (and the
// quotes a header parameter may leave). False for an unknown label.
[[nodiscard]] bool EncodingForLabel(std::string_view label, Encoding* encoding);

// The standard's name of an encoding ("Shift_JIS", "windows-1252").
[[nodiscard]] const char* EncodingName(Encoding encoding);

// The Windows code page that reads bytes as the encoding's decoder does, for
// MultiByteToWideChar (the system HTML engine, ANSI file names); 0 when
// Windows has none. A label maps to one encoding and so to one code page:
// "iso-8859-1" and "us-ascii" are windows-1252, code page 1252, as browsers
// and the system engine read them (the literal Latin-1 code page 28591
// differs only in 0x80-0x9F, where it has C1 controls no mail means).
[[nodiscard]] unsigned WindowsCodePage(Encoding encoding);

[[nodiscard]] bool IsSingleByteEncoding(Encoding encoding);

// True for the encodings whose bytes 0x00-0x7F are ASCII wherever they
// stand, so that a reader may look for markup in the undecoded bytes.
[[nodiscard]] bool IsAsciiCompatible(Encoding encoding);

}  // namespace vellumo
