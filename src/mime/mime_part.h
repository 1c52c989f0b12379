#pragma once
// A MIME entity: its header fields, its decoded body and its child parts.

#include <list>
#include <memory>
#include <string>

#include "mime/body_buffer.h"
#include "mime/header_block.h"
#include "mime/part_layout.h"

namespace vellumo {

class MimePart : public HeaderBlock {
  public:
    // Multipart nesting deeper than this is not split (see part_layout.h).
    static constexpr int kMaxNestingDepth = kMaxPartNestingDepth;

    // The body decoded from the part's Content-Transfer-Encoding. For a part
    // with children it is the preamble, including the CR LF that stood right
    // before the first delimiter. No buffer when no body was read.
    BodyBuffer body;
    // Child parts in order of appearance; owned.
    std::list<std::unique_ptr<MimePart>> children;

    MimePart() = default;
    ~MimePart() override;
    MimePart(const MimePart&) = delete;
    MimePart& operator=(const MimePart&) = delete;

    // Children (last to first), body and fields.
    void Clear() override;
    // Upper bound of Write; saturates at INT_MAX.
    [[nodiscard]] int GetSize() const override;
    // Writes header, encoded body, and for a part with children each child
    // after its delimiter line and the close delimiter. Returns the bytes
    // written, 0 when the header does not fit, -1 when the part has children
    // but no boundary, or a child's negative result.
    [[nodiscard]] int Write(char* out, int capacity) const override;
    // Reads the part from text[0, length); text[length] must exist (the NUL
    // after the message, or the CR of the next delimiter). Everything kept is
    // copied, so the text may be released afterwards. Call on an empty part.
    // Returns the bytes consumed (may exceed `length` by 2 for a header
    // without a blank line), 0 when the header cannot be read, -1 when a body
    // buffer cannot be allocated.
    [[nodiscard]] int Parse(const char* text, int length) override;

    // Copies the body (NUL bytes included) into out and returns its length;
    // without a body out is left alone and the result is 0.
    int GetBody(std::string& out) const;
    // A new empty child, linked before `before` or at the end when `before`
    // is null or not a child. Owned by this part; null when out of memory.
    MimePart* AddChild(const MimePart* before = nullptr);
    // Unlinks and destroys the child; nothing happens when it is not a child.
    void RemoveChild(const MimePart* child);
    // Destroys all children, last to first.
    void DeleteChildren();

  private:
    int ParseAtDepth(const char* text, int length, int depth);
    int ParseChildren(const char* text, int length, const PartLayout& layout, int depth);
};

}  // namespace vellumo
