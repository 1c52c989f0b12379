#include "translate/html_branches.h"

#include <gtest/gtest.h>

#include "translate/driver_fixture.h"

namespace vellumo {
namespace {

const std::string kAlternative = WithCrLf(
    "Content-Type: multipart/alternative; boundary=alt\n\n"
    "--alt\n\ntext\n"
    "--alt\nContent-Type: multipart/related; boundary=rel\n\n"
    "--rel\nContent-Type: text/html\n\n<img src=\"cid:pic@x\">\n"
    "--rel\nContent-Type: image/png\nContent-ID: <pic@x>\n\npng\n--rel--\n"
    "--alt--\n");

class HtmlBranchesTest : public test::DriverFixture {
  protected:
    void SetUp() override {
        DriverFixture::SetUp();
        ASSERT_GT(message_.Parse(kAlternative.c_str(), static_cast<int>(kAlternative.size())), 0);
    }
    MimeMessage message_;
};

TEST_F(HtmlBranchesTest, RelatedBranchFromTheModelWhenTheTextDoesNotFit) {
    HtmlArchive archive;
    ASSERT_TRUE(ArchiveHtmlBranches(message_, "", "Branch", archive));
    archive.Keep();
    std::string archived = test::ReadFileBytes(archive.Path());
    for (const char* kept : {"MIME-Version: 1.0\r\nContent-Type: multipart/related; boundary=rel",
                             "<img src=\"cid:pic@x\">", "Content-ID: <pic@x>\r\n\r\npng"}) {
        EXPECT_NE(archived.find(kept), std::string::npos) << kept << "\n" << archived;
    }
}

TEST_F(HtmlBranchesTest, WhichChildrenAreHtmlBranches) {
    std::vector<bool> branches;
    for (const auto& child : message_.children) {
        branches.push_back(IsHtmlBranch(*child));
    }
    EXPECT_EQ(branches, (std::vector<bool>{false, true}));
}

}  // namespace
}  // namespace vellumo
