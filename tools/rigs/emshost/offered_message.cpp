#include "offered_message.h"

#include "codec/base64_codec.h"
#include "codec/quoted_printable_codec.h"
#include "platform/ascii_case.h"
#include "platform/line_ends.h"

namespace emshost {
namespace {

std::string Trim(const std::string& text) {
    size_t begin = text.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos) {
        return std::string();
    }
    size_t end = text.find_last_not_of(" \t\r\n");
    return text.substr(begin, end - begin + 1);
}

// Unfolded value of the first field of that name, "" when none.
std::string FieldValue(const std::string& header, const std::string& name) {
    size_t start = 0;
    while (start < header.size()) {
        size_t end = header.find("\r\n", start);
        if (end == std::string::npos) {
            end = header.size();
        }
        std::string line = header.substr(start, end - start);
        size_t colon = line.find(':');
        if (colon != std::string::npos &&
            vellumo::EqualsIgnoringAsciiCase(Trim(line.substr(0, colon)), name)) {
            std::string value = line.substr(colon + 1);
            size_t next = end + 2;
            while (next < header.size() && (header[next] == ' ' || header[next] == '\t')) {
                size_t stop = header.find("\r\n", next);
                if (stop == std::string::npos) {
                    stop = header.size();
                }
                value += header.substr(next, stop - next);
                next = stop + 2;
            }
            return Trim(value);
        }
        start = end + 2;
    }
    return std::string();
}

}  // namespace

void SplitContentType(const std::string& value, std::string& mainType, std::string& subType,
                      std::vector<std::pair<std::string, std::string>>& params) {
    std::vector<std::string> pieces;
    std::string piece;
    bool quoted = false;
    for (char c : value) {
        if (c == '"') {
            quoted = !quoted;
        }
        if (c == ';' && !quoted) {
            pieces.push_back(piece);
            piece.clear();
        } else {
            piece += c;
        }
    }
    pieces.push_back(piece);
    std::string type = Trim(pieces[0]);
    size_t slash = type.find('/');
    if (slash != std::string::npos) {
        mainType = Trim(type.substr(0, slash));
        subType = Trim(type.substr(slash + 1));
    }
    for (size_t i = 1; i < pieces.size(); ++i) {
        size_t equals = pieces[i].find('=');
        if (equals == std::string::npos) {
            continue;
        }
        std::string name = Trim(pieces[i].substr(0, equals));
        std::string text = Trim(pieces[i].substr(equals + 1));
        if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
            text = text.substr(1, text.size() - 2);
        }
        params.emplace_back(name, text);
    }
}

OfferedMessage ParseOfferedMessage(const std::string& text) {
    OfferedMessage message;
    std::string crlf = vellumo::WithCrLf(text);
    size_t blank = crlf.find("\r\n\r\n");
    if (crlf.compare(0, 2, "\r\n") == 0) {
        message.body = crlf.substr(2);
    } else if (blank == std::string::npos) {
        message.rawHeaders = crlf;
    } else {
        message.rawHeaders = crlf.substr(0, blank + 2);
        message.body = crlf.substr(blank + 4);
    }
    message.subject = FieldValue(message.rawHeaders, "Subject");
    message.contentType = FieldValue(message.rawHeaders, "Content-Type");
    message.transferEncoding = FieldValue(message.rawHeaders, "Content-Transfer-Encoding");
    message.disposition = FieldValue(message.rawHeaders, "Content-Disposition");
    if (!message.contentType.empty()) {
        SplitContentType(message.contentType, message.mainType, message.subType, message.params);
    }
    size_t semicolon = message.disposition.find(';');
    message.dispositionType = Trim(message.disposition.substr(0, semicolon));
    return message;
}

std::string MakeHostInputFile(const OfferedMessage& message) {
    std::string file = "Mime-Version: 1.0\r\n";
    file += "Content-Type: " +
            (message.contentType.empty() ? std::string("text/plain") : message.contentType) +
            "\r\n";
    if (!message.transferEncoding.empty()) {
        file += "Content-Transfer-Encoding: " + message.transferEncoding + "\r\n";
    }
    if (!message.disposition.empty()) {
        file += "Content-Disposition: " + message.disposition + "\r\n";
    }
    file += "\r\n";
    file += message.body;
    file += "\r\n";
    return file;
}

std::string PutBackAttachment(const std::string& output) {
    size_t blank = output.compare(0, 2, "\r\n") == 0 ? 0 : output.find("\r\n\r\n");
    std::string header = blank == std::string::npos ? output : output.substr(0, blank + 2);
    std::string body = blank == std::string::npos ? std::string()
                       : blank == 0               ? output.substr(2)
                                                  : output.substr(blank + 4);
    std::string encoding = FieldValue(header, "Content-Transfer-Encoding");
    std::string decoded(body.size() + 4, '\0');
    int32_t length = static_cast<int32_t>(body.size());
    int32_t written;
    if (vellumo::EqualsIgnoringAsciiCase(encoding, "base64")) {
        written = vellumo::DecodeBase64(body.data(), length, &decoded[0], length);
    } else if (vellumo::EqualsIgnoringAsciiCase(encoding, "quoted-printable")) {
        written = vellumo::DecodeQuotedPrintable(body.data(), length, &decoded[0], length, false);
    } else {
        return body;
    }
    decoded.resize(written > 0 ? static_cast<size_t>(written) : 0);
    return decoded;
}

}  // namespace emshost
