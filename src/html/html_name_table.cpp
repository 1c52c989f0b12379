#include "html/html_name_table.h"

#include <string_view>
#include <utility>

namespace vellumo {
namespace {

constexpr std::size_t kInitialSlots = 256;  // a power of two

std::size_t NameHash(std::string_view name) {
    std::uint32_t hash = 2166136261u;  // FNV-1a
    for (char c : name) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    }
    return hash;
}

}  // namespace

HtmlNameTable::HtmlNameTable() : names_(1), tags_(1, HtmlTag::kUnknown), slots_(kInitialSlots, 0) {}

std::uint32_t HtmlNameTable::Intern(const std::string& name) {
    // A start tag's name is looked up more than once in a row.
    if (lastId_ == 0 || names_[lastId_] != name) {
        lastId_ = Find(name);
    }
    return lastId_;
}

// Tag names are short and few, and this runs for every tag: a small
// open-addressing table beats a general map here.
std::uint32_t HtmlNameTable::Find(const std::string& name) {
    std::size_t slot = NameHash(name) & (slots_.size() - 1);
    while (slots_[slot] != 0) {
        if (names_[slots_[slot]] == name) {
            return slots_[slot];
        }
        slot = (slot + 1) & (slots_.size() - 1);
    }
    const auto id = static_cast<std::uint32_t>(names_.size());
    names_.push_back(name);
    tags_.push_back(LookUpTag(name));
    slots_[slot] = id;
    if (names_.size() * 2 > slots_.size()) {
        Grow();
    }
    return id;
}

void HtmlNameTable::Grow() {
    std::vector<std::uint32_t> grown(slots_.size() * 2, 0);
    for (std::uint32_t id = 1; id < names_.size(); ++id) {
        std::size_t slot = NameHash(names_[id]) & (grown.size() - 1);
        while (grown[slot] != 0) {
            slot = (slot + 1) & (grown.size() - 1);
        }
        grown[slot] = id;
    }
    slots_.swap(grown);
}

std::vector<std::string> HtmlNameTable::Release() {
    std::vector<std::string> names = std::move(names_);
    names_.assign(1, std::string());
    tags_.assign(1, HtmlTag::kUnknown);
    slots_.assign(kInitialSlots, 0);
    lastId_ = 0;
    return names;
}

}  // namespace vellumo
