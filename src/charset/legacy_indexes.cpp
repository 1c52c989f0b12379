#include "charset/legacy_indexes.h"

#include <algorithm>
#include <iterator>

namespace vellumo {
namespace {

constexpr char32_t kPlane2 = 0x20000;
// The gb18030 four-byte pointers without a code point, and the one the
// ranges give a private-use character that GB18030-2005 moved.
constexpr std::uint32_t kGb18030BmpEnd = 39419;
constexpr std::uint32_t kGb18030SupplementaryStart = 189000;
constexpr std::uint32_t kGb18030SupplementaryEnd = 1237575;
constexpr std::uint32_t kGb18030MovedPointer = 7457;
constexpr char32_t kGb18030MovedCodePoint = 0xE7C7;

std::vector<char32_t> Expand(const GeneratedIndex& generated) {
    std::vector<char32_t> codePoints(generated.pointerCount, 0);
    for (std::size_t r = 0; r < generated.runCount; ++r) {
        const IndexRun& run = generated.runs[r];
        for (std::size_t i = 0; i < run.count; ++i) {
            const std::size_t pointer = run.firstPointer + i;
            if (pointer >= codePoints.size()) {
                break;
            }
            if ((run.value & kLiteralRun) == 0) {
                codePoints[pointer] = run.value + static_cast<char32_t>(i);
                continue;
            }
            const std::size_t literal = (run.value & ~kLiteralRun) + i;
            codePoints[pointer] =
                literal < generated.literalCount ? generated.literals[literal] : 0;
        }
    }
    for (std::size_t i = 0; i < generated.plane2Count; ++i) {
        const std::size_t pointer = generated.plane2Pointers[i];
        if (pointer < codePoints.size() && codePoints[pointer] != 0) {
            codePoints[pointer] += kPlane2;
        }
    }
    return codePoints;
}

constexpr unsigned kDigitBits = 11;

// `from` into `to` by the code point's digit of kDigitBits at `shift`,
// keeping the order of equal digits.
void SortByDigit(const std::vector<LegacyIndex::Entry>& from, unsigned shift,
                 std::vector<LegacyIndex::Entry>* to) {
    constexpr std::size_t kDigits = std::size_t{1} << kDigitBits;
    std::vector<std::size_t> starts(kDigits + 1, 0);
    for (const LegacyIndex::Entry& entry : from) {
        ++starts[((entry.codePoint >> shift) & (kDigits - 1)) + 1];
    }
    for (std::size_t digit = 1; digit <= kDigits; ++digit) {
        starts[digit] += starts[digit - 1];
    }
    for (const LegacyIndex::Entry& entry : from) {
        (*to)[starts[(entry.codePoint >> shift) & (kDigits - 1)]++] = entry;
    }
}

}  // namespace

LegacyIndex::LegacyIndex(const GeneratedIndex& generated) : codePoints_(Expand(generated)) {
    std::vector<Entry> byPointer;
    byPointer.reserve(codePoints_.size());
    for (std::size_t pointer = 0; pointer < codePoints_.size(); ++pointer) {
        if (codePoints_[pointer] != 0) {
            byPointer.push_back({codePoints_[pointer], static_cast<std::uint16_t>(pointer)});
        }
    }
    // Built when a program first reads the encoding, so it is sorted on
    // every start: by code point in two stable passes of 11 bits each (21
    // bits hold every code point), which keep equal code points in pointer
    // order, in linear time.
    byCodePoint_.resize(byPointer.size());
    SortByDigit(byPointer, 0, &byCodePoint_);
    SortByDigit(byCodePoint_, kDigitBits, &byPointer);
    byCodePoint_ = std::move(byPointer);
}

bool LegacyIndex::Pointer(char32_t codePoint, std::size_t* pointer, std::size_t skipFirst,
                          std::size_t skipLast, bool last) const {
    auto entry =
        std::lower_bound(byCodePoint_.begin(), byCodePoint_.end(), codePoint,
                         [](const Entry& e, char32_t value) { return e.codePoint < value; });
    bool found = false;
    for (; entry != byCodePoint_.end() && entry->codePoint == codePoint; ++entry) {
        if (entry->pointer >= skipFirst && entry->pointer <= skipLast) {
            continue;
        }
        *pointer = entry->pointer;
        found = true;
        if (!last) {
            break;
        }
    }
    return found;
}

const LegacyIndex& Jis0208() {
    static const LegacyIndex index(kJis0208Index);
    return index;
}

const LegacyIndex& Jis0212() {
    static const LegacyIndex index(kJis0212Index);
    return index;
}

const LegacyIndex& EucKrIndex() {
    static const LegacyIndex index(kEucKrIndex);
    return index;
}

const LegacyIndex& Gb18030Index() {
    static const LegacyIndex index(kGb18030Index);
    return index;
}

const LegacyIndex& Big5Index() {
    static const LegacyIndex index(kBig5Index);
    return index;
}

const char16_t* SingleByteHighHalf(Encoding encoding) {
    const std::size_t i =
        static_cast<std::size_t>(encoding) - static_cast<std::size_t>(Encoding::kIbm866);
    return kSingleByteIndexes[i < kSingleByteEncodingCount ? i : 0];
}

char32_t Gb18030RangesCodePoint(std::uint32_t pointer) {
    if ((pointer > kGb18030BmpEnd && pointer < kGb18030SupplementaryStart) ||
        pointer > kGb18030SupplementaryEnd) {
        return 0;
    }
    if (pointer == kGb18030MovedPointer) {
        return kGb18030MovedCodePoint;
    }
    const Gb18030Range* end = kGb18030Ranges + kGb18030RangeCount;
    const Gb18030Range* next = std::upper_bound(
        kGb18030Ranges, end, pointer,
        [](std::uint32_t value, const Gb18030Range& range) { return value < range.pointer; });
    const Gb18030Range& range = *std::prev(next);  // the first range starts at pointer 0
    return range.codePoint + (pointer - range.pointer);
}

std::uint32_t Gb18030RangesPointer(char32_t codePoint) {
    if (codePoint == kGb18030MovedCodePoint) {
        return kGb18030MovedPointer;
    }
    const Gb18030Range* end = kGb18030Ranges + kGb18030RangeCount;
    const Gb18030Range* next = std::upper_bound(
        kGb18030Ranges, end, codePoint,
        [](char32_t value, const Gb18030Range& range) { return value < range.codePoint; });
    const Gb18030Range& range = *std::prev(next);  // the first range starts at U+0080
    return range.pointer + (codePoint - range.codePoint);
}

}  // namespace vellumo
