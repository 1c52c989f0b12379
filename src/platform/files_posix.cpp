#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <cstdio>

namespace vellumo {
namespace {

std::string NativePath(const std::string& path) {
    std::string native = path;
    for (char& c : native) {
        if (c == '\\') {
            c = '/';
        }
    }
    return native;
}

int OpenFlags(FileMode mode) {
    switch (mode) {
        case FileMode::ReadExisting:
            return O_RDONLY;
        case FileMode::WriteExisting:
            return O_WRONLY;
        case FileMode::AppendExisting:
            return O_WRONLY | O_APPEND;
        case FileMode::CreateNew:
            return O_WRONLY | O_CREAT | O_EXCL;
    }
    return O_RDONLY;
}

}  // namespace

bool PlatformFile::Open(const std::string& path, FileMode mode) {
    Close();
    int fd = ::open(NativePath(path).c_str(), OpenFlags(mode) | O_CLOEXEC, 0644);
    if (fd < 0) {
        return false;
    }
    struct stat info;
    if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd);
        return false;
    }
    handle_ = fd;
    return true;
}

bool PlatformFile::ReadAll(std::string& out) {
    if (!IsOpen()) {
        return false;
    }
    int fd = static_cast<int>(handle_);
    struct stat info;
    if (fstat(fd, &info) == 0 && info.st_size > 0) {
        out.reserve(static_cast<size_t>(info.st_size));
    }
    char chunk[65536];
    for (;;) {
        ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0) {
            return false;
        }
        if (got == 0) {
            return true;
        }
        out.append(chunk, static_cast<size_t>(got));
    }
}

bool PlatformFile::Write(const char* data, size_t length) {
    if (!IsOpen()) {
        return false;
    }
    int fd = static_cast<int>(handle_);
    while (length > 0) {
        ssize_t put = ::write(fd, data, length);
        if (put <= 0) {
            return false;
        }
        data += put;
        length -= static_cast<size_t>(put);
    }
    return true;
}

bool PlatformFile::TruncateHere() {
    if (!IsOpen()) {
        return false;
    }
    int fd = static_cast<int>(handle_);
    off_t position = ::lseek(fd, 0, SEEK_CUR);
    return position >= 0 && ::ftruncate(fd, position) == 0;
}

bool PlatformFile::GetLength(std::uint64_t& length) {
    struct stat info;
    if (!IsOpen() || fstat(static_cast<int>(handle_), &info) != 0 || info.st_size < 0) {
        return false;
    }
    length = static_cast<std::uint64_t>(info.st_size);
    return true;
}

bool PlatformFile::SeekTo(std::uint64_t position) {
    if (!IsOpen() || position > static_cast<std::uint64_t>(INT64_MAX)) {
        return false;
    }
    off_t wanted = static_cast<off_t>(position);
    return ::lseek(static_cast<int>(handle_), wanted, SEEK_SET) == wanted;
}

void PlatformFile::Close() {
    if (IsOpen()) {
        ::close(static_cast<int>(handle_));
        handle_ = kNoHandle;
    }
}

bool PathExists(const std::string& path) {
    struct stat info;
    return !path.empty() && ::stat(NativePath(path).c_str(), &info) == 0;
}

bool NameTaken(const std::string& path) {
    struct stat info;
    return !path.empty() && ::lstat(NativePath(path).c_str(), &info) == 0;
}

bool IsFolder(const std::string& path) {
    struct stat info;
    return !path.empty() && ::stat(NativePath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool CreateFolder(const std::string& path) {
    return !path.empty() && ::mkdir(NativePath(path).c_str(), 0755) == 0;
}

bool DeleteFileAt(const std::string& path) {
    return !path.empty() && ::unlink(NativePath(path).c_str()) == 0;
}

bool MoveFileOver(const std::string& from, const std::string& to) {
    return ::rename(NativePath(from).c_str(), NativePath(to).c_str()) == 0;
}

namespace {

bool IdentityOf(const struct stat& info, FileIdentity& identity) {
    if (!S_ISREG(info.st_mode)) {
        return false;
    }
    identity.volume = static_cast<std::uint64_t>(info.st_dev);
    identity.index = static_cast<std::uint64_t>(info.st_ino);
    return true;
}

}  // namespace

bool RegularFileIdentity(int descriptor, FileIdentity& identity) {
    struct stat info;
    return ::fstat(descriptor, &info) == 0 && IdentityOf(info, identity);
}

bool RegularFileIdentity(const std::string& path, FileIdentity& identity) {
    struct stat info;
    return ::stat(NativePath(path).c_str(), &info) == 0 && IdentityOf(info, identity);
}

size_t MaxPathLength() {
    return PATH_MAX - 1;
}

size_t MaxFileNameLength(const std::string& path) {
    std::string native = NativePath(path);
    size_t slash = native.rfind('/');
    std::string folder = slash == std::string::npos ? "." : native.substr(0, slash + 1);
    long limit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    return limit > 0 ? static_cast<size_t>(limit) : kPortableMaxFileNameLength;
}

}  // namespace vellumo
