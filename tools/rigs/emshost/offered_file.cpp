#include "offered_file.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/line_ends.h"

namespace emshost {

bool ReadFileText(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::ostringstream all;
    all << in.rdbuf();
    text = all.str();
    return true;
}

bool LoadOfferedFile(const std::string& path, OfferedFile& file) {
    if (path != "-") {
        if (!ReadFileText(path, file.bytes)) {
            std::printf("error: cannot read %s\n", path.c_str());
            return false;
        }
        file.text = vellumo::WithCrLf(file.bytes);
    }
    std::string_view text = file.text;
    if (text.substr(0, 5) == "From ") {
        size_t end = text.find("\r\n");
        file.envelope = text.substr(0, end == std::string_view::npos ? text.size() : end + 2);
    }
    file.entity = vellumo::ReadOfferedEntity(text.substr(file.envelope.size()));
    return true;
}

}  // namespace emshost
