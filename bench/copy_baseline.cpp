// The baseline of bench/translate_timing.sh: reads a file whole and writes it
// to a second file with the same file layer the translators use, so a
// translation's time is compared with reading and writing its input once.
//   copy_baseline INPUT OUTPUT
#include <cstdio>
#include <string>

#include "platform/files.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: copy_baseline INPUT OUTPUT\n");
        return 1;
    }
    std::string text;
    if (!vellumo::ReadWholeFile(argv[1], text)) {
        return 5;
    }
    std::FILE* created = std::fopen(argv[2], "wb");
    if (created != nullptr) {
        std::fclose(created);
    }
    vellumo::PlatformFile out;
    if (!out.Open(argv[2], vellumo::FileMode::WriteExisting) ||
        !out.Write(text.data(), text.size()) || !out.TruncateHere()) {
        return 6;
    }
    return 0;
}
