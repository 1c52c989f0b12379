// The indexes of the legacy encodings (pointer -> code point), as the
// generator writes them and expanded once for reading both ways.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "charset/encoding.h"

namespace vellumo {

// A stretch of pointers: linear (value is the first code point) or, with
// kLiteralRun set, read from the literals from offset value & ~kLiteralRun
// (0 there: no code point).
struct IndexRun {
    std::uint16_t firstPointer;
    std::uint16_t count;
    std::uint32_t value;
};
inline constexpr std::uint32_t kLiteralRun = 0x80000000u;

struct GeneratedIndex {
    const IndexRun* runs;
    std::size_t runCount;
    const char16_t* literals;
    std::size_t literalCount;
    const std::uint16_t* plane2Pointers;  // literals that are U+2xxxx (Big5)
    std::size_t plane2Count;
    std::size_t pointerCount;  // one past the highest pointer
};

struct Gb18030Range {
    std::uint32_t pointer;
    std::uint32_t codePoint;
};

// Cells per lead byte of each two-byte index: a pointer is the lead's row
// times this, plus the trail's cell.
inline constexpr int kJisRow = 94;
inline constexpr int kShiftJisRow = 188;
inline constexpr int kEucKrRow = 190;
inline constexpr int kGb18030Row = 190;
inline constexpr int kBig5Row = 157;

// Code points that the decoders and encoders of more than one encoding map
// by a rule of their own rather than through an index.
inline constexpr char32_t kEuro = 0x20AC;
inline constexpr char32_t kYenSign = 0xA5;
inline constexpr char32_t kOverline = 0x203E;
inline constexpr char32_t kMinusSign = 0x2212;
inline constexpr char32_t kFullwidthHyphenMinus = 0xFF0D;
inline constexpr char32_t kHalfwidthKatakana = 0xFF61;
inline constexpr char32_t kHalfwidthKatakanaLast = 0xFF9F;
inline constexpr char32_t kUserDefinedBase = 0xF780;  // x-user-defined's bytes 0x80-0xFF

inline constexpr std::size_t kIso2022JpKatakanaCount = 63;
inline constexpr std::size_t kGb18030RangeCount = 207;

// Generated (single_byte_indexes.cpp, multi_byte_indexes.cpp).
extern const char16_t kSingleByteIndexes[kSingleByteEncodingCount][128];
extern const GeneratedIndex kJis0208Index;
extern const GeneratedIndex kJis0212Index;
extern const GeneratedIndex kEucKrIndex;
extern const GeneratedIndex kGb18030Index;
extern const GeneratedIndex kBig5Index;
extern const char16_t kIso2022JpKatakana[kIso2022JpKatakanaCount];
extern const Gb18030Range kGb18030Ranges[kGb18030RangeCount];

// One index, expanded: a code point per pointer, and (built on first use)
// the pointers of each code point.
class LegacyIndex {
  public:
    explicit LegacyIndex(const GeneratedIndex& generated);

    // The standard's "index code point": 0 when the pointer has none.
    [[nodiscard]] char32_t CodePoint(std::size_t pointer) const {
        return pointer < codePoints_.size() ? codePoints_[pointer] : 0;
    }
    [[nodiscard]] std::size_t PointerCount() const { return codePoints_.size(); }

    // The first pointer of `codePoint` outside [skipFirst, skipLast] (the
    // standard's "index pointer", with the exclusions Shift_JIS and Big5
    // make); with `last`, the last such pointer. False when there is none.
    [[nodiscard]] bool Pointer(char32_t codePoint, std::size_t* pointer, std::size_t skipFirst = 1,
                               std::size_t skipLast = 0, bool last = false) const;

    // A pointer and its code point.
    struct Entry {
        char32_t codePoint;
        std::uint16_t pointer;
    };

  private:
    std::vector<char32_t> codePoints_;
    std::vector<Entry> byCodePoint_;  // sorted by code point, then pointer
};

[[nodiscard]] const LegacyIndex& Jis0208();
[[nodiscard]] const LegacyIndex& Jis0212();
[[nodiscard]] const LegacyIndex& EucKrIndex();
[[nodiscard]] const LegacyIndex& Gb18030Index();
[[nodiscard]] const LegacyIndex& Big5Index();

// Bytes 0x80-0xFF of a single-byte encoding (U+FFFD where none).
[[nodiscard]] const char16_t* SingleByteHighHalf(Encoding encoding);

// The standard's "index gb18030 ranges code point" (0 for none) and
// "index gb18030 ranges pointer".
[[nodiscard]] char32_t Gb18030RangesCodePoint(std::uint32_t pointer);
[[nodiscard]] std::uint32_t Gb18030RangesPointer(char32_t codePoint);

}  // namespace vellumo
