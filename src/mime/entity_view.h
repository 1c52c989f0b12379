#pragma once
// A MIME entity read where it stands in the message text: its header fields,
// its body and its children are found exactly as MimePart::Parse finds them,
// but nothing is copied and nothing is decoded until asked for. A message of
// a million header lines or parts then costs little more than its text. The
// text must outlive the view.

#include <cstddef>
#include <string>
#include <string_view>

#include "mime/body_buffer.h"
#include "mime/part_layout.h"

namespace vellumo {

class EntityView {
  public:
    // The entity in text[0, length) at a nesting depth (0 for a message).
    // text[length] must be readable: the NUL after the message, or the CR
    // of the delimiter line that follows a child.
    EntityView(const char* text, ptrdiff_t length, int depth = 0);

    // False when a header line cannot be read: the fields before it still
    // count, and the entity has no body and no children.
    [[nodiscard]] bool HeaderRead() const { return headerSize_ > 0; }
    // The whole entity: header, blank line and body, as it arrived.
    [[nodiscard]] std::string_view Text() const;
    [[nodiscard]] int Depth() const { return depth_; }

    [[nodiscard]] bool HasFields() const;
    // The raw value of the first field whose whole name equals `name`, ASCII
    // case ignored (as HeaderBlock::FindField looks fields up); false when
    // there is none.
    [[nodiscard]] bool FindField(std::string_view name, std::string_view& rawValue) const;
    [[nodiscard]] bool HasField(std::string_view name) const;
    // The named parameter, read from the raw value; empty when missing.
    [[nodiscard]] std::string Parameter(std::string_view fieldName,
                                        std::string_view parameterName) const;
    // The Content-Type queries of HeaderBlock, with the same defaults.
    [[nodiscard]] std::string MainType() const;
    [[nodiscard]] std::string SubType() const;
    [[nodiscard]] int MainTypeIndex() const;
    // True when main type and subtype are these, ASCII case ignored.
    [[nodiscard]] bool IsType(std::string_view mainType, std::string_view subType) const;
    [[nodiscard]] std::string TransferEncodingName() const;

    // The body as it stands, still transfer-encoded; for a part split into
    // children its preamble. Empty when there is none.
    [[nodiscard]] std::string_view RawBody() const;
    // The body decoded from its Content-Transfer-Encoding, as MimePart
    // holds it. No buffer when there is no body; false when the buffer
    // cannot be had.
    [[nodiscard]] bool DecodeBody(BodyBuffer& body) const;

    // Calls visit(const EntityView& child) for each child in order while
    // visit returns true.
    template <typename Visit>
    void ForEachChild(Visit visit) const;

  private:
    [[nodiscard]] PartLayout Layout() const;

    const char* text_;
    ptrdiff_t length_;
    int depth_;
    // Header bytes with the blank line; 0 when the header cannot be read.
    ptrdiff_t headerSize_ = 0;
};

template <typename Visit>
void EntityView::ForEachChild(Visit visit) const {
    const PartLayout layout = Layout();
    if (!layout.HasChildren(length_)) {
        return;
    }
    ChildCursor cursor(text_, length_, layout);
    ptrdiff_t begin = 0;
    ptrdiff_t end = 0;
    while (cursor.Next(begin, end)) {
        if (!visit(EntityView(text_ + begin, end - begin, depth_ + 1))) {
            return;
        }
    }
}

}  // namespace vellumo
