// The pinned copy of the Encoding Standard's data the charset tables are
// generated from, read at test time so that the tests check the tables
// against the standard rather than against a second copy of them.
#pragma once

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace vellumo::test {

inline std::string WhatwgFile(const std::string& name) {
    std::ifstream in(std::string(VELLUMO_SOURCE_DIR) + "/tools/generators/charsets/whatwg/" + name,
                     std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// pointer -> code point, as the standard reads an index file.
inline std::map<unsigned long, char32_t> ReadIndex(const std::string& stem) {
    std::map<unsigned long, char32_t> index;
    std::istringstream lines(WhatwgFile("index-" + stem + ".txt"));
    std::string line;
    while (std::getline(lines, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream fields(line);
        unsigned long pointer = 0;
        std::string codePoint;
        fields >> pointer >> codePoint;
        index[pointer] = static_cast<char32_t>(std::stoul(codePoint, nullptr, 16));
    }
    return index;
}

// (label, encoding name) of every label of encodings.json, read by a scan
// of its two keys.
inline std::vector<std::pair<std::string, std::string>> ReadLabels() {
    const std::string json = WhatwgFile("encodings.json");
    std::vector<std::pair<std::string, std::string>> labels;
    std::size_t pos = 0;
    while ((pos = json.find("\"labels\"", pos)) != std::string::npos) {
        const std::size_t end = json.find(']', pos);
        const std::size_t nameKey = json.find("\"name\"", end);
        const std::size_t nameStart = json.find('"', json.find(':', nameKey)) + 1;
        const std::string name = json.substr(nameStart, json.find('"', nameStart) - nameStart);
        for (std::size_t q = json.find('"', json.find('[', pos)); q < end;
             q = json.find('"', json.find('"', q + 1) + 1)) {
            labels.emplace_back(json.substr(q + 1, json.find('"', q + 1) - q - 1), name);
        }
        pos = end;
    }
    return labels;
}

}  // namespace vellumo::test
