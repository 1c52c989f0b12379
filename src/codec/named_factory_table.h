#pragma once
// A fixed-size table of (constant name, factory) pairs behind both codec
// registries. It is constant-initialised, so static constructors of any
// translation unit may register into it; names compare ignoring ASCII case.

#include <string_view>

#include "platform/ascii_case.h"

namespace vellumo {

template <typename Factory, int Capacity>
class NamedFactoryTable {
  public:
    // Removes every entry named `name`, then adds (name, factory) unless the
    // factory is null. False for an empty name or a full table.
    [[nodiscard]] bool Register(const char* name, Factory factory) {
        if (name == nullptr || *name == '\0') {
            return false;
        }
        Remove(name);
        if (factory == nullptr) {
            return true;
        }
        if (count_ >= Capacity) {
            return false;
        }
        entries_[count_++] = Entry{name, factory};
        return true;
    }

    // The factory of the first entry named `name`, or null.
    [[nodiscard]] Factory Find(std::string_view name) const {
        for (int i = 0; i < count_; ++i) {
            if (EqualsIgnoringAsciiCase(entries_[i].name, name)) {
                return entries_[i].factory;
            }
        }
        return nullptr;
    }

    [[nodiscard]] int Count() const { return count_; }
    [[nodiscard]] const char* NameAt(int index) const { return entries_[index].name; }

    void Clear() { count_ = 0; }

  private:
    struct Entry {
        const char* name;
        Factory factory;
    };

    void Remove(std::string_view name) {
        int kept = 0;
        for (int i = 0; i < count_; ++i) {
            if (!EqualsIgnoringAsciiCase(entries_[i].name, name)) {
                entries_[kept++] = entries_[i];
            }
        }
        count_ = kept;
    }

    Entry entries_[Capacity] = {};
    int count_ = 0;
};

}  // namespace vellumo
