#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "mime/header_block.h"
#include "mime/header_field.h"
#include "mime/mime_message.h"
#include "mime/mime_part.h"
#include "mime/tree_digest.h"

namespace vellumo::test {
namespace {

// Writes with exactly GetSize bytes of room and checks the bound.
template <typename Writable>
std::string WriteWhole(const Writable& item) {
    const int size = item.GetSize();
    std::string out(static_cast<size_t>(size), '\0');
    const int count = item.Write(out.data(), size);
    EXPECT_GE(count, 0);
    EXPECT_LE(count, size);
    out.resize(count > 0 ? static_cast<size_t>(count) : 0);
    return out;
}

// Every capacity from 0 to GetSize: the result never exceeds the capacity
// and no byte past it is touched.
template <typename Writable>
void ExpectCapacityRespected(const Writable& item) {
    const int size = item.GetSize();
    constexpr int kGuard = 16;
    for (int capacity = 0; capacity <= size; ++capacity) {
        std::string buffer(static_cast<size_t>(capacity + kGuard), '\x5A');
        const int count = item.Write(buffer.data(), capacity);
        ASSERT_LE(count, capacity) << "capacity " << capacity;
        ASSERT_EQ(buffer.substr(static_cast<size_t>(capacity)), std::string(kGuard, '\x5A'))
            << "capacity " << capacity;
    }
}

struct BuiltFieldCase {
    const char* label;
    std::string name;
    std::string value;
    std::string charset;
    std::string expected;
};

const std::vector<BuiltFieldCase> kBuiltFieldCases = {
    {"Plain", "A", "1", "", "A: 1\r\n"},
    {"EmptyValue", "X-Empty", "", "", "X-Empty: \r\n"},
    {"EmptyName", "", "loose line", "", ": loose line\r\n"},
    {"FoldKeptWithoutCharset", "Subject", "a\r\n b", "", "Subject: a\r\n b\r\n"},
    {"EncodedWithCharset", "Subject", "caf\xE9 au lait", "iso-8859-1",
     "Subject: =?iso-8859-1?Q?caf=E9=20au=20lait?=\r\n"},
};

TEST(HeaderFieldWrite, BuiltFields) {
    for (const BuiltFieldCase& c : kBuiltFieldCases) {
        SCOPED_TRACE(c.label);
        const HeaderField field(c.name, c.value, c.charset);
        EXPECT_FALSE(field.HasReadForm());
        EXPECT_EQ(WriteWhole(field), c.expected);
        ExpectCapacityRespected(field);
    }
}

TEST(HeaderFieldWrite, CapacityBelowNamePlusFourWritesNothing) {
    const HeaderField field("Name", "");
    char buffer[16] = {};
    EXPECT_EQ(field.Write(buffer, 7), 0);
    EXPECT_EQ(field.Write(buffer, 8), 8);
}

// Fields read and left alone come back byte for byte, whatever re-encoding
// would have made of them.
const std::vector<std::string> kReadLines = {
    "Subject:no space\r\n",
    "Subject:\t  two blanks\r\n",
    "Subject: =?iso-8859-1?Q?a?= =?iso-8859-1?Q?b?=\r\n",
    "Subject: =?iso-2022-jp?B?GyRCJEgbKEI=?=\r\n",
    "Subject: =?utf-16?B?AGEAYg==?=\r\n",
    "From: =?utf-8?Q?Doe=2C_John?= <j@example.com>\r\n",
    "To: =?iso-8859-1?Q?J=F6rg?= <a@x>,\r\n =?iso-8859-2?Q?=B1?= <b@x>\r\n",
    "Subject: =?utf-8?B?w6k=?=\r\n\t=?utf-8?B?w6k=?= tail\r\n",
    "not a field line\r\n",
    ": empty name\r\n",
    "Content-Type: text/plain;\r\n charset=\"=?x?Q?y?=\"\r\n",
};

TEST(HeaderFieldWrite, ReadFieldsWrittenBackAsRead) {
    for (const std::string& line : kReadLines) {
        SCOPED_TRACE(line);
        HeaderField field;
        ASSERT_EQ(field.ParseLine(line.data(), static_cast<int>(line.size())),
                  static_cast<int>(line.size()));
        EXPECT_TRUE(field.HasReadForm());
        EXPECT_EQ(WriteWhole(field), line);
        EXPECT_EQ(field.GetSize(), static_cast<int>(line.size()));
        ExpectCapacityRespected(field);
        HeaderField copy = field;
        EXPECT_EQ(WriteWhole(copy), line);
    }
}

TEST(HeaderFieldWrite, ChangedFieldIsEncodedFromItsStrings) {
    const std::string line = "Subject:  =?iso-8859-1?Q?caf=E9?=\r\n";
    HeaderField field;
    ASSERT_GT(field.ParseLine(line.data(), static_cast<int>(line.size())), 0);
    field.value = "caf\xE9s";
    EXPECT_FALSE(field.HasReadForm());
    EXPECT_EQ(WriteWhole(field), "Subject: =?iso-8859-1?Q?caf=E9s?=\r\n");
    field.value = "tea";
    field.charset.clear();
    EXPECT_EQ(WriteWhole(field), "Subject: tea\r\n");
    field.value = "caf\xE9";
    field.charset = "iso-8859-1";
    field.name = "subject";
    EXPECT_FALSE(field.HasReadForm());
    field.name = "Subject";
    EXPECT_TRUE(field.HasReadForm());
    field.ForgetReadForm();
    EXPECT_EQ(WriteWhole(field), "Subject: =?iso-8859-1?Q?caf=E9?=\r\n");
}

TEST(HeaderBlockWrite, SetFieldDropsReadForm) {
    MimePart part;
    const std::string text = "Subject:x\r\nContent-Type:text/html\r\n\r\n";
    ASSERT_GT(part.Parse(text.c_str(), static_cast<int>(text.size())), 0);
    part.SetField("content-type", "text/plain");
    EXPECT_EQ(WriteWhole(part), "Subject:x\r\ncontent-type: text/plain\r\n\r\n");
}

TEST(HeaderBlockWrite, BlankLineNeverWrittenPastCapacity) {
    HeaderBlock block;
    block.SetField("A", "1");
    char buffer[16];
    std::memset(buffer, 'Z', sizeof buffer);
    EXPECT_EQ(block.Write(buffer, 6), 6);
    EXPECT_EQ(std::string(buffer, 8), "A: 1\r\nZZ");
    EXPECT_EQ(block.Write(buffer, 8), 8);
    EXPECT_EQ(std::string(buffer, 8), "A: 1\r\n\r\n");
}

TEST(MimeWriter, WorkedLayoutByteForByte) {
    MimeMessage root;
    root.SetField("Content-Type", "multipart/mixed; boundary=b");
    MimePart* child = root.AddChild();
    child->SetField("A", "1");
    ASSERT_TRUE(child->body.Assign("x", 1));
    const std::string expected =
        "Content-Type: multipart/mixed; boundary=b\r\n"
        "\r\n--b\r\n"
        "A: 1\r\n\r\nx"
        "\r\n--b--\r\n";
    EXPECT_EQ(WriteWhole(root), expected);
    EXPECT_EQ(root.GetSize(), static_cast<int>(expected.size()) + 2);
    ExpectCapacityRespected(root);
}

TEST(MimeWriter, SinglePartSizeExactWithIdentityCodec) {
    MimeMessage message;
    const std::string text = "A: 1\r\nB: 2\r\n\r\nbody text\r\n";
    ASSERT_GT(message.Parse(text.c_str(), static_cast<int>(text.size())), 0);
    const std::string written = WriteWhole(message);
    EXPECT_EQ(written, text);
    EXPECT_EQ(message.GetSize(), static_cast<int>(text.size()));
}

struct LayoutCase {
    const char* label;
    std::string input;
    std::string expected;  // empty: the input itself
};

const std::string kMixed = "Content-Type: multipart/mixed; boundary=b\r\n\r\n";

const std::vector<LayoutCase> kLayoutCases = {
    {"EmptyPreambleOneCrLfBeforeDelimiter", kMixed + "--b\r\n\r\nx\r\n--b--\r\n", ""},
    {"PreambleCrLfSharedWithDelimiter", kMixed + "preamble\r\n--b\r\n\r\nx\r\n--b--\r\n", ""},
    {"EpilogueDropped", kMixed + "--b\r\n\r\nx\r\n--b--\r\nepilogue\r\n",
     kMixed + "--b\r\n\r\nx\r\n--b--\r\n"},
    {"NestedCloseFollowedDirectlyByParentDelimiterGetsEmptyLine",
     kMixed + "--b\r\nContent-Type: multipart/mixed; boundary=c\r\n\r\n--c\r\n\r\ny\r\n--c--"
              "\r\n--b--\r\n",
     kMixed + "--b\r\nContent-Type: multipart/mixed; boundary=c\r\n\r\n--c\r\n\r\ny\r\n--c--"
              "\r\n\r\n--b--\r\n"},
    {"ChildWithoutBlankLineGetsOne", kMixed + "--b\r\nA: 1\r\n--b--\r\n",
     kMixed + "--b\r\nA: 1\r\n\r\n\r\n--b--\r\n"},
    {"MissingCloseDelimiterAdded", kMixed + "--b\r\n\r\nx", kMixed + "--b\r\n\r\nx\r\n--b--\r\n"},
    {"DottedBoundaryRoundTrips",
     "Content-Type: multipart/related; boundary=abc.def\r\n\r\n--abc.def\r\n\r\nx\r\n"
     "--abc.def--\r\n",
     ""},
};

TEST(MimeWriter, LayoutOfParsedMessages) {
    for (const LayoutCase& c : kLayoutCases) {
        SCOPED_TRACE(c.label);
        MimeMessage message;
        ASSERT_GT(message.Parse(c.input.c_str(), static_cast<int>(c.input.size())), 0);
        const std::string written = WriteWhole(message);
        EXPECT_EQ(written, c.expected.empty() ? c.input : c.expected);
        MimeMessage again;
        ASSERT_GT(again.Parse(written.c_str(), static_cast<int>(written.size())), 0);
        EXPECT_EQ(TreeDigest(again), TreeDigest(message));
        ExpectCapacityRespected(message);
    }
}

TEST(MimeWriter, EmptyPreambleWritesTwoLessThanSize) {
    const std::string text = kMixed + "--b\r\n\r\nx\r\n--b--\r\n";
    MimeMessage message;
    ASSERT_GT(message.Parse(text.c_str(), static_cast<int>(text.size())), 0);
    EXPECT_EQ(static_cast<int>(WriteWhole(message).size()), message.GetSize() - 2);
}

TEST(MimeWriter, DeletedChildrenLeaveHeaderAndBodyOnly) {
    const std::string text = kMixed + "pre\r\n--b\r\n\r\nx\r\n--b--\r\n";
    MimeMessage message;
    ASSERT_GT(message.Parse(text.c_str(), static_cast<int>(text.size())), 0);
    message.DeleteChildren();
    EXPECT_EQ(WriteWhole(message), kMixed + "pre\r\n");
}

TEST(MimeWriter, ChildrenWithoutBoundaryFail) {
    MimeMessage message;
    message.SetField("Content-Type", "multipart/mixed");
    message.AddChild()->SetField("A", "1");
    std::string buffer(static_cast<size_t>(message.GetSize()), '\0');
    EXPECT_EQ(message.Write(buffer.data(), static_cast<int>(buffer.size())), -1);
}

TEST(MimeWriter, HeaderThatDoesNotFitGivesZero) {
    MimeMessage message;
    message.SetField("Subject", "s");
    char buffer[16] = {};
    EXPECT_EQ(message.Write(buffer, 10), 0);
}

TEST(MimeWriter, EncodedBodiesWithinSize) {
    MimeMessage message;
    message.SetField("Content-Type", "multipart/mixed; boundary=zz");
    MimePart* qp = message.AddChild();
    qp->SetField("Content-Transfer-Encoding", "quoted-printable");
    const std::string qpText = "caf\xE9 = tea \r\n.\r\n" + std::string(200, 'x') + " \t";
    ASSERT_TRUE(qp->body.Assign(qpText.data(), qpText.size()));
    MimePart* b64 = message.AddChild();
    b64->SetField("Content-Transfer-Encoding", "base64");
    std::string binary;
    for (int i = 0; i < 300; ++i) {
        binary.push_back(static_cast<char>(i * 7));
    }
    ASSERT_TRUE(b64->body.Assign(binary.data(), binary.size()));
    const std::string written = WriteWhole(message);
    MimeMessage again;
    ASSERT_GT(again.Parse(written.c_str(), static_cast<int>(written.size())), 0);
    EXPECT_EQ(TreeDigest(again), TreeDigest(message));
    ExpectCapacityRespected(message);
}

// An unquoted boundary with "=" in it was cut at the "=", so the message was
// written back with delimiters that no longer matched its header.
TEST(MimeWriter, UnquotedBoundaryWithEqualsKeepsItsDelimiters) {
    const std::string text =
        "Content-Type: multipart/related; boundary=----=_Part_1\r\n\r\n"
        "------=_Part_1\r\nContent-Type: text/html\r\n\r\n<p>x</p>\r\n"
        "------=_Part_1\r\nContent-Type: image/png\r\n\r\nimage\r\n------=_Part_1--\r\n";
    MimeMessage message;
    ASSERT_GT(message.Parse(text.c_str(), static_cast<int>(text.size())), 0);
    ASSERT_EQ(message.children.size(), 2u);
    const std::string written = WriteWhole(message);
    EXPECT_EQ(written, text);
}

// A quoted-printable body whose text holds the message's own delimiter line
// was written with that line literal, so reading the result again split the
// part there.
TEST(MimeWriter, QuotedPrintableBodyHoldingTheDelimiterKeepsItsPart) {
    const std::string text =
        "Content-Type: multipart/mixed; boundary=b1\r\n\r\n--b1\r\n"
        "Content-Transfer-Encoding: quoted-printable\r\n\r\n"
        "before\r\n=2D-b1\r\nafter\r\n--b1\r\nContent-Type: text/plain\r\n\r\nsecond\r\n"
        "--b1--\r\n";
    MimeMessage message;
    ASSERT_GT(message.Parse(text.c_str(), static_cast<int>(text.size())), 0);
    ASSERT_EQ(message.children.size(), 2u);
    std::string body;
    message.children.front()->GetBody(body);
    EXPECT_EQ(body, "before\r\n--b1\r\nafter");
    const std::string written = WriteWhole(message);
    MimeMessage again;
    ASSERT_GT(again.Parse(written.c_str(), static_cast<int>(written.size())), 0);
    EXPECT_EQ(TreeDigest(again), TreeDigest(message)) << written;
}

// The body codec gets the room that is left and stops by its own rules: an
// escape or padding that does not fit is left out whole instead of being cut
// byte by byte into "=E" or "Y=".
TEST(MimeWriter, BodyCodecStopsAtTheRoomLeft) {
    struct Case {
        const char* name;
        const char* encoding;
        std::string body;
        int bodyRoom;
        std::string expectedBody;
    };
    const Case cases[] = {
        {"escape_left_out_whole", "quoted-printable", "ab\xE9", 4, "ab"},
        {"escape_that_fits", "quoted-printable", "ab\xE9", 5, "ab=E9"},
        {"padding_left_out_whole", "base64", "a", 3, "YQ"},
        {"final_line_end_left_out_whole", "base64", "abc", 5, "YWJj"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        MimeMessage message;
        message.SetField("Content-Transfer-Encoding", test.encoding);
        ASSERT_TRUE(message.body.Assign(test.body.data(), test.body.size()));
        const std::string header =
            "Content-Transfer-Encoding: " + std::string(test.encoding) + "\r\n\r\n";
        const int capacity = static_cast<int>(header.size()) + test.bodyRoom;
        std::string out(static_cast<size_t>(capacity), '\0');
        const int count = message.Write(out.data(), capacity);
        ASSERT_GE(count, 0);
        out.resize(static_cast<size_t>(count));
        EXPECT_EQ(out, header + test.expectedBody);
    }
}

}  // namespace
}  // namespace vellumo::test
