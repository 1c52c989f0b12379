#include "translate/multipart_split.h"

#include <algorithm>
#include <functional>
#include <string>

namespace vellumo {
namespace {

enum class Delimiter { None, Open, Close };

// What the line starting at `at` (which begins with "--" and the boundary) is.
Delimiter KindAt(std::string_view body, size_t afterBoundary) {
    if (body.substr(afterBoundary, 2) == "--") {
        return Delimiter::Close;
    }
    for (size_t at = afterBoundary; at < body.size() && body[at] != '\r'; ++at) {
        if (body[at] != ' ' && body[at] != '\t') {
            return Delimiter::None;
        }
    }
    return Delimiter::Open;
}

class DelimiterFinder {
  public:
    DelimiterFinder(std::string_view body, std::string_view boundary)
        : body_(body),
          needle_("\r\n--" + std::string(boundary)),
          searcher_(needle_.begin(), needle_.end()) {}

    // The next delimiter line whose CR LF before it starts at or after
    // `from`; `at` receives the position of its "--".
    Delimiter Next(size_t from, size_t& at) const {
        while (from < body_.size()) {
            auto found = std::search(body_.begin() + from, body_.end(), searcher_);
            if (found == body_.end()) {
                return Delimiter::None;
            }
            size_t crlf = static_cast<size_t>(found - body_.begin());
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
    std::string_view body_;
    std::string needle_;
    std::boyer_moore_horspool_searcher<std::string::const_iterator> searcher_;
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
