#include "html/html_link_list.h"

#include "html/html_white_space.h"
#include "platform/ascii_case.h"

namespace vellumo {
namespace {

constexpr std::string_view kMailto = "mailto:";
constexpr std::string_view kScript = "javascript:";

// The text with white space runs made single spaces and none at the ends.
std::string CollapsedText(std::string_view text) {
    std::string out;
    bool space = false;
    for (char c : text) {
        if (IsHtmlWhiteSpace(c)) {
            space = !out.empty();
            continue;
        }
        if (space) {
            out += ' ';
            space = false;
        }
        out += c;
    }
    return out;
}

// A target as a reader would compare it with a link's text: without the
// scheme, a "www." or a final slash, in lower case.
std::string ComparableTarget(std::string_view target) {
    for (std::string_view scheme : {"http://", "https://", "mailto:"}) {
        if (StartsWithIgnoringAsciiCase(target, scheme)) {
            target.remove_prefix(scheme.size());
            break;
        }
    }
    if (StartsWithIgnoringAsciiCase(target, "www.")) {
        target.remove_prefix(4);
    }
    if (!target.empty() && target.back() == '/') {
        target.remove_suffix(1);
    }
    return LowerAsciiCopy(target);
}

}  // namespace

std::string ShownLinkTarget(std::string_view href) {
    std::string target;
    for (char c : href) {
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) {
            target += c;
        }
    }
    target = CollapsedText(target);
    if (StartsWithIgnoringAsciiCase(target, kMailto)) {
        target = target.substr(kMailto.size(), target.find('?') - kMailto.size());
    }
    return target;
}

std::size_t HtmlLinkList::Note(std::string_view href, std::string_view text) {
    const std::string target = ShownLinkTarget(href);
    if (target.empty() || StartsWithIgnoringAsciiCase(target, kScript) ||
        ComparableTarget(CollapsedText(text)) == ComparableTarget(target)) {
        return 0;
    }
    for (std::size_t i = 0; i < targets_.size(); ++i) {
        if (targets_[i] == target) {
            return i + 1;
        }
    }
    targets_.push_back(target);
    return targets_.size();
}

std::string HtmlLinkList::ListText() const {
    if (targets_.empty()) {
        return std::string();
    }
    std::string list = "\r\n\r\nLinks:";
    for (std::size_t i = 0; i < targets_.size(); ++i) {
        list += "\r\n[" + std::to_string(i + 1) + "] " + targets_[i];
    }
    return list;
}

}  // namespace vellumo
