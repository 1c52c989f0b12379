#pragma once
// Naming of archive files: the stem made from a subject, and the search for
// a path that no file holds yet.

#include <cstddef>
#include <string>

#include "host/settings_record.h"
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

// The settings file as the archive reads it: the "HTMLMessagesPath" folder
// defaults to the one derived from the configuration folder.
[[nodiscard]] SettingsRecord ArchiveSettings();

}  // namespace vellumo
