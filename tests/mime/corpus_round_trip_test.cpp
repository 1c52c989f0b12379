// Whole real messages: parse, write back, parse again.
#include <gtest/gtest.h>

#include <dirent.h>
#include <algorithm>
#include <string>
#include <vector>

#include "mime/mime_message.h"
#include "mime/tree_digest.h"
#include "platform/files.h"
#include "platform/line_ends.h"

namespace vellumo::test {
namespace {

const char kCorpusFolder[] = VELLUMO_TEST_DATA_DIR "/corpus/messages/";

std::vector<std::string> CorpusFiles() {
    std::vector<std::string> names;
    DIR* folder = opendir(kCorpusFolder);
    if (folder == nullptr) {
        return names;
    }
    while (const dirent* entry = readdir(folder)) {
        const std::string name = entry->d_name;
        if (name != "." && name != ".." && name != "MANIFEST.tsv" && name != "README.md") {
            names.push_back(name);
        }
    }
    closedir(folder);
    std::sort(names.begin(), names.end());
    return names;
}

// The host hands the plug-in files with CR LF line ends; corpus files keep
// the line ends of their sources, so bare LF becomes CR LF here.
std::string WriteMessage(const MimeMessage& message) {
    const int size = message.GetSize();
    std::string out(static_cast<size_t>(size), '\0');
    const int count = message.Write(out.data(), size);
    EXPECT_GT(count, 0);
    EXPECT_LE(count, size);
    out.resize(count > 0 ? static_cast<size_t>(count) : 0);
    return out;
}

struct RoundTrip {
    bool sameTree = false;
    bool stableText = false;
    int parseResult = 0;
    std::string written;
};

RoundTrip RunRoundTrip(const std::string& text) {
    RoundTrip result;
    MimeMessage first;
    result.parseResult = first.Parse(text.c_str(), static_cast<int>(text.size()));
    result.written = WriteMessage(first);
    MimeMessage second;
    (void)second.Parse(result.written.c_str(), static_cast<int>(result.written.size()));
    result.sameTree = TreeDigest(first) == TreeDigest(second);
    result.stableText = WriteMessage(second) == result.written;
    return result;
}

bool AllBodiesUnencoded(const MimePart& part) {
    const std::string name = part.GetTransferEncodingName();
    if (name.size() > 0 && (name[0] == 'b' || name[0] == 'B' || name[0] == 'q' || name[0] == 'Q')) {
        return false;
    }
    for (const auto& child : part.children) {
        if (!AllBodiesUnencoded(*child)) {
            return false;
        }
    }
    return true;
}

// The content lines of a text: every line except empty lines and
// close-delimiter lines ("--" ... "--").
std::vector<std::string> ContentLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) {
            line.pop_back();
        }
        const bool closeDelimiter = line.size() >= 4 && line.compare(0, 2, "--") == 0 &&
                                    line.compare(line.size() - 2, 2, "--") == 0;
        if (!line.empty() && !closeDelimiter) {
            lines.push_back(line);
        }
        start = end + 2;
    }
    return lines;
}

TEST(CorpusRoundTrip, EveryMessageParsesWritesAndParsesToTheSameTree) {
    const std::vector<std::string> files = CorpusFiles();
    ASSERT_FALSE(files.empty()) << "corpus not found from " << kCorpusFolder;
    int passed = 0;
    for (const std::string& name : files) {
        SCOPED_TRACE(name);
        std::string raw;
        ASSERT_TRUE(ReadWholeFile(kCorpusFolder + name, raw));
        const RoundTrip crlf = RunRoundTrip(WithCrLf(raw));
        const RoundTrip asIs = RunRoundTrip(raw);
        EXPECT_TRUE(crlf.sameTree);
        EXPECT_TRUE(crlf.stableText);
        EXPECT_TRUE(asIs.sameTree);
        EXPECT_TRUE(asIs.stableText);
        if (crlf.sameTree && crlf.stableText && asIs.sameTree && asIs.stableText) {
            ++passed;
        }
    }
    std::printf("corpus round trip: %d of %zu messages\n", passed, files.size());
}

// With every body unencoded the codecs reproduce bodies, and fields read are
// written as read, so the text comes back as it was up to the end of the
// last close delimiter. Where a message is not clean the writer's own layout
// rules may add or drop only empty lines and close-delimiter lines (a blank
// line after a header that had none, a CR LF or close delimiter the input
// lacked, an empty line after a nested close delimiter, the close delimiter of
// a multipart that had no child).
TEST(CorpusRoundTrip, UnencodedMessagesWrittenAsRead) {
    int identical = 0;
    int layoutOnly = 0;
    int candidates = 0;
    for (const std::string& name : CorpusFiles()) {
        SCOPED_TRACE(name);
        std::string raw;
        ASSERT_TRUE(ReadWholeFile(kCorpusFolder + name, raw));
        const std::string text = WithCrLf(raw);
        MimeMessage message;
        const int consumed = message.Parse(text.c_str(), static_cast<int>(text.size()));
        if (!AllBodiesUnencoded(message)) {
            continue;
        }
        ++candidates;
        const std::string written = WriteMessage(message);
        const std::string input =
            text.substr(0, std::min(text.size(), static_cast<size_t>(consumed)));
        if (written == input) {
            ++identical;
            continue;
        }
        EXPECT_EQ(ContentLines(written), ContentLines(input));
        ++layoutOnly;
        std::printf("layout differs: %s\n", name.c_str());
    }
    std::printf("unencoded corpus messages: %d of %d identical, %d differ in layout lines only\n",
                identical, candidates, layoutOnly);
}

}  // namespace
}  // namespace vellumo::test
