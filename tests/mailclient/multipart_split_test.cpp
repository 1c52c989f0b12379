#include "mailclient/multipart_split.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vellumo::test {
namespace {

std::vector<std::string> Parts(const std::string& body, const std::string& boundary) {
    std::vector<std::string> texts;
    for (const PartRange& part : SplitMultipartBody(body, boundary)) {
        EXPECT_LE(part.begin, part.end);
        EXPECT_LE(part.end, body.size());
        texts.push_back(body.substr(part.begin, part.end - part.begin));
    }
    return texts;
}

TEST(MultipartSplit, Cases) {
    struct Case {
        const char* name;
        std::string body;
        std::string boundary;
        std::vector<std::string> parts;
    };
    const Case cases[] = {
        {"two parts with preamble and epilogue",
         "pre\r\n--b\r\nA\r\n--b\r\nB\r\n--b--\r\nepi",
         "b",
         {"A", "B"}},
        {"delimiter at the very start", "--b\r\nA\r\n--b--", "b", {"A"}},
        {"no close delimiter runs to the end", "--b\r\nA\r\nB\r\n", "b", {"A\r\nB\r\n"}},
        {"empty part", "--b\r\n--b\r\nB\r\n--b--", "b", {"", "B"}},
        {"trailing blanks make an ordinary line, as for the host",
         "--b  \t\r\nA\r\n--b\r\nB\r\n--b--  \r\nC\r\n--b--",
         "b",
         {"B\r\n--b--  \r\nC"}},
        {"longer boundary is not a delimiter", "--b\r\n--bx\r\nA\r\n--b--", "b", {"--bx\r\nA"}},
        {"delimiter inside a line is text", "--b\r\nx--b\r\n--b--", "b", {"x--b"}},
        {"last delimiter without line end", "--b\r\nA\r\n--b", "b", {"A", ""}},
        {"no delimiter", "just text\r\n", "b", {}},
        {"empty boundary", "--\r\nA\r\n----", "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Parts(c.body, c.boundary), c.parts);
    }
}

TEST(MultipartSplit, EveryCutOfABodyStaysInBounds) {
    std::string body = "pre\r\n--b\r\nA\r\n--b\r\n\r\n--b--\r\n";
    for (size_t length = 0; length <= body.size(); ++length) {
        (void)Parts(body.substr(0, length), "b");
    }
}

}  // namespace
}  // namespace vellumo::test
