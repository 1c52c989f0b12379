// HeaderField::ParseLine, the parameter functions and the field writer, and
// the header block with its Content-Type queries, on arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "mime/header_block.h"
#include "mime/header_field.h"
#include "mime/main_type_table.h"

namespace {

void CheckParameters(const vellumo::HeaderField& field, const std::string& extraName) {
    const char* const names[] = {"boundary", "charset", "name", ""};
    std::string out;
    for (const char* name : names) {
        int offset = 0;
        int length = 0;
        if (field.FindParameter(name, offset, length)) {
            if (offset < 0 || length < 0 ||
                static_cast<size_t>(offset) + static_cast<size_t>(length) >
                    field.RawValue().size()) {
                std::abort();
            }
        }
        (void)field.GetParameter(name, out);
    }
    (void)field.GetParameter(extraName, out);
    field.GetBareValue(out);
}

void CheckWrite(const vellumo::HeaderField& field) {
    const int size = field.GetSize();
    std::unique_ptr<char[]> buffer(new char[static_cast<size_t>(size)]);
    if (field.Write(buffer.get(), size) > size) {
        std::abort();
    }
    // A smaller capacity must be respected too.
    const int half = size / 2;
    std::unique_ptr<char[]> small(new char[static_cast<size_t>(half) + 1]);
    if (field.Write(small.get(), half) > half) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    constexpr size_t kMaxInput = 1 << 16;
    if (size > kMaxInput) {
        return 0;
    }
    std::unique_ptr<char[]> text(new char[size + 1]);
    if (size > 0) {
        std::memcpy(text.get(), data, size);
    }
    text[size] = '\0';
    const int length = static_cast<int>(size);

    vellumo::HeaderField field;
    const int consumed = field.ParseLine(text.get(), length);
    if (consumed < 0 || consumed > length) {
        std::abort();
    }
    const std::string extraName(text.get(), size < 8 ? size : 8);
    CheckParameters(field, extraName);
    CheckWrite(field);
    field.value += ";x=1";
    CheckParameters(field, extraName);
    CheckWrite(field);
    field.charset = "iso-8859-1";
    CheckWrite(field);

    vellumo::HeaderBlock block;
    (void)block.Parse(text.get(), length);
    (void)block.GetMainType();
    (void)block.GetSubType();
    (void)block.GetBoundary();
    (void)block.GetTransferEncodingName();
    const int index = block.GetMainTypeIndex();
    if (index < 0 || index > vellumo::kMainTypeOther) {
        std::abort();
    }
    const int blockSize = block.GetSize();
    std::unique_ptr<char[]> out(new char[static_cast<size_t>(blockSize)]);
    if (block.Write(out.get(), blockSize) > blockSize) {
        std::abort();
    }
    return 0;
}
