#include "translate/raw_header_value.h"

#include "mime/header_field.h"
#include "platform/ascii_case.h"

namespace vellumo {
namespace {

// The value part of the bytes one field consumed: stray continuation lines
// before it are skipped as the field reader skips them.
std::string RawValueOf(std::string_view line) {
    size_t at = 0;
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) {
        size_t end = line.find("\r\n", at);
        at = end == std::string_view::npos ? line.size() : end + 2;
    }
    size_t colon = at;
    while (colon < line.size() && line[colon] != ':' && line[colon] != '\r' &&
           line[colon] != '\n' && line[colon] != '\0') {
        ++colon;
    }
    size_t start = colon < line.size() && line[colon] == ':' ? colon + 1 : at;
    while (start < line.size() && (line[start] == ' ' || line[start] == '\t')) {
        ++start;
    }
    size_t end = line.size();
    if (end - start >= 2 && line.substr(end - 2) == "\r\n") {
        end -= 2;
    }
    return std::string(line.substr(start, end > start ? end - start : 0));
}

}  // namespace

bool FindRawFieldValue(const char* text, int length, std::string_view name, std::string& raw) {
    int position = 0;
    while (position < length && text[position] != '\r' && text[position] != '\0') {
        HeaderField field;
        int consumed = field.ParseLine(text + position, length - position);
        if (consumed <= 0) {
            return false;
        }
        if (EqualsIgnoringAsciiCase(field.name, name)) {
            raw = RawValueOf(std::string_view(text + position, static_cast<size_t>(consumed)));
            return true;
        }
        position += consumed;
    }
    return false;
}

}  // namespace vellumo
