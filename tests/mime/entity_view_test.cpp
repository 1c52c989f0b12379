// The in-place view must see every entity exactly as the part tree does:
// the translators read messages through it.
#include "mime/entity_view.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "mime/entity_digest.h"
#include "mime/mime_message.h"
#include "platform/files.h"
#include "platform/line_ends.h"

namespace vellumo::test {
namespace {

// The view's digest, or the reason there is none.
std::string ViewOf(const std::string& text) {
    const EntityView view(text.c_str(), static_cast<ptrdiff_t>(text.size()));
    return view.HeaderRead() ? ViewDigest(view) : "unreadable";
}

std::string ModelOf(const std::string& text) {
    MimeMessage message;
    return message.Parse(text.c_str(), static_cast<int>(text.size())) > 0 ? PartDigest(message)
                                                                          : "unreadable";
}

// A chain of multiparts, each the only child of the one before.
std::string DeeplyNested(int levels) {
    std::string head;
    std::string tail;
    for (int level = 0; level < levels; ++level) {
        const std::string boundary = "n" + std::to_string(10000 + level);
        head += "Content-Type: multipart/mixed; boundary=" + boundary + "\r\n\r\n--" + boundary +
                "\r\n";
        tail = "\r\n--" + boundary + "--\r\n" + tail;
    }
    return head + "\r\ndeepest" + tail;
}

TEST(EntityView, SeesWhatThePartTreeBuilds) {
    const std::string head = "Content-Type: multipart/mixed; boundary=b\r\n\r\n";
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"stray line before the first field", " stray\r\nA: 1\r\n\r\nx"},
        {"header without blank line", "A: 1\r\nB: 2"},
        {"unreadable child header", head + "--b\r\n stray\r\n--b\r\nA: 1\r\n\r\ny\r\n--b--\r\n"},
        {"NUL in a header", std::string("A: 1\r\n\0B: 2\r\n\r\nx", 17)},
        {"encoded word in the transfer encoding",
         "Content-Transfer-Encoding: =?us-ascii?Q?base64?=\r\n\r\neA=="},
        {"encoded-word boundary is taken as written",
         "Content-Type: multipart/mixed; boundary=\"=?us-ascii?Q?b?=\"\r\n\r\n"
         "--=?us-ascii?Q?b?=\r\n\r\nx\r\n--b\r\n\r\ny\r\n--=?us-ascii?Q?b?=--\r\n"},
        {"quoted-printable child, missing close delimiter",
         head + "--b\r\nContent-Transfer-Encoding: quoted-printable\r\n\r\na=3Db=\r\n--b\r\n\r\n"},
        {"name with a blank before the colon", "Content-Type : text/html\r\n\r\n<p>"},
        {"nesting beyond the bound", DeeplyNested(kMaxPartNestingDepth + 5)},
    };
    for (const auto& [name, text] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(ViewOf(text), ModelOf(text));
    }
}

TEST(EntityView, SeesWhatThePartTreeBuildsForEveryCorpusMessage) {
    const std::string folder = VELLUMO_TEST_DATA_DIR "/corpus/messages/";
    int compared = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::string raw;
        ASSERT_TRUE(ReadWholeFile(entry.path().string(), raw));
        SCOPED_TRACE(entry.path().filename().string());
        for (const std::string& text : {WithCrLf(raw), raw}) {
            EXPECT_EQ(ViewOf(text), ModelOf(text));
        }
        ++compared;
    }
    EXPECT_GT(compared, 50);
}

// A child's text is its bytes as they stand, from the end of its delimiter
// line to the CR LF before the next one: what the archive keeps whole.
TEST(EntityView, ChildTextIsExactlyItsBytes) {
    const std::string head = "Content-Type: multipart/alternative; boundary=b\r\n\r\n";
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {head + WithCrLf("preamble\n--b\nA: 1\n\none\n--b\n\ntwo\n--b--\nepilogue\n"),
         {"A: 1\r\n\r\none", "\r\ntwo"}},
        {head + WithCrLf("--b \t\n\nx\n--b-- \n"), {"\r\nx"}},
        {head + WithCrLf("--b\n\n--b.inner\nin\n--b.inner--\n--b--\n"),
         {"\r\n--b.inner\r\nin\r\n--b.inner--"}},
        // The line end before a delimiter belongs to it, and the first
        // delimiter line's own CR LF cannot serve twice.
        {head + WithCrLf("--b\n--b\n\nx\n--b--\n"), {"--b\r\n\r\nx"}},
        {head + WithCrLf("--b\n\nx\n--b\n\n"), {"\r\nx", "\r\n"}},
        {head + "plain text", {}},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        std::vector<std::string> children;
        EntityView(text.c_str(), static_cast<ptrdiff_t>(text.size()))
            .ForEachChild([&children](const EntityView& child) {
                children.emplace_back(child.Text());
                return true;
            });
        EXPECT_EQ(children, expected);
    }
}

// The levels of a chain of single children the view splits, and the
// deepest entity's raw body.
int ViewDepth(const std::string& text, std::string& deepestBody) {
    int levels = 0;
    std::function<void(const EntityView&)> descend = [&](const EntityView& view) {
        levels = std::max(levels, view.Depth() + 1);
        deepestBody = std::string(view.RawBody());
        view.ForEachChild([&](const EntityView& child) {
            descend(child);
            return true;
        });
    };
    descend(EntityView(text.data(), static_cast<ptrdiff_t>(text.size())));
    return levels;
}

// The bound is 64 levels: the numbers are spelled out so that a smaller
// bound fails here.
TEST(EntityView, SixtyLevelsAreSplitAndTheSixtyFifthIsALeaf) {
    std::string body;
    EXPECT_EQ(ViewDepth(DeeplyNested(60), body), 61);
    EXPECT_EQ(body, "deepest");
    EXPECT_EQ(ViewDepth(DeeplyNested(70), body), 65);
    EXPECT_EQ(body.rfind("--n10064\r\n", 0), 0u) << body.substr(0, 40);
}

}  // namespace
}  // namespace vellumo::test
