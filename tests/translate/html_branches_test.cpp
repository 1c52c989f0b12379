#include "translate/html_branches.h"

#include <gtest/gtest.h>

#include "translate/driver_fixture.h"

namespace vellumo {
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

TEST_F(HtmlBranchesTest, WhichChildrenAreHtmlBranches) {
    std::vector<bool> branches;
    message_.ForEachChild([&branches](const EntityView& child) {
        branches.push_back(IsHtmlBranch(child));
        return true;
    });
    EXPECT_EQ(branches, (std::vector<bool>{false, true}));
}

}  // namespace
}  // namespace vellumo
