#include "platform/byte_search.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

namespace vellumo::test {
namespace {

// The search agrees with the standard library's on texts of a small
// alphabet (so that partial matches abound), for short needles and long
// ones (a delimiter), whose first byte comes again in them or not, from
// every offset. The text lies in an allocation of its own size, so a read
// past it is caught under the address sanitiser.
TEST(ByteSearch, AgreesWithTheStandardSearch) {
    std::mt19937 random(7);
    auto bytes = [&random](size_t length, int round) {
        std::string text(length, 'a');
        for (char& c : text) {
            c = "ab\r\n-x"[random() % (round % 3 == 0 ? 2 : 6)];
        }
        return text;
    };
    for (int round = 0; round < 3000; ++round) {
        bool longNeedle = round % 2 == 1;
        std::string needle = bytes(longNeedle ? 16 + random() % 30 : random() % 6, round);
        std::string text = bytes(random() % (longNeedle ? 300 : 40), round);
        if (random() % 2 == 0) {
            text.insert(random() % (text.size() + 1), needle);
        }
        std::unique_ptr<char[]> exact(new char[text.size() + 1]);
        text.copy(exact.get(), text.size());
        std::string_view view(exact.get(), text.size());
        for (size_t from = 0; from <= text.size() + 1; ++from) {
            size_t expected = needle.empty() ? std::string_view::npos : view.find(needle, from);
            ASSERT_EQ(FindBytes(view, needle, from), expected)
                << "text \"" << text << "\" needle \"" << needle << "\" from " << from;
        }
    }
}

// Needles that would make a compare at every start revisit each byte once
// per needle byte: a quadratic search would take minutes here.
TEST(ByteSearch, HostileNeedlesStayLinear) {
    const std::string text(4 << 20, 'a');
    for (const std::string& needle : {std::string(2000, 'a') + "b", "b" + std::string(2000, 'a'),
                                      std::string(1000, 'a') + "b" + std::string(1000, 'a')}) {
        EXPECT_EQ(FindBytes(text, needle), std::string_view::npos);
    }
    EXPECT_EQ(FindBytes(text + "b", std::string(2000, 'a') + "b"), text.size() - 2000);
}

}  // namespace
}  // namespace vellumo::test
