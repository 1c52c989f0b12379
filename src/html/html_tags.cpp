#include "html/html_tags.h"

#include <algorithm>
#include <cstddef>

namespace vellumo {
namespace {

#define VELLUMO_TAG_INFO(id, name, flags, display) {name, flags, HtmlDisplay::display},
const HtmlTagInfo kTagInfo[] = {VELLUMO_HTML_TAGS(VELLUMO_TAG_INFO)};
#undef VELLUMO_TAG_INFO

constexpr std::size_t kTagCount = static_cast<std::size_t>(HtmlTag::kCount);
static_assert(sizeof(kTagInfo) / sizeof(kTagInfo[0]) == kTagCount, "one entry per tag");

}  // namespace

const HtmlTagInfo& TagInfo(HtmlTag tag) {
    const auto index = static_cast<std::size_t>(tag);
    return kTagInfo[index < kTagCount ? index : 0];
}

HtmlTag LookUpTag(std::string_view lowerCaseName) {
    // The table is in name order after the empty Unknown entry.
    const HtmlTagInfo* begin = kTagInfo + 1;
    const HtmlTagInfo* end = kTagInfo + kTagCount;
    const HtmlTagInfo* found = std::lower_bound(
        begin, end, lowerCaseName,
        [](const HtmlTagInfo& info, std::string_view key) { return info.name < key; });
    if (found != end && lowerCaseName == found->name) {
        return static_cast<HtmlTag>(found - kTagInfo);
    }
    return HtmlTag::kUnknown;
}

}  // namespace vellumo
