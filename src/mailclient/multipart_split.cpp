#include "mailclient/multipart_split.h"

#include <algorithm>
#include <string>

#include "platform/byte_search.h"

namespace vellumo {
namespace {

enum class Delimiter { None, Open, Close };

// What the line starting at `at` (which begins with "--" and the boundary)
// is. Like the host, only a line that ends right after the boundary, or
// after "--" and the boundary, is a delimiter: with trailing blanks it is
// an ordinary line.
Delimiter KindAt(std::string_view body, size_t afterBoundary) {
    auto endsLine = [body](size_t at) { return at == body.size() || body[at] == '\r'; };
    if (body.substr(afterBoundary, 2) == "--" && endsLine(afterBoundary + 2)) {
        return Delimiter::Close;
    }
    return endsLine(afterBoundary) ? Delimiter::Open : Delimiter::None;
}

class DelimiterFinder {
  public:
    DelimiterFinder(std::string_view body, std::string_view boundary)
        : body_(body), needle_("\r\n--" + std::string(boundary)) {}

    // The next delimiter line whose CR LF before it starts at or after
    // `from`; `at` receives the position of its "--".
    Delimiter Next(size_t from, size_t& at) const {
        while (from < body_.size()) {
            size_t crlf = Find(from);
            if (crlf == std::string_view::npos) {
                return Delimiter::None;
            }
            Delimiter kind = KindAt(body_, crlf + needle_.size());
            if (kind != Delimiter::None) {
                at = crlf + 2;
                return kind;
            }
            from = crlf + 1;
        }
        return Delimiter::None;
    }

    size_t BoundaryEnd(size_t at) const { return at + needle_.size() - 2; }

  private:
    size_t Find(size_t from) const { return FindBytes(body_, needle_, from); }

    std::string_view body_;
    std::string needle_;
};

}  // namespace

std::vector<PartRange> SplitMultipartBody(std::string_view body, std::string_view boundary) {
    std::vector<PartRange> parts;
    if (boundary.empty()) {
        return parts;
    }
    DelimiterFinder finder(body, boundary);
    size_t at = 0;
    std::string start = "--" + std::string(boundary);
    Delimiter kind =
        body.substr(0, start.size()) == start ? KindAt(body, start.size()) : Delimiter::None;
    if (kind == Delimiter::None) {
        kind = finder.Next(0, at);
    }
    bool open = false;
    PartRange part;
    while (kind != Delimiter::None) {
        if (open) {
            part.end = std::max(part.begin, at >= 2 ? at - 2 : at);
            parts.push_back(part);
            open = false;
        }
        if (kind == Delimiter::Close) {
            return parts;
        }
        size_t lineEnd = body.find("\r\n", finder.BoundaryEnd(at));
        if (lineEnd == std::string_view::npos) {
            part.begin = part.end = body.size();
            parts.push_back(part);
            return parts;
        }
        part.begin = lineEnd + 2;
        open = true;
        kind = finder.Next(lineEnd, at);
    }
    if (open) {
        part.end = body.size();
        parts.push_back(part);
    }
    return parts;
}

}  // namespace vellumo
