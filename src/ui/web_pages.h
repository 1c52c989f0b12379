#pragma once
// The maker's web pages that the program information dialog opens.

namespace vellumo {

inline constexpr const char* kReleaseNotesPage = "http://www.vellumo.example/vellumo.txt";
inline constexpr const char* kDonationsPage = "http://www.vellumo.example/commerce.htm";
inline constexpr const char* kMorePluginsPage = "http://www.vellumo.example/plugins.htm";

}  // namespace vellumo
