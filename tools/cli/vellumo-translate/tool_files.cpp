#include "tool_files.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/ascii_case.h"

namespace fs = std::filesystem;

namespace vellumo {
namespace {

bool EndsWithEml(const std::string& name) {
    return name.size() > 4 &&
           EqualsIgnoringAsciiCase(std::string_view(name).substr(name.size() - 4), ".eml");
}

}  // namespace

bool IsSameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return fs::equivalent(fs::u8path(a), fs::u8path(b), error) && !error;
}

bool ListMessageFiles(const std::string& folder, std::vector<std::string>& names,
                      std::vector<SkippedEntry>& skipped) {
    std::error_code error;
    fs::directory_iterator entries(fs::u8path(folder), error);
    if (error) {
        return false;
    }
    for (const fs::directory_entry& entry : entries) {
        std::string name = entry.path().filename().u8string();
        fs::file_status status = entry.status(error);  // through a link
        if (!fs::exists(status)) {
            skipped.push_back({name, "a link to nothing"});
        } else if (fs::is_directory(status)) {
            skipped.push_back({name, "a folder"});
        } else if (!fs::is_regular_file(status)) {
            skipped.push_back({name, "not a regular file"});
        } else if (!EndsWithEml(name)) {
            skipped.push_back({name, "not named .eml"});
        } else {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    std::sort(skipped.begin(), skipped.end(),
              [](const SkippedEntry& a, const SkippedEntry& b) { return a.name < b.name; });
    return true;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (!folder.empty() && (folder.back() == '/' || folder.back() == '\\')) {
        return folder + name;
    }
    return folder + "/" + name;
}

}  // namespace vellumo
