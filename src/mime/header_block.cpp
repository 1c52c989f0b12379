#include "mime/header_block.h"

#include <climits>
#include <cstdint>
#include <cstring>

#include "codec/header_field_names.h"
#include "mime/byte_scan.h"
#include "mime/header_parameters.h"
#include "mime/main_type_table.h"

namespace vellumo {

namespace {

constexpr int kBlankLineSize = 2;

bool NamesEqual(const std::string& fieldName, std::string_view wanted) {
    return fieldName.size() == wanted.size() &&
           EqualsIgnoringAsciiCase(fieldName.data(), wanted.data(), wanted.size());
}

}  // namespace

HeaderBlock::~HeaderBlock() = default;

void HeaderBlock::Clear() {
    fields.clear();
}

int HeaderBlock::GetSize() const {
    int64_t total = kBlankLineSize;
    for (const HeaderField& field : fields) {
        total += field.GetSize();
        if (total > INT_MAX) {
            return INT_MAX;
        }
    }
    return static_cast<int>(total);
}

int HeaderBlock::Write(char* out, int capacity) const {
    int written = 0;
    for (const HeaderField& field : fields) {
        const int result = field.Write(out + written, capacity - written);
        if (result <= 0) {
            return result;
        }
        written += result;
    }
    // Callers give at least GetSize, which counts the blank line; the check
    // only guards a smaller buffer.
    if (capacity - written >= kBlankLineSize) {
        std::memcpy(out + written, "\r\n", kBlankLineSize);
        written += kBlankLineSize;
    }
    return written;
}

// header = *field CRLF. The loop stops at a CR (the blank line), a NUL or the
// end of the range; the two bytes from there count as the blank line whatever
// they are, so a header without one reports 2 bytes past its range.
int HeaderBlock::Parse(const char* text, int length) {
    if (text == nullptr || length < 0) {
        return 0;
    }
    int position = 0;
    while (position < length && text[position] != '\r' && text[position] != '\0') {
        HeaderField field;
        const int consumed = field.ParseLine(text + position, length - position);
        if (consumed <= 0) {
            return 0;
        }
        fields.push_back(std::move(field));
        position += consumed;
    }
    return position + kBlankLineSize;
}

HeaderField* HeaderBlock::FindField(std::string_view name) {
    for (HeaderField& field : fields) {
        if (NamesEqual(field.name, name)) {
            return &field;
        }
    }
    return nullptr;
}

const HeaderField* HeaderBlock::FindField(std::string_view name) const {
    return const_cast<HeaderBlock*>(this)->FindField(name);
}

HeaderField& HeaderBlock::SetField(std::string_view name, std::string_view value,
                                   std::string_view charset) {
    HeaderField* existing = FindField(name);
    if (existing == nullptr) {
        fields.emplace_back(name, value, charset);
        return fields.back();
    }
    *existing = HeaderField(name, value, charset);
    return *existing;
}

HeaderField& HeaderBlock::AddField(const HeaderField& field) {
    fields.push_back(field);
    return fields.back();
}

std::string HeaderBlock::GetParameter(std::string_view fieldName,
                                      std::string_view parameterName) const {
    std::string result;
    const HeaderField* field = FindField(fieldName);
    if (field != nullptr) {
        field->GetParameter(parameterName, result);
    }
    return result;
}

std::string HeaderBlock::GetBoundary() const {
    return GetParameter(kContentTypeField, "boundary");
}

std::string HeaderBlock::GetMainType() const {
    const HeaderField* field = FindField(kContentTypeField);
    return field != nullptr ? MainTypeOfValue(field->RawValue()) : MainTypeTable[kMainTypeText];
}

std::string HeaderBlock::GetSubType() const {
    const HeaderField* field = FindField(kContentTypeField);
    return field != nullptr ? SubTypeOfValue(field->RawValue()) : "plain";
}

int HeaderBlock::GetMainTypeIndex() const {
    const HeaderField* field = FindField(kContentTypeField);
    if (field == nullptr) {
        return kMainTypeText;
    }
    const std::string_view value = field->RawValue();
    return MainTypeIndexOf(value.data(), value.size());
}

std::string HeaderBlock::GetTransferEncodingName() const {
    const HeaderField* field = FindField(kContentTransferEncodingField);
    return field != nullptr ? TransferEncodingNameOfValue(field->value) : std::string();
}

}  // namespace vellumo
