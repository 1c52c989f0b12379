#pragma once
// A fresh folder under /tmp for tests that touch real files; removed with
// everything in it when the holder goes away.

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace vellumo::test {

class ScratchFolder {
  public:
    ScratchFolder() {
        char pattern[] = "/tmp/vellumo-unit-XXXXXX";
        const char* made = mkdtemp(pattern);
        path_ = made != nullptr ? made : "";
    }
    ~ScratchFolder() {
        if (!path_.empty()) {
            std::string command = "rm -rf '" + path_ + "'";
            (void)std::system(command.c_str());
        }
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

    void Write(const std::string& name, const std::string& content) const {
        std::ofstream out(File(name), std::ios::binary);
        out << content;
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(File(name), std::ios::binary);
        std::ostringstream all;
        all << in.rdbuf();
        return all.str();
    }

  private:
    std::string path_;
};

}  // namespace vellumo::test
