// Interns element names for the tree builder: each distinct lower-case name
// gets a small id (0 is the empty name) and its known tag, looked up once.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "html/html_tags.h"

namespace vellumo {

class HtmlNameTable {
  public:
    HtmlNameTable();

    // The id of `name`, added when new.
    [[nodiscard]] std::uint32_t Intern(const std::string& name);
    [[nodiscard]] HtmlTag TagOf(std::uint32_t id) const { return tags_[id]; }
    // Hands the names over, indexed by id; the table is empty afterwards.
    [[nodiscard]] std::vector<std::string> Release();

  private:
    [[nodiscard]] std::uint32_t Find(const std::string& name);
    void Grow();

    std::vector<std::string> names_;
    std::vector<HtmlTag> tags_;
    std::vector<std::uint32_t> slots_;  // open addressing by hash; 0 is empty
    std::uint32_t lastId_ = 0;
};

}  // namespace vellumo
