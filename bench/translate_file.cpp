// The translation as the plug-in runs it for ems_translate_file, without the
// command-line tool's own checks: bench/translate_timing.sh times it.
//   translate_file --translator N INPUT OUTPUT   (exit code: the status)
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "translate/translate_driver.h"

int main(int argc, char** argv) {
    if (argc != 5 || std::strcmp(argv[1], "--translator") != 0) {
        std::fprintf(stderr, "usage: translate_file --translator N INPUT OUTPUT\n");
        return 1;
    }
    std::FILE* created = std::fopen(argv[4], "wb");
    if (created != nullptr) {
        std::fclose(created);
    }
    return vellumo::TranslateMessageFile(std::atoi(argv[2]), argv[3], argv[4], nullptr, nullptr);
}
