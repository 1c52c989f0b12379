#pragma once
// Windows functions that Windows XP SP3 does not export, and the system DLLs
// that XP has. A DLL importing any of those functions, or any other DLL,
// does not load on XP: the loader refuses it and the mail client never
// sees the plug-in.

#include <string>
#include <vector>

#include "plugin/pe_image.h"

namespace vellumo::test {

struct PostXpFunction {
    const char* dll;       // lower case, as Windows matches DLL names
    const char* function;  // exact; a name ending in '*' stands for every name it begins
    const char* since;     // the first Windows client that exports it
};

const std::vector<PostXpFunction>& PostXpFunctions();

// The XP system DLLs a shipped binary may import from (lower case).
const std::vector<std::string>& XpSystemDlls();

// The imports of image that XP does not have, as "dll!function (since)".
std::vector<std::string> FindPostXpImports(const PeImage& image);

// The DLLs that image imports from and that are not XP system DLLs.
std::vector<std::string> FindNonSystemDlls(const PeImage& image);

}  // namespace vellumo::test
