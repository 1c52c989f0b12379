#pragma once
// Texts built from the module's version record.

#include <string>

namespace vellumo {

// "Version: a.b.c.d" from a "ProductVersion" text of four comma-separated
// numbers; numbers that are missing or unreadable count as 0.
std::string MakeVersionText(const std::string& productVersion);

// The description handed to the host: product name, ", ", version text.
std::string MakePluginDescription(const std::string& productName, const std::string& versionText);

}  // namespace vellumo
