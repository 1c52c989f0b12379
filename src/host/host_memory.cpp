#include "host/host_memory.h"

#include <cstdlib>
#include <cstring>

namespace vellumo {

char* HeapCopyString(const char* text) {
    if (text == nullptr) {
        return nullptr;
    }
    size_t size = std::strlen(text) + 1;
    char* copy = static_cast<char*>(std::malloc(size));
    if (copy != nullptr) {
        std::memcpy(copy, text, size);
    }
    return copy;
}

}  // namespace vellumo
