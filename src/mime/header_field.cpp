#include "mime/header_field.h"

#include <climits>
#include <cstring>

#include "mime/codec_bridge.h"
#include "mime/header_span.h"

namespace vellumo {

namespace {

// ": " before the value and CR LF after it.
constexpr int64_t kFieldFrame = 4;

int ClampToInt(int64_t size) {
    return size > INT_MAX ? INT_MAX : static_cast<int>(size);
}

}  // namespace

HeaderField::HeaderField(std::string_view fieldName, std::string_view fieldValue,
                         std::string_view fieldCharset)
    : name(fieldName), value(fieldValue), charset(fieldCharset) {}

int HeaderField::ParseLine(const char* text, int length) {
    name.clear();
    value.clear();
    charset.clear();
    ForgetReadForm();
    FieldSpan span;
    if (!LocateField(text, length, span)) {
        return 0;
    }
    name.assign(text + span.lineStart, static_cast<size_t>(span.nameEnd - span.lineStart));
    DecodeHeaderValue(name, text + span.valueStart,
                      static_cast<int>(span.valueEnd - span.valueStart), value, charset);
    KeepReadForm(text + span.lineStart, static_cast<size_t>(span.valueEnd - span.lineStart),
                 name.size(), static_cast<size_t>(span.valueStart - span.lineStart));
    return static_cast<int>(span.next);
}

void HeaderField::KeepReadForm(const char* line, size_t lineLength, size_t nameLength,
                               size_t valueStart) {
    readLine_.assign(line, lineLength);
    readNameLength_ = nameLength;
    readValueStart_ = valueStart;
    readCharset_ = charset;
    const size_t rawLength = lineLength - valueStart;
    decodedDiffers_ =
        value.size() != rawLength || std::memcmp(value.data(), line + valueStart, rawLength) != 0;
    if (decodedDiffers_) {
        readValue_ = value;
    }
    hasReadForm_ = true;
}

bool HeaderField::ValueAsRead() const {
    if (!hasReadForm_) {
        return false;
    }
    if (decodedDiffers_) {
        return value == readValue_;
    }
    return value.compare(0, value.size(), readLine_, readValueStart_, std::string::npos) == 0 &&
           value.size() == readLine_.size() - readValueStart_;
}

bool HeaderField::HasReadForm() const {
    return hasReadForm_ && name.size() == readNameLength_ &&
           name.compare(0, name.size(), readLine_, 0, readNameLength_) == 0 &&
           charset == readCharset_ && ValueAsRead();
}

std::string_view HeaderField::RawValue() const {
    if (ValueAsRead()) {
        return std::string_view(readLine_).substr(readValueStart_);
    }
    return value;
}

void HeaderField::ForgetReadForm() {
    hasReadForm_ = false;
    decodedDiffers_ = false;
    readLine_.clear();
    readValue_.clear();
    readCharset_.clear();
    readNameLength_ = 0;
    readValueStart_ = 0;
}

int HeaderField::GetSize() const {
    if (HasReadForm()) {
        return ClampToInt(static_cast<int64_t>(readLine_.size()) + 2);
    }
    return ClampToInt(static_cast<int64_t>(name.size()) +
                      HeaderValueEncodedLength(name, value, charset) + kFieldFrame);
}

int HeaderField::Write(char* out, int capacity) const {
    if (out == nullptr || capacity <= 0) {
        return 0;
    }
    if (HasReadForm()) {
        const int64_t lineSize = static_cast<int64_t>(readLine_.size()) + 2;
        if (capacity < lineSize) {
            return 0;
        }
        std::memcpy(out, readLine_.data(), readLine_.size());
        std::memcpy(out + readLine_.size(), "\r\n", 2);
        return static_cast<int>(lineSize);
    }
    if (capacity < static_cast<int64_t>(name.size()) + kFieldFrame) {
        return 0;
    }
    const int nameLength = static_cast<int>(name.size());
    std::memcpy(out, name.data(), name.size());
    std::memcpy(out + nameLength, ": ", 2);
    char* const valueOut = out + nameLength + 2;
    const int valueCapacity = capacity - nameLength - static_cast<int>(kFieldFrame);
    int written = EncodeHeaderValue(name, value, charset, valueOut, valueCapacity);
    if (written < 0) {
        written = 0;
    } else if (written > valueCapacity) {
        written = valueCapacity;
    }
    std::memcpy(valueOut + written, "\r\n", 2);
    return written + nameLength + static_cast<int>(kFieldFrame);
}

}  // namespace vellumo
