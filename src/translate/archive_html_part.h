#pragma once
// Appending one HTML part to an archive file.

#include <string>

#include "mime/mime_part.h"

namespace vellumo {

// Appends to the existing archive file: the part's Content-Type line
// ("Content-Type: text/html" when it has none), its Content-Disposition line
// when it has one, "MIME-Version: 1.0" and a blank line, then the decoded
// body, all of it by its byte count. Nothing happens when the file cannot
// be opened; a write error leaves what was written.
void AppendHtmlPartToArchive(const std::string& archivePath, const MimePart& part);

// The text AppendHtmlPartToArchive writes before the body. A line that would
// hold a line break other than a fold, or a control byte, is not written:
// the Content-Type line falls back to "Content-Type: text/html" and the
// Content-Disposition line is left out.
std::string ArchivePartHeader(const MimePart& part);

}  // namespace vellumo
