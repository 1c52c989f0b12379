#include "ui/animated_cursor.h"

#include <cstring>

#include "host/module_instance_win.h"
#include "ui/resource_ids.h"

namespace vellumo {
namespace {

struct ResourceBytes {
    const unsigned char* data = nullptr;
    DWORD size = 0;
};

ResourceBytes FindAnimation(int resourceId) {
    HRSRC found =
        FindResourceA(ModuleInstance, MAKEINTRESOURCEA(resourceId), ANICURSOR_RESOURCE_TYPE);
    if (found == nullptr) {
        return {};
    }
    DWORD size = SizeofResource(ModuleInstance, found);
    HGLOBAL loaded = LoadResource(ModuleInstance, found);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) {
        return {};
    }
    return ResourceBytes{static_cast<const unsigned char*>(data), size};
}

// Appends the bytes to the file in pieces of at most kAnimationCopyPiece.
bool WritePieces(HANDLE file, const ResourceBytes& bytes) {
    unsigned char piece[kAnimationCopyPiece];
    DWORD offset = 0;
    while (offset < bytes.size) {
        DWORD length = bytes.size - offset;
        if (length > kAnimationCopyPiece) {
            length = kAnimationCopyPiece;
        }
        std::memcpy(piece, bytes.data + offset, length);
        SetFilePointer(file, 0, nullptr, FILE_END);
        DWORD written = 0;
        if (!WriteFile(file, piece, length, &written, nullptr) || written != length) {
            return false;
        }
        offset += length;
    }
    return true;
}

}  // namespace

bool CopyAnimationToFile(int resourceId, const char* path) {
    ResourceBytes bytes = FindAnimation(resourceId);
    if (bytes.data == nullptr) {
        return false;
    }
    HANDLE file =
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    bool written = WritePieces(file, bytes);
    return CloseHandle(file) && written;
}

HCURSOR LoadAnimatedCursor(int resourceId) {
    char folder[MAX_PATH] = {};
    DWORD length = GetTempPathA(MAX_PATH, folder);
    if (length == 0 || length >= MAX_PATH) {
        return nullptr;
    }
    char path[MAX_PATH] = {};
    if (GetTempFileNameA(folder, "_", 0, path) == 0) {
        return nullptr;
    }
    HCURSOR cursor = nullptr;
    if (CopyAnimationToFile(resourceId, path)) {
        cursor = LoadCursorFromFileA(path);
    }
    DeleteFileA(path);
    return cursor;
}

}  // namespace vellumo
