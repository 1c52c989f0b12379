// Every pointer of every index of the Encoding Standard, read from the
// pinned index files: its bytes decode to its code point, and the code point
// encodes back to those bytes wherever the standard's encoder picks that
// pointer.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

#include "charset/text_decoder.h"
#include "charset/text_encoder.h"
#include "charset/unicode_text.h"
#include "charset/whatwg_data.h"

namespace vellumo::test {
namespace {

using Index = std::map<unsigned long, char32_t>;
using PointerBytes = std::function<std::string(unsigned long pointer)>;

std::string Utf8Of(char32_t codePoint) {
    std::string out;
    AppendUtf8(codePoint, &out);
    return out;
}

std::string Encoded(Encoding encoding, char32_t codePoint) {
    TextEncoder encoder(encoding);
    std::string out;
    if (!encoder.Encode(codePoint, &out)) {
        return "(none)";
    }
    encoder.Finish(&out);
    return out;
}

// The standard's "index pointer": the first pointer of each code point
// outside the pointers the encoder leaves out.
std::map<char32_t, unsigned long> FirstPointers(const Index& index,
                                                const std::function<bool(unsigned long)>& skip) {
    std::map<char32_t, unsigned long> first;
    for (const auto& [pointer, codePoint] : index) {
        if (!skip(pointer)) {
            first.emplace(codePoint, pointer);
        }
    }
    return first;
}

struct IndexCase {
    const char* name;
    Encoding encoding;
    const char* index;
    PointerBytes bytes;
    std::function<bool(unsigned long)> decodes;  // pointers this encoding reaches
    std::function<bool(unsigned long)> skipWhenEncoding;
    std::set<char32_t> encodedOtherwise;  // the encoder's own rules come first
};

std::string Pair(unsigned long first, unsigned long second) {
    return {static_cast<char>(first), static_cast<char>(second)};
}

std::string TwoByte(unsigned long pointer, unsigned long row, unsigned long low,
                    unsigned long high) {
    const unsigned long trail = pointer % row;
    return Pair(pointer / row + 0x81, trail + (trail < 0x3F ? low : high));
}

std::vector<IndexCase> Cases() {
    auto all = [](unsigned long) { return true; };
    auto none = [](unsigned long) { return false; };
    auto jisGrid = [](unsigned long p) { return p < 94 * 94; };
    const std::set<char32_t> jisSingles = {0xA5, 0x203E, 0xFF0D};
    std::set<char32_t> gbMoved = {0xE5E5, 0xE78D, 0xE78E, 0xE78F, 0xE790, 0xE791, 0xE792,
                                  0xE793, 0xE794, 0xE795, 0xE796, 0xE81E, 0xE826, 0xE82B,
                                  0xE82C, 0xE832, 0xE843, 0xE854, 0xE864};
    std::set<char32_t> gbkMoved = gbMoved;
    gbkMoved.insert(0x20AC);
    return {
        {"Shift_JIS", Encoding::kShiftJis, "jis0208",
         [](unsigned long p) {
             const unsigned long lead = p / 188;
             const unsigned long trail = p % 188;
             return Pair(lead + (lead < 0x1F ? 0x81 : 0xC1), trail + (trail < 0x3F ? 0x40 : 0x41));
         },
         all, [](unsigned long p) { return p >= 8272 && p <= 8835; }, jisSingles},
        {"EUC-JP", Encoding::kEucJp, "jis0208",
         [](unsigned long p) { return Pair(p / 94 + 0xA1, p % 94 + 0xA1); }, jisGrid, none,
         jisSingles},
        {"EUC-JP JIS X 0212",
         Encoding::kEucJp,
         "jis0212",
         [](unsigned long p) { return "\x8F" + Pair(p / 94 + 0xA1, p % 94 + 0xA1); },
         all,
         all,
         {}},
        {"ISO-2022-JP", Encoding::kIso2022Jp, "jis0208",
         [](unsigned long p) { return "\x1B$B" + Pair(p / 94 + 0x21, p % 94 + 0x21) + "\x1B(B"; },
         jisGrid, none, jisSingles},
        {"EUC-KR",
         Encoding::kEucKr,
         "euc-kr",
         [](unsigned long p) { return Pair(p / 190 + 0x81, p % 190 + 0x41); },
         all,
         none,
         {}},
        {"gb18030", Encoding::kGb18030, "gb18030",
         [](unsigned long p) { return TwoByte(p, 190, 0x40, 0x41); }, all, none, gbMoved},
        {"GBK", Encoding::kGbk, "gb18030",
         [](unsigned long p) { return TwoByte(p, 190, 0x40, 0x41); }, all, none, gbkMoved},
        {"Big5",
         Encoding::kBig5,
         "big5",
         [](unsigned long p) { return TwoByte(p, 157, 0x40, 0x62); },
         [](unsigned long p) { return p != 1133 && p != 1135 && p != 1164 && p != 1166; },
         [](unsigned long p) { return p < (0xA1 - 0x81) * 157; },
         {}},
    };
}

TEST(EncodingIndexes, EveryPointerDecodesAndEncodesBack) {
    for (const IndexCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        const Index index = ReadIndex(c.index);
        ASSERT_GT(index.size(), 6000u);
        std::map<char32_t, unsigned long> chosen = FirstPointers(index, c.skipWhenEncoding);
        // Big5 writes these duplicates with their last pointer.
        if (c.encoding == Encoding::kBig5) {
            for (const auto& [pointer, codePoint] : index) {
                const std::set<char32_t> late = {0x2550, 0x255E, 0x2561, 0x256A, 0x5341, 0x5345};
                if (late.count(codePoint) > 0 && !c.skipWhenEncoding(pointer)) {
                    chosen[codePoint] = pointer;
                }
            }
        }
        int failures = 0;
        for (const auto& [pointer, codePoint] : index) {
            if (!c.decodes(pointer) || failures > 5) {
                continue;
            }
            const std::string bytes = c.bytes(pointer);
            std::string decoded;
            TextDecoder(c.encoding).Decode(bytes, true, &decoded);
            failures += decoded != Utf8Of(codePoint);
            EXPECT_EQ(decoded, Utf8Of(codePoint)) << "pointer " << pointer;
            const auto pick = chosen.find(codePoint);
            if (pick == chosen.end() || pick->second != pointer ||
                c.encodedOtherwise.count(codePoint) > 0) {
                continue;
            }
            failures += Encoded(c.encoding, codePoint) != bytes;
            EXPECT_EQ(Encoded(c.encoding, codePoint), bytes) << "pointer " << pointer;
        }
    }
}

TEST(EncodingIndexes, EverySingleByteIndexBothWays) {
    const char* const stems[] = {
        "ibm866",       "iso-8859-2",     "iso-8859-3",   "iso-8859-4",   "iso-8859-5",
        "iso-8859-6",   "iso-8859-7",     "iso-8859-8",   "iso-8859-10",  "iso-8859-13",
        "iso-8859-14",  "iso-8859-15",    "iso-8859-16",  "koi8-r",       "koi8-u",
        "macintosh",    "windows-874",    "windows-1250", "windows-1251", "windows-1252",
        "windows-1253", "windows-1254",   "windows-1255", "windows-1256", "windows-1257",
        "windows-1258", "x-mac-cyrillic",
    };
    for (const char* stem : stems) {
        SCOPED_TRACE(stem);
        Encoding encoding = Encoding::kUtf8;
        ASSERT_TRUE(EncodingForLabel(stem, &encoding));
        const Index index = ReadIndex(stem);
        ASSERT_FALSE(index.empty());
        const std::map<char32_t, unsigned long> first =
            FirstPointers(index, [](unsigned long) { return false; });
        for (unsigned long pointer = 0; pointer < 128; ++pointer) {
            const std::string byte(1, static_cast<char>(0x80 + pointer));
            const auto entry = index.find(pointer);
            const char32_t expected = entry == index.end() ? 0xFFFD : entry->second;
            EXPECT_EQ(DecodeText(encoding, byte), Utf8Of(expected)) << pointer;
            if (entry != index.end() && first.at(entry->second) == pointer) {
                EXPECT_EQ(Encoded(encoding, entry->second), byte) << pointer;
            }
        }
    }
}

TEST(EncodingIndexes, Gb18030FourByteRangesBothWays) {
    const Index ranges = ReadIndex("gb18030-ranges");
    ASSERT_EQ(ranges.size(), 207u);
    const Index twoByte = ReadIndex("gb18030");
    std::set<char32_t> inTwoBytes;
    for (const auto& entry : twoByte) {
        inTwoBytes.insert(entry.second);
    }
    auto bytesOf = [](unsigned long p) {
        return std::string{
            static_cast<char>(p / 12600 + 0x81), static_cast<char>(p / 1260 % 10 + 0x30),
            static_cast<char>(p / 10 % 126 + 0x81), static_cast<char>(p % 10 + 0x30)};
    };
    std::vector<std::pair<unsigned long, char32_t>> samples;
    for (auto it = ranges.begin(); it != ranges.end(); ++it) {
        const auto next = std::next(it);
        if (it->first > 39419) {
            continue;  // the supplementary planes, below
        }
        const unsigned long last = std::min(next->first - 1, 39419ul);
        samples.emplace_back(it->first, it->second);
        samples.emplace_back(last, it->second + (last - it->first));
    }
    samples.emplace_back(189000, 0x10000);
    samples.emplace_back(1237575, 0x10FFFF);
    for (const auto& [pointer, codePoint] : samples) {
        SCOPED_TRACE(pointer);
        if (pointer == 7457 || inTwoBytes.count(codePoint) > 0 || codePoint == 0xE5E5) {
            continue;  // read by its own rule, or written in two bytes
        }
        EXPECT_EQ(DecodeText(Encoding::kGb18030, bytesOf(pointer)), Utf8Of(codePoint));
        EXPECT_EQ(Encoded(Encoding::kGb18030, codePoint), bytesOf(pointer));
        EXPECT_EQ(Encoded(Encoding::kGbk, codePoint), "(none)");
    }
}

TEST(EncodingIndexes, KsX1001RoundTripsThroughIso2022Kr) {
    const Index index = ReadIndex("euc-kr");
    int checked = 0;
    for (const auto& [pointer, codePoint] : index) {
        const unsigned long lead = pointer / 190 + 0x81;
        const unsigned long trail = pointer % 190 + 0x41;
        if (lead < 0xA1 || lead > 0xFE || trail < 0xA1 || trail > 0xFE) {
            continue;
        }
        const std::string bytes = "\x0E" + Pair(lead - 0x80, trail - 0x80) + "\x0F";
        ASSERT_EQ(DecodeText(Encoding::kIso2022Kr, bytes), Utf8Of(codePoint)) << pointer;
        ASSERT_EQ(Encoded(Encoding::kIso2022Kr, codePoint), bytes) << pointer;
        ++checked;
    }
    EXPECT_GT(checked, 8000);
}

}  // namespace
}  // namespace vellumo::test
