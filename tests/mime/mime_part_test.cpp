#include "mime/mime_part.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "mime/main_type_table.h"
#include "mime/mime_message.h"
#include "mime/tree_digest.h"

namespace vellumo::test {
namespace {

// Expected part: its fields as "name=value" lines, its body, its children.
struct ExpectedPart {
    std::vector<std::string> fields;
    bool hasBody;
    std::string body;
    std::vector<ExpectedPart> children;
};

void ExpectPart(const MimePart& part, const ExpectedPart& expected, const std::string& path) {
    SCOPED_TRACE("part " + path);
    std::vector<std::string> fields;
    for (const HeaderField& field : part.fields) {
        fields.push_back(field.name + "=" + field.value);
    }
    EXPECT_EQ(fields, expected.fields);
    std::string body = "<none>";
    EXPECT_EQ(part.GetBody(body) > 0 || part.body.HasBuffer(), expected.hasBody);
    if (expected.hasBody) {
        EXPECT_EQ(body, expected.body);
    } else {
        EXPECT_EQ(body, "<none>");
    }
    ASSERT_EQ(part.children.size(), expected.children.size());
    size_t index = 0;
    for (const auto& child : part.children) {
        ExpectPart(*child, expected.children[index], path + "." + std::to_string(index + 1));
        ++index;
    }
}

const std::string kMixedHeader = "Content-Type: multipart/mixed; boundary=b\r\n\r\n";
const std::string kMixedField = "Content-Type=multipart/mixed; boundary=b";

struct PartCase {
    const char* label;
    std::string text;
    int expectedResult;  // -2: the text's length
    ExpectedPart expected;
};

const std::vector<PartCase> kPartCases = {
    {"SinglePartNoContentType", "A: 1\r\n\r\nhello\r\n", -2, {{"A=1"}, true, "hello\r\n", {}}},
    {"Base64BodyDecoded",
     "Content-Transfer-Encoding: base64\r\n\r\naGVs\r\nbG8=\r\n",
     -2,
     {{"Content-Transfer-Encoding=base64"}, true, "hello", {}}},
    {"QuotedPrintableWithSemicolonDecoded",
     "Content-Transfer-Encoding: quoted-printable;\r\n\r\na=3Db=\r\nc",
     -2,
     {{"Content-Transfer-Encoding=quoted-printable;"}, true, "a=bc", {}}},
    {"EmptyText", "", 2, {{}, false, "", {}}},
    {"HeaderWithoutBlankLine", "A: 1\r\n", 8, {{"A=1"}, false, "", {}}},
    {"UnreadableHeader", " x\r\n\r\nbody", 0, {{}, false, "", {}}},
    {"PreambleTwoChildrenEpilogue",
     kMixedHeader + "pre\r\n--b\r\nA: 1\r\n\r\none\r\n--b\r\n\r\ntwo\r\n--b--\r\nepilogue\r\n",
     static_cast<int>(kMixedHeader.size()) + 42,
     {{kMixedField}, true, "pre\r\n", {{{"A=1"}, true, "one", {}}, {{}, true, "two", {}}}}},
    {"NoPreamble",
     kMixedHeader + "--b\r\n\r\nx\r\n--b--\r\n",
     -2,
     {{kMixedField}, false, "", {{{}, true, "x", {}}}}},
    {"MissingCloseDelimiterLastChildRunsToEnd",
     kMixedHeader + "--b\r\n\r\none\r\n--b\r\n\r\ntwo\r\n",
     -2,
     {{kMixedField}, false, "", {{{}, true, "one", {}}, {{}, true, "two\r\n", {}}}}},
    {"CloseDelimiterWithTrailingSpaces",
     kMixedHeader + "--b\r\n\r\nx\r\n--b--  \r\ntail",
     -4,
     {{kMixedField}, false, "", {{{}, true, "x", {}}}}},
    // RFC 2046 5.1.1: only "--" and blanks may follow the boundary.
    {"DelimiterLineWithTextIsNoDelimiter",
     kMixedHeader + "--b junk\r\n\r\nx\r\n--bz\r\n\r\ny\r\n--b--\r\n",
     -2,
     {{kMixedField}, true, "--b junk\r\n\r\nx\r\n--bz\r\n\r\ny\r\n", {}}},
    {"DelimiterWithTrailingBlanksOpensChild",
     kMixedHeader + "--b \t\r\n\r\nx\r\n--b\t\r\n\r\ny\r\n--b--\r\n",
     -2,
     {{kMixedField}, false, "", {{{}, true, "x", {}}, {{}, true, "y", {}}}}},
    {"NoBoundaryParameterKeepsWholeBody",
     "Content-Type: multipart/mixed\r\n\r\n--b\r\n\r\nx\r\n--b--\r\n",
     -2,
     {{"Content-Type=multipart/mixed"}, true, "--b\r\n\r\nx\r\n--b--\r\n", {}}},
    {"DelimiterNeverOccursKeepsWholeBody",
     kMixedHeader + "--c\r\n\r\nx\r\n",
     -2,
     {{kMixedField}, true, "--c\r\n\r\nx\r\n", {}}},
    {"DelimiterWithCaseDifferenceNotFound",
     kMixedHeader + "--B\r\n\r\nx\r\n",
     -2,
     {{kMixedField}, true, "--B\r\n\r\nx\r\n", {}}},
    {"ChildStartingWithBlankLineHasNoFields",
     kMixedHeader + "--b\r\n\r\n\r\n--b--\r\n",
     -2,
     {{kMixedField}, false, "", {{{}, false, "", {}}}}},
    {"DelimiterLineWithoutCrLfEndsReading",
     kMixedHeader + "--b\r\n\r\nx\r\n--b--",
     -2,
     {{kMixedField}, false, "", {{{}, true, "x", {}}}}},
    {"ChildHeaderDirectlyFollowedByDelimiterKeepsLastField",
     kMixedHeader + "--b\r\nA: 1\r\nContent-Type: text/html\r\n--b--\r\n",
     -2,
     {{kMixedField}, false, "", {{{"A=1", "Content-Type=text/html"}, false, "", {}}}}},
    {"MessagePartNotDescended",
     kMixedHeader + "--b\r\nContent-Type: message/rfc822\r\n\r\n"
                    "Content-Type: multipart/mixed; boundary=c\r\n\r\n--c\r\n\r\ny\r\n--c--\r\n"
                    "\r\n--b--\r\n",
     -2,
     {{kMixedField},
      false,
      "",
      {{{"Content-Type=message/rfc822"},
        true,
        "Content-Type: multipart/mixed; boundary=c\r\n\r\n--c\r\n\r\ny\r\n--c--\r\n",
        {}}}}},
    {"NestedMultipart",
     kMixedHeader + "--b\r\nContent-Type: multipart/alternative; boundary=\"in\"\r\n\r\n"
                    "--in\r\n\r\nplain\r\n--in\r\nContent-Type: text/html\r\n\r\n<p>\r\n--in--\r\n"
                    "\r\n--b\r\n\r\nlast\r\n--b--\r\n",
     -2,
     {{kMixedField},
      false,
      "",
      {{{"Content-Type=multipart/alternative; boundary=\"in\""},
        false,
        "",
        {{{}, true, "plain", {}}, {{"Content-Type=text/html"}, true, "<p>", {}}}},
       {{}, true, "last", {}}}}},
    // A nested boundary that extends the outer one used to cut the outer
    // child at the inner delimiters.
    {"InnerBoundaryExtendingOuterStaysNested",
     kMixedHeader +
         "--b\r\nContent-Type: multipart/mixed; boundary=bb\r\n\r\n--bb\r\n\r\nx\r\n--bb--\r\n"
         "\r\n--b--\r\n",
     -2,
     {{kMixedField},
      false,
      "",
      {{{"Content-Type=multipart/mixed; boundary=bb"}, false, "", {{{}, true, "x", {}}}}}}},
    {"ClientStyleBoundariesRelatedAlternativePicture",
     "Content-Type: multipart/related; boundary=\"=_B==_\"\r\n\r\n"
     "--=_B==_\r\nContent-Type: multipart/alternative; boundary=\"=_B==_.ALT\"\r\n\r\n"
     "--=_B==_.ALT\r\nContent-Type: text/plain\r\n\r\nplain\r\n"
     "--=_B==_.ALT\r\nContent-Type: text/html\r\n\r\n<p>html</p>\r\n"
     "--=_B==_.ALT--\r\n\r\n"
     "--=_B==_\r\nContent-Type: image/png\r\n\r\npng\r\n--=_B==_--\r\n",
     -2,
     {{"Content-Type=multipart/related; boundary=\"=_B==_\""},
      false,
      "",
      {{{"Content-Type=multipart/alternative; boundary=\"=_B==_.ALT\""},
        false,
        "",
        {{{"Content-Type=text/plain"}, true, "plain", {}},
         {{"Content-Type=text/html"}, true, "<p>html</p>", {}}}},
       {{"Content-Type=image/png"}, true, "png", {}}}}},
    {"UnquotedBoundaryWithFullStop",
     "Content-Type: multipart/mixed; boundary=a.b\r\n\r\n--a.b\r\n\r\nx\r\n--a.b--\r\n",
     -2,
     {{"Content-Type=multipart/mixed; boundary=a.b"}, false, "", {{{}, true, "x", {}}}}},
};

TEST(MimePartParse, Table) {
    for (const PartCase& c : kPartCases) {
        SCOPED_TRACE(c.label);
        MimeMessage message;
        const int length = static_cast<int>(c.text.size());
        int expectedResult = c.expectedResult;
        if (expectedResult == -2) {
            expectedResult = length;
        } else if (expectedResult == -4) {
            expectedResult = length - 4;
        }
        EXPECT_EQ(message.Parse(c.text.c_str(), length), expectedResult);
        ExpectPart(message, c.expected, "1");
    }
}

TEST(MimePartParse, TextMayBeReleasedAfterParse) {
    auto* text = new std::string(kMixedHeader + "--b\r\nA: 1\r\n\r\none\r\n--b--\r\n");
    MimeMessage message;
    EXPECT_GT(message.Parse(text->c_str(), static_cast<int>(text->size())), 0);
    delete text;
    ASSERT_EQ(message.children.size(), 1u);
    std::string body;
    EXPECT_EQ(message.children.front()->GetBody(body), 3);
    EXPECT_EQ(body, "one");
    EXPECT_EQ(message.children.front()->FindField("a")->value, "1");
}

TEST(MimePartParse, BodyHasNulAfterItAndKeepsNulBytes) {
    const std::string text("A: 1\r\n\r\nx\0y", 11);
    MimeMessage message;
    EXPECT_EQ(message.Parse(text.data(), static_cast<int>(text.size())), 11);
    ASSERT_EQ(message.body.size(), 3u);
    EXPECT_EQ(std::string(message.body.data(), 3), std::string("x\0y", 3));
    EXPECT_EQ(message.body.data()[3], '\0');
}

// A chain of multiparts, each the only child of the one before.
std::string DeeplyNested(int levels) {
    std::string head;
    std::string tail;
    for (int level = 0; level < levels; ++level) {
        // Equal widths, so no boundary is a prefix of another.
        char boundary[16];
        std::snprintf(boundary, sizeof boundary, "n%05d", level);
        head += "Content-Type: multipart/mixed; boundary=" + std::string(boundary) + "\r\n\r\n--" +
                boundary + "\r\n";
        tail = "\r\n--" + std::string(boundary) + "--\r\n" + tail;
    }
    return head + "\r\ndeepest" + tail;
}

// The bound is 64 levels: the numbers are spelled out so that a smaller
// bound fails here.
TEST(MimePartParse, SixtyLevelsAreReadWholeAndTheSixtyFifthIsALeaf) {
    for (int levels : {60, 70}) {
        SCOPED_TRACE(levels);
        const std::string text = DeeplyNested(levels);
        MimeMessage message;
        ASSERT_GT(message.Parse(text.c_str(), static_cast<int>(text.size())), 0);
        int parts = 0;
        int depth = 0;
        CountTree(message, 1, parts, depth);
        EXPECT_EQ(depth, levels == 60 ? 61 : 65);
        const MimePart* part = &message;
        while (!part->children.empty()) {
            part = part->children.front().get();
        }
        std::string body;
        ASSERT_GT(part->GetBody(body), 0);
        EXPECT_EQ(body.rfind(levels == 60 ? "deepest" : "--n00064\r\n", 0), 0u);
    }
}

TEST(MimePartParse, NestingBeyondBoundKeptWholeAsBody) {
    const int levels = 5000;
    const std::string text = DeeplyNested(levels);
    MimeMessage message;
    ASSERT_GT(message.Parse(text.c_str(), static_cast<int>(text.size())), 0);
    int parts = 0;
    int depth = 0;
    CountTree(message, 1, parts, depth);
    EXPECT_EQ(depth, MimePart::kMaxNestingDepth + 1);
    const MimePart* part = &message;
    while (!part->children.empty()) {
        part = part->children.front().get();
    }
    EXPECT_EQ(part->GetMainTypeIndex(), kMainTypeMultipart);
    std::string body;
    ASSERT_GT(part->GetBody(body), 0);
    EXPECT_NE(body.find("deepest"), std::string::npos);
    EXPECT_NE(body.find("--n04999--"), std::string::npos);

    std::string written(static_cast<size_t>(message.GetSize()), '\0');
    const int count = message.Write(written.data(), static_cast<int>(written.size()));
    ASSERT_GT(count, 0);
    written.resize(static_cast<size_t>(count));
    MimeMessage again;
    ASSERT_GT(again.Parse(written.c_str(), count), 0);
    EXPECT_EQ(TreeDigest(again), TreeDigest(message));
}

// Appending a child used to walk the whole list of children, so a message of
// many short parts took time quadratic in their number (minutes for a few
// megabytes of delimiter lines).
TEST(MimePartParse, ManyChildrenParseInLinearTime) {
    constexpr int kChildren = 60000;
    // Generous: the linear parse takes milliseconds, the quadratic one far longer.
    constexpr double kLimitSeconds = 3.0;
    std::string text = "Content-Type: multipart/mixed; boundary=b\r\n\r\n";
    for (int i = 0; i < kChildren; ++i) {
        text += "\r\n--b\r\n";
    }
    const auto start = std::chrono::steady_clock::now();
    MimeMessage message;
    ASSERT_GT(message.Parse(text.c_str(), static_cast<int>(text.size())), 0);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(message.children.size(), static_cast<size_t>(kChildren));
    EXPECT_LT(elapsed.count(), kLimitSeconds);
}

TEST(MimePartTree, AddChildPositions) {
    MimePart root;
    MimePart* a = root.AddChild();
    MimePart* c = root.AddChild(nullptr);
    MimePart* b = root.AddChild(c);
    MimePart stranger;
    MimePart* d = root.AddChild(&stranger);
    std::vector<const MimePart*> order;
    for (const auto& child : root.children) {
        order.push_back(child.get());
    }
    EXPECT_EQ(order, (std::vector<const MimePart*>{a, b, c, d}));
    EXPECT_TRUE(b->fields.empty());
    EXPECT_FALSE(b->body.HasBuffer());
}

TEST(MimePartTree, RemoveChildAndDeleteChildren) {
    MimePart root;
    MimePart* a = root.AddChild();
    MimePart* b = root.AddChild();
    b->AddChild()->AddChild();
    root.RemoveChild(a);
    ASSERT_EQ(root.children.size(), 1u);
    EXPECT_EQ(root.children.front().get(), b);
    MimePart stranger;
    root.RemoveChild(&stranger);
    root.RemoveChild(nullptr);
    EXPECT_EQ(root.children.size(), 1u);
    root.DeleteChildren();
    EXPECT_TRUE(root.children.empty());
}

TEST(MimePartTree, ClearReleasesEverything) {
    const std::string text = kMixedHeader + "pre\r\n--b\r\n\r\nx\r\n--b--\r\n";
    MimeMessage message;
    ASSERT_GT(message.Parse(text.c_str(), static_cast<int>(text.size())), 0);
    message.Clear();
    EXPECT_TRUE(message.fields.empty());
    EXPECT_TRUE(message.children.empty());
    EXPECT_FALSE(message.body.HasBuffer());
    EXPECT_EQ(message.body.size(), 0u);
}

}  // namespace
}  // namespace vellumo::test
