#pragma once
// The mail client stores every message with CR LF line ends; files saved
// elsewhere often have bare LF.

#include <string>
#include <string_view>

namespace vellumo {

// The text with every LF that has no CR before it turned into CR LF.
inline std::string WithCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 32);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            out += '\r';
        }
        out += text[i];
    }
    return out;
}

// The text with every CR LF turned into a bare LF, for files that are to
// have the line ends of the system they are written on.
inline std::string WithLf(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
            out += text[i];
        }
    }
    return out;
}

}  // namespace vellumo
