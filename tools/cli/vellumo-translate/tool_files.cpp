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

bool ListMessageFiles(const std::string& folder, std::vector<std::string>& names) {
    std::error_code error;
    fs::directory_iterator entries(fs::u8path(folder), error);
    if (error) {
        return false;
    }
    for (const fs::directory_entry& entry : entries) {
        std::string name = entry.path().filename().u8string();
        if (entry.is_regular_file(error) && EndsWithEml(name)) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    return true;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (!folder.empty() && (folder.back() == '/' || folder.back() == '\\')) {
        return folder + name;
    }
    return folder + "/" + name;
}

}  // namespace vellumo
