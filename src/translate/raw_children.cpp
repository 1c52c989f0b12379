#include "translate/raw_children.h"

#include <algorithm>
#include <climits>

#include "mime/header_block.h"

namespace vellumo {
namespace {

enum class LineKind { Content, Delimiter, CloseDelimiter };

bool OnlyBlanks(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

// delimiter := "--" boundary *(SP / HT) ; close := "--" boundary "--" *(SP / HT)
LineKind KindOf(std::string_view line, const std::string& boundary) {
    if (line.size() < boundary.size() + 2 || line.compare(0, 2, "--") != 0 ||
        line.compare(2, boundary.size(), boundary) != 0) {
        return LineKind::Content;
    }
    std::string_view rest = line.substr(boundary.size() + 2);
    if (rest.compare(0, 2, "--") == 0 && OnlyBlanks(rest.substr(2))) {
        return LineKind::CloseDelimiter;
    }
    return OnlyBlanks(rest) ? LineKind::Delimiter : LineKind::Content;
}

size_t BodyStart(std::string_view entity) {
    if (entity.size() > static_cast<size_t>(INT_MAX)) {
        return std::string_view::npos;
    }
    HeaderBlock header;
    int consumed = header.Parse(entity.data(), static_cast<int>(entity.size()));
    return consumed > 0 ? static_cast<size_t>(consumed) : std::string_view::npos;
}

}  // namespace

std::vector<std::string_view> RawChildTexts(std::string_view entity, const std::string& boundary) {
    std::vector<std::string_view> children;
    size_t at = BodyStart(entity);
    if (boundary.empty() || at == std::string_view::npos) {
        return children;
    }
    size_t childStart = std::string_view::npos;
    while (at < entity.size()) {
        size_t lineEnd = entity.find("\r\n", at);
        if (lineEnd == std::string_view::npos) {
            break;  // a delimiter line needs its CR LF
        }
        LineKind kind = KindOf(entity.substr(at, lineEnd - at), boundary);
        if (kind != LineKind::Content) {
            if (childStart != std::string_view::npos) {
                size_t end = at >= childStart + 2 ? at - 2 : childStart;
                children.push_back(entity.substr(childStart, end - childStart));
            }
            if (children.size() > kMaxRawChildren) {
                return std::vector<std::string_view>();
            }
            if (kind == LineKind::CloseDelimiter) {
                return children;
            }
            childStart = lineEnd + 2;
        }
        at = lineEnd + 2;
    }
    if (childStart != std::string_view::npos) {
        children.push_back(entity.substr(std::min(childStart, entity.size())));
    }
    return children;
}

}  // namespace vellumo
