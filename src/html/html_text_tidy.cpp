#include "html/html_text_options.h"

namespace vellumo {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Characters that show nothing, in UTF-8: the no-break space and the other
// Unicode spaces, the zero-width characters, the soft hyphen and the
// grapheme joiner. Newsletters pad their hidden preview lines with them.
constexpr std::string_view kBlankCharacters[] = {
    "\xC2\xA0",     "\xC2\xAD",     "\xCD\x8F",     "\xE2\x80\x80", "\xE2\x80\x81", "\xE2\x80\x82",
    "\xE2\x80\x83", "\xE2\x80\x84", "\xE2\x80\x85", "\xE2\x80\x86", "\xE2\x80\x87", "\xE2\x80\x88",
    "\xE2\x80\x89", "\xE2\x80\x8A", "\xE2\x80\x8B", "\xE2\x80\x8C", "\xE2\x80\x8D", "\xE2\x80\xAF",
    "\xE2\x81\x9F", "\xE2\x81\xA0", "\xE3\x80\x80", "\xEF\xBB\xBF",
};

// The length of the blank character at the start of `text`, 0 for none.
std::size_t BlankLength(std::string_view text, bool utf8) {
    if (text[0] == ' ' || text[0] == '\t') {
        return 1;
    }
    if (utf8) {
        for (std::string_view blank : kBlankCharacters) {
            if (text.substr(0, blank.size()) == blank) {
                return blank.size();
            }
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
