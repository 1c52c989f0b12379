#include "html/html_text_options.h"

#include "charset/unicode_text.h"

namespace vellumo {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// The length of the blank character at the start of `text`, 0 for none;
// `utf8`: the text is UTF-8, so the characters that show nothing count.
std::size_t BlankLength(std::string_view text, bool utf8) {
    if (text[0] == ' ' || text[0] == '\t') {
        return 1;
    }
    if (utf8) {
        const Utf8Read read = ReadUtf8(text, 0);
        if (read.status == Utf8Status::kValid && ShowsNothing(read.codePoint)) {
            return read.length;
        }
    }
    return 0;
}

bool IsBlankLine(std::string_view line, bool utf8) {
    while (!line.empty()) {
        const std::size_t length = BlankLength(line, utf8);
        if (length == 0) {
            return false;
        }
        line.remove_prefix(length);
    }
    return true;
}

}  // namespace

std::string TidyTextLines(std::string_view text, bool utf8) {
    std::string out;
    out.reserve(text.size());
    bool blankPending = false;
    while (true) {
        const std::size_t end = text.find(kLineEnd);
        const std::string_view line = text.substr(0, end);
        if (IsBlankLine(line, utf8)) {
            blankPending = !out.empty();
        } else {
            if (!out.empty()) {
                out.append(blankPending ? "\r\n\r\n" : "\r\n");
            }
            out.append(line.data(), line.find_last_not_of(" \t") + 1);
            blankPending = false;
        }
        if (end == std::string_view::npos) {
            return out;
        }
        text.remove_prefix(end + kLineEnd.size());
    }
}

}  // namespace vellumo
