#pragma once
// A small, separate reading of MIME text for the corpus checks: header
// lookup, parameters, multipart splitting and the two transfer decodings,
// written plainly from the RFCs so that the driver's results are compared
// with something other than the model they come from. Test support only.

#include <string>
#include <vector>

namespace vellumo::test {

struct RefEntity {
    std::string header;  // without the blank line
    std::string body;    // raw, still transfer-encoded
};

inline std::string RefLower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

inline RefEntity RefSplit(const std::string& text) {
    if (text.compare(0, 2, "\r\n") == 0) {
        return {"", text.substr(2)};
    }
    size_t blank = text.find("\r\n\r\n");
    if (blank == std::string::npos) {
        return {text, ""};
    }
    return {text.substr(0, blank), text.substr(blank + 4)};
}

// The unfolded value of the first field of that name; found tells whether
// there is one.
inline std::string RefField(const std::string& header, const std::string& name, bool* found) {
    std::string wanted = RefLower(name) + ":";
    size_t at = 0;
    while (at < header.size()) {
        size_t end = header.find("\r\n", at);
        while (end != std::string::npos && end + 2 < header.size() &&
               (header[end + 2] == ' ' || header[end + 2] == '\t')) {
            end = header.find("\r\n", end + 2);
        }
        size_t lineEnd = end == std::string::npos ? header.size() : end;
        std::string line = header.substr(at, lineEnd - at);
        if (RefLower(line.substr(0, wanted.size())) == wanted) {
            std::string value;
            for (char c : line.substr(wanted.size())) {
                if (c != '\r' && c != '\n') {
                    value += c;
                }
            }
            size_t first = value.find_first_not_of(" \t");
            if (found != nullptr) {
                *found = true;
            }
            return first == std::string::npos ? "" : value.substr(first);
        }
        at = end == std::string::npos ? header.size() : end + 2;
    }
    if (found != nullptr) {
        *found = false;
    }
    return "";
}

inline std::string RefMediaType(const std::string& header) {
    bool found = false;
    std::string value = RefField(header, "Content-Type", &found);
    if (!found) {
        return "text/plain";
    }
    std::string bare = value.substr(0, value.find(';'));
    size_t last = bare.find_last_not_of(" \t");
    return RefLower(last == std::string::npos ? "" : bare.substr(0, last + 1));
}

inline std::string RefParameter(const std::string& header, const std::string& field,
                                const std::string& name) {
    std::string value = RefField(header, field, nullptr);
    std::string lower = RefLower(value);
    size_t at = value.find(';');
    while (at != std::string::npos) {
        size_t start = lower.find_first_not_of(" \t;", at);
        if (start == std::string::npos) {
            break;
        }
        size_t eq = lower.find('=', start);
        if (eq == std::string::npos) {
            break;
        }
        std::string key = lower.substr(start, eq - start);
        key = key.substr(0, key.find_last_not_of(" \t") + 1);
        std::string raw;
        size_t next;
        if (eq + 1 < value.size() && value[eq + 1] == '"') {
            size_t close = value.find('"', eq + 2);
            raw = value.substr(eq + 2,
                               close == std::string::npos ? std::string::npos : close - eq - 2);
            next = close == std::string::npos ? std::string::npos : value.find(';', close);
        } else {
            next = value.find(';', eq);
            raw =
                value.substr(eq + 1, next == std::string::npos ? std::string::npos : next - eq - 1);
            // Mail readers take an unquoted value up to a blank or a comment:
            // real mail carries boundaries such as ----=_Part_1 unquoted.
            raw = raw.substr(0, raw.find_first_of(" \t("));
        }
        if (key == name) {
            return raw;
        }
        at = next;
    }
    return "";
}

// True when a delimiter line for `delimiter` ("--" + boundary) starts at
// `at`: after it only "--" and blanks up to CR LF or the end (RFC 2046 5.1.1).
inline bool RefIsDelimiterLine(const std::string& body, size_t at, const std::string& delimiter) {
    if (body.compare(at, delimiter.size(), delimiter) != 0) {
        return false;
    }
    size_t end = at + delimiter.size();
    if (body.compare(end, 2, "--") == 0) {
        end += 2;
    }
    end = body.find_first_not_of(" \t", end);
    return end == std::string::npos || body.compare(end, 2, "\r\n") == 0;
}

// Offset of the next delimiter line at or after `from` that follows a CR LF.
inline size_t RefNextDelimiter(const std::string& body, size_t from, const std::string& delimiter) {
    for (size_t at = body.find("\r\n" + delimiter, from); at != std::string::npos;
         at = body.find("\r\n" + delimiter, at + 1)) {
        if (RefIsDelimiterLine(body, at + 2, delimiter)) {
            return at;
        }
    }
    return std::string::npos;
}

// The entities between "--boundary" lines, up to the close delimiter.
inline std::vector<std::string> RefChildren(const std::string& body, const std::string& boundary) {
    std::vector<std::string> children;
    if (boundary.empty()) {
        return children;
    }
    std::string delimiter = "--" + boundary;
    size_t at = 0;
    if (!RefIsDelimiterLine(body, 0, delimiter)) {
        at = RefNextDelimiter(body, 0, delimiter);
        if (at == std::string::npos) {
            return children;
        }
        at += 2;
    }
    while (at != std::string::npos) {
        if (body.compare(at + delimiter.size(), 2, "--") == 0) {
            break;
        }
        size_t start = body.find("\r\n", at);
        if (start == std::string::npos) {
            break;
        }
        start += 2;
        size_t next = RefNextDelimiter(body, start, delimiter);
        children.push_back(
            body.substr(start, next == std::string::npos ? std::string::npos : next - start));
        at = next == std::string::npos ? std::string::npos : next + 2;
    }
    return children;
}

inline int RefBase64Value(char c) {
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

// RFC 2045 6.8: bytes outside the alphabet are ignored; "=" ends a group
// and the data, unless all that follows is whole padded groups (joined parts).
inline void RefFlushBase64(std::string& out, unsigned& bits, int& count) {
    if (count == 2) {
        out += static_cast<char>((bits >> 4) & 0xFF);
    } else if (count == 3) {
        out += static_cast<char>((bits >> 10) & 0xFF);
        out += static_cast<char>((bits >> 2) & 0xFF);
    }
    bits = 0;
    count = 0;
}

inline bool RefWholeBase64Groups(const std::string& text) {
    std::string chars;
    for (char c : text) {
        if (c != '\r' && c != '\n' && c != ' ' && c != '\t') {
            chars += c;
        }
    }
    chars.erase(0, chars.find_first_not_of('='));
    if (chars.empty() || chars.size() % 4 != 0) {
        return false;
    }
    for (size_t g = 0; g < chars.size(); g += 4) {
        const bool pad2 = chars[g + 2] == '=';
        const bool pad3 = chars[g + 3] == '=';
        if (RefBase64Value(chars[g]) < 0 || RefBase64Value(chars[g + 1]) < 0 ||
            (!pad2 && RefBase64Value(chars[g + 2]) < 0) ||
            (!pad3 && RefBase64Value(chars[g + 3]) < 0) || (pad2 && !pad3)) {
            return false;
        }
    }
    return true;
}

inline std::string RefDecodeBase64(const std::string& text) {
    std::string out;
    unsigned bits = 0;
    int count = 0;
    bool groupsFollow = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '=') {
            RefFlushBase64(out, bits, count);
            groupsFollow = groupsFollow || RefWholeBase64Groups(text.substr(i + 1));
            if (!groupsFollow) {
                return out;
            }
            continue;
        }
        int value = RefBase64Value(c);
        if (value < 0) {
            continue;
        }
        bits = (bits << 6) | static_cast<unsigned>(value);
        if (++count == 4) {
            out += static_cast<char>((bits >> 16) & 0xFF);
            out += static_cast<char>((bits >> 8) & 0xFF);
            out += static_cast<char>(bits & 0xFF);
            bits = 0;
            count = 0;
        }
    }
    RefFlushBase64(out, bits, count);
    return out;
}

inline int RefHex(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

inline std::string RefDecodeQuotedPrintable(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        size_t blanks = text.find_first_not_of(" \t", i + 1);
        if (text[i] != '=') {
            out += text[i];
        } else if (blanks == std::string::npos) {
            break;  // a soft break at the end of the body
        } else if (text.compare(blanks, 2, "\r\n") == 0) {
            i = blanks + 1;
        } else if (i + 2 < text.size() && RefHex(text[i + 1]) >= 0 && RefHex(text[i + 2]) >= 0) {
            out += static_cast<char>(RefHex(text[i + 1]) * 16 + RefHex(text[i + 2]));
            i += 2;
        } else {
            out += '=';
        }
    }
    return out;
}

inline std::string RefDecodedBody(const RefEntity& entity) {
    std::string encoding = RefLower(RefField(entity.header, "Content-Transfer-Encoding", nullptr));
    encoding = encoding.substr(0, encoding.find_last_not_of(" \t") + 1);
    if (encoding == "base64") {
        return RefDecodeBase64(entity.body);
    }
    if (encoding == "quoted-printable") {
        return RefDecodeQuotedPrintable(entity.body);
    }
    return entity.body;
}

}  // namespace vellumo::test
