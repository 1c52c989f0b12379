#pragma once
// Builds small 32-bit PE images in memory with a chosen import table, so
// that the reader and the checks on it are tried on known answers.

#include <cstdint>
#include <string>
#include <vector>

namespace vellumo::test {

struct ImportedDll {
    std::string name;
    std::vector<std::string> functions;  // "#N" imports ordinal N
};

// A PE32 DLL image with one section holding the import table and nothing
// after its last byte, asking for Windows osMajor.osMinor.
std::string BuildPeImage(const std::vector<ImportedDll>& dlls, uint16_t osMajor = 5,
                         uint16_t osMinor = 1);

}  // namespace vellumo::test
