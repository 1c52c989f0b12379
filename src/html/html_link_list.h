// The numbered link targets of the reading aids: a link gets "[n]" after
// its text, and the targets are listed once each at the end of the text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vellumo {

class HtmlLinkList {
  public:
    // The number of the link to `href` whose text is `text`, or 0 for a
    // link not worth a reference: a script ("javascript:"), one without a
    // target, or one whose text already shows the target. A target listed
    // before keeps its number.
    [[nodiscard]] std::size_t Note(std::string_view href, std::string_view text);

    // "Links:" and the numbered targets, set off from the text by a blank
    // line; empty when there are none. A mail address is shown without
    // its "mailto:".
    [[nodiscard]] std::string ListText() const;

  private:
    std::vector<std::string> targets_;
};

// What a link target is shown as: without the white space and control
// characters a browser strips, a mail address without "mailto:" and the
// header fields after it.
[[nodiscard]] std::string ShownLinkTarget(std::string_view href);

}  // namespace vellumo
