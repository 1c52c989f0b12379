#include "translate/archive_html_part.h"

#include <gtest/gtest.h>

#include "mime/entity_view.h"
#include "support/temp_folder.h"

namespace vellumo::test {
namespace {

struct PartCase {
    const char* name;
    std::string part;      // the part's text, header and body
    std::string expected;  // what is appended to the archive file
};

TEST(AppendHtmlPartToArchive, RowsInOrder) {
    const PartCase cases[] = {
        {"type and decoded body", "Content-Type: text/html; charset=x\r\n\r\n<p>a</p>",
         "Content-Type: text/html; charset=x\r\nMIME-Version: 1.0\r\n\r\n<p>a</p>"},
        {"no type field", "X-A: 1\r\n\r\n<p>a</p>",
         "Content-Type: text/html\r\nMIME-Version: 1.0\r\n\r\n<p>a</p>"},
        {"empty type value", "Content-Type:\r\n\r\nb",
         "Content-Type: \r\nMIME-Version: 1.0\r\n\r\nb"},
        {"disposition kept, name written canonically",
         "content-type: text/html\r\ncontent-disposition: inline\r\n\r\nb",
         "Content-Type: text/html\r\nContent-Disposition: inline\r\nMIME-Version: 1.0\r\n\r\nb"},
        {"quoted-printable body stored decoded",
         "Content-Type: text/html\r\nContent-Transfer-Encoding: quoted-printable\r\n\r\na=3Db",
         "Content-Type: text/html\r\nMIME-Version: 1.0\r\n\r\na=b"},
        {"zero byte in the body does not cut it",
         "Content-Type: text/html\r\nContent-Transfer-Encoding: base64\r\n\r\nYQBi",
         std::string("Content-Type: text/html\r\nMIME-Version: 1.0\r\n\r\na\0b", 49)},
        {"folded value and encoded word written as they arrived",
         "Content-Type: text/html;\r\n name=\"=?UTF-8?B?w6k=?=\"\r\n\r\nb",
         "Content-Type: text/html;\r\n name=\"=?UTF-8?B?w6k=?=\"\r\nMIME-Version: 1.0\r\n\r\nb"},
        {"bare line feed in the type falls back to text/html",
         "Content-Type: text/html\nX-Injected: 1\r\n\r\nb",
         "Content-Type: text/html\r\nMIME-Version: 1.0\r\n\r\nb"},
        {"control byte in the disposition leaves it out",
         "Content-Type: text/html\r\nContent-Disposition: inline\x01\r\n\r\nb",
         "Content-Type: text/html\r\nMIME-Version: 1.0\r\n\r\nb"},
        {"no body", "Content-Type: text/html\r\n\r\n",
         "Content-Type: text/html\r\nMIME-Version: 1.0\r\n\r\n"},
    };
    for (const PartCase& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempFolder temp;
        std::string path = temp.File("a.eml");
        test::WriteFileBytes(path, "Head\r\n");
        EntityView part(c.part.c_str(), static_cast<ptrdiff_t>(c.part.size()));
        ASSERT_TRUE(part.HeaderRead());
        AppendHtmlPartToArchive(path, part);
        EXPECT_EQ(test::ReadFileBytes(path), "Head\r\n" + c.expected);
    }
}

TEST(AppendEntityToArchive, EntityBelowAVersionLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"Content-Type: multipart/related; boundary=r\r\n\r\n--r\r\n\r\nx\r\n--r--",
         "MIME-Version: 1.0\r\nContent-Type: multipart/related; boundary=r\r\n\r\n"
         "--r\r\n\r\nx\r\n--r--"},
        {"mime-version: 1.0\r\nContent-Type: x/y\r\n\r\nz",
         "mime-version: 1.0\r\nContent-Type: x/y\r\n\r\nz"},
    };
    for (const auto& [entity, expected] : cases) {
        test::TempFolder temp;
        std::string path = temp.File("a.eml");
        test::WriteFileBytes(path, "Head\r\n");
        AppendEntityToArchive(path, entity);
        EXPECT_EQ(test::ReadFileBytes(path), "Head\r\n" + expected);
    }
}

TEST(AppendHtmlPartToArchive, MissingFileIsNotCreated) {
    test::TempFolder temp;
    std::string text = "Content-Type: text/html\r\n\r\nx";
    EntityView part(text.c_str(), static_cast<ptrdiff_t>(text.size()));
    AppendHtmlPartToArchive(temp.File("gone.eml"), part);
    EXPECT_EQ(test::ReadFileBytes(temp.File("gone.eml")), "");
    EXPECT_FALSE(std::filesystem::exists(temp.File("gone.eml")));
}

}  // namespace
}  // namespace vellumo::test

namespace vellumo::test {
namespace {

TEST(AppendHtmlPartToArchive, EncodedWordValueIsNotWrittenAsRaw8Bit) {
    test::TempFolder temp;
    std::string path = temp.File("a.eml");
    test::WriteFileBytes(path, "");
    std::string text = "Content-Type: text/html; name=\"=?UTF-8?B?w6k=?=\"\r\n\r\nx";
    EntityView part(text.c_str(), static_cast<ptrdiff_t>(text.size()));
    AppendHtmlPartToArchive(path, part);
    std::string written = test::ReadFileBytes(path);
    EXPECT_EQ(written.rfind("Content-Type: text/html;", 0), 0u) << written;
    for (char c : written) {
        EXPECT_LT(static_cast<unsigned char>(c), 0x80u) << written;
    }
}

}  // namespace
}  // namespace vellumo::test
