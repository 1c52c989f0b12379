#pragma once
// The HTML alternatives of a multipart/alternative message, which the
// archive keeps when translator 1 reduces the message to its text.

#include "mime/entity_view.h"
#include "translate/html_archive.h"

namespace vellumo {

// True for a text/html part, and for a multipart part of any subtype that
// holds a text/html part at any depth: the HTML together with the pictures
// it shows (related) or the attachments placed among its pieces (mixed).
[[nodiscard]] bool IsHtmlBranch(const EntityView& part);

// Appends each HTML branch among the message's children to the archive,
// opening the archive for the first one; with no HTML branch nothing is
// opened. A text/html child is appended as a decoded HTML part. A
// multipart child is appended whole, exactly as it stands in the message,
// so that the archived HTML still finds the parts it refers to and keeps
// the pieces around it.
// False when the archive cannot be opened.
[[nodiscard]] bool ArchiveHtmlBranches(const EntityView& message, const char* subject,
                                       HtmlArchive& archive);

}  // namespace vellumo
