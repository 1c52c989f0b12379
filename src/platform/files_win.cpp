#include "platform/files.h"

#include <windows.h>

#include <io.h>

namespace vellumo {
namespace {

HANDLE AsHandle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

}  // namespace

bool PlatformFile::Open(const std::string& path, FileMode mode) {
    Close();
    DWORD access = mode == FileMode::ReadExisting ? GENERIC_READ : GENERIC_WRITE;
    DWORD share = FILE_SHARE_READ | (mode == FileMode::ReadExisting ? FILE_SHARE_WRITE : 0);
    DWORD disposition = mode == FileMode::CreateNew ? CREATE_NEW : OPEN_EXISTING;
    HANDLE file = CreateFileA(path.c_str(), access, share, nullptr, disposition,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    if (mode == FileMode::AppendExisting &&
        SetFilePointer(file, 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER &&
        GetLastError() != NO_ERROR) {
        CloseHandle(file);
        return false;
    }
    handle_ = reinterpret_cast<std::intptr_t>(file);
    return true;
}

bool PlatformFile::ReadAll(std::string& out) {
    if (!IsOpen()) {
        return false;
    }
    LARGE_INTEGER size;
    if (GetFileSizeEx(AsHandle(handle_), &size) && size.QuadPart > 0 &&
        size.QuadPart < 0x7FFFFFFF) {
        out.reserve(static_cast<size_t>(size.QuadPart));
    }
    char chunk[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(AsHandle(handle_), chunk, sizeof chunk, &got, nullptr)) {
            return false;
        }
        if (got == 0) {
            return true;
        }
        out.append(chunk, got);
    }
}

bool PlatformFile::Write(const char* data, size_t length) {
    if (!IsOpen()) {
        return false;
    }
    while (length > 0) {
        DWORD put = 0;
        DWORD piece = length > 0x40000000 ? 0x40000000 : static_cast<DWORD>(length);
        if (!WriteFile(AsHandle(handle_), data, piece, &put, nullptr) || put == 0) {
            return false;
        }
        data += put;
        length -= put;
    }
    return true;
}

bool PlatformFile::TruncateHere() {
    return IsOpen() && SetEndOfFile(AsHandle(handle_));
}

bool PlatformFile::GetLength(std::uint64_t& length) {
    LARGE_INTEGER size;
    if (!IsOpen() || !GetFileSizeEx(AsHandle(handle_), &size) || size.QuadPart < 0) {
        return false;
    }
    length = static_cast<std::uint64_t>(size.QuadPart);
    return true;
}

bool PlatformFile::SeekTo(std::uint64_t position) {
    LARGE_INTEGER distance;
    distance.QuadPart = static_cast<LONGLONG>(position);
    return IsOpen() && position <= 0x7FFFFFFFFFFFFFFFull &&
           SetFilePointerEx(AsHandle(handle_), distance, nullptr, FILE_BEGIN);
}

void PlatformFile::Close() {
    if (IsOpen()) {
        CloseHandle(AsHandle(handle_));
        handle_ = kNoHandle;
    }
}

bool PathExists(const std::string& path) {
    return !path.empty() && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The attributes of a symbolic link are its own, so a dangling link counts.
bool NameTaken(const std::string& path) {
    return PathExists(path);
}

bool IsFolder(const std::string& path) {
    DWORD attributes = path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool CreateFolder(const std::string& path) {
    return !path.empty() && CreateDirectoryA(path.c_str(), nullptr) != 0;
}

bool DeleteFileAt(const std::string& path) {
    return !path.empty() && DeleteFileA(path.c_str()) != 0;
}

bool MoveFileOver(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

namespace {

bool IdentityOf(HANDLE file, FileIdentity& identity) {
    BY_HANDLE_FILE_INFORMATION info;
    if (file == INVALID_HANDLE_VALUE || GetFileType(file) != FILE_TYPE_DISK ||
        !GetFileInformationByHandle(file, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return false;
    }
    identity.volume = info.dwVolumeSerialNumber;
    identity.index = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return true;
}

}  // namespace

bool RegularFileIdentity(int descriptor, FileIdentity& identity) {
    return IdentityOf(reinterpret_cast<HANDLE>(_get_osfhandle(descriptor)), identity);
}

bool RegularFileIdentity(const std::string& path, FileIdentity& identity) {
    HANDLE file =
        CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    bool known = IdentityOf(file, identity);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
    }
    return known;
}

size_t MaxPathLength() {
    return MAX_PATH - 1;
}

size_t MaxFileNameLength(const std::string&) {
    return kPortableMaxFileNameLength;
}

}  // namespace vellumo
