// Writing a part tree back as message text into one caller-sized buffer.
#include <climits>
#include <cstdint>
#include <cstring>

#include "mime/codec_bridge.h"
#include "mime/mime_part.h"

namespace vellumo {

namespace {

// "\r\n--" boundary "\r\n" and "\r\n--" boundary "--\r\n" around the boundary.
constexpr int64_t kDelimiterFrame = 6;
constexpr int64_t kCloseDelimiterFrame = 8;

int ClampToInt(int64_t size) {
    return size > INT_MAX ? INT_MAX : static_cast<int>(size);
}

int WriteDelimiterLine(char* out, const std::string& boundary, bool close) {
    char* cursor = out;
    std::memcpy(cursor, "\r\n--", 4);
    cursor += 4;
    std::memcpy(cursor, boundary.data(), boundary.size());
    cursor += boundary.size();
    if (close) {
        std::memcpy(cursor, "--", 2);
        cursor += 2;
    }
    std::memcpy(cursor, "\r\n", 2);
    cursor += 2;
    return static_cast<int>(cursor - out);
}

}  // namespace

int MimePart::GetSize() const {
    int64_t total = HeaderBlock::GetSize();
    total +=
        BodyEncodedLength(GetTransferEncodingName(), body.data(), static_cast<int>(body.size()));
    if (!children.empty()) {
        const int64_t boundaryLength = static_cast<int64_t>(GetBoundary().size());
        for (const auto& child : children) {
            total += child->GetSize() + boundaryLength + kDelimiterFrame;
            if (total > INT_MAX) {
                return INT_MAX;
            }
        }
        total += boundaryLength + kCloseDelimiterFrame;
    }
    return ClampToInt(total);
}

// Layout: header, blank line, preamble without its last CR LF, then per child
// "\r\n--b\r\n" and the child's text, then "\r\n--b--\r\n". The CR LF that
// ends a child's text belongs to the next delimiter line.
int MimePart::Write(char* out, int capacity) const {
    const int headerSize = HeaderBlock::Write(out, capacity);
    if (headerSize <= 0) {
        return headerSize;
    }
    int bodySize = EncodeBody(GetTransferEncodingName(), body.data(), static_cast<int>(body.size()),
                              out + headerSize, capacity - headerSize);
    if (bodySize < 0) {
        return bodySize;
    }
    bodySize = bodySize > capacity - headerSize ? capacity - headerSize : bodySize;
    int position = headerSize + bodySize;
    if (children.empty()) {
        return position;
    }
    const std::string boundary = GetBoundary();
    if (boundary.empty()) {
        return -1;
    }
    const int64_t delimiterSize = static_cast<int64_t>(boundary.size()) + kDelimiterFrame;
    bool firstChild = true;
    for (const auto& child : children) {
        if (capacity - position < delimiterSize) {
            break;
        }
        // The preamble's last CR LF (or the header's blank line) doubles as
        // the first delimiter's leading CR LF.
        if (firstChild && position >= 2 && out[position - 2] == '\r' && out[position - 1] == '\n') {
            position -= 2;
        }
        firstChild = false;
        position += WriteDelimiterLine(out + position, boundary, false);
        const int childSize = child->Write(out + position, capacity - position);
        if (childSize < 0) {
            return childSize;
        }
        position += childSize;
    }
    if (capacity - position >= static_cast<int64_t>(boundary.size()) + kCloseDelimiterFrame) {
        position += WriteDelimiterLine(out + position, boundary, true);
    }
    return position;
}

}  // namespace vellumo
