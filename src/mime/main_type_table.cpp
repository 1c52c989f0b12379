#include "mime/main_type_table.h"

#include <cstring>

#include "mime/byte_scan.h"

namespace vellumo {

// A prefix match, as the value still carries "/subtype" and parameters.
int MainTypeIndexOf(const char* text, size_t length) {
    for (size_t index = 0; index < kMainTypeCount; ++index) {
        const size_t nameLength = std::strlen(MainTypeTable[index]);
        if (length >= nameLength &&
            EqualsIgnoringAsciiCase(text, MainTypeTable[index], nameLength)) {
            return static_cast<int>(index);
        }
    }
    return kMainTypeOther;
}

}  // namespace vellumo
