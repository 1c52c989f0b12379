// The driver over the real messages of the shared corpus, each converted to
// CR LF line ends as the host writes message files.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "host/plugin_state.h"
#include "html/html_text_extractor.h"
#include "translate/driver_fixture.h"
#include "translate/mime_type_record.h"
#include "translate/reference_mime.h"
#include "translate/translate_driver.h"

namespace vellumo::test {
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

// The parts that the text cannot stand for, inside an alternative other
// than the text: every part that is neither a multipart nor a text of the
// four kinds that render the message (unless it is an attachment).
void RefKeptParts(const std::string& text, int depth, std::vector<std::string>& out) {
    test::RefEntity entity = test::RefSplit(text);
    std::string type = test::RefMediaType(entity.header);
    if (type.compare(0, 10, "multipart/") == 0 && depth < 8) {
        std::string boundary = test::RefParameter(entity.header, "Content-Type", "boundary");
        for (const std::string& child : test::RefChildren(entity.body, boundary)) {
            RefKeptParts(child, depth + 1, out);
        }
        return;
    }
    bool rendering = type == "text/plain" || type == "text/html" || type == "text/enriched" ||
                     type == "text/richtext";
    std::string disposition = test::RefField(entity.header, "Content-Disposition", nullptr);
    if (!rendering || test::RefLower(disposition).compare(0, 10, "attachment") == 0) {
        out.push_back(text);
    }
}

// The output part with the disposition line the translation adds taken out.
std::string WithoutAddedDisposition(std::string part, const std::string& original) {
    bool has = false;
    (void)test::RefField(test::RefSplit(original).header, "Content-Disposition", &has);
    size_t at = part.find("Content-Disposition: attachment\r\n");
    if (!has && at != std::string::npos) {
        part.erase(at, 33);
    }
    return part;
}

TEST_F(CorpusTest, AlternativesGiveTheirDecodedPlainTextAndKeepTheirOtherParts) {
    int checked = 0;
    int withKeptParts = 0;
    for (const auto& [name, text] : CorpusMessages()) {
        test::RefEntity message = test::RefSplit(text);
        if (test::RefMediaType(message.header) != "multipart/alternative") {
            continue;
        }
        SCOPED_TRACE(name);
        std::string boundary = test::RefParameter(message.header, "Content-Type", "boundary");
        std::vector<std::string> children = test::RefChildren(message.body, boundary);
        size_t plain = children.size();
        for (size_t i = 0; i < children.size(); ++i) {
            if (test::RefMediaType(test::RefSplit(children[i]).header) == "text/plain") {
                plain = i;
            }
        }
        int status = Translate(1, text);
        if (plain == children.size()) {
            EXPECT_EQ(status, 12);
            EXPECT_EQ(test::ReadFileBytes(Output()), "untouched");
            continue;
        }
        ASSERT_EQ(status, 0);
        test::RefEntity plainPart = test::RefSplit(children[plain]);
        std::vector<std::string> kept;
        for (size_t i = 0; i < children.size(); ++i) {
            if (i != plain) {
                RefKeptParts(children[i], 0, kept);
            }
        }
        std::string charset = test::RefParameter(plainPart.header, "Content-Type", "charset");
        std::string textType = "text/plain" + (charset.empty() ? "" : "; charset=" + charset);
        std::string output = test::ReadFileBytes(Output());
        ++checked;
        if (kept.empty()) {
            EXPECT_EQ(output, "Mime-Version: 1.0\r\nContent-Type: " + textType + "\r\n\r\n" +
                                  test::RefDecodedBody(plainPart));
            continue;
        }
        ++withKeptParts;
        test::RefEntity out = test::RefSplit(output);
        EXPECT_EQ(test::RefMediaType(out.header), "multipart/mixed");
        std::vector<std::string> parts =
            test::RefChildren(out.body, test::RefParameter(out.header, "Content-Type", "boundary"));
        ASSERT_EQ(parts.size(), kept.size() + 1);
        EXPECT_EQ(parts[0],
                  "Content-Type: " + textType + "\r\n\r\n" + test::RefDecodedBody(plainPart));
        for (size_t i = 0; i < kept.size(); ++i) {
            EXPECT_EQ(WithoutAddedDisposition(parts[i + 1], kept[i]), kept[i]);
        }
    }
    EXPECT_GT(checked, 10);
    EXPECT_GT(withKeptParts, 0);
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

// Where the value of the header's first field named `name` lies, read
// independently of the model: from after the colon and its blanks to the
// CR LF that no blank follows. found is false when there is none.
struct RefSpan {
    bool found = false;
    size_t start = 0;
    size_t end = 0;
};

RefSpan RefValueSpan(const std::string& text, const std::string& name) {
    size_t line = 0;
    while (line < text.size() && text.compare(line, 2, "\r\n") != 0) {
        size_t end = text.find("\r\n", line);
        while (end != std::string::npos && end + 2 < text.size() &&
               (text[end + 2] == ' ' || text[end + 2] == '\t')) {
            end = text.find("\r\n", end + 2);
        }
        end = end == std::string::npos ? text.size() : end;
        size_t colon = text.find(':', line);
        if (text[line] != ' ' && text[line] != '\t' && colon < end &&
            test::RefLower(text.substr(line, colon - line)) == test::RefLower(name)) {
            size_t start = text.find_first_not_of(" \t", colon + 1);
            return {true, start < end ? start : end, end};
        }
        line = end + 2;
    }
    return {};
}

// The input with [start, end) of each change replaced, up to `kept`.
struct Change {
    size_t start;
    size_t end;
    std::string bytes;
};

std::string Changed(const std::string& text, std::vector<Change> changes, size_t kept) {
    std::sort(changes.begin(), changes.end(),
              [](const Change& a, const Change& b) { return a.start < b.start; });
    std::string out;
    size_t from = 0;
    for (const Change& change : changes) {
        out += text.substr(from, change.start - from) + change.bytes;
        from = change.end;
    }
    return out + text.substr(from, kept - from);
}

// The marker right after the media type of the Content-Type value, and
// `from` at the start of the field's value replaced by `to`.
std::vector<Change> Relabelled(const std::string& text, const std::string& field,
                               const std::string& from, const std::string& to,
                               const std::string& marker) {
    std::vector<Change> changes;
    RefSpan type = RefValueSpan(text, "Content-Type");
    size_t mediaTypeEnd = std::min(text.find_first_of(" \t\r;(", type.start), type.end);
    changes.push_back({mediaTypeEnd, mediaTypeEnd, marker});
    RefSpan span = RefValueSpan(text, field);
    if (span.found && test::RefLower(text.substr(span.start, from.size())) == from) {
        changes.push_back({span.start, span.start + from.size(), to});
    }
    return changes;
}

// The output is the input byte for byte but for the relabelled fields.
TEST_F(CorpusTest, EveryMessageThroughRelated4MixedChangesOnlyItsContentType) {
    int checked = 0;
    for (const auto& [name, text] : CorpusMessages()) {
        SCOPED_TRACE(name);
        if (!RefValueSpan(text, "Content-Type").found) {
            continue;
        }
        MimeTypeRecord* type = nullptr;
        int status = Translate(4, text, &type);
        if (status == 12) {
            EXPECT_EQ(test::ReadFileBytes(Output()), "untouched");
            continue;
        }
        ASSERT_EQ(status, 0);
        EXPECT_STREQ(type->subType, "mixed");
        FreeMimeTypeRecord(type);
        EXPECT_EQ(test::ReadFileBytes(Output()),
                  Changed(text,
                          Relabelled(text, "Content-Type", "multipart/related", "multipart/mixed",
                                     "; related4mixed=yes"),
                          text.size()));
        ++checked;
    }
    EXPECT_GT(checked, 100);
}

// The same for translator 3, which also leaves out the host's extra CR LF
// that ends the input for the message itself.
TEST_F(CorpusTest, EveryMessageThroughInline4AttachmentChangesOnlyTypeAndDisposition) {
    int checked = 0;
    for (const auto& [name, text] : CorpusMessages()) {
        SCOPED_TRACE(name);
        size_t blank = text.compare(0, 2, "\r\n") == 0 ? 0 : text.find("\r\n\r\n");
        if (!RefValueSpan(text, "Content-Type").found || blank == std::string::npos) {
            continue;
        }
        std::string input = text + "\r\n";
        HostInputTailLineEnds = 1;  // the message itself: the host's extra CR LF
        int status = Translate(3, input);
        if (status == 12) {
            EXPECT_EQ(test::ReadFileBytes(Output()), "untouched");
            continue;
        }
        ASSERT_EQ(status, 0);
        size_t bodyStart = blank == 0 ? 2 : blank + 4;
        size_t kept = input.size();
        if (kept >= bodyStart + 2 && input.compare(kept - 2, 2, "\r\n") == 0) {
            kept -= 2;
        }
        EXPECT_EQ(test::ReadFileBytes(Output()),
                  Changed(input,
                          Relabelled(input, "Content-Disposition", "inline", "attachment",
                                     "; inline4attachment=yes"),
                          kept));
        ++checked;
    }
    EXPECT_GT(checked, 100);
}

// Every application/octet-stream entity in the text, read independently.
void CollectOctetEntities(const test::RefEntity& entity, std::vector<test::RefEntity>& found) {
    std::string type = test::RefMediaType(entity.header);
    if (type == "application/octet-stream") {
        found.push_back(entity);
    } else if (type.compare(0, 10, "multipart/") == 0) {
        std::string boundary = test::RefParameter(entity.header, "Content-Type", "boundary");
        for (const std::string& child : test::RefChildren(entity.body, boundary)) {
            CollectOctetEntities(test::RefSplit(child), found);
        }
    }
}

// The entity as the host writes it for a nested part: Mime-Version, the
// part's header, its body as received with the line end of the parent's
// next delimiter, and one more CR LF. The host puts the output's body back
// as the part's content, which must be the attachment's bytes exactly.
TEST_F(CorpusTest, OctetStreamPartsThroughInline4AttachmentKeepBytesAndNames) {
    int checked = 0;
    for (const auto& [name, text] : CorpusMessages()) {
        std::vector<test::RefEntity> parts;
        CollectOctetEntities(test::RefSplit(text), parts);
        for (const test::RefEntity& part : parts) {
            SCOPED_TRACE(name);
            // A part without a blank line: its header's last CR LF was the delimiter's.
            std::string header = part.header;
            if (header.size() >= 2 && header.compare(header.size() - 2, 2, "\r\n") == 0) {
                header.resize(header.size() - 2);
            }
            std::string input =
                "Mime-Version: 1.0\r\n" + header + "\r\n\r\n" + part.body + "\r\n\r\n";
            HostInputTailLineEnds = 2;  // a nested part
            ASSERT_EQ(Translate(3, input), 0);
            test::RefEntity before = test::RefSplit(input);
            test::RefEntity after = test::RefSplit(test::ReadFileBytes(Output()));
            EXPECT_EQ(after.body, part.body);
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
        std::string charset = test::RefParameter(message.header, "Content-Type", "charset");
        // The label names the charset the text is written in.
        LabelledText rendered;
        ASSERT_TRUE(HtmlToLabelledText(test::RefDecodedBody(message), charset, &rendered));
        if (rendered.text.find_first_not_of(" \t\r\n") == std::string::npos) {
            // A text that shows nothing would replace the message.
            EXPECT_EQ(Translate(2, text), 12);
            EXPECT_EQ(test::ReadFileBytes(Output()), "untouched");
            continue;
        }
        ASSERT_EQ(Translate(2, text), 0);
        test::RefEntity out = test::RefSplit(test::ReadFileBytes(Output()));
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
}  // namespace vellumo::test
