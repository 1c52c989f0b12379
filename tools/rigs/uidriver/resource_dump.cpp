#include "resource_dump.h"

#include <windows.h>

#include <cstdio>

namespace uidriver {
namespace {

struct DumpTarget {
    HMODULE module;
    std::string folder;
};

std::string NameOf(LPCSTR name) {
    if (IS_INTRESOURCE(name)) {
        return std::to_string(reinterpret_cast<ULONG_PTR>(name));
    }
    return std::string(name);
}

void WriteBytes(const std::string& path, const void* data, DWORD size) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    DWORD written = 0;
    WriteFile(file, data, size, &written, nullptr);
    CloseHandle(file);
}

BOOL CALLBACK VisitLanguage(HMODULE module, LPCSTR type, LPCSTR name, WORD language,
                            LONG_PTR data) {
    const DumpTarget* target = reinterpret_cast<const DumpTarget*>(data);
    HRSRC found = FindResourceExA(module, type, name, language);
    DWORD size = found != nullptr ? SizeofResource(module, found) : 0;
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    std::string stem = NameOf(type) + "_" + NameOf(name) + "_" + std::to_string(language);
    if (bytes != nullptr) {
        WriteBytes(target->folder + "\\" + stem + ".bin", bytes, size);
    }
    std::printf("resource: %s %s %u %lu\n", NameOf(type).c_str(), NameOf(name).c_str(),
                static_cast<unsigned>(language), static_cast<unsigned long>(size));
    return TRUE;
}

BOOL CALLBACK VisitName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR data) {
    EnumResourceLanguagesA(module, type, name, &VisitLanguage, data);
    return TRUE;
}

BOOL CALLBACK VisitType(HMODULE module, LPSTR type, LONG_PTR data) {
    EnumResourceNamesA(module, type, &VisitName, data);
    return TRUE;
}

}  // namespace

bool DumpResources(const std::string& modulePath, const std::string& folder) {
    HMODULE module = LoadLibraryExA(modulePath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) {
        std::printf("error: cannot load %s\n", modulePath.c_str());
        return false;
    }
    CreateDirectoryA(folder.c_str(), nullptr);
    DumpTarget target{module, folder};
    EnumResourceTypesA(module, &VisitType, reinterpret_cast<LONG_PTR>(&target));
    FreeLibrary(module);
    return true;
}

}  // namespace uidriver
