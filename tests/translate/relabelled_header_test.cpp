// Translator 2's header is copied from the message text field by field; the
// part tree, which sets the field and writes the header, must agree.
#include "translate/relabelled_header.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "codec/header_field_names.h"
#include "mime/mime_message.h"
#include "platform/ascii_case.h"
#include "platform/files.h"
#include "platform/line_ends.h"

namespace vellumo::test {
namespace {

const char kType[] = "text/plain; charset=utf-8";

std::string FromTheTree(const std::string& text) {
    MimeMessage message;
    if (message.Parse(text.c_str(), static_cast<int>(text.size())) <= 0) {
        return "unreadable";
    }
    message.SetField(kContentTypeField, kType);
    message.fields.remove_if([](const HeaderField& field) {
        return EqualsIgnoringAsciiCase(field.name, kContentTransferEncodingField);
    });
    std::string out(static_cast<size_t>(message.HeaderBlock::GetSize()), '\0');
    out.resize(
        static_cast<size_t>(message.HeaderBlock::Write(&out[0], static_cast<int>(out.size()))));
    return out;
}

std::string Relabelled(const std::string& text) {
    RelabelledHeader header;
    if (!ReadRelabelledHeader(text.c_str(), static_cast<ptrdiff_t>(text.size()), header)) {
        return "unreadable";
    }
    return WriteRelabelledHeader(std::move(header), kType);
}

TEST(RelabelledHeader, AgreesWithThePartTree) {
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"type between fields, encodings in any case",
         "A: 1\r\nContent-Transfer-Encoding: base64\r\ncontent-type: text/html;\r\n charset=x\r\n"
         "CONTENT-TRANSFER-ENCODING: 7bit\r\nB: 2\r\n\r\n<p>"},
        {"two types: the second stays", "Content-Type: a/b\r\nContent-Type: c/d\r\n\r\nx"},
        {"no type", "Subject: s\r\n\r\nx"},
        {"stray line and a name without colon", " stray\r\nnocolon\r\nC: 3\r\n\r\nx"},
        {"no blank line", "A: 1\r\nContent-Type: text/html"},
        {"unreadable", " stray only"},
        {"empty header", "\r\n<p>"},
    };
    for (const auto& [name, text] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Relabelled(text), FromTheTree(text));
    }
    int compared = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(VELLUMO_TEST_DATA_DIR "/corpus/messages/")) {
        std::string raw;
        ASSERT_TRUE(ReadWholeFile(entry.path().string(), raw));
        SCOPED_TRACE(entry.path().filename().string());
        const std::string text = WithCrLf(raw);
        EXPECT_EQ(Relabelled(text), FromTheTree(text));
        ++compared;
    }
    EXPECT_GT(compared, 50);
}

}  // namespace
}  // namespace vellumo::test
