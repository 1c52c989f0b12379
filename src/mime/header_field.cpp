#include "mime/header_field.h"

#include <climits>
#include <cstring>

#include "mime/byte_scan.h"
#include "mime/codec_bridge.h"
#include "mime/header_chars.h"

namespace vellumo {

namespace {

// ": " before the value and CR LF after it.
constexpr int64_t kFieldFrame = 4;

int ClampToInt(int64_t size) {
    return size > INT_MAX ? INT_MAX : static_cast<int>(size);
}

// A line that starts with white space where a field should start continues
// nothing we kept: drop whole lines until one starts with something else.
// Returns the new position, or -1 when a CR stands there or a dropped line
// has no CR LF inside the range.
ptrdiff_t SkipStrayContinuationLines(const char* text, ptrdiff_t length, ptrdiff_t position) {
    while (position < length && IsHeaderSpace(static_cast<unsigned char>(text[position]))) {
        if (text[position] == '\r') {
            return -1;
        }
        const ptrdiff_t crlf = FindCrLf(text + position, length - position);
        if (crlf < 0) {
            return -1;
        }
        position += crlf + 2;
    }
    return position;
}

// Offset of the colon that ends the name, or -1 when the line has none
// before its first CR, LF or NUL.
ptrdiff_t FindNameColon(const char* text, ptrdiff_t length, ptrdiff_t position) {
    for (ptrdiff_t i = position; i < length; ++i) {
        const char c = text[i];
        if (c == ':') {
            return i;
        }
        if (c == '\r' || c == '\n' || c == '\0') {
            return -1;
        }
    }
    return -1;
}

// End of the field's raw value: the start of the CR LF that ends its last
// (possibly folded) line. A line that runs to the end of the range ends
// there: a child's last header line may be followed directly by the next
// delimiter, whose CR LF lies outside the child's range.
ptrdiff_t FindFieldEnd(const char* text, ptrdiff_t length, ptrdiff_t position) {
    for (;;) {
        const ptrdiff_t crlf = FindCrLf(text + position, length - position);
        if (crlf < 0) {
            return length;
        }
        const ptrdiff_t end = position + crlf;
        const ptrdiff_t next = end + 2;
        if (next >= length || (text[next] != ' ' && text[next] != '\t')) {
            return end;
        }
        position = next;
    }
}

}  // namespace

HeaderField::HeaderField(std::string_view fieldName, std::string_view fieldValue,
                         std::string_view fieldCharset)
    : name(fieldName), value(fieldValue), charset(fieldCharset) {}

// field = [name ":"] *(SP / HT) value CRLF *(( SP / HT) text CRLF)
int HeaderField::ParseLine(const char* text, int length) {
    name.clear();
    value.clear();
    charset.clear();
    ForgetReadForm();
    if (text == nullptr || length <= 0) {
        return 0;
    }
    const ptrdiff_t lineStart = SkipStrayContinuationLines(text, length, 0);
    if (lineStart < 0 || lineStart >= length || text[lineStart] == '\r') {
        return 0;
    }
    ptrdiff_t position = lineStart;
    const ptrdiff_t colon = FindNameColon(text, length, lineStart);
    if (colon >= 0) {
        name.assign(text + lineStart, static_cast<size_t>(colon - lineStart));
        position = colon + 1;
    }
    while (position < length && (text[position] == ' ' || text[position] == '\t')) {
        ++position;
    }
    const ptrdiff_t valueEnd = FindFieldEnd(text, length, position);
    DecodeHeaderValue(name, text + position, static_cast<int>(valueEnd - position), value, charset);
    KeepReadForm(text + lineStart, static_cast<size_t>(valueEnd - lineStart), name.size(),
                 static_cast<size_t>(position - lineStart));
    return static_cast<int>(valueEnd < length ? valueEnd + 2 : length);
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
