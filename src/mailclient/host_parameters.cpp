#include "mailclient/host_parameters.h"

#include <utility>

#include "host/header_text_parameter.h"
#include "platform/ascii_class.h"

namespace vellumo {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// Where the next parameter starts: after the next ";" outside quotes.
size_t NextParameter(std::string_view value, size_t at) {
    const size_t separator = FindParameterSeparator(value, at);
    return separator == std::string_view::npos ? value.size() : separator + 1;
}

size_t SkipBlanksAndFolds(std::string_view value, size_t at) {
    while (at < value.size() && (IsBlank(value[at]) || IsLineEnd(value[at]))) {
        ++at;
    }
    return at;
}

std::string_view TrimmedName(std::string_view name) {
    while (!name.empty() && (IsBlank(name.back()) || IsLineEnd(name.back()))) {
        name.remove_suffix(1);
    }
    return name;
}

// Reads a quoted value from the quote at `at`; returns where it ended.
size_t ReadQuoted(std::string_view value, size_t at, std::string& out) {
    for (++at; at < value.size() && value[at] != '"'; ++at) {
        if (value[at] == '\\' && at + 1 < value.size()) {
            ++at;
        }
        out += value[at];
    }
    return at < value.size() ? at + 1 : at;
}

// Reads a value that is not quoted. At a blank the rest of the line goes,
// and `cut` tells that the next line starts afresh.
size_t ReadBare(std::string_view value, size_t at, std::string& out, bool& cut) {
    while (at < value.size() && value[at] != ';' && !IsBlank(value[at]) && !IsLineEnd(value[at])) {
        out += value[at++];
    }
    cut = at < value.size() && IsBlank(value[at]);
    while (cut && at < value.size() && !IsLineEnd(value[at])) {
        ++at;
    }
    return at;
}

// "!#$%&'*+-^_`{|}~": atom characters of RFC 822 the host writes bare.
bool IsBareByte(char c) {
    constexpr std::string_view kBareMarks = "!#$%&'*+-^_`{|}~";
    return IsAsciiAlphaNumeric(c) || c == ' ' || kBareMarks.find(c) != std::string_view::npos;
}

}  // namespace

HostParameters ReadHostParameters(std::string_view value) {
    HostParameters parameters;
    for (size_t at = NextParameter(value, 0); at < value.size();) {
        const size_t nameStart = SkipBlanksAndFolds(value, at);
        const size_t equals = value.find_first_of("=;", nameStart);
        if (equals == std::string_view::npos || value[equals] == ';') {
            at = equals == std::string_view::npos ? value.size() : equals + 1;
            continue;
        }
        std::string text;
        bool cut = false;
        const size_t valueStart = SkipBlanksAndFolds(value, equals + 1);
        at = valueStart < value.size() && value[valueStart] == '"'
                 ? ReadQuoted(value, valueStart, text)
                 : ReadBare(value, valueStart, text, cut);
        parameters.emplace_back(
            std::string(TrimmedName(value.substr(nameStart, equals - nameStart))), std::move(text));
        at = cut ? at : NextParameter(value, at);
    }
    return parameters;
}

std::string HostQuotedValue(std::string_view value) {
    bool bare = true;
    for (char c : value) {
        bare = bare && IsBareByte(c);
    }
    if (bare) {
        return std::string(value);
    }
    std::string out = "\"";
    for (char c : value) {
        if (c == '"') {
            out += '\\';
        }
        out += c;
    }
    return out + "\"";
}

}  // namespace vellumo
