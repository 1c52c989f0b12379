#include "translate/html_branches.h"

#include "mime/main_type_table.h"

namespace vellumo {
namespace {

// Views split no deeper than the part tree does, so this recursion is
// bounded too.
bool HoldsHtml(const EntityView& part) {
    bool found = false;
    part.ForEachChild([&found](const EntityView& child) {
        found = child.IsType("text", "html") || HoldsHtml(child);
        return !found;
    });
    return found;
}

}  // namespace

bool IsHtmlBranch(const EntityView& part) {
    return part.IsType("text", "html") ||
           (part.MainTypeIndex() == kMainTypeMultipart && HoldsHtml(part));
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
        if (part.IsType("text", "html")) {
            archive.AppendHtmlPart(part);
        } else {
            archive.AppendEntity(part.Text());
        }
        return true;
    });
    return opened;
}

}  // namespace vellumo
