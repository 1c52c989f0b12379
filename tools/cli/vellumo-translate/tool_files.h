#pragma once
// File-system helpers of vellumo-translate: telling whether two spellings
// name the same file and listing a folder's messages.

#include <string>
#include <vector>

namespace vellumo {

// True when both paths exist and name the same file or folder, however
// spelled (relative, with "..", through a link, in another case).
[[nodiscard]] bool IsSameFile(const std::string& a, const std::string& b);

// An entry of a folder that is not taken as a message, and why.
struct SkippedEntry {
    std::string name;
    const char* reason;  // "not named .eml", "a folder", ...
};

// The names of the regular files (or links to one) in the folder ending in
// ".eml" (any case), sorted, and every other entry with the reason it is
// not read. False when the folder cannot be read.
[[nodiscard]] bool ListMessageFiles(const std::string& folder, std::vector<std::string>& names,
                                    std::vector<SkippedEntry>& skipped);

// path + separator + name.
[[nodiscard]] std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace vellumo
