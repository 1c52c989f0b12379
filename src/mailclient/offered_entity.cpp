#include "mailclient/offered_entity.h"

#include "platform/ascii_case.h"

namespace vellumo {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kBlanks = " \t\r\n";

std::string_view Trim(std::string_view text) {
    size_t begin = text.find_first_not_of(kBlanks);
    if (begin == std::string_view::npos) {
        return {};
    }
    size_t end = text.find_last_not_of(kBlanks);
    return text.substr(begin, end - begin + 1);
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
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        if (c != '\r' && c != '\n') {
            out += c;
        }
    }
    return std::string(Trim(out));
}

// A parameter value without its quotes and quoting backslashes.
std::string Unquoted(std::string_view value) {
    value = Trim(value);
    if (value.size() < 2 || value.front() != '"' || value.back() != '"') {
        return std::string(value);
    }
    std::string out;
    for (size_t at = 1; at + 1 < value.size(); ++at) {
        if (value[at] == '\\' && at + 2 < value.size()) {
            ++at;
        }
        out += value[at];
    }
    return out;
}

// "value; a=b; c="d;e"" into the value and its parameters.
std::string_view SplitParameters(std::string_view field,
                                 std::vector<std::pair<std::string, std::string>>& params) {
    std::vector<std::string_view> pieces;
    size_t start = 0;
    bool quoted = false;
    for (size_t at = 0; at < field.size(); ++at) {
        char c = field[at];
        if (quoted && c == '\\') {
            ++at;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ';' && !quoted) {
            pieces.push_back(field.substr(start, at - start));
            start = at + 1;
        }
    }
    pieces.push_back(field.substr(start));
    for (size_t i = 1; i < pieces.size(); ++i) {
        size_t equals = pieces[i].find('=');
        if (equals != std::string_view::npos) {
            params.emplace_back(std::string(Trim(pieces[i].substr(0, equals))),
                                Unquoted(pieces[i].substr(equals + 1)));
        }
    }
    return Trim(pieces[0]);
}

void ReadContentType(OfferedEntity& entity) {
    if (entity.contentType.empty()) {
        return;
    }
    std::string_view type = SplitParameters(entity.contentType, entity.params);
    size_t slash = type.find('/');
    if (slash != std::string_view::npos) {
        entity.mainType = std::string(Trim(type.substr(0, slash)));
        entity.subType = std::string(Trim(type.substr(slash + 1)));
    }
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if ((c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f')) {
        return (c | 0x20) - 'a' + 10;
    }
    return -1;
}

std::string Quoted(std::string_view value) {
    std::string out = "\"";
    for (char c : value) {
        if (c == '"' || c == '\\') {
            out += '\\';
        }
        out += c;
    }
    return out + "\"";
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

}  // namespace

std::string HeaderFieldValue(std::string_view header, std::string_view name) {
    size_t at = 0;
    while (at < header.size()) {
        size_t end = FieldEnd(header, at);
        std::string_view line = header.substr(at, end - at);
        size_t colon = line.find(':');
        if (colon != std::string_view::npos &&
            EqualsIgnoringAsciiCase(Trim(line.substr(0, colon)), name)) {
            return Unfolded(line.substr(colon + 1));
        }
        at = end + kCrLf.size();
    }
    return std::string();
}

OfferedEntity ReadOfferedEntity(std::string_view text) {
    OfferedEntity entity;
    if (text.substr(0, 2) == kCrLf) {
        entity.body = text.substr(2);
    } else {
        size_t blank = text.find("\r\n\r\n");
        if (blank == std::string_view::npos) {
            entity.header = text;
        } else {
            entity.header = text.substr(0, blank + 2);
            entity.body = text.substr(blank + 4);
        }
    }
    entity.contentType = HeaderFieldValue(entity.header, "Content-Type");
    entity.transferEncoding = HeaderFieldValue(entity.header, "Content-Transfer-Encoding");
    entity.disposition = HeaderFieldValue(entity.header, "Content-Disposition");
    ReadContentType(entity);
    std::vector<std::pair<std::string, std::string>> ignored;
    entity.dispositionType = std::string(SplitParameters(entity.disposition, ignored));
    return entity;
}

std::string HostInputFile(const OfferedEntity& entity) {
    std::vector<std::pair<std::string, std::string>> dispositionParams;
    std::string dispositionType(SplitParameters(entity.disposition, dispositionParams));
    std::string file = "Mime-Version: 1.0\r\nContent-Type: ";
    file += entity.contentType.empty() ? std::string("text/plain") : entity.contentType;
    // The mail client keeps the disposition's parameters with the type's.
    size_t semicolon = entity.disposition.find(';');
    if (semicolon != std::string::npos) {
        std::string_view moved = Trim(std::string_view(entity.disposition).substr(semicolon + 1));
        if (!moved.empty()) {
            file += "; ";
            file.append(moved.data(), moved.size());
        }
    }
    file += kCrLf;
    if (!entity.transferEncoding.empty()) {
        file += "Content-Transfer-Encoding: " + entity.transferEncoding + "\r\n";
    }
    if (!entity.disposition.empty()) {
        file += "Content-Disposition: " + dispositionType;
        std::string fileName = DispositionFileName(dispositionParams);
        if (!fileName.empty()) {
            file += "; filename=" + Quoted(fileName);
        }
        file += kCrLf;
    }
    file += kCrLf;
    file.append(entity.body.data(), entity.body.size());
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
