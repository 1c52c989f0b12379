#pragma once
// Writes every resource of a module to a folder, one file each, named
// TYPE_NAME_LANGUAGE.bin (numbers in decimal, names as written), and prints
// one "resource: TYPE NAME LANGUAGE SIZE" line for each.

#include <string>

namespace uidriver {

// False when the module cannot be loaded.
bool DumpResources(const std::string& modulePath, const std::string& folder);

}  // namespace uidriver
