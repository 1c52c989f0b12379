// The arena gives back every run whole, wherever the chunks end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "html/html_arena.h"

namespace vellumo::test {
namespace {

TEST(HtmlArena, EveryRunReadsBackWhole) {
    // Sizes around the shared chunk's end and the own-chunk threshold.
    const std::size_t sizes[] = {0,
                                 1,
                                 kArenaChunkSize / 4,
                                 kArenaChunkSize / 4 + 1,
                                 kArenaChunkSize / 4,
                                 kArenaChunkSize / 4,
                                 kArenaChunkSize / 4 - 1,
                                 3,
                                 kArenaChunkSize * 2,
                                 7};
    HtmlArena arena;
    std::vector<std::string> runs;
    std::vector<std::uint32_t> offsets;
    std::size_t total = 0;
    for (std::size_t i = 0; i < sizeof(sizes) / sizeof(sizes[0]); ++i) {
        std::string run(sizes[i], static_cast<char>('a' + i));
        if (!run.empty()) {
            run.back() = '.';  // the last byte tells a cut-off run
        }
        offsets.push_back(arena.Add(run));
        runs.push_back(run);
        total += run.size();
    }
    EXPECT_EQ(arena.size(), total);
    for (std::size_t i = 0; i < runs.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(arena.View(offsets[i], runs[i].size()) == runs[i]);
        EXPECT_GE(arena.From(offsets[i]).size(), runs[i].size());
    }
}

}  // namespace
}  // namespace vellumo::test
