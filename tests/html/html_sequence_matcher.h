// Similarity of two token sequences as Python's difflib.SequenceMatcher
// computes ratio() (no junk function, automatic junk heuristic on), so the
// browser-agreement figures match what a difflib script reports.
#ifndef VELLUMO_TESTS_CODEC_HTML_SEQUENCE_MATCHER_H
#define VELLUMO_TESTS_CODEC_HTML_SEQUENCE_MATCHER_H

#include <cstddef>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

namespace vellumo::test {

class SequenceMatcher {
  public:
    SequenceMatcher(const std::vector<std::string>& a, const std::vector<std::string>& b) {
        std::unordered_map<std::string, int> ids;
        auto intern = [&ids](const std::string& s) {
            return ids.emplace(s, static_cast<int>(ids.size())).first->second;
        };
        for (const std::string& s : a) {
            a_.push_back(intern(s));
        }
        for (const std::string& s : b) {
            b_.push_back(intern(s));
        }
        for (std::size_t j = 0; j < b_.size(); ++j) {
            b2j_[b_[j]].push_back(j);
        }
        // difflib's autojunk: in sequences of 200 or more, elements that make up
        // more than 1% are not used to start matches.
        if (b_.size() >= 200) {
            const std::size_t limit = b_.size() / 100 + 1;
            for (auto it = b2j_.begin(); it != b2j_.end();) {
                it = it->second.size() > limit ? b2j_.erase(it) : std::next(it);
            }
        }
    }

    double Ratio() const {
        const std::size_t total = a_.size() + b_.size();
        return total == 0 ? 1.0 : 2.0 * static_cast<double>(Matches()) / total;
    }

  private:
    using Range = std::tuple<std::size_t, std::size_t, std::size_t, std::size_t>;

    std::size_t Matches() const {
        std::size_t matched = 0;
        std::vector<Range> queue{{0, a_.size(), 0, b_.size()}};
        while (!queue.empty()) {
            const auto [alo, ahi, blo, bhi] = queue.back();
            queue.pop_back();
            std::size_t i = 0;
            std::size_t j = 0;
            const std::size_t k = LongestMatch(alo, ahi, blo, bhi, &i, &j);
            if (k == 0) {
                continue;
            }
            matched += k;
            if (alo < i && blo < j) {
                queue.emplace_back(alo, i, blo, j);
            }
            if (i + k < ahi && j + k < bhi) {
                queue.emplace_back(i + k, ahi, j + k, bhi);
            }
        }
        return matched;
    }

    std::size_t LongestMatch(std::size_t alo, std::size_t ahi, std::size_t blo, std::size_t bhi,
                             std::size_t* besti, std::size_t* bestj) const {
        *besti = alo;
        *bestj = blo;
        std::size_t best = 0;
        std::unordered_map<std::size_t, std::size_t> lengths;
        std::unordered_map<std::size_t, std::size_t> next;
        for (std::size_t i = alo; i < ahi; ++i) {
            next.clear();
            auto found = b2j_.find(a_[i]);
            if (found != b2j_.end()) {
                for (std::size_t j : found->second) {
                    if (j < blo) {
                        continue;
                    }
                    if (j >= bhi) {
                        break;
                    }
                    auto previous = j > 0 ? lengths.find(j - 1) : lengths.end();
                    const std::size_t k = (previous == lengths.end() ? 0 : previous->second) + 1;
                    next[j] = k;
                    if (k > best) {
                        *besti = i + 1 - k;
                        *bestj = j + 1 - k;
                        best = k;
                    }
                }
            }
            lengths.swap(next);
        }
        while (*besti > alo && *bestj > blo && a_[*besti - 1] == b_[*bestj - 1]) {
            --*besti;
            --*bestj;
            ++best;
        }
        while (*besti + best < ahi && *bestj + best < bhi &&
               a_[*besti + best] == b_[*bestj + best]) {
            ++best;
        }
        return best;
    }

    std::vector<int> a_;
    std::vector<int> b_;
    std::unordered_map<int, std::vector<std::size_t>> b2j_;
};

// Splits UTF-8 text at white space as Python's str.split() does (ASCII white
// space, the separators 0x1C-0x1F, U+0085, U+00A0 and the Unicode spaces).
inline std::vector<std::string> SplitWords(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    std::size_t pos = 0;
    auto flush = [&]() {
        if (!word.empty()) {
            words.push_back(word);
            word.clear();
        }
    };
    while (pos < text.size()) {
        const auto c = static_cast<unsigned char>(text[pos]);
        std::size_t length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        if (pos + length > text.size()) {
            length = text.size() - pos;
        }
        char32_t cp = c;
        if (length == 2) {
            cp = ((c & 0x1F) << 6) | (text[pos + 1] & 0x3F);
        } else if (length == 3) {
            cp = ((c & 0x0F) << 12) | ((text[pos + 1] & 0x3F) << 6) | (text[pos + 2] & 0x3F);
        }
        const bool space = cp == ' ' || (cp >= 0x09 && cp <= 0x0D) || (cp >= 0x1C && cp <= 0x1F) ||
                           cp == 0x85 || cp == 0xA0 || cp == 0x1680 ||
                           (cp >= 0x2000 && cp <= 0x200A) || cp == 0x2028 || cp == 0x2029 ||
                           cp == 0x202F || cp == 0x205F || cp == 0x3000;
        if (space) {
            flush();
        } else {
            word.append(text, pos, length);
        }
        pos += length;
    }
    flush();
    return words;
}

// The non-empty lines of `text` with their white space collapsed.
inline std::vector<std::string> NormalisedLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string joined;
        for (const std::string& word : SplitWords(text.substr(start, end - start))) {
            joined += joined.empty() ? word : " " + word;
        }
        if (!joined.empty()) {
            lines.push_back(joined);
        }
        start = end + 1;
    }
    return lines;
}

}  // namespace vellumo::test

#endif  // VELLUMO_TESTS_CODEC_HTML_SEQUENCE_MATCHER_H
