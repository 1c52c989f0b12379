#pragma once
// Appending one HTML part to an archive file.

#include <string>
#include <string_view>

#include "mime/entity_view.h"

namespace vellumo {

// Appends to the existing archive file: the part's Content-Type line
// ("Content-Type: text/html" when it has none), its Content-Disposition line
// when it has one (both as ArchivePartHeader writes them), "MIME-Version:
// 1.0" and a blank line, then the decoded body, all of it by its byte count.
// Nothing happens when the file cannot be opened or the body cannot be
// decoded; a write error leaves what was written.
void AppendHtmlPartToArchive(const std::string& archivePath, const EntityView& part);

// Appends to the existing archive file "MIME-Version: 1.0" and CR LF (left
// out when the entity's header has that field), then the entity's text
// exactly as given. The byte after the text must be readable (a NUL, or
// the next byte of the message). Nothing happens when the file cannot be
// opened.
void AppendEntityToArchive(const std::string& archivePath, std::string_view entityText);

// The text AppendHtmlPartToArchive writes before the body. The field values
// are written as they arrived (encoded words, quoting and folds as the
// sender wrote them), under the canonical field names; a value whose line
// breaks are not all folds, or that holds a control byte, is not written:
// the Content-Type line falls back to "Content-Type: text/html" and the
// Content-Disposition line is left out.
std::string ArchivePartHeader(const EntityView& part);

}  // namespace vellumo
