#pragma once
// Naming of archive files: the stem made from a subject, and the search for
// a path that no file holds yet.

#include <cstddef>
#include <string>

#include "platform/local_time.h"

namespace vellumo {

inline constexpr size_t kMaxSubjectStemLength = 32;
inline constexpr const char* kBlankSubjectStem = "NoSubject";

// Eight digits: day of the month, hour, minute, second.
std::string TimeStem(const LocalTime& now);

// The stem for a subject in the system code page: its first 32 bytes (cut
// at a character boundary), or the time stem when it is empty; trimmed of
// white space; "NoSubject" when nothing remains, else MakeSafeFileName of it.
std::string MakeArchiveStem(const std::string& subject, const LocalTime& now);

// The archive folder and extension from the settings file: the
// "HTMLMessagesPath" setting (default derived from the configuration folder)
// and "." plus the "Extension" setting (default "eml").
std::string ArchiveFolderSetting();
std::string ArchiveExtensionSetting();

}  // namespace vellumo
