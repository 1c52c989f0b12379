#include "html/html_text_options.h"

#include <algorithm>

#include "charset/unicode_text.h"
#include "platform/ascii_class.h"

namespace vellumo {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// The leading "> " markers of a quoted line.
std::string_view QuotePrefix(std::string_view line) {
    size_t at = 0;
    while (at < line.size() && line[at] == '>') {
        ++at;
        if (at < line.size() && line[at] == ' ') {
            ++at;
        }
    }
    return line.substr(0, at);
}

// The length of a list marker at the start of `text`: "* ", "- " or a
// number with a dot and a space; 0 for none.
size_t ListMarkerLength(std::string_view text) {
    if (text.size() >= 2 && (text[0] == '*' || text[0] == '-') && text[1] == ' ') {
        return 2;
    }
    size_t at = 0;
    while (at < text.size() && at < 9 && IsAsciiDigit(text[at])) {
        ++at;
    }
    return at > 0 && text.substr(at, 2) == ". " ? at + 2 : 0;
}

// The indent and list marker after a line's quote markers: continuation
// lines begin that far in, so a wrapped item hangs under its text.
size_t HangingIndent(std::string_view text) {
    size_t at = text.find_first_not_of(' ');
    if (at == std::string_view::npos) {
        return 0;
    }
    return at + ListMarkerLength(text.substr(at));
}

// Whether a line may break at the space `rest[at]`: not before a link's
// reference number ("[12]"), which belongs to the word before it.
bool BreaksAt(std::string_view rest, size_t at) {
    if (at + 1 >= rest.size() || rest[at + 1] != '[') {
        return true;
    }
    size_t end = at + 2;
    while (end < rest.size() && IsAsciiDigit(rest[end])) {
        ++end;
    }
    return end == at + 2 || end >= rest.size() || rest[end] != ']';
}

void WrapLine(std::string_view line, size_t width, std::string& out) {
    const std::string_view prefix = QuotePrefix(line);
    const size_t hang = HangingIndent(line.substr(prefix.size()));
    std::string_view lead = line.substr(prefix.size(), hang);
    const std::string hangingLead(hang, ' ');
    std::string_view rest = line.substr(prefix.size() + hang);
    while (true) {
        const size_t used = prefix.size() + lead.size();
        size_t room = width > used ? width - used : 1;
        size_t count = 0, at = 0, lastSpace = std::string_view::npos;
        for (; at < rest.size(); ++at) {
            if (!IsUtf8ContinuationByte(rest[at]) && ++count > room) {
                break;
            }
            if (rest[at] == ' ' && BreaksAt(rest, at)) {
                lastSpace = at;
            }
        }
        if (at < rest.size() && rest[at] == ' ' && BreaksAt(rest, at)) {
            lastSpace = at;  // a space right after a full line breaks there
        }
        out.append(prefix.data(), prefix.size());
        out.append(lead.data(), lead.size());
        if (at == rest.size() || lastSpace == std::string_view::npos || lastSpace == 0) {
            size_t end = at;
            while (end < rest.size() && !(rest[end] == ' ' && BreaksAt(rest, end))) {
                ++end;
            }
            out.append(rest.data(), end);
            rest.remove_prefix(std::min(end + 1, rest.size()));
        } else {
            out.append(rest.data(), lastSpace);
            rest.remove_prefix(lastSpace + 1);
        }
        if (rest.empty()) {
            return;
        }
        out.append(kLineEnd.data(), kLineEnd.size());
        lead = hangingLead;
    }
}

}  // namespace

std::string WrapTextLines(std::string_view text, int width) {
    if (width <= 0) {
        return std::string(text);
    }
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    while (true) {
        size_t end = text.find(kLineEnd);
        WrapLine(text.substr(0, end), static_cast<size_t>(width), out);
        if (end == std::string_view::npos) {
            return out;
        }
        out.append(kLineEnd.data(), kLineEnd.size());
        text.remove_prefix(end + kLineEnd.size());
    }
}

}  // namespace vellumo
