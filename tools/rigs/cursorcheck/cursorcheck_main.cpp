// cursorcheck: the sleep animation loader on its own.
//
//   cursorcheck.exe TEMPFOLDER ID...
//
// For each resource id prints
//   copy.ID: same SIZE | different | failed      (the copy beside the temp folder)
//   load.ID: cursor | none                       (LoadAnimatedCursor)
//   leftover.ID: N                               (files the load left in TEMPFOLDER)

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "host/module_instance_win.h"
#include "ui/animated_cursor.h"

namespace {

std::vector<unsigned char> ReadAll(const std::string& path) {
    std::vector<unsigned char> bytes;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return bytes;
    }
    unsigned char buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    std::fclose(file);
    return bytes;
}

std::vector<unsigned char> ResourceBytes(int id) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), "ANICURSORS");
    if (found == nullptr) {
        return {};
    }
    const unsigned char* data =
        static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, found)));
    return std::vector<unsigned char>(data, data + SizeofResource(nullptr, found));
}

int CountFiles(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return 0;
    }
    int count = 0;
    do {
        std::string name = found.cFileName;
        count += name != "." && name != "..";
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
}

void Check(int id, const std::string& temp, const std::string& copyPath) {
    DeleteFileA(copyPath.c_str());
    if (!vellumo::CopyAnimationToFile(id, copyPath.c_str())) {
        std::printf("copy.%d: failed\n", id);
    } else {
        std::vector<unsigned char> copied = ReadAll(copyPath);
        bool same = copied == ResourceBytes(id);
        std::printf("copy.%d: %s %u\n", id, same ? "same" : "different",
                    static_cast<unsigned>(copied.size()));
    }
    DeleteFileA(copyPath.c_str());
    int before = CountFiles(temp);
    HCURSOR cursor = vellumo::LoadAnimatedCursor(id);
    std::printf("load.%d: %s\nleftover.%d: %d\n", id, cursor != nullptr ? "cursor" : "none", id,
                CountFiles(temp) - before);
    if (cursor != nullptr) {
        DestroyCursor(cursor);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::printf("usage: cursorcheck.exe TEMPFOLDER ID...\n");
        return 1;
    }
    std::string temp = argv[1];
    // The loader finds its resources in the module it is linked into.
    vellumo::ModuleInstance = GetModuleHandleA(nullptr);
    SetEnvironmentVariableA("TMP", temp.c_str());
    SetEnvironmentVariableA("TEMP", temp.c_str());
    std::string copyPath = temp + "\\..\\copy.bin";
    for (int i = 2; i < argc; ++i) {
        Check(std::atoi(argv[i]), temp, copyPath);
    }
    return 0;
}
