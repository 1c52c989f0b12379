#pragma once
// Running the Windows programs of the win32 build under Wine from native
// tests: one throw-away prefix per test run, a time limit on every run, and
// the "key: value" lines the programs print.

#include <map>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace vellumo::test {

struct WineRun {
    int exitCode = -1;  // 124 when the time limit ended the run
    std::string output;
    std::string errors;
    std::multimap<std::string, std::string> values;

    // The first value printed for key, or "(missing)".
    std::string Value(const std::string& key) const;
    // Every value printed for key, in order.
    std::vector<std::string> Values(const std::string& key) const;
};

// Path of a file in the win32 build's bin folder.
std::string Win32Binary(const std::string& name);

// Runs a Windows program (a path on this machine) with its arguments under Wine.
WineRun RunUnderWine(const std::string& program, const std::vector<std::string>& args,
                     int timeoutSeconds = 90);

// Runs emshost.exe with the real vellumo.dll.
WineRun RunHost(const std::vector<std::string>& args, int timeoutSeconds = 90);

// The Windows spelling of a path on this machine (drive Z: is the root).
std::string WinePath(const std::string& path);

bool FileExistsHere(const std::string& path);

}  // namespace vellumo::test
