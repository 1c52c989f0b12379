// Values a sender writes into Content-Type, Content-Disposition and the raw
// headers never become header lines of their own in what the translators
// write: each translator and each archive row, over one table of hostile
// spellings.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mime/entity_view.h"
#include "translate/archive_file.h"
#include "translate/archive_html_part.h"
#include "translate/driver_fixture.h"
#include "translate/mime_type_record.h"
#include "translate/reference_mime.h"
#include "translate/translate_driver.h"

namespace vellumo::test {
namespace {

struct Hostile {
    const char* name;
    std::string spelling;  // what stands after "charset=" or "name="
};

// Each must keep the sender out of the header: none is a plain charset.
const std::vector<Hostile>& HostileValues() {
    static const std::vector<Hostile> values = {
        {"encoded word with CR LF", "\"=?us-ascii?Q?x=0D=0AX-Injected:_yes=0D=0A=0D=0ABODY?=\""},
        {"bare LF in a quoted value", "\"utf-8\nX-Injected: yes\""},
        {"bare CR in a quoted value", "\"utf-8\rX-Injected: yes\""},
        {"quotes", "\"utf\\\"-8\\\"\""},
        {"NUL", std::string("\"utf\0-8\"", 8)},
        {"very long", std::string(100000, 'a')},
        {"blanks", "\"utf 8\""},
        {"semicolon in quotes", "\"utf-8; X-Injected=yes\""},
    };
    return values;
}

// Every line of the header is a field of one of the allowed names or a fold
// of the one before, and every line break is CR LF.
void ExpectOnlyFields(const std::string& header, const std::vector<std::string>& names) {
    for (size_t at = 0; at < header.size(); ++at) {
        if (header[at] == '\n') {
            EXPECT_TRUE(at > 0 && header[at - 1] == '\r') << "bare LF in\n" << header;
        } else if (header[at] == '\r') {
            EXPECT_EQ(header.compare(at, 2, "\r\n"), 0) << "bare CR in\n" << header;
        }
    }
    size_t at = 0;
    while (at < header.size()) {
        size_t end = header.find("\r\n", at);
        std::string line = header.substr(at, end == std::string::npos ? end : end - at);
        bool known = !line.empty() && (line[0] == ' ' || line[0] == '\t');
        for (const std::string& name : names) {
            known = known || test::RefLower(line).rfind(test::RefLower(name) + ":", 0) == 0;
        }
        EXPECT_TRUE(known) << "line \"" << line << "\" in\n" << header;
        at = end == std::string::npos ? header.size() : end + 2;
    }
}

class HostileHeaderValues : public test::DriverFixture {
  protected:
    int Run(int translator, const std::string& input, std::string& output) {
        test::WriteFileBytes(Input(), input);
        test::WriteFileBytes(Output(), "");
        MimeTypeRecord* type = nullptr;
        int status = TranslateMessageFile(translator, Input(), Output(), nullptr, &type);
        FreeMimeTypeRecord(type);
        output = test::ReadFileBytes(Output());
        return status;
    }
};

TEST_F(HostileHeaderValues, CharsetLeftOutOfThePlainTextType) {
    for (const Hostile& h : HostileValues()) {
        SCOPED_TRACE(h.name);
        std::string output;
        std::string alternative =
            "Content-Type: multipart/alternative; boundary=b\r\n\r\n--b\r\n"
            "Content-Type: text/plain; charset=" +
            h.spelling + "\r\n\r\nplain\r\n--b--\r\n";
        ASSERT_EQ(Run(1, alternative, output), 0);
        EXPECT_EQ(output, "Mime-Version: 1.0\r\nContent-Type: text/plain\r\n\r\nplain");

        std::string html = "Subject: s\r\nContent-Type: text/html; charset=" + h.spelling +
                           "\r\n\r\n<p>hi</p>\r\n";
        // No charset has such a label: the HTML is declined, never read as
        // bytes of an unknown charset.
        EXPECT_EQ(Run(2, html, output), 12);
        EXPECT_EQ(output.find("X-Injected"), std::string::npos) << output;
    }
}

TEST_F(HostileHeaderValues, PlainCharsetNamesAreKept) {
    const struct {
        const char* name;
        const char* spelling;
        const char* written;
    } cases[] = {
        {"token", "utf-8", "utf-8"},
        {"quoted token", "\"iso-8859-1\"", "iso-8859-1"},
        {"name with a colon stays quoted", "\"ISO_8859-1:1987\"", "\"ISO_8859-1:1987\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string output;
        ASSERT_EQ(Run(1,
                      "Content-Type: multipart/alternative; boundary=b\r\n\r\n--b\r\n"
                      "Content-Type: text/plain; charset=" +
                          std::string(c.spelling) + "\r\n\r\nplain\r\n--b--\r\n",
                      output),
                  0);
        EXPECT_EQ(output, "Mime-Version: 1.0\r\nContent-Type: text/plain; charset=" +
                              std::string(c.written) + "\r\n\r\nplain");
    }
}

// The marker joins a value as it arrived: a value with no line break but
// folds keeps its bytes and gains the marker; any other is declined whole.
TEST_F(HostileHeaderValues, MarkedOnlyWhereTheMarkerStaysInTheField) {
    for (const Hostile& h : HostileValues()) {
        SCOPED_TRACE(h.name);
        bool lineBreak = h.spelling.find_first_of(std::string("\r\n\0", 3)) != std::string::npos;
        std::string output;
        std::string octet = "Content-Type: application/octet-stream; name=" + h.spelling +
                            "\r\nContent-Disposition: inline\r\n\r\nx";
        int status = Run(3, octet, output);
        std::string related = "Content-Type: multipart/related; boundary=r; name=" + h.spelling +
                              "\r\n\r\n--r\r\n\r\na\r\n--r--\r\n";
        int relatedStatus = Run(4, related, output);
        if (lineBreak) {
            EXPECT_EQ(status, 12);
            EXPECT_EQ(relatedStatus, 12);
            continue;
        }
        ASSERT_EQ(status, 0);
        ASSERT_EQ(relatedStatus, 0);
        test::RefEntity entity = test::RefSplit(output);
        ExpectOnlyFields(entity.header, {"Content-Type"});
        EXPECT_EQ(test::RefParameter(entity.header, "Content-Type", "related4mixed"), "yes");
        EXPECT_EQ(test::RefChildren(entity.body, "r"), std::vector<std::string>{"\r\na"});
    }
}

TEST_F(HostileHeaderValues, LineBreakInTheDispositionDeclines) {
    for (const char* disposition : {"inline; filename=\"a\nX-Injected: yes\"", "inline\rX: y"}) {
        SCOPED_TRACE(disposition);
        std::string output;
        EXPECT_EQ(Run(3,
                      "Content-Type: application/octet-stream\r\nContent-Disposition: " +
                          std::string(disposition) + "\r\n\r\nx",
                      output),
                  12);
    }
}

// A boundary written as an encoded word is the text that stands there: the
// plug-in and a strict reader split the message at the same lines.
TEST_F(HostileHeaderValues, EncodedWordBoundaryIsReadAsItStands) {
    const std::string body =
        "--=?us-ascii?Q?b1?=\r\nContent-Type: text/plain\r\n\r\nstrict\r\n"
        "--=?us-ascii?Q?b1?=--\r\n"
        "--b1\r\nContent-Type: text/plain\r\n\r\ndecoy\r\n--b1--\r\n";
    std::string output;
    ASSERT_EQ(
        Run(1, "Content-Type: multipart/alternative; boundary=\"=?us-ascii?Q?b1?=\"\r\n\r\n" + body,
            output),
        0);
    EXPECT_EQ(output, "Mime-Version: 1.0\r\nContent-Type: text/plain\r\n\r\nstrict");

    ASSERT_EQ(
        Run(4, "Content-Type: multipart/related; boundary=\"=?us-ascii?Q?b1?=\"\r\n\r\n" + body,
            output),
        0);
    test::RefEntity entity = test::RefSplit(output);
    std::string boundary = test::RefParameter(entity.header, "Content-Type", "boundary");
    EXPECT_EQ(boundary, "=?us-ascii?Q?b1?=");
    EXPECT_EQ(test::RefChildren(entity.body, boundary),
              std::vector<std::string>{"Content-Type: text/plain\r\n\r\nstrict"});
}

TEST(HostileArchiveRows, PartRowsNeverStartALine) {
    for (const Hostile& h : HostileValues()) {
        SCOPED_TRACE(h.name);
        for (const char* field :
             {"Content-Type: text/html; charset=", "Content-Disposition: inline; filename="}) {
            std::string text = std::string(field) + h.spelling + "\r\n\r\n<p>x</p>";
            EntityView part(text.c_str(), static_cast<ptrdiff_t>(text.size()));
            ASSERT_TRUE(part.HeaderRead());
            std::string header = ArchivePartHeader(part);
            ASSERT_GE(header.size(), 4u);
            EXPECT_EQ(header.substr(header.size() - 4), "\r\n\r\n");
            ExpectOnlyFields(header.substr(0, header.size() - 4),
                             {"Content-Type", "Content-Disposition", "MIME-Version"});
        }
    }
}

TEST(HostileArchiveRows, CapturedLinesWithABareLineBreakAreLeftOut) {
    EXPECT_EQ(SelectArchiveHeaderLines("From: a\r\nSubject: s\nX-Injected: yes\r\n"
                                       "To: t\rX-Injected: yes\r\nDate: d\r\nCC: c\x01x"),
              "From: a\r\nDate: d\r\n");
}

}  // namespace
}  // namespace vellumo::test
