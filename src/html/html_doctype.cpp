#include "html/html_doctype.h"

#include <string>

#include "html/html_white_space.h"
#include "platform/ascii_case.h"

namespace vellumo {
namespace {

// Public identifier prefixes that mean quirks mode (the common families of
// the standard's list).
constexpr std::string_view kQuirksPublicPrefixes[] = {
    "+//silmaril//dtd html pro v0r11 19970101//",
    "-//as//dtd html 3.0 aswedit + extensions//",
    "-//advasoft ltd//dtd html 3.0 aswedit + extensions//",
    "-//ietf//dtd html",
    "-//metrius//dtd metrius presentational//",
    "-//microsoft//dtd internet explorer",
    "-//netscape comm. corp.//dtd",
    "-//o'reilly and associates//dtd html",
    "-//softquad",
    "-//spyglass//dtd html 2.0 extended//",
    "-//sq//dtd html 2.0 hotmetal + extensions//",
    "-//sun microsystems corp.//dtd hotjava",
    "-//w3c//dtd html 3",
    "-//w3c//dtd html 4.0 frameset//",
    "-//w3c//dtd html 4.0 transitional//",
    "-//w3c//dtd html experimental",
    "-//w3c//dtd w3 html//",
    "-//w3o//dtd w3 html",
    "-//webtechs//dtd mozilla html",
};

// Quirks only when no system identifier follows.
constexpr std::string_view kQuirksWithoutSystemId[] = {
    "-//w3c//dtd html 4.01 frameset//",
    "-//w3c//dtd html 4.01 transitional//",
};

// The next quoted string at or after `pos`, or empty with found false.
std::string_view NextQuoted(std::string_view text, std::size_t* pos, bool* found) {
    *found = false;
    const std::size_t open = text.find_first_of("\"'", *pos);
    if (open == std::string_view::npos) {
        return {};
    }
    const std::size_t close = text.find(text[open], open + 1);
    const std::size_t end = close == std::string_view::npos ? text.size() : close;
    *pos = close == std::string_view::npos ? text.size() : close + 1;
    *found = true;
    return text.substr(open + 1, end - open - 1);
}

}  // namespace

bool IsQuirksDoctype(std::string_view doctype) {
    const std::string text = LowerAsciiCopy(doctype);
    std::size_t pos = 0;
    while (pos < text.size() && IsHtmlWhiteSpace(text[pos])) {
        ++pos;
    }
    std::size_t nameEnd = pos;
    while (nameEnd < text.size() && !IsHtmlWhiteSpace(text[nameEnd])) {
        ++nameEnd;
    }
    if (text.compare(pos, nameEnd - pos, "html") != 0) {
        return true;
    }
    const std::string_view rest = std::string_view(text).substr(nameEnd);
    const std::size_t keyword = rest.find("public");
    if (keyword == std::string_view::npos) {
        return rest.find("system") != std::string_view::npos &&
               rest.find("http://www.ibm.com/data/dtd/v11/ibmxhtml1-transitional.dtd") !=
                   std::string_view::npos;
    }
    std::size_t cursor = keyword + 6;
    bool found = false;
    const std::string_view publicId = NextQuoted(rest, &cursor, &found);
    bool hasSystemId = false;
    NextQuoted(rest, &cursor, &hasSystemId);
    if (publicId == "-//w3o//dtd w3 html strict 3.0//en//" || publicId == "html") {
        return true;
    }
    for (std::string_view prefix : kQuirksPublicPrefixes) {
        if (publicId.substr(0, prefix.size()) == prefix) {
            return true;
        }
    }
    for (std::string_view prefix : kQuirksWithoutSystemId) {
        if (!hasSystemId && publicId.substr(0, prefix.size()) == prefix) {
            return true;
        }
    }
    return false;
}

}  // namespace vellumo
