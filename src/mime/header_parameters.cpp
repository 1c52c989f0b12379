// Parameters of a header field value: `type/subtype; name=value name="value"`.
#include <cstring>

#include "mime/byte_scan.h"
#include "mime/header_chars.h"
#include "mime/header_field.h"

namespace vellumo {

namespace {

// Length of an unquoted parameter value starting at `start`: bytes above 0x20
// that are not specials. The full stop is an ordinary token byte in MIME and
// does not end the value (boundary=abc.def is read whole). Nor does "=":
// unquoted boundaries such as ----=_Part_1 are common, and cutting them
// would make the rewritten message's delimiters differ from its header.
size_t UnquotedValueLength(std::string_view value, size_t start) {
    size_t end = start;
    while (end < value.size()) {
        const unsigned char c = static_cast<unsigned char>(value[end]);
        if (c <= 0x20 || (c != '.' && c != '=' && IsHeaderSpecial(c))) {
            break;
        }
        ++end;
    }
    return end - start;
}

// Length of the raw value at `start`: a quoted string through its closing
// quote (no escapes), else an unquoted run. An opening quote without a
// closing one yields an empty value, as the quote is a special.
size_t RawParameterValueLength(std::string_view value, size_t start) {
    if (start < value.size() && value[start] == '"') {
        const size_t close = value.find('"', start + 1);
        if (close != std::string_view::npos) {
            return close - start + 1;
        }
    }
    return UnquotedValueLength(value, start);
}

// The candidate name matches when its first bytes equal the wanted name and
// the byte after them is white space or "=".
bool CandidateNameMatches(std::string_view value, size_t candidate, size_t equals,
                          std::string_view wanted) {
    if (equals - candidate < wanted.size()) {
        return false;
    }
    if (!EqualsIgnoringAsciiCase(value.data() + candidate, wanted.data(), wanted.size())) {
        return false;
    }
    const unsigned char after = static_cast<unsigned char>(value[candidate + wanted.size()]);
    return after == '=' || IsHeaderSpace(after);
}

}  // namespace

// A name is compared against the text that starts where the previous raw
// value ended, so a bare word without "=" takes the next parameter's "=" and
// hides that parameter; mail software has always read it that way.
bool HeaderField::FindParameter(std::string_view parameterName, int& offset, int& length) const {
    const std::string_view value = RawValue();
    size_t position = value.find(';');
    while (position != std::string_view::npos && position < value.size()) {
        while (position < value.size() &&
               (value[position] == ';' ||
                IsHeaderSpace(static_cast<unsigned char>(value[position])))) {
            ++position;
        }
        const size_t candidate = position;
        const size_t equals = value.find('=', candidate);
        if (equals == std::string_view::npos) {
            return false;
        }
        const size_t rawStart = equals + 1;
        const size_t rawLength = RawParameterValueLength(value, rawStart);
        if (CandidateNameMatches(value, candidate, equals, parameterName)) {
            offset = static_cast<int>(rawStart);
            length = static_cast<int>(rawLength);
            return true;
        }
        position = rawStart + rawLength;
    }
    return false;
}

bool HeaderField::GetParameter(std::string_view parameterName, std::string& out) const {
    int offset = 0;
    int length = 0;
    if (!FindParameter(parameterName, offset, length)) {
        out.clear();
        return false;
    }
    const char* raw = RawValue().data() + offset;
    if (length > 0 && raw[0] == '"') {
        ++raw;
        --length;
        if (length > 0 && raw[length - 1] == '"') {
            --length;
        }
    }
    out.assign(raw, static_cast<size_t>(length));
    return true;
}

void HeaderField::GetBareValue(std::string& out) const {
    const std::string_view value = RawValue();
    const size_t semicolon = value.find(';');
    if (semicolon == std::string_view::npos) {
        out.assign(value.data(), value.size());
        return;
    }
    size_t end = semicolon;
    while (end > 0 && IsHeaderSpace(static_cast<unsigned char>(value[end - 1]))) {
        --end;
    }
    out.assign(value.data(), end);
}

}  // namespace vellumo
