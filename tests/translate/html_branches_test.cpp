#include "translate/html_branches.h"

#include <gtest/gtest.h>

#include "translate/driver_fixture.h"

namespace vellumo::test {
namespace {

const std::string kRelated = WithCrLf(
    "Content-Type: multipart/related; boundary=rel\n\n"
    "--rel\nContent-Type: text/html\n\n<img src=\"cid:pic@x\">\n"
    "--rel\nContent-Type: image/png\nContent-Transfer-Encoding: base64\n"
    "Content-ID: <pic@x>\n\ncG5n!\n--rel--");
const std::string kAlternative = WithCrLf(
                                     "Content-Type: multipart/alternative; boundary=alt\n\n"
                                     "--alt\n\ntext\n"
                                     "--alt\n") +
                                 kRelated + "\r\n--alt--\r\n";

class HtmlBranchesTest : public test::DriverFixture {
  protected:
    const EntityView message_{kAlternative.c_str(), static_cast<ptrdiff_t>(kAlternative.size())};
};

TEST_F(HtmlBranchesTest, RelatedBranchIsArchivedExactlyAsItStands) {
    HtmlArchive archive;
    ASSERT_TRUE(ArchiveHtmlBranches(message_, "Branch", archive));
    archive.Keep();
    // The stray "!" in the picture's base64 stays: nothing is decoded and
    // written again.
    const std::string archived = test::ReadFileBytes(archive.Path());
    const std::string expected = "MIME-Version: 1.0\r\n" + kRelated;
    ASSERT_GE(archived.size(), expected.size());
    EXPECT_EQ(archived.substr(archived.size() - expected.size()), expected);
}

// The HTML of alternative { text/plain, mixed { text/html, application/pdf,
// text/html } } was not archived at all: only related branches were.
TEST_F(HtmlBranchesTest, WhichPartsAreHtmlBranches) {
    struct Case {
        const char* name;
        std::string part;
        bool expected;
    };
    const Case cases[] = {
        {"html", WithCrLf("Content-Type: text/html\n\n<p>x</p>"), true},
        {"related holding html", kRelated, true},
        {"mixed holding html around a document",
         WithCrLf("Content-Type: multipart/mixed; boundary=m\n\n"
                  "--m\nContent-Type: text/html\n\n<p>a</p>\n"
                  "--m\nContent-Type: application/pdf\n\n%PDF\n"
                  "--m\nContent-Type: text/html\n\n<p>b</p>\n--m--"),
         true},
        {"html two levels down",
         WithCrLf("Content-Type: multipart/mixed; boundary=m\n\n--m\n"
                  "Content-Type: multipart/related; boundary=r\n\n"
                  "--r\nContent-Type: text/html\n\n<p>a</p>\n--r--\n--m--"),
         true},
        {"mixed without html",
         WithCrLf("Content-Type: multipart/mixed; boundary=m\n\n"
                  "--m\nContent-Type: application/pdf\n\n%PDF\n--m--"),
         false},
        {"picture", WithCrLf("Content-Type: image/png\n\npng"), false},
        {"plain text", WithCrLf("\ntext"), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IsHtmlBranch(EntityView(c.part.c_str(), static_cast<ptrdiff_t>(c.part.size()))),
                  c.expected);
    }
}

}  // namespace
}  // namespace vellumo::test
