#pragma once
// The subject that names an archive file.

#include <string>

namespace vellumo {

// The host's subject when it gave one; otherwise the Subject field of the
// raw headers, unfolded, its encoded words decoded and converted from their
// charset to the system code page (characters that do not map are dropped).
// Empty when neither has a subject.
std::string ArchiveSubject(const char* hostSubject, const std::string& rawHeaders);

}  // namespace vellumo
