// Translators 3 and 4: relabel the entity, mark it, and write it back whole.

#include <cstring>

#include "codec/header_field_names.h"
#include "mime/header_value_safety.h"
#include "platform/ascii_case.h"
#include "translate/mime_type_record.h"
#include "translate/translate_driver.h"
#include "translate/translation.h"

namespace vellumo {
namespace {

constexpr const char* kRelatedMarker = "; related4mixed=yes";
constexpr const char* kInlineMarker = "; inline4attachment=yes";

// The value as it arrived: the raw text keeps encoded words (a non-ASCII
// file name, say) exactly, where the decoded value would be written back as
// raw 8-bit bytes without its charset.
std::string ArrivedValue(const MimeMessage& message, const char* name, bool hasRaw,
                         const std::string& raw) {
    if (hasRaw) {
        return raw;
    }
    const HeaderField* field = message.FindField(name);
    return field != nullptr ? field->value : std::string();
}

// True when the value ends inside a quoted string or a comment (or on a
// lone backslash): a marker appended there would not be a parameter, and in
// a quoted boundary it would change the boundary for every reader.
bool EndsOpen(const std::string& value) {
    bool quoted = false;
    int commentDepth = 0;
    for (size_t at = 0; at < value.size(); ++at) {
        char c = value[at];
        if (c == '\\' && (quoted || commentDepth > 0)) {
            if (++at == value.size()) {
                return true;
            }
        } else if (quoted) {
            quoted = c != '"';
        } else if (c == '(') {
            ++commentDepth;
        } else if (c == ')' && commentDepth > 0) {
            --commentDepth;
        } else if (c == '"' && commentDepth == 0) {
            quoted = true;
        }
    }
    return quoted || commentDepth > 0;
}

// A value the marker can be added to: it ends outside quotes and comments,
// and it holds no line break but folds, so the rewritten field stays one
// field that every reader (the host included) sees the marker in.
bool CanCarryMarker(const std::string& value) {
    return IsSafeFieldValue(value) && !EndsOpen(value);
}

// Writes the message and hands over the new type; the record is built
// first, so a failed allocation declines before anything is written.
int WriteRelabelled(Translation& translation, const char* mainType, const char* subType,
                    MimeTypeRecord** outputType) {
    MimeTypeRecord* record = nullptr;
    if (outputType != nullptr) {
        record = MakeMimeTypeRecord(mainType, subType, kDefaultMimeVersion);
        if (record == nullptr) {
            return kStatusDataUnchanged;
        }
    }
    int status = WriteMessageToOutput(translation);
    translation.message.Clear();
    if (status != kStatusSuccess) {
        FreeMimeTypeRecord(record);
        return status;
    }
    if (outputType != nullptr) {
        *outputType = record;
    }
    return kStatusSuccess;
}

}  // namespace

int TranslateRelatedToMixed(Translation& translation, MimeTypeRecord** outputType) {
    static constexpr const char* kRelated = "multipart/related";
    std::string value = ArrivedValue(translation.message, kContentTypeField,
                                     translation.hasRawContentType, translation.rawContentType);
    if (!CanCarryMarker(value)) {
        return kStatusDataUnchanged;
    }
    value += kRelatedMarker;
    if (StartsWithIgnoringAsciiCase(value, kRelated)) {
        value.replace(0, std::strlen(kRelated), "multipart/mixed");
    }
    translation.message.SetField(kContentTypeField, value);
    return WriteRelabelled(translation, "multipart", "mixed", outputType);
}

int TranslateInlineToAttachment(Translation& translation, MimeTypeRecord** outputType) {
    static constexpr const char* kInline = "inline";
    std::string disposition =
        ArrivedValue(translation.message, kContentDispositionField,
                     translation.hasRawContentDisposition, translation.rawContentDisposition);
    if (!IsSafeFieldValue(disposition)) {
        return kStatusDataUnchanged;
    }
    if (StartsWithIgnoringAsciiCase(disposition, kInline)) {
        disposition.replace(0, std::strlen(kInline), "attachment");
        translation.message.SetField(kContentDispositionField, disposition);
    }
    std::string type = ArrivedValue(translation.message, kContentTypeField,
                                    translation.hasRawContentType, translation.rawContentType);
    if (!CanCarryMarker(type)) {
        return kStatusDataUnchanged;
    }
    translation.message.SetField(kContentTypeField, type + kInlineMarker);
    return WriteRelabelled(translation, "application", "octet-stream", outputType);
}

}  // namespace vellumo
