// Parameters of a header field value: `type/subtype; name=value name="value"`.
#include <cstring>

#include "mime/byte_scan.h"
#include "mime/header_chars.h"
#include "mime/header_field.h"
#include "mime/header_parameters.h"

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
bool FindParameterInValue(std::string_view value, std::string_view parameterName, size_t& offset,
                          size_t& length) {
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
            offset = rawStart;
            length = rawLength;
            return true;
        }
        position = rawStart + rawLength;
    }
    return false;
}

bool ParameterOfValue(std::string_view value, std::string_view parameterName, std::string& out) {
    size_t offset = 0;
    size_t length = 0;
    if (!FindParameterInValue(value, parameterName, offset, length)) {
        out.clear();
        return false;
    }
    std::string_view raw = value.substr(offset, length);
    if (!raw.empty() && raw.front() == '"') {
        raw.remove_prefix(1);
        if (!raw.empty() && raw.back() == '"') {
            raw.remove_suffix(1);
        }
    }
    out.assign(raw.data(), raw.size());
    return true;
}

std::string_view BareValueOf(std::string_view value) {
    const size_t semicolon = value.find(';');
    if (semicolon == std::string_view::npos) {
        return value;
    }
    size_t end = semicolon;
    while (end > 0 && IsHeaderSpace(static_cast<unsigned char>(value[end - 1]))) {
        --end;
    }
    return value.substr(0, end);
}

std::string MainTypeOfValue(std::string_view contentType) {
    return std::string(contentType.substr(0, contentType.find('/')));
}

std::string SubTypeOfValue(std::string_view contentType) {
    const std::string_view bare = BareValueOf(contentType);
    const size_t slash = bare.find('/');
    return slash == std::string_view::npos ? std::string() : std::string(bare.substr(slash + 1));
}

// Real mail carries "quoted-printable;" and "base64 (comment)"; a name that
// keeps such a tail would fall back to no decoding at all.
std::string TransferEncodingNameOfValue(std::string_view value) {
    size_t end = value.find_first_of(";(");
    if (end == std::string_view::npos) {
        end = value.size();
    }
    size_t start = 0;
    while (start < end && IsHeaderSpace(static_cast<unsigned char>(value[start]))) {
        ++start;
    }
    while (end > start && IsHeaderSpace(static_cast<unsigned char>(value[end - 1]))) {
        --end;
    }
    return std::string(value.substr(start, end - start));
}

bool HeaderField::FindParameter(std::string_view parameterName, int& offset, int& length) const {
    size_t at = 0;
    size_t size = 0;
    if (!FindParameterInValue(RawValue(), parameterName, at, size)) {
        return false;
    }
    offset = static_cast<int>(at);
    length = static_cast<int>(size);
    return true;
}

bool HeaderField::GetParameter(std::string_view parameterName, std::string& out) const {
    return ParameterOfValue(RawValue(), parameterName, out);
}

void HeaderField::GetBareValue(std::string& out) const {
    const std::string_view bare = BareValueOf(RawValue());
    out.assign(bare.data(), bare.size());
}

}  // namespace vellumo
