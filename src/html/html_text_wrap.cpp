#include "html/html_text_options.h"

#include <algorithm>

namespace vellumo {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

bool StartsCharacter(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
}

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

void WrapLine(std::string_view line, size_t width, std::string& out) {
    std::string_view prefix = QuotePrefix(line);
    std::string_view rest = line.substr(prefix.size());
    while (true) {
        size_t room = width > prefix.size() ? width - prefix.size() : 1;
        size_t count = 0, at = 0, lastSpace = std::string_view::npos;
        for (; at < rest.size(); ++at) {
            if (StartsCharacter(rest[at]) && ++count > room) {
                break;
            }
            if (rest[at] == ' ') {
                lastSpace = at;
            }
        }
        if (at < rest.size() && rest[at] == ' ') {
            lastSpace = at;  // a space right after a full line breaks there
        }
        out.append(prefix.data(), prefix.size());
        if (at == rest.size() || lastSpace == std::string_view::npos || lastSpace == 0) {
            size_t end = at == rest.size() ? at : rest.find(' ', at);
            end = end == std::string_view::npos ? rest.size() : end;
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
