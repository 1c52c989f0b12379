#include "translate/html_branches.h"

#include "platform/ascii_case.h"

namespace vellumo {
namespace {

bool IsTypeOf(const EntityView& part, const char* mainType, const char* subType) {
    return EqualsIgnoringAsciiCase(part.MainType(), mainType) &&
           EqualsIgnoringAsciiCase(part.SubType(), subType);
}

// Views split no deeper than the part tree does, so this recursion is
// bounded too.
bool HoldsHtml(const EntityView& part) {
    bool found = false;
    part.ForEachChild([&found](const EntityView& child) {
        found = IsTypeOf(child, "text", "html") || HoldsHtml(child);
        return !found;
    });
    return found;
}

}  // namespace

bool IsHtmlBranch(const EntityView& part) {
    return IsTypeOf(part, "text", "html") ||
           (IsTypeOf(part, "multipart", "related") && HoldsHtml(part));
}

bool ArchiveHtmlBranches(const EntityView& message, const char* subject, HtmlArchive& archive) {
    bool opened = true;
    message.ForEachChild([&](const EntityView& part) {
        if (!IsHtmlBranch(part)) {
            return true;
        }
        if (!archive.Open(subject)) {
            opened = false;
            return false;
        }
        if (IsTypeOf(part, "text", "html")) {
            archive.AppendHtmlPart(part);
        } else {
            archive.AppendEntity(part.Text());
        }
        return true;
    });
    return opened;
}

}  // namespace vellumo
