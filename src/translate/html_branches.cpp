#include "translate/html_branches.h"

#include <climits>
#include <string>
#include <vector>

#include "mime/header_block.h"
#include "platform/ascii_case.h"
#include "translate/raw_children.h"

namespace vellumo {
namespace {

bool IsTypeOf(const HeaderBlock& header, const char* mainType, const char* subType) {
    return EqualsIgnoringAsciiCase(header.GetMainType(), mainType) &&
           EqualsIgnoringAsciiCase(header.GetSubType(), subType);
}

// The parser bounds the depth of the tree, so this recursion is bounded too.
bool HoldsHtml(const MimePart& part) {
    for (const auto& child : part.children) {
        if (IsTypeOf(*child, "text", "html") || HoldsHtml(*child)) {
            return true;
        }
    }
    return false;
}

// The child as the writer gives it: header, blank line and body.
std::string WrittenText(const MimePart& part) {
    int size = part.GetSize();
    if (size <= 0 || size == INT_MAX) {
        return std::string();
    }
    std::string text(static_cast<size_t>(size), '\0');
    int written = part.Write(&text[0], size);
    text.resize(written > 0 ? static_cast<size_t>(written) : 0);
    return text;
}

// The raw text fits the model's child when its header names the same type
// and boundary.
bool Matches(std::string_view raw, const MimePart& child) {
    HeaderBlock header;
    if (raw.size() > static_cast<size_t>(INT_MAX) ||
        header.Parse(raw.data(), static_cast<int>(raw.size())) <= 0) {
        return false;
    }
    return IsTypeOf(header, "multipart", "related") && header.GetBoundary() == child.GetBoundary();
}

}  // namespace

bool IsHtmlBranch(const MimePart& part) {
    return IsTypeOf(part, "text", "html") ||
           (IsTypeOf(part, "multipart", "related") && HoldsHtml(part));
}

bool ArchiveHtmlBranches(const MimeMessage& message, std::string_view messageText,
                         const char* subject, HtmlArchive& archive) {
    std::vector<std::string_view> raw;
    bool split = false;
    size_t index = 0;
    for (const auto& child : message.children) {
        const MimePart& part = *child;
        size_t at = index++;
        if (!IsHtmlBranch(part)) {
            continue;
        }
        if (!archive.Open(subject)) {
            return false;
        }
        if (IsTypeOf(part, "text", "html")) {
            archive.AppendHtmlPart(part);
            continue;
        }
        if (!split) {
            raw = RawChildTexts(messageText, message.GetBoundary());
            split = true;
        }
        if (raw.size() == message.children.size() && Matches(raw[at], part)) {
            archive.AppendEntity(raw[at]);
        } else {
            archive.AppendEntity(WrittenText(part));
        }
    }
    return true;
}

}  // namespace vellumo
