#include "charset/double_byte_set.h"

#include <algorithm>
#include <iterator>

#include "charset/unicode_text.h"

namespace vellumo {
namespace {

constexpr unsigned char kFirstByte = 0x21;
constexpr unsigned char kLastByte = 0x7E;

// Characters that Windows maps to other Unicode values than JIS does; text
// decoded elsewhere carries these spellings.
constexpr DoubleByteSet::Alias kJis0208WindowsSpellings[] = {
    {0xFF5E, 0 * 94 + 32},  // wave dash
    {0x2225, 0 * 94 + 33},  // parallel to
    {0xFF0D, 0 * 94 + 60},  // minus sign
    {0xFFE0, 0 * 94 + 80},  // cent sign
    {0xFFE1, 0 * 94 + 81},  // pound sign
    {0xFFE2, 1 * 94 + 43},  // not sign
};

}  // namespace

DoubleByteSet::DoubleByteSet(const char16_t* grid, const Alias* aliases, std::size_t aliasCount)
    : grid_(grid) {
    reverse_.reserve(kDoubleByteSetCells + aliasCount);
    for (std::size_t cell = 0; cell < kDoubleByteSetCells; ++cell) {
        if (grid[cell] != 0) {
            reverse_.push_back({grid[cell], static_cast<std::uint16_t>(cell)});
        }
    }
    if (aliasCount > 0) {
        reverse_.insert(reverse_.end(), aliases, aliases + aliasCount);
    }
    // Stable: where two cells share a character, the first cell is its code.
    std::stable_sort(reverse_.begin(), reverse_.end(),
                     [](const Alias& a, const Alias& b) { return a.codePoint < b.codePoint; });
}

char32_t DoubleByteSet::ToUnicode(unsigned char first, unsigned char second) const {
    if (first < kFirstByte || first > kLastByte || second < kFirstByte || second > kLastByte) {
        return 0;
    }
    return grid_[(first - kFirstByte) * kDoubleByteSetSide + (second - kFirstByte)];
}

char32_t DoubleByteSet::ReadPair(unsigned char first, std::string_view bytes,
                                 std::size_t* pos) const {
    if (*pos >= bytes.size()) {
        return kReplacementCharacter;
    }
    const auto second = static_cast<unsigned char>(bytes[*pos]);
    const char32_t character = ToUnicode(first, second);
    if (character != 0 || second >= kFirstByte) {
        ++*pos;
    }
    return character != 0 ? character : kReplacementCharacter;
}

bool DoubleByteSet::FromUnicode(char32_t codePoint, unsigned char* first,
                                unsigned char* second) const {
    const auto found = std::lower_bound(
        reverse_.begin(), reverse_.end(), codePoint,
        [](const Alias& entry, char32_t value) { return entry.codePoint < value; });
    if (found == reverse_.end() || found->codePoint != codePoint) {
        return false;
    }
    *first = static_cast<unsigned char>(kFirstByte + found->cell / kDoubleByteSetSide);
    *second = static_cast<unsigned char>(kFirstByte + found->cell % kDoubleByteSetSide);
    return true;
}

const DoubleByteSet& Jis0208Set() {
    static const DoubleByteSet set(kJis0208, kJis0208WindowsSpellings,
                                   std::size(kJis0208WindowsSpellings));
    return set;
}

const DoubleByteSet& KsX1001Set() {
    static const DoubleByteSet set(kKsX1001, nullptr, 0);
    return set;
}

const DoubleByteSet& Gb2312Set() {
    static const DoubleByteSet set(kGb2312, nullptr, 0);
    return set;
}

}  // namespace vellumo
