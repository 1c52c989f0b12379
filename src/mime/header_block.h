#pragma once
// The ordered header fields of a MIME entity, with lookups and the
// Content-Type queries.

#include <list>
#include <string>
#include <string_view>

#include "mime/header_field.h"

namespace vellumo {

class HeaderBlock {
  public:
    // Fields in order of appearance; several may share a name, and every
    // lookup sees the first. Pointers to fields stay valid until that field is
    // removed.
    std::list<HeaderField> fields;

    HeaderBlock() = default;
    virtual ~HeaderBlock();
    HeaderBlock(const HeaderBlock&) = default;
    HeaderBlock& operator=(const HeaderBlock&) = default;

    // Removes every field.
    virtual void Clear();
    // Upper bound of Write: the fields' sizes plus the blank line; saturates at INT_MAX.
    [[nodiscard]] virtual int GetSize() const;
    // Writes the fields and the blank line. Returns the bytes written, or the
    // first field's result of 0 or less (nothing after that field is written).
    [[nodiscard]] virtual int Write(char* out, int capacity) const;
    // Appends the fields read from text[0, length) (text[length] must exist).
    // Returns the bytes consumed including the blank line, which may exceed
    // `length` by 2 when the header has no blank line; 0 when a field line
    // cannot be read (the fields read before it stay).
    [[nodiscard]] virtual int Parse(const char* text, int length);

    // The first field whose whole name equals `name` ignoring ASCII case.
    [[nodiscard]] HeaderField* FindField(std::string_view name);
    [[nodiscard]] const HeaderField* FindField(std::string_view name) const;
    // Replaces name, value and charset of the first field of that name, or
    // appends a new field. The result is encoded from its strings when written.
    HeaderField& SetField(std::string_view name, std::string_view value,
                          std::string_view charset = {});
    // Appends a copy, even when a field of that name exists.
    HeaderField& AddField(const HeaderField& field);

    // The named parameter of the first field of that name; empty when missing.
    [[nodiscard]] std::string GetParameter(std::string_view fieldName,
                                           std::string_view parameterName) const;
    // The "boundary" parameter of Content-Type; empty when missing.
    [[nodiscard]] std::string GetBoundary() const;
    // Content-Type main type ("text" without the field), untrimmed.
    [[nodiscard]] std::string GetMainType() const;
    // Content-Type subtype ("plain" without the field).
    [[nodiscard]] std::string GetSubType() const;
    // Index into MainTypeTable, 0 to 7 (0 without the field).
    [[nodiscard]] int GetMainTypeIndex() const;
    // The Content-Transfer-Encoding name: the first such field's value with
    // white space trimmed and cut at ";" or "("; empty without the field.
    [[nodiscard]] std::string GetTransferEncodingName() const;
};

}  // namespace vellumo
