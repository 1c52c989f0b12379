#include "host/header_text_parameter.h"

#include "platform/ascii_case.h"

namespace vellumo {
namespace {

constexpr std::string_view kBlanks = " \t\r\n";

bool IsBlank(char c) {
    return kBlanks.find(c) != std::string_view::npos;
}

// The end of the field that starts at `at`: the line end that no blank or
// tab follows (a fold continues the field), or the end of the text.
size_t FieldEnd(std::string_view text, size_t at) {
    size_t end = text.find('\n', at);
    while (end != std::string_view::npos && end + 1 < text.size() &&
           (text[end + 1] == ' ' || text[end + 1] == '\t')) {
        end = text.find('\n', end + 1);
    }
    return end == std::string_view::npos ? text.size() : end + 1;
}

// True, with its value, when the field line is named `name`.
bool FieldValue(std::string_view line, std::string_view name, std::string_view& value) {
    size_t colon = line.find(':');
    if (colon == std::string_view::npos) {
        return false;
    }
    std::string_view fieldName = line.substr(0, colon);
    while (!fieldName.empty() && IsBlank(fieldName.back())) {
        fieldName.remove_suffix(1);
    }
    value = line.substr(colon + 1);
    return EqualsIgnoringAsciiCase(fieldName, name);
}

// Whether the parameter that starts after a ";" at `at` is named `name`.
bool NamesParameter(std::string_view value, size_t at, std::string_view name) {
    while (at < value.size() && IsBlank(value[at])) {
        ++at;
    }
    if (value.compare(at, name.size(), name) != 0) {
        return false;
    }
    at += name.size();
    while (at < value.size() && IsBlank(value[at])) {
        ++at;
    }
    return at < value.size() && value[at] == '=';
}

bool ValueHasParameter(std::string_view value, std::string_view name) {
    for (size_t at = FindParameterSeparator(value); at != std::string_view::npos;
         at = FindParameterSeparator(value, at + 1)) {
        if (NamesParameter(value, at + 1, name)) {
            return true;
        }
    }
    return false;
}

}  // namespace

size_t FindParameterSeparator(std::string_view value, size_t from) {
    bool quoted = false;
    for (size_t at = from; at < value.size(); ++at) {
        const char c = value[at];
        if (quoted && c == '\\') {
            ++at;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && c == ';') {
            return at;
        }
    }
    return std::string_view::npos;
}

bool HeaderTextHasParameter(std::string_view headerText, std::string_view field,
                            std::string_view parameter) {
    for (size_t at = 0; at < headerText.size();) {
        const size_t end = FieldEnd(headerText, at);
        std::string_view value;
        if (FieldValue(headerText.substr(at, end - at), field, value) &&
            ValueHasParameter(value, parameter)) {
            return true;
        }
        at = end;
    }
    return false;
}

}  // namespace vellumo
