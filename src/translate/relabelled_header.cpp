#include "translate/relabelled_header.h"

#include <string_view>

#include "codec/header_field_names.h"
#include "mime/header_field.h"
#include "mime/header_span.h"
#include "platform/ascii_case.h"

namespace vellumo {
namespace {

std::string_view NameOf(const char* text, const FieldSpan& span) {
    return std::string_view(text + span.lineStart,
                            static_cast<size_t>(span.nameEnd - span.lineStart));
}

}  // namespace

// header = *field CRLF, read as HeaderFieldsEnd reads it.
bool ReadRelabelledHeader(const char* text, ptrdiff_t length, RelabelledHeader& out) {
    out = RelabelledHeader();
    bool typeSeen = false;
    ptrdiff_t position = 0;
    while (position < length && text[position] != '\r' && text[position] != '\0') {
        FieldSpan span;
        if (!LocateField(text + position, length - position, span)) {
            return false;
        }
        const char* field = text + position;
        const std::string_view name = NameOf(field, span);
        position += span.next;
        if (!typeSeen && EqualsIgnoringAsciiCase(name, kContentTypeField)) {
            typeSeen = true;
            continue;
        }
        if (EqualsIgnoringAsciiCase(name, kContentTransferEncodingField)) {
            continue;
        }
        std::string& kept = typeSeen ? out.afterType : out.beforeType;
        kept.append(field + span.lineStart, static_cast<size_t>(span.valueEnd - span.lineStart));
        kept += "\r\n";
    }
    return true;
}

std::string WriteRelabelledHeader(const RelabelledHeader& header, const std::string& contentType) {
    const HeaderField type(kContentTypeField, contentType);
    std::string line(static_cast<size_t>(type.GetSize()), '\0');
    const int written = type.Write(&line[0], static_cast<int>(line.size()));
    line.resize(written > 0 ? static_cast<size_t>(written) : 0);
    std::string text;
    text.reserve(header.beforeType.size() + line.size() + header.afterType.size() + 2);
    text += header.beforeType;
    text += line;
    text += header.afterType;
    text += "\r\n";
    return text;
}

}  // namespace vellumo
