#pragma once
// The archive of saved HTML messages: one new file per converted message in
// the folder of the "HTMLMessagesPath" setting, named from the subject.

#include <cstddef>
#include <string>

#include "platform/files.h"
#include "platform/local_time.h"

namespace vellumo {

// Bound on the names tried for one archive file; each try adds a "1".
inline constexpr size_t kMaxArchiveNameAttempts = 1000;

// Creates a new archive file for the subject (system code page) and writes
// into it the selected lines of CapturedHeaders, in ArchiveFolderOf the
// folder setting, with ArchiveExtensionOf the extension. The name is Stem.ext, Stem1.ext,
// Stem11.ext, ...: the first one no file or link holds; the file is created exclusively, so an
// existing file is never overwritten. When the path or the file name would
// grow past the platform's limit the search starts again from the time stem. Returns the path, or
// an empty string when no file could be created (nothing is left behind then).
std::string CreateArchiveFile(const std::string& subject);
std::string CreateArchiveFileAt(const std::string& subject, const LocalTime& now);

// The folder the archive files go into: the "HTMLMessagesPath" value,
// created with its missing parent folders. The value is a plain prefix of
// the file name, but a value that names a folder without the final
// backslash is that folder: a backslash is added.
std::string ArchiveFolderOf(const std::string& setting);
// "." and the "Extension" value, which may also be given with its dot.
std::string ArchiveExtensionOf(const std::string& setting);

// The unique-name search of CreateArchiveFile on its own: creates
// folder + stem (+ "1"...) + extension exclusively and writes lines into it.
struct ArchiveNaming {
    std::string folder;
    std::string stem;
    std::string extension;
    std::string restartStem;  // used once a path or name grows past its limit
    size_t maxPathLength = 0;
    size_t maxNameLength = kPortableMaxFileNameLength;  // of the part after the last separator
};
std::string CreateUniqueArchiveFile(const ArchiveNaming& naming, const std::string& lines);

// The lines of the raw header text that begin, ignoring case, with "From: ",
// "Date: ", "To: ", "CC: " or "Subject: ", each followed by CR LF, in their
// order. Continuation lines are not kept, nor is a line holding a bare CR,
// a bare LF or another control byte but tab.
std::string SelectArchiveHeaderLines(const std::string& rawHeaders);

// A double quote, "file://", the path as it is, a double quote.
std::string MakeArchiveLink(const std::string& archivePath);

}  // namespace vellumo
