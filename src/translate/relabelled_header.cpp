#include "translate/relabelled_header.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "codec/header_field_names.h"
#include "mime/header_field.h"
#include "mime/header_span.h"
#include "platform/ascii_case.h"

namespace vellumo {

// header = *field CRLF, read as HeaderFieldsEnd reads it.
bool ReadRelabelledHeader(const char* text, ptrdiff_t length, RelabelledHeader& out) {
    out = RelabelledHeader();
    // Reserved once: growing a copy of a header megabytes long would hold
    // two of them at a time.
    const ptrdiff_t fieldsEnd = HeaderFieldsEnd(text, length);
    if (fieldsEnd < 0) {
        return false;
    }
    out.fields.reserve(static_cast<size_t>(fieldsEnd));
    bool typeSeen = false;
    (void)ForEachFieldSpan(text, length, [&](const FieldSpan& field) {
        const std::string_view name = FieldName(text, field);
        if (!typeSeen && EqualsIgnoringAsciiCase(name, kContentTypeField)) {
            typeSeen = true;
            out.typeAt = out.fields.size();
        } else if (!EqualsIgnoringAsciiCase(name, kContentTransferEncodingField)) {
            out.fields.append(text + field.lineStart,
                              static_cast<size_t>(field.valueEnd - field.lineStart));
            out.fields += "\r\n";
        }
        return true;
    });
    if (!typeSeen) {
        out.typeAt = out.fields.size();
    }
    return true;
}

std::string WriteRelabelledHeader(RelabelledHeader&& header, const std::string& contentType) {
    const HeaderField type(kContentTypeField, contentType);
    std::string line(static_cast<size_t>(type.GetSize()), '\0');
    const int written = type.Write(&line[0], static_cast<int>(line.size()));
    line.resize(written > 0 ? static_cast<size_t>(written) : 0);
    // The fields are taken over rather than copied: a header may be
    // megabytes long.
    std::string text = std::move(header.fields);
    text.reserve(text.size() + line.size() + 2);
    text.insert(std::min(header.typeAt, text.size()), line);
    text += "\r\n";
    header = RelabelledHeader();
    return text;
}

}  // namespace vellumo
