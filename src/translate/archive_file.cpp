#include "translate/archive_file.h"

#include "host/plugin_state.h"
#include "mime/header_value_safety.h"
#include "platform/ascii_case.h"
#include "platform/files.h"
#include "translate/archive_name.h"
#include "translate/path_tests.h"
#include "translate/safe_file_name.h"

namespace vellumo {
namespace {

constexpr std::string_view kSelectedNames[] = {"From", "Date", "To", "CC", "Subject"};

// The field's name and its colon, with or without a blank after it: mail
// software writes "Date:Thu, ..." too, and the capture takes such headers.
bool IsSelectedLine(const std::string& text, size_t at) {
    const std::string_view line = std::string_view(text).substr(at);
    for (std::string_view name : kSelectedNames) {
        if (StartsWithIgnoringAsciiCase(line, name) && line.size() > name.size() &&
            line[name.size()] == ':') {
            return true;
        }
    }
    return false;
}

// Creates the file exclusively and writes the header lines. A file that was
// created but could not be written is removed again.
enum class CreateResult { Created, NameTaken, Failed };

CreateResult CreateWithLines(const std::string& path, const std::string& lines) {
    PlatformFile file;
    if (!file.Open(path, FileMode::CreateNew)) {
        return NameTaken(path) ? CreateResult::NameTaken : CreateResult::Failed;
    }
    if (!file.Write(lines.data(), lines.size())) {
        file.Close();
        DeleteFileAt(path);
        return CreateResult::Failed;
    }
    return CreateResult::Created;
}

// The next name in the "1"-appending search. "COM" + "1" would name the
// serial port on Windows, so such a name is passed over.
void NextStem(std::string& stem) {
    do {
        stem += '1';
    } while (IsWindowsDeviceName(stem.substr(0, stem.find('.'))));
}

// The file name part of a path: what the folder's name-length limit applies to.
size_t FileNameLength(const std::string& path) {
    size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? path.size() : path.size() - separator - 1;
}

bool TooLong(const ArchiveNaming& naming, const std::string& path) {
    return path.size() > naming.maxPathLength || FileNameLength(path) > naming.maxNameLength;
}

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// Creates the folder and every missing folder above it, top down. A level
// that cannot be created (a drive, a share, a file of that name) is passed
// over; the last one decides. Each separator is one step, so the work is
// bounded by the length of the path.
void CreateFolderWithParents(const std::string& folder) {
    for (size_t at = 1; at <= folder.size(); ++at) {
        if (at == folder.size() || IsSeparator(folder[at])) {
            const std::string level = folder.substr(0, at);
            if (!IsSeparator(level.back()) && !IsFolder(level)) {
                (void)CreateFolder(level);
            }
        }
    }
}

}  // namespace

std::string SelectArchiveHeaderLines(const std::string& rawHeaders) {
    std::string selected;
    size_t at = 0;
    while (at < rawHeaders.size()) {
        size_t end = rawHeaders.find("\r\n", at);
        size_t lineEnd = end == std::string::npos ? rawHeaders.size() : end;
        // A bare CR or LF inside the line would start a line of the sender's
        // choosing in the archive's header.
        if (IsSelectedLine(rawHeaders, at) &&
            IsSafeFieldValue(std::string_view(rawHeaders).substr(at, lineEnd - at))) {
            selected.append(rawHeaders, at, lineEnd - at);
            selected += "\r\n";
        }
        at = end == std::string::npos ? rawHeaders.size() : end + 2;
    }
    return selected;
}

std::string MakeArchiveLink(const std::string& archivePath) {
    return "\"file://" + archivePath + "\"";
}

std::string ArchiveFolderOf(const std::string& setting) {
    if (!FolderExists(setting)) {
        CreateFolderWithParents(setting);
    }
    if (!setting.empty() && !IsSeparator(setting.back()) && FolderExists(setting)) {
        return setting + "\\";
    }
    return setting;
}

std::string ArchiveExtensionOf(const std::string& setting) {
    return !setting.empty() && setting[0] == '.' ? setting : "." + setting;
}

std::string CreateArchiveFile(const std::string& subject) {
    return CreateArchiveFileAt(subject, CurrentLocalTime());
}

std::string CreateArchiveFileAt(const std::string& subject, const LocalTime& now) {
    ArchiveNaming naming;
    naming.stem = MakeArchiveStem(subject, now);
    const SettingsRecord settings = ArchiveSettings();
    naming.folder = ArchiveFolderOf(settings.htmlMessagesPath);
    naming.extension = ArchiveExtensionOf(settings.extension);
    naming.restartStem = TimeStem(now);
    naming.maxPathLength = MaxPathLength();
    naming.maxNameLength = MaxFileNameLength(naming.folder + naming.stem);
    return CreateUniqueArchiveFile(naming, SelectArchiveHeaderLines(CapturedHeaders));
}

std::string CreateUniqueArchiveFile(const ArchiveNaming& naming, const std::string& lines) {
    std::string stem = naming.stem;
    bool restarted = false;
    for (size_t attempt = 0; attempt < kMaxArchiveNameAttempts; ++attempt) {
        std::string path = naming.folder + stem + naming.extension;
        if (TooLong(naming, path)) {
            // Repeated subjects grow the name by one "1" each time; the
            // short time stem leaves room for many more.
            if (restarted) {
                return std::string();
            }
            restarted = true;
            stem = naming.restartStem;
            continue;
        }
        // A dangling link holds its name as firmly as a file does.
        if (NameTaken(path)) {
            NextStem(stem);
            continue;
        }
        switch (CreateWithLines(path, lines)) {
            case CreateResult::Created:
                return path;
            case CreateResult::NameTaken:
                NextStem(stem);
                break;
            case CreateResult::Failed:
                return std::string();
        }
    }
    return std::string();
}

}  // namespace vellumo
