// The 94 x 94 double-byte character sets of Asian mail charsets: JIS X 0208
// (ISO-2022-JP, Shift_JIS, EUC-JP), KS X 1001 (ISO-2022-KR, EUC-KR) and
// GB 2312 (EUC-CN), each a generated grid of Unicode values with a reverse
// lookup built once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace vellumo {

constexpr std::size_t kDoubleByteSetSide = 94;
constexpr std::size_t kDoubleByteSetCells = kDoubleByteSetSide * kDoubleByteSetSide;

// The generated grids, row by row; 0 where a cell is unassigned. Row and
// column 0 are the bytes 0x21 of the 7-bit code.
extern const char16_t kJis0208[kDoubleByteSetCells];
extern const char16_t kKsX1001[kDoubleByteSetCells];
extern const char16_t kGb2312[kDoubleByteSetCells];

class DoubleByteSet {
  public:
    struct Alias {
        char32_t codePoint;
        std::uint16_t cell;  // row * kDoubleByteSetSide + column
    };

    // `aliases` are further spellings the encoder accepts for cells.
    DoubleByteSet(const char16_t* grid, const Alias* aliases, std::size_t aliasCount);

    // The character of the two bytes (each 0x21-0x7E), or 0 when unassigned
    // or out of range.
    [[nodiscard]] char32_t ToUnicode(unsigned char first, unsigned char second) const;
    // The character whose first byte is `first` and whose second byte is
    // at `*pos` of `bytes`, advancing `*pos` past the second byte; U+FFFD
    // for an unassigned pair, or when the input ends after `first`. A
    // second byte below 0x21 (a control or line end) is left to be read
    // again as what it is.
    [[nodiscard]] char32_t ReadPair(unsigned char first, std::string_view bytes,
                                    std::size_t* pos) const;
    // The two bytes of `codePoint`; false when the set has no such character.
    [[nodiscard]] bool FromUnicode(char32_t codePoint, unsigned char* first,
                                   unsigned char* second) const;

  private:
    const char16_t* grid_;
    std::vector<Alias> reverse_;  // by code point
};

// The sets, built on first use.
[[nodiscard]] const DoubleByteSet& Jis0208Set();
[[nodiscard]] const DoubleByteSet& KsX1001Set();
[[nodiscard]] const DoubleByteSet& Gb2312Set();

}  // namespace vellumo
