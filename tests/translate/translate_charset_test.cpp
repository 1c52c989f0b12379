// Translator 2 writes the text in one charset and labels it with that
// charset, whatever the message's HTML is written in.
#include <gtest/gtest.h>

#include <string>

#include "platform/line_ends.h"
#include "support/temp_folder.h"
#include "translate/driver_fixture.h"
#include "translate/mime_type_record.h"
#include "translate/translate_driver.h"

namespace vellumo::test {
namespace {

class TranslateCharsetTest : public test::DriverFixture {};

TEST_F(TranslateCharsetTest, OutputCarriesTheCharsetItIsWrittenIn) {
    const struct {
        const char* name;
        std::string contentType;
        std::string body;
        std::string expected;  // header field and text
    } cases[] = {
        {"iso-2022-jp newsletter comes out whole", "text/html; charset=ISO-2022-JP",
         "<p>\x1B$B%;%s%?!<D9$N;3ED$G$9!#\x1B(B</p>\r\n<p>Thanks &amp; bye</p>",
         "Content-Type: text/plain; charset=ISO-2022-JP\r\n\r\n"
         "\x1B$B%;%s%?!<D9$N;3ED$G$9!#\x1B(B\r\n\r\nThanks & bye"},
        {"meta utf-8 with a euro reference", "text/html",
         "<meta charset=\"utf-8\"><p>\xC3\xA9 &euro;</p>",
         "Content-Type: text/plain; charset=utf-8\r\n\r\n\xC3\xA9 \xE2\x82\xAC"},
        {"us-ascii holding latin-1 bytes", "text/html; charset=us-ascii",
         "<p>caf\xE9&nbsp;&euro;</p>",
         "Content-Type: text/plain; charset=windows-1252\r\n\r\ncaf\xE9\xA0\x80"},
        {"reference outside koi8-r", "text/html; charset=koi8-r", "<p>\xC1 &#x4E00;</p>",
         "Content-Type: text/plain; charset=utf-8\r\n\r\n\xD0\xB0 \xE4\xB8\x80"},
        {"utf-16 with its mark", "text/html", std::string("\xFF\xFE<\0p\0>\0\xE9\0", 10),
         "Content-Type: text/plain; charset=utf-8\r\n\r\n\xC3\xA9"},
        {"iso-2022-kr stays korean", "text/html; charset=iso-2022-kr",
         "\x1B$)C<p>\x0EGQ19>n\x0F &amp; more</p>",
         "Content-Type: text/plain; charset=iso-2022-kr\r\n\r\n\x1B$)C\x0EGQ19>n\x0F & more"},
        {"plain ascii without a charset", "text/html", "<p>hello</p>",
         "Content-Type: text/plain\r\n\r\nhello"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::WriteFileBytes(Input(), "Content-Type: " + c.contentType + "\r\n\r\n" + c.body);
        test::WriteFileBytes(Output(), "");
        EXPECT_EQ(TranslateMessageFile(2, Input(), Output(), nullptr, nullptr), 0);
        EXPECT_EQ(test::ReadFileBytes(Output()), c.expected);
    }
}

TEST_F(TranslateCharsetTest, UnreadableCharsetDeclines) {
    test::WriteFileBytes(Input(), WithCrLf("Content-Type: text/html; charset=iso-2022-cn\n\n"
                                           "\x1B$)A<p>\x0E!!\x0F</p>"));
    test::WriteFileBytes(Output(), "");
    EXPECT_EQ(TranslateMessageFile(2, Input(), Output(), nullptr, nullptr), 12);
    EXPECT_EQ(test::ReadFileBytes(Output()), "");
}

}  // namespace
}  // namespace vellumo::test
