#pragma once
// Reads what a Windows loader needs before it runs a PE image (.dll or .exe):
// the Windows version its headers ask for and the functions it imports from
// each DLL. Reads the bytes alone, with no tool.
//
// Any bytes are accepted: a file that is not a PE image, is cut short, or
// points outside itself gives valid == false and a reason, never a read
// past the end. Tables longer than the named limits are refused the same
// way, so a hostile file cannot make the reader loop for long.

#include <cstdint>
#include <string>
#include <vector>

namespace vellumo::test {

constexpr size_t kMaxImportedDlls = 256;
constexpr size_t kMaxImportsPerDll = 8192;
constexpr size_t kMaxImportNameLength = 512;

struct PeImport {
    std::string dll;       // as the image spells it, e.g. "KERNEL32.dll"
    std::string function;  // the name, or "#N" for an import by ordinal N
};

struct PeImage {
    bool valid = false;
    std::string error;  // why the image could not be read, when !valid
    uint16_t osMajor = 0, osMinor = 0;
    uint16_t subsystemMajor = 0, subsystemMinor = 0;
    bool hasDelayImports = false;   // imports resolved at first call, not at load
    std::vector<std::string> dlls;  // every DLL of the import table, in order
    std::vector<PeImport> imports;
};

[[nodiscard]] PeImage ReadPeImage(const std::string& bytes);

}  // namespace vellumo::test
