#include "html/html_jis0208.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace vellumo {
namespace {

constexpr unsigned char kFirstByte = 0x21;
constexpr unsigned char kLastByte = 0x7E;

struct ReverseEntry {
    char32_t codePoint;
    std::uint16_t cell;  // row * kJis0208Columns + column
};

// Characters that Windows maps to other Unicode values than JIS does; text
// decoded elsewhere carries these spellings.
constexpr ReverseEntry kWindowsSpellings[] = {
    {0xFF5E, 0 * 94 + 32},  // wave dash
    {0x2225, 0 * 94 + 33},  // parallel to
    {0xFF0D, 0 * 94 + 60},  // minus sign
    {0xFFE0, 0 * 94 + 80},  // cent sign
    {0xFFE1, 0 * 94 + 81},  // pound sign
    {0xFFE2, 1 * 94 + 43},  // not sign
};

std::vector<ReverseEntry> BuildReverse() {
    std::vector<ReverseEntry> entries;
    entries.reserve(kJis0208Rows * kJis0208Columns);
    for (std::size_t cell = 0; cell < kJis0208Rows * kJis0208Columns; ++cell) {
        if (kJis0208[cell] != 0) {
            entries.push_back({kJis0208[cell], static_cast<std::uint16_t>(cell)});
        }
    }
    entries.insert(entries.end(), std::begin(kWindowsSpellings), std::end(kWindowsSpellings));
    // Stable: where two cells share a character, the first cell is its code.
    std::stable_sort(
        entries.begin(), entries.end(),
        [](const ReverseEntry& a, const ReverseEntry& b) { return a.codePoint < b.codePoint; });
    return entries;
}

}  // namespace

char32_t Jis0208ToUnicode(unsigned char first, unsigned char second) {
    if (first < kFirstByte || first > kLastByte || second < kFirstByte || second > kLastByte) {
        return 0;
    }
    return kJis0208[(first - kFirstByte) * kJis0208Columns + (second - kFirstByte)];
}

bool UnicodeToJis0208(char32_t codePoint, unsigned char* first, unsigned char* second) {
    static const std::vector<ReverseEntry> reverse = BuildReverse();
    const auto found = std::lower_bound(
        reverse.begin(), reverse.end(), codePoint,
        [](const ReverseEntry& entry, char32_t value) { return entry.codePoint < value; });
    if (found == reverse.end() || found->codePoint != codePoint) {
        return false;
    }
    *first = static_cast<unsigned char>(kFirstByte + found->cell / kJis0208Columns);
    *second = static_cast<unsigned char>(kFirstByte + found->cell % kJis0208Columns);
    return true;
}

}  // namespace vellumo
