// Renders every HTML file of the corpus with the charset its browser
// reference was decoded with and compares the text with what a real
// browser returned as document.body.innerText.
#include <gtest/gtest.h>
#include <iconv.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "charset/charset.h"
#include "html/html_renderer.h"
#include "html/html_sequence_matcher.h"

namespace vellumo::test {
namespace {

constexpr const char kCorpus[] = VELLUMO_TEST_DATA_DIR "/corpus/";
constexpr double kMinTokenSimilarity = 0.985;
constexpr double kMinLineSimilarity = 0.96;
constexpr std::size_t kWorstShown = 5;

struct ManifestRow {
    std::string file;
    std::string charset;
    std::string reference;
};

bool ReadFile(const std::string& path, std::string* out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    *out = buffer.str();
    return true;
}

std::vector<ManifestRow> ReadManifest() {
    std::string text;
    std::vector<ManifestRow> rows;
    if (!ReadFile(std::string(kCorpus) + "html-innertext/MANIFEST.tsv", &text)) {
        return rows;
    }
    std::istringstream lines(text);
    std::string line;
    std::getline(lines, line);  // column names
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const std::size_t first = line.find('\t');
        const std::size_t second = line.find('\t', first + 1);
        if (first == std::string::npos || second == std::string::npos) {
            continue;
        }
        rows.push_back({line.substr(0, first), line.substr(first + 1, second - first - 1),
                        line.substr(second + 1)});
    }
    return rows;
}

// What a browser makes of `bytes` in `charset`, as UTF-8. Charsets the
// renderer has tables for use them (windows-1252 keeps its five undefined
// bytes as the C1 controls, as browsers do); others go through iconv.
std::string BrowserDecode(const std::string& bytes, const std::string& charset) {
    const HtmlCharset known = ResolveHtmlCharset(charset);
    if (known.kind != CharsetKind::kOpaque) {
        return DecodeToUtf8(known, bytes);
    }
    iconv_t converter = iconv_open("UTF-8", charset.c_str());
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return DecodeToUtf8(known, bytes);
    }
    std::string in = bytes;
    std::string out(bytes.size() * 4 + 16, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    std::size_t inLeft = in.size();
    std::size_t outLeft = out.size();
    while (inLeft > 0 &&
           iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
        ++inPtr;  // skip what cannot be converted
        --inLeft;
    }
    iconv_close(converter);
    out.resize(out.size() - outLeft);
    return out;
}

struct Score {
    std::string file;
    double tokens = 0;
    double lines = 0;
    bool exact = false;  // byte for byte the browser's text
};

TEST(HtmlBrowserAgreement, CorpusMatchesBrowserInnerText) {
    const std::vector<ManifestRow> rows = ReadManifest();
    ASSERT_FALSE(rows.empty()) << "corpus manifest missing under " << kCorpus;
    std::vector<Score> scores;
    for (const ManifestRow& row : rows) {
        SCOPED_TRACE(row.file);
        std::string html;
        std::string expected;
        ASSERT_TRUE(ReadFile(std::string(kCorpus) + "html/" + row.file, &html));
        ASSERT_TRUE(ReadFile(std::string(kCorpus) + "html-innertext/" + row.reference, &expected));
        const std::string actual = BrowserDecode(RenderHtmlText(html, row.charset), row.charset);
        Score score;
        score.file = row.file;
        score.tokens = SequenceMatcher(SplitWords(actual), SplitWords(expected)).Ratio();
        score.lines = SequenceMatcher(NormalisedLines(actual), NormalisedLines(expected)).Ratio();
        score.exact = actual == expected;
        scores.push_back(score);
    }
    double tokenSum = 0;
    double lineSum = 0;
    for (const Score& score : scores) {
        tokenSum += score.tokens;
        lineSum += score.lines;
    }
    const double tokenMean = tokenSum / scores.size();
    const double lineMean = lineSum / scores.size();
    std::sort(scores.begin(), scores.end(), [](const Score& a, const Score& b) {
        if (a.tokens + a.lines != b.tokens + b.lines) {
            return a.tokens + a.lines < b.tokens + b.lines;
        }
        return !a.exact && b.exact;
    });
    const auto exact =
        std::count_if(scores.begin(), scores.end(), [](const Score& s) { return s.exact; });
    std::printf("browser agreement over %zu files: tokens %.4f, lines %.4f, identical %zu\n",
                scores.size(), tokenMean, lineMean, static_cast<std::size_t>(exact));
    for (std::size_t i = 0; i < std::min(kWorstShown, scores.size()); ++i) {
        std::printf("  worst %zu: %s tokens %.4f lines %.4f%s\n", i + 1, scores[i].file.c_str(),
                    scores[i].tokens, scores[i].lines, scores[i].exact ? "" : " (not identical)");
    }
    EXPECT_GE(tokenMean, kMinTokenSimilarity);
    EXPECT_GE(lineMean, kMinLineSimilarity);
}

}  // namespace
}  // namespace vellumo::test
