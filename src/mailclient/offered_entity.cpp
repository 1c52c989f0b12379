#include "mailclient/offered_entity.h"

#include <algorithm>

#include "host/header_text_parameter.h"
#include "mailclient/host_parameters.h"
#include "platform/ascii_case.h"
#include "platform/ascii_class.h"

namespace vellumo {
namespace {

constexpr std::string_view kCrLf = "\r\n";

// Blanks and line ends, which Trim drops; compared here rather than with
// find_first_not_of, which looks each byte up in the set with a call.
bool IsBlankOrLineEnd(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlankOrLineEnd(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlankOrLineEnd(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// The end of the field line that starts at `at`, folds included.
size_t FieldEnd(std::string_view header, size_t at) {
    size_t end = header.find(kCrLf, at);
    while (end != std::string_view::npos && end + 2 < header.size() &&
           (header[end + 2] == ' ' || header[end + 2] == '\t')) {
        end = header.find(kCrLf, end + 2);
    }
    return end == std::string_view::npos ? header.size() : end;
}

std::string Unfolded(std::string_view value) {
    std::string out(value);
    out.erase(std::remove_if(out.begin(), out.end(), [](char c) { return c == '\r' || c == '\n'; }),
              out.end());
    return std::string(Trim(out));
}

// The part of a field value before its first ";" outside quotes.
std::string_view BeforeParameters(std::string_view value) {
    return Trim(value.substr(0, FindParameterSeparator(value)));
}

void ReadContentType(std::string_view rawValue, OfferedEntity& entity) {
    if (entity.contentType.empty()) {
        return;
    }
    std::string_view type = BeforeParameters(entity.contentType);
    size_t slash = type.find('/');
    if (slash != std::string_view::npos) {
        entity.mainType = std::string(Trim(type.substr(0, slash)));
        entity.subType = std::string(Trim(type.substr(slash + 1)));
    }
    entity.params = ReadHostParameters(rawValue);
}

int HexValue(char c) {
    if (IsAsciiDigit(c)) {
        return c - '0';
    }
    if ((c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f')) {
        return (c | 0x20) - 'a' + 10;
    }
    return -1;
}

// The host's own fields: disposition and file name travel with the
// parameters it keeps, but it writes neither on the Content-Type line.
bool IsDispositionParameter(std::string_view name) {
    return EqualsIgnoringAsciiCase(name, "Content-Disposition") ||
           EqualsIgnoringAsciiCase(name, "filename");
}

// The file name of a disposition's parameters: "filename", or its RFC 2231
// form ("filename*=UTF-8''%E2%82%AC.pdf", or pieces "filename*0",
// "filename*1*", ...) joined and decoded to its bytes.
std::string DispositionFileName(const std::vector<std::pair<std::string, std::string>>& params) {
    std::string joined;
    bool extended = false;
    for (int piece = -1; piece < 100; ++piece) {
        std::string name = piece < 0 ? "filename*" : "filename*" + std::to_string(piece);
        bool found = false;
        for (const auto& param : params) {
            bool pieceExtended = EqualsIgnoringAsciiCase(param.first, name + "*");
            if (EqualsIgnoringAsciiCase(param.first, name) || pieceExtended) {
                extended = extended || pieceExtended || piece < 0;
                joined += param.second;
                found = true;
                break;
            }
        }
        if (!found && piece >= 0) {
            break;
        }
    }
    for (const auto& param : params) {
        if (joined.empty() && EqualsIgnoringAsciiCase(param.first, "filename")) {
            return param.second;
        }
    }
    if (!extended) {
        return joined;
    }
    size_t quote = joined.find('\'');
    size_t second = quote == std::string::npos ? quote : joined.find('\'', quote + 1);
    std::string encoded = second == std::string::npos ? joined : joined.substr(second + 1);
    std::string decoded;
    for (size_t at = 0; at < encoded.size(); ++at) {
        int high = at + 2 < encoded.size() && encoded[at] == '%' ? HexValue(encoded[at + 1]) : -1;
        int low = high >= 0 ? HexValue(encoded[at + 2]) : -1;
        if (low >= 0) {
            decoded += static_cast<char>(high * 16 + low);
            at += 2;
        } else {
            decoded += encoded[at];
        }
    }
    return decoded;
}

void ReadDisposition(std::string_view rawValue, OfferedEntity& entity) {
    entity.dispositionType = std::string(BeforeParameters(entity.disposition));
    entity.dispositionParams = ReadHostParameters(rawValue);
    entity.fileName = DispositionFileName(entity.dispositionParams);
}

}  // namespace

std::string_view RawFieldValue(std::string_view header, std::string_view name) {
    size_t at = 0;
    while (at < header.size()) {
        size_t end = FieldEnd(header, at);
        std::string_view line = header.substr(at, end - at);
        // Most fields differ from the name in their first byte; a field that
        // begins with a blank is read in full.
        bool mayMatch = name.empty() || line.empty() || IsBlankOrLineEnd(line[0]) ||
                        LowerAscii(line[0]) == LowerAscii(name[0]);
        size_t colon = mayMatch ? line.find(':') : std::string_view::npos;
        if (colon != std::string_view::npos &&
            EqualsIgnoringAsciiCase(Trim(line.substr(0, colon)), name)) {
            return line.substr(colon + 1);
        }
        at = end + kCrLf.size();
    }
    return {};
}

std::string HeaderFieldValue(std::string_view header, std::string_view name) {
    return Unfolded(RawFieldValue(header, name));
}

OfferedEntity ReadOfferedEntity(std::string_view text) {
    OfferedEntity entity;
    if (text.substr(0, 2) == kCrLf) {
        entity.body = text.substr(2);
        entity.hasBlankLine = true;
    } else {
        size_t blank = text.find("\r\n\r\n");
        if (blank == std::string_view::npos) {
            entity.header = text;
        } else {
            entity.header = text.substr(0, blank + 2);
            entity.body = text.substr(blank + 4);
            entity.hasBlankLine = true;
        }
    }
    const std::string_view rawType = RawFieldValue(entity.header, "Content-Type");
    const std::string_view rawDisposition = RawFieldValue(entity.header, "Content-Disposition");
    entity.contentType = Unfolded(rawType);
    entity.transferEncoding = HeaderFieldValue(entity.header, "Content-Transfer-Encoding");
    entity.disposition = Unfolded(rawDisposition);
    ReadContentType(rawType, entity);
    ReadDisposition(rawDisposition, entity);
    return entity;
}

std::string HostInputFile(const OfferedEntity& entity, bool delimiterLineEnd) {
    // The body makes up most of the file: room for it at once, not grown
    // (and copied) step by step.
    constexpr size_t kHeaderRoom = 512;
    std::string file;
    file.reserve(entity.body.size() + kHeaderRoom);
    file += "Mime-Version: 1.0\r\nContent-Type: ";
    file += entity.mainType + "/" + entity.subType;
    for (const auto& param : entity.params) {
        if (!IsDispositionParameter(param.first)) {
            file += "; " + param.first + "=" + HostQuotedValue(param.second);
        }
    }
    // The mail client keeps the disposition's parameters with the type's;
    // its file name goes on the disposition line alone.
    for (const auto& param : entity.dispositionParams) {
        if (!EqualsIgnoringAsciiCase(param.first, "filename")) {
            file += "; " + param.first + "=" + HostQuotedValue(param.second);
        }
    }
    file += kCrLf;
    if (!entity.transferEncoding.empty()) {
        file += "Content-Transfer-Encoding: " + entity.transferEncoding + "\r\n";
    }
    if (!entity.dispositionType.empty()) {
        file += "Content-Disposition: " + entity.dispositionType;
        if (!entity.fileName.empty()) {
            file += "; filename=" + HostQuotedValue(entity.fileName);
        }
        file += kCrLf;
    }
    file += kCrLf;
    file.append(entity.body.data(), entity.body.size());
    if (delimiterLineEnd && entity.hasBlankLine) {
        file += kCrLf;
    }
    file += kCrLf;
    return file;
}

bool IsMultipartEntity(const OfferedEntity& entity) {
    return EqualsIgnoringAsciiCase(entity.mainType, "multipart");
}

std::string EntityParameter(const OfferedEntity& entity, std::string_view name) {
    for (const auto& param : entity.params) {
        if (EqualsIgnoringAsciiCase(param.first, name)) {
            return param.second;
        }
    }
    return std::string();
}

}  // namespace vellumo
