#include "translate/archive_html_part.h"

#include "codec/header_field_names.h"
#include "mime/header_value_safety.h"
#include "platform/files.h"

namespace vellumo {
namespace {

// The field under its canonical name with its value as it arrived, so that
// nothing decoded (raw 8-bit bytes, a line end from an encoded word) can
// reach the archive's header. Empty when the part has no such field, or
// when the line would hold a line break that is no fold (or a control
// byte): the sender would be writing the archive's header.
std::string FieldLine(const EntityView& part, const char* name) {
    std::string_view value;
    if (!part.FindField(name, value) || !IsSafeFieldValue(value)) {
        return std::string();
    }
    return std::string(name) + ": " + std::string(value) + "\r\n";
}

}  // namespace

std::string ArchivePartHeader(const EntityView& part) {
    std::string text = FieldLine(part, kContentTypeField);
    if (text.empty()) {
        text = std::string(kContentTypeField) + ": text/html\r\n";
    }
    text += FieldLine(part, kContentDispositionField);
    text += kMimeVersionField;
    text += ": 1.0\r\n\r\n";
    return text;
}

void AppendEntityToArchive(const std::string& archivePath, std::string_view entityText) {
    PlatformFile file;
    if (!file.Open(archivePath, FileMode::AppendExisting)) {
        return;
    }
    EntityView entity(entityText.data(), static_cast<ptrdiff_t>(entityText.size()));
    bool hasVersion = entity.HeaderRead() && entity.HasField(kMimeVersionField);
    std::string version = std::string(kMimeVersionField) + ": 1.0\r\n";
    if (hasVersion || file.Write(version.data(), version.size())) {
        (void)file.Write(entityText.data(), entityText.size());
    }
}

void AppendHtmlPartToArchive(const std::string& archivePath, const EntityView& part) {
    BodyBuffer body;
    if (!part.DecodeBody(body)) {
        return;
    }
    PlatformFile file;
    if (!file.Open(archivePath, FileMode::AppendExisting)) {
        return;
    }
    std::string header = ArchivePartHeader(part);
    if (file.Write(header.data(), header.size()) && body.HasBuffer()) {
        (void)file.Write(body.data(), body.size());
    }
}

}  // namespace vellumo
