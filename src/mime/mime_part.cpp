#include "mime/mime_part.h"

#include <algorithm>
#include <new>

#include "mime/codec_bridge.h"
#include "mime/main_type_table.h"
#include "mime/part_layout.h"

namespace vellumo {

MimePart::~MimePart() {
    DeleteChildren();
}

void MimePart::Clear() {
    DeleteChildren();
    body.Release();
    HeaderBlock::Clear();
}

int MimePart::Parse(const char* text, int length) {
    return ParseAtDepth(text, length, 0);
}

int MimePart::ParseAtDepth(const char* text, int length, int depth) {
    const int headerSize = HeaderBlock::Parse(text, length);
    if (headerSize <= 0) {
        return headerSize;
    }
    body.Release();
    const bool split = depth < kMaxNestingDepth && GetMainTypeIndex() == kMainTypeMultipart;
    const PartLayout layout =
        LayOutPart(text, length, headerSize, split ? GetBoundary() : std::string());
    ptrdiff_t position = layout.bodyStart;
    if (layout.bodyEnd > layout.bodyStart) {
        if (!DecodeBody(GetTransferEncodingName(), text + layout.bodyStart,
                        static_cast<int>(layout.bodyEnd - layout.bodyStart), body)) {
            return -1;
        }
        position = layout.bodyEnd;
    }
    if (!layout.HasChildren(length)) {
        return static_cast<int>(position);
    }
    return ParseChildren(text, length, layout, depth);
}

int MimePart::ParseChildren(const char* text, int length, const PartLayout& layout, int depth) {
    ChildCursor cursor(text, length, layout);
    ptrdiff_t begin = 0;
    ptrdiff_t end = 0;
    while (cursor.Next(begin, end)) {
        MimePart* child = AddChild();
        if (child == nullptr) {
            return -1;
        }
        const int result =
            child->ParseAtDepth(text + begin, static_cast<int>(end - begin), depth + 1);
        if (result < 0) {
            RemoveChild(child);
            return result;
        }
    }
    return static_cast<int>(cursor.StoppedAt());
}

int MimePart::GetBody(std::string& out) const {
    if (!body.HasBuffer()) {
        return 0;
    }
    out.assign(body.data(), body.size());
    return static_cast<int>(body.size());
}

MimePart* MimePart::AddChild(const MimePart* before) {
    // Appending (the parser's case) must not walk the list: a message of
    // many parts would take quadratic time.
    auto position = before == nullptr
                        ? children.end()
                        : std::find_if(children.begin(), children.end(),
                                       [before](const std::unique_ptr<MimePart>& entry) {
                                           return entry.get() == before;
                                       });
    std::unique_ptr<MimePart> child(new (std::nothrow) MimePart());
    if (child == nullptr) {
        return nullptr;
    }
    MimePart* created = child.get();
    children.insert(position, std::move(child));
    return created;
}

void MimePart::RemoveChild(const MimePart* child) {
    if (child == nullptr) {
        return;
    }
    children.remove_if(
        [child](const std::unique_ptr<MimePart>& entry) { return entry.get() == child; });
}

void MimePart::DeleteChildren() {
    while (!children.empty()) {
        children.pop_back();
    }
}

}  // namespace vellumo
