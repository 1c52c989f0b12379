// Translators 3 and 4: relabel and mark the entity by changing its header
// fields in place. Every other byte goes to the output as it arrived, so a
// body that no codec would give back the same (stray bytes in base64, a bare
// "=" in quoted-printable, an unknown encoding) is never altered.

#include <algorithm>
#include <string_view>
#include <vector>

#include "codec/header_field_names.h"
#include "host/plugin_state.h"
#include "mime/header_span.h"
#include "mime/header_value_safety.h"
#include "platform/ascii_case.h"
#include "translate/mime_type_record.h"
#include "translate/translate_driver.h"
#include "translate/translation.h"

namespace vellumo {
namespace {

constexpr std::string_view kRelatedMarker = "; related4mixed=yes";
constexpr std::string_view kInlineMarker = "; inline4attachment=yes";
constexpr std::string_view kCrLf = "\r\n";

// The input bytes [start, end) replaced by `bytes`.
struct Splice {
    ptrdiff_t start;
    ptrdiff_t end;
    std::string bytes;
};

std::string_view RawValue(const std::string& text, const FieldSpan& span) {
    return std::string_view(text).substr(static_cast<size_t>(span.valueStart),
                                         static_cast<size_t>(span.valueEnd - span.valueStart));
}

bool FindField(const std::string& text, std::string_view name, FieldSpan& span) {
    return FindFieldSpan(text.c_str(), static_cast<ptrdiff_t>(text.size()), name, span);
}

// The bytes of a value before its media type: blanks and folds.
size_t LeadingWhiteSpace(std::string_view value) {
    return std::min(value.find_first_not_of(" \t\r\n"), value.size());
}

// A byte of a token (RFC 2045): printable ASCII but the specials.
bool IsTokenByte(char c) {
    constexpr std::string_view kSpecials = "()<>@,;:\\\"/[]?=";
    return c > ' ' && c < 0x7F && kSpecials.find(c) == std::string_view::npos;
}

size_t TokenEnd(std::string_view value, size_t at) {
    while (at < value.size() && IsTokenByte(value[at])) {
        ++at;
    }
    return at;
}

// Where the marker goes: right after "type/subtype", before any parameter.
// The host ends an unquoted parameter value at its first blank and reads
// nothing more of that line, so a marker after the parameters can be lost
// (name=Meeting notes); before them it is always read. npos when the value
// holds a stray line break, or does not begin with a media type that a
// blank, ";", "(" or the end follows: the marker would not stand as a
// parameter of its own there.
size_t MarkerOffset(std::string_view value) {
    if (!IsSafeFieldValue(value)) {
        return std::string_view::npos;
    }
    const size_t typeStart = LeadingWhiteSpace(value);
    const size_t slash = TokenEnd(value, typeStart);
    if (slash == typeStart || slash == value.size() || value[slash] != '/') {
        return std::string_view::npos;
    }
    const size_t end = TokenEnd(value, slash + 1);
    if (end == slash + 1 || (end < value.size() && std::string_view(" \t\r;(").find(value[end]) ==
                                                       std::string_view::npos)) {
        return std::string_view::npos;
    }
    return end;
}

// Marks the Content-Type value right after its media type. Without such a
// field one holding only the marker is added as the last field of the
// header. False when the value cannot carry the marker.
bool MarkContentType(const std::string& text, ptrdiff_t fieldsEnd, std::string_view marker,
                     std::vector<Splice>& splices) {
    FieldSpan type;
    if (FindField(text, kContentTypeField, type)) {
        const size_t offset = MarkerOffset(RawValue(text, type));
        if (offset == std::string_view::npos) {
            return false;
        }
        const ptrdiff_t at = type.valueStart + static_cast<ptrdiff_t>(offset);
        splices.push_back({at, at, std::string(marker)});
        return true;
    }
    std::string line;
    if (fieldsEnd > 0 &&
        (fieldsEnd < 2 || text.compare(static_cast<size_t>(fieldsEnd) - 2, 2, kCrLf) != 0)) {
        line = kCrLf;  // the last field ran to the end of the text
    }
    line.append(kContentTypeField).append(": ").append(marker).append(kCrLf);
    splices.push_back({fieldsEnd, fieldsEnd, line});
    return true;
}

// Replaces the case-insensitive prefix `from` of the field's value (after
// any folds before it) by `to`.
void RelabelValue(const std::string& text, std::string_view name, std::string_view from,
                  std::string_view to, std::vector<Splice>& splices) {
    FieldSpan field;
    if (!FindField(text, name, field)) {
        return;
    }
    const std::string_view value = RawValue(text, field);
    const size_t start = LeadingWhiteSpace(value);
    if (StartsWithIgnoringAsciiCase(value.substr(start), from)) {
        const ptrdiff_t at = field.valueStart + static_cast<ptrdiff_t>(start);
        splices.push_back({at, at + static_cast<ptrdiff_t>(from.size()), std::string(to)});
    }
}

// The host's input ends with line ends that are not the entity's: for a
// nested part the line end of the parent's next delimiter, and always one
// CR LF of the host's own (HostInputTailLineEnds counts them). The host puts
// the output's body back as the entity's content up to its end, so they are
// left out: an attachment that is not base64 keeps exactly its bytes, and
// so does the last part of a multipart that has no close delimiter.
ptrdiff_t LengthWithoutHostTail(const std::string& text, ptrdiff_t bodyStart) {
    ptrdiff_t end = static_cast<ptrdiff_t>(text.size());
    for (int32_t lineEnds = 0; lineEnds < HostInputTailLineEnds; ++lineEnds) {
        if (end - 2 < bodyStart || text.compare(static_cast<size_t>(end) - 2, 2, kCrLf) != 0) {
            break;
        }
        end -= 2;
    }
    return end;
}

// Writes the input with the splices (in order, not overlapping) made, up to
// `keptLength`, and hands over the new type; the record is built first, so
// a failed allocation declines before anything is written.
int WriteSpliced(Translation& translation, const std::vector<Splice>& splices, ptrdiff_t keptLength,
                 const char* mainType, const char* subType, MimeTypeRecord** outputType) {
    MimeTypeRecord* record = nullptr;
    if (outputType != nullptr) {
        record = MakeMimeTypeRecord(mainType, subType, kDefaultMimeVersion);
        if (record == nullptr) {
            return Decline(translation, DeclineCause::kOutOfMemory);
        }
    }
    const std::string& text = translation.text;
    std::string head;
    size_t from = 0;
    for (const Splice& splice : splices) {
        head.append(text, from, static_cast<size_t>(splice.start) - from).append(splice.bytes);
        from = static_cast<size_t>(splice.end);
    }
    const int status = WriteTranslationOutput(translation, head, text.data() + from,
                                              static_cast<size_t>(keptLength) - from);
    if (status != kStatusSuccess) {
        FreeMimeTypeRecord(record);
        return status;
    }
    if (outputType != nullptr) {
        *outputType = record;
    }
    return kStatusSuccess;
}

// Where the header's fields end, or -1 when the header cannot be read.
ptrdiff_t FieldsEnd(const Translation& translation) {
    return HeaderFieldsEnd(translation.text.c_str(),
                           static_cast<ptrdiff_t>(translation.text.size()));
}

// Where the body starts: after the blank line that ends the fields.
ptrdiff_t BodyStart(const Translation& translation) {
    return std::min<ptrdiff_t>(FieldsEnd(translation) + 2,
                               static_cast<ptrdiff_t>(translation.text.size()));
}

// MarkContentType on a header that can be read; false, the decline
// recorded, when either fails.
bool Mark(Translation& translation, ptrdiff_t fieldsEnd, std::string_view marker,
          std::vector<Splice>& splices) {
    DeclineCause cause = DeclineCause::kNone;
    if (fieldsEnd < 0) {
        cause = DeclineCause::kHeaderUnreadable;
    } else if (!MarkContentType(translation.text, fieldsEnd, marker, splices)) {
        cause = DeclineCause::kTypeCannotBeMarked;
    }
    if (cause != DeclineCause::kNone) {
        (void)Decline(translation, cause);
    }
    return cause == DeclineCause::kNone;
}

}  // namespace

int TranslateRelatedToMixed(Translation& translation, MimeTypeRecord** outputType) {
    const std::string& text = translation.text;
    const ptrdiff_t fieldsEnd = FieldsEnd(translation);
    std::vector<Splice> splices;
    if (!Mark(translation, fieldsEnd, kRelatedMarker, splices)) {
        return kStatusDataUnchanged;
    }
    RelabelValue(text, kContentTypeField, "multipart/related", "multipart/mixed", splices);
    std::sort(splices.begin(), splices.end(),
              [](const Splice& a, const Splice& b) { return a.start < b.start; });
    return WriteSpliced(translation, splices, LengthWithoutHostTail(text, BodyStart(translation)),
                        "multipart", "mixed", outputType);
}

int TranslateInlineToAttachment(Translation& translation, MimeTypeRecord** outputType) {
    const std::string& text = translation.text;
    const ptrdiff_t fieldsEnd = FieldsEnd(translation);
    std::vector<Splice> splices;
    if (!Mark(translation, fieldsEnd, kInlineMarker, splices)) {
        return kStatusDataUnchanged;
    }
    // A disposition with a stray line break is declined like the type: the
    // host would read a different field than the one changed.
    FieldSpan disposition;
    if (FindField(text, kContentDispositionField, disposition) &&
        !IsSafeFieldValue(RawValue(text, disposition))) {
        return Decline(translation, DeclineCause::kDispositionUnsafe);
    }
    RelabelValue(text, kContentDispositionField, "inline", "attachment", splices);
    std::sort(splices.begin(), splices.end(),
              [](const Splice& a, const Splice& b) { return a.start < b.start; });
    return WriteSpliced(translation, splices, LengthWithoutHostTail(text, BodyStart(translation)),
                        "application", "octet-stream", outputType);
}

}  // namespace vellumo
