#include "translate/html_archive.h"

#include <gtest/gtest.h>

#include "host/plugin_state.h"
#include "mime/entity_view.h"
#include "platform/files.h"
#include "translate/driver_fixture.h"

namespace vellumo::test {
namespace {

class HtmlArchiveTest : public test::DriverFixture {
  protected:
    void SetUp() override {
        DriverFixture::SetUp();
        CapturedHeaders = "Date: x\r\nSubject: s\r\nX-Other: y";
    }
    const std::string part_text_ = "Content-Type: text/html\r\n\r\n<p>a</p>";
    const EntityView part_{part_text_.c_str(), static_cast<ptrdiff_t>(part_text_.size())};
};

TEST_F(HtmlArchiveTest, OpenAppendLinkKeep) {
    std::string path;
    {
        HtmlArchive archive;
        ASSERT_TRUE(archive.Open("Hello"));
        path = archive.Path();
        EXPECT_EQ(path, ArchiveFolder() + "Hello.eml");
        archive.AppendHtmlPart(part_);
        EXPECT_EQ(archive.LinkText(), "\r\n\r\nX-HTML-Message-Converted: \"file://" + path + "\"");
        archive.Keep();
    }
    EXPECT_EQ(test::ReadFileBytes(path),
              "Date: x\r\nSubject: s\r\nContent-Type: text/html\r\nMIME-Version: 1.0\r\n\r\n"
              "<p>a</p>");
}

TEST_F(HtmlArchiveTest, UnkeptArchiveIsRemoved) {
    std::string removedNow;
    {
        HtmlArchive archive;
        ASSERT_TRUE(archive.Open("Now"));
        removedNow = archive.Path();
        archive.Remove();
        EXPECT_FALSE(archive.IsOpen());
        EXPECT_FALSE(PathExists(removedNow));
        ASSERT_TRUE(archive.Open("Later"));
    }
    EXPECT_TRUE(ArchiveNames().empty());
}

TEST_F(HtmlArchiveTest, ClosedArchiveWritesNothing) {
    HtmlArchive archive;
    archive.AppendHtmlPart(part_);
    EXPECT_EQ(archive.LinkText(), "");
    EXPECT_TRUE(ArchiveNames().empty());
}

}  // namespace
}  // namespace vellumo::test
