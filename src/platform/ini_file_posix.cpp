#include "platform/ini_file.h"

#include <vector>

#include "platform/ascii_case.h"
#include "platform/files.h"

namespace vellumo {
namespace {

struct IniLine {
    std::string text;  // without its line end
};

std::string Trim(const std::string& text) {
    size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos) {
        return std::string();
    }
    size_t end = text.find_last_not_of(" \t");
    return text.substr(begin, end - begin + 1);
}

std::vector<std::string> SplitLines(const std::string& content) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        if (end == std::string::npos) {
            end = content.size();
        }
        size_t stop = end;
        if (stop > start && content[stop - 1] == '\r') {
            --stop;
        }
        lines.push_back(content.substr(start, stop - start));
        start = end + 1;
    }
    return lines;
}

// A "[name]" line gives the section name.
bool ParseSection(const std::string& line, std::string& name) {
    std::string trimmed = Trim(line);
    if (trimmed.size() < 2 || trimmed.front() != '[') {
        return false;
    }
    size_t close = trimmed.find(']');
    if (close == std::string::npos) {
        return false;
    }
    name = Trim(trimmed.substr(1, close - 1));
    return true;
}

// A "key=value" line gives the key and its value, blanks trimmed around both.
bool ParseKey(const std::string& line, std::string& key, std::string& value) {
    size_t equals = line.find('=');
    if (equals == std::string::npos) {
        return false;
    }
    key = Trim(line.substr(0, equals));
    value = Trim(line.substr(equals + 1));
    return !key.empty();
}

std::string Unquote(const std::string& value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// Index of the key's line in the section, or of the section line itself when
// the key is missing (key_line = npos); section_line = npos when no section.
struct IniPosition {
    size_t section_line = std::string::npos;
    size_t last_section_line = std::string::npos;
    size_t key_line = std::string::npos;
    std::string value;
};

IniPosition Locate(const std::vector<std::string>& lines, const std::string& section,
                   const std::string& key) {
    IniPosition position;
    bool inside = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string name, found_key, value;
        if (ParseSection(lines[i], name)) {
            if (inside) {
                break;
            }
            inside = EqualsIgnoringAsciiCase(name, section);
            if (inside) {
                position.section_line = i;
                position.last_section_line = i;
            }
            continue;
        }
        if (!inside) {
            continue;
        }
        if (!Trim(lines[i]).empty()) {
            position.last_section_line = i;
        }
        if (ParseKey(lines[i], found_key, value) && EqualsIgnoringAsciiCase(found_key, key)) {
            position.key_line = i;
            position.value = value;
            break;
        }
    }
    return position;
}

}  // namespace

std::string IniReadString(const std::string& section, const std::string& key,
                          const std::string& defaultValue, const std::string& path) {
    std::string content;
    std::string result = defaultValue;
    if (!path.empty() && ReadWholeFile(path, content)) {
        IniPosition position = Locate(SplitLines(content), section, key);
        if (position.key_line != std::string::npos) {
            result = Unquote(position.value);
        }
    }
    if (result.size() > kIniValueLimit) {
        result.resize(kIniValueLimit);
    }
    return result;
}

bool IniWriteString(const std::string& section, const std::string& key, const std::string& value,
                    const std::string& path) {
    if (path.empty()) {
        return false;
    }
    std::string content;
    bool existed = ReadWholeFile(path, content);
    std::vector<std::string> lines = SplitLines(content);
    IniPosition position = Locate(lines, section, key);
    std::string entry = key + "=" + value;
    if (position.key_line != std::string::npos) {
        lines[position.key_line] = entry;
    } else if (position.section_line != std::string::npos) {
        lines.insert(lines.begin() + position.last_section_line + 1, entry);
    } else {
        lines.push_back("[" + section + "]");
        lines.push_back(entry);
    }
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    PlatformFile file;
    bool opened =
        existed ? file.Open(path, FileMode::WriteExisting) : file.Open(path, FileMode::CreateNew);
    return opened && file.Write(text.data(), text.size()) && file.TruncateHere();
}

}  // namespace vellumo
