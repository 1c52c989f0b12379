// The driver over the real messages of the shared corpus, each converted to
// CR LF line ends as the host writes message files.

#include <gtest/gtest.h>

#include <filesystem>

#include "html/html_text_extractor.h"
#include "mime/mime_message.h"
#include "translate/driver_fixture.h"
#include "translate/mime_type_record.h"
#include "translate/reference_mime.h"
#include "translate/translate_driver.h"

namespace vellumo {
namespace {

constexpr const char* kCorpusFolder = VELLUMO_TEST_DATA_DIR "/corpus/messages";

// CR LF for every line end; an mbox "From " line is not part of the message.
std::string HostForm(const std::string& bytes) {
    std::string text = bytes;
    if (text.compare(0, 5, "From ") == 0) {
        size_t end = text.find('\n');
        text.erase(0, end == std::string::npos ? text.size() : end + 1);
    }
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

std::vector<std::pair<std::string, std::string>> CorpusMessages() {
    std::vector<std::pair<std::string, std::string>> messages;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(kCorpusFolder, ignored)) {
        std::string name = entry.path().filename().string();
        if (name != "MANIFEST.tsv" && entry.is_regular_file()) {
            messages.emplace_back(name, HostForm(test::ReadFileBytes(entry.path().string())));
        }
    }
    std::sort(messages.begin(), messages.end());
    return messages;
}

std::unique_ptr<MimeMessage> ParseText(const std::string& text) {
    auto message = std::make_unique<MimeMessage>();
    (void)message->Parse(text.c_str(), static_cast<int>(text.size()));
    return message;
}

std::string Body(const MimePart& part) {
    return std::string(part.body.data() != nullptr ? part.body.data() : "", part.body.size());
}

class CorpusTest : public test::DriverFixture {
  protected:
    int Translate(int translator, const std::string& input, MimeTypeRecord** type = nullptr) {
        test::WriteFileBytes(Input(), input);
        test::WriteFileBytes(Output(), "untouched");
        return TranslateMessageFile(translator, Input(), Output(), "Corpus", type);
    }
};

TEST_F(CorpusTest, CorpusIsThere) {
    EXPECT_GT(CorpusMessages().size(), 100u);
}

TEST_F(CorpusTest, AlternativesGiveTheirDecodedPlainText) {
    int checked = 0;
    for (const auto& [name, text] : CorpusMessages()) {
        test::RefEntity message = test::RefSplit(text);
        if (test::RefMediaType(message.header) != "multipart/alternative") {
            continue;
        }
        SCOPED_TRACE(name);
        std::string boundary = test::RefParameter(message.header, "Content-Type", "boundary");
        const test::RefEntity* plain = nullptr;
        std::vector<test::RefEntity> children;
        for (const std::string& child : test::RefChildren(message.body, boundary)) {
            children.push_back(test::RefSplit(child));
        }
        for (const test::RefEntity& child : children) {
            if (test::RefMediaType(child.header) == "text/plain") {
                plain = &child;
            }
        }
        int status = Translate(1, text);
        if (plain == nullptr) {
            EXPECT_EQ(status, 12);
            EXPECT_EQ(test::ReadFileBytes(Output()), "untouched");
            continue;
        }
        ASSERT_EQ(status, 0);
        std::string charset = test::RefParameter(plain->header, "Content-Type", "charset");
        std::string expected = "Mime-Version: 1.0\r\nContent-Type: text/plain" +
                               (charset.empty() ? "" : "; charset=" + charset) + "\r\n\r\n" +
                               test::RefDecodedBody(*plain);
        EXPECT_EQ(test::ReadFileBytes(Output()), expected);
        ++checked;
    }
    EXPECT_GT(checked, 10);
}

// The multipart/alternative entities of a message at any depth, each as
// its own text: the host offers each nested entity on its own.
void CollectAlternatives(const std::string& text, int depth, std::vector<std::string>& out) {
    test::RefEntity entity = test::RefSplit(text);
    std::string type = test::RefMediaType(entity.header);
    if (type == "multipart/alternative") {
        out.push_back(text);
    }
    if (depth > 8 || type.compare(0, 10, "multipart/") != 0) {
        return;
    }
    std::string boundary = test::RefParameter(entity.header, "Content-Type", "boundary");
    for (const std::string& child : test::RefChildren(entity.body, boundary)) {
        CollectAlternatives(child, depth + 1, out);
    }
}

TEST_F(CorpusTest, RelatedHtmlAlternativesAreArchivedAsReceived) {
    SaveHTMLMessagesValue = 1;
    int checked = 0;
    for (const auto& [name, text] : CorpusMessages()) {
        std::vector<std::string> alternatives;
        CollectAlternatives(text, 0, alternatives);
        for (const std::string& alternative : alternatives) {
            test::RefEntity message = test::RefSplit(alternative);
            std::string boundary = test::RefParameter(message.header, "Content-Type", "boundary");
            std::vector<std::string> related;
            for (const std::string& child : test::RefChildren(message.body, boundary)) {
                test::RefEntity entity = test::RefSplit(child);
                if (test::RefMediaType(entity.header) == "multipart/related" &&
                    test::RefLower(entity.body).find("text/html") != std::string::npos) {
                    related.push_back(child);
                }
            }
            if (related.empty()) {
                continue;
            }
            SCOPED_TRACE(name);
            std::string archive;
            test::WriteFileBytes(Input(), alternative);
            test::WriteFileBytes(Output(), "");
            ASSERT_EQ(TranslateMessageFile(1, Input(), Output(), "Corpus", nullptr, &archive), 0);
            std::string archived = test::ReadFileBytes(archive);
            for (const std::string& child : related) {
                EXPECT_NE(archived.find("MIME-Version: 1.0\r\n" + child), std::string::npos);
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 0);
}

// Every part of the output holds what the same part of the input held:
// fields, decoded body and children. Only the root's Content-Type differs,
// and by exactly the relabelling.
void ExpectSameTree(const MimePart& in, const MimePart& out, const std::string& rootType) {
    ASSERT_EQ(in.children.size(), out.children.size());
    EXPECT_EQ(Body(in), Body(out));
    ASSERT_EQ(in.fields.size() + (rootType.empty() || in.FindField("Content-Type") ? 0 : 1),
              out.fields.size());
    auto outField = out.fields.begin();
    for (const HeaderField& field : in.fields) {
        bool relabelled = !rootType.empty() && &field == in.FindField("Content-Type");
        EXPECT_EQ(relabelled ? test::RefLower(field.name) : field.name,
                  relabelled ? test::RefLower(outField->name) : outField->name);
        EXPECT_EQ(relabelled ? rootType : field.value, outField->value);
        ++outField;
    }
    auto outChild = out.children.begin();
    for (const auto& child : in.children) {
        ExpectSameTree(*child, **outChild, "");
        ++outChild;
    }
}

std::string RelatedToMixed(const MimePart& message) {
    const HeaderField* field = message.FindField("Content-Type");
    std::string value = (field != nullptr ? field->value : "") + "; related4mixed=yes";
    if (test::RefLower(value.substr(0, 17)) == "multipart/related") {
        value.replace(0, 17, "multipart/mixed");
    }
    return value;
}

TEST_F(CorpusTest, EveryMessageThroughRelated4MixedKeepsEveryPart) {
    for (const auto& [name, text] : CorpusMessages()) {
        SCOPED_TRACE(name);
        std::unique_ptr<MimeMessage> in = ParseText(text);
        MimeTypeRecord* type = nullptr;
        ASSERT_EQ(Translate(4, text, &type), 0);
        EXPECT_STREQ(type->subType, "mixed");
        FreeMimeTypeRecord(type);
        std::string output = test::ReadFileBytes(Output());
        std::unique_ptr<MimeMessage> out = ParseText(output);
        ExpectSameTree(*in, *out, RelatedToMixed(*in));
    }
}

void CollectOctetParts(const MimePart& part, std::vector<const MimePart*>& found) {
    if (test::RefLower(part.GetMainType()) == "application" &&
        test::RefLower(part.GetSubType()) == "octet-stream") {
        found.push_back(&part);
    }
    for (const auto& child : part.children) {
        CollectOctetParts(*child, found);
    }
}

// The entity as the host writes it for a nested part: Mime-Version, the
// part's own header and encoded body, and one more CR LF.
std::string HostInputFor(const MimePart& part) {
    std::string text(static_cast<size_t>(part.GetSize()), '\0');
    int written = part.Write(&text[0], static_cast<int>(text.size()));
    text.resize(written > 0 ? static_cast<size_t>(written) : 0);
    return "Mime-Version: 1.0\r\n" + text + "\r\n";
}

TEST_F(CorpusTest, OctetStreamPartsThroughInline4AttachmentKeepBytesAndNames) {
    int checked = 0;
    for (const auto& [name, text] : CorpusMessages()) {
        std::unique_ptr<MimeMessage> message = ParseText(text);
        std::vector<const MimePart*> parts;
        CollectOctetParts(*message, parts);
        for (const MimePart* part : parts) {
            SCOPED_TRACE(name);
            std::string input = HostInputFor(*part);
            ASSERT_EQ(Translate(3, input), 0);
            test::RefEntity before = test::RefSplit(input);
            test::RefEntity after = test::RefSplit(test::ReadFileBytes(Output()));
            EXPECT_EQ(test::RefDecodedBody(before), test::RefDecodedBody(after));
            EXPECT_EQ(test::RefMediaType(after.header), "application/octet-stream");
            EXPECT_EQ(test::RefParameter(after.header, "Content-Type", "inline4attachment"), "yes");
            for (const char* parameter : {"name", "charset"}) {
                EXPECT_EQ(test::RefParameter(before.header, "Content-Type", parameter),
                          test::RefParameter(after.header, "Content-Type", parameter));
            }
            EXPECT_EQ(test::RefParameter(before.header, "Content-Disposition", "filename"),
                      test::RefParameter(after.header, "Content-Disposition", "filename"));
            std::string disposition = test::RefField(before.header, "Content-Disposition", nullptr);
            if (test::RefLower(disposition.substr(0, 6)) == "inline") {
                disposition.replace(0, 6, "attachment");
            }
            EXPECT_EQ(test::RefField(after.header, "Content-Disposition", nullptr), disposition);
            ++checked;
        }
    }
    EXPECT_GT(checked, 5);
}

TEST_F(CorpusTest, HtmlMessagesGiveTheirRenderedText) {
    int checked = 0;
    for (const auto& [name, text] : CorpusMessages()) {
        test::RefEntity message = test::RefSplit(text);
        if (test::RefMediaType(message.header) != "text/html") {
            continue;
        }
        SCOPED_TRACE(name);
        ASSERT_EQ(Translate(2, text), 0);
        test::RefEntity out = test::RefSplit(test::ReadFileBytes(Output()));
        std::string charset = test::RefParameter(message.header, "Content-Type", "charset");
        // The label names the charset the text is written in.
        LabelledText rendered;
        ASSERT_TRUE(HtmlToLabelledText(test::RefDecodedBody(message), charset, &rendered));
        EXPECT_EQ(
            test::RefField(out.header, "Content-Type", nullptr),
            rendered.charset.empty() ? "text/plain" : "text/plain; charset=" + rendered.charset);
        bool hasEncoding = true;
        (void)test::RefField(out.header, "Content-Transfer-Encoding", &hasEncoding);
        EXPECT_FALSE(hasEncoding);
        EXPECT_EQ(test::RefField(out.header, "Subject", nullptr),
                  test::RefField(message.header, "Subject", nullptr));
        EXPECT_EQ(out.body, rendered.text);
        ++checked;
    }
    EXPECT_GT(checked, 10);
}

}  // namespace
}  // namespace vellumo
