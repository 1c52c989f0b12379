#include "translate/archive_html_part.h"

#include "codec/header_field_names.h"
#include "mime/header_value_safety.h"
#include "platform/files.h"

namespace vellumo {
namespace {

// The field written under its canonical name; a value that came from
// encoded words is encoded again in its charset rather than written as raw
// 8-bit bytes. Empty when the line would hold a line break that is no fold
// (or a control byte): the sender would be writing the archive's header.
std::string FieldLine(const char* name, const HeaderField& field) {
    HeaderField line(name, field.value, field.charset);
    std::string text(static_cast<size_t>(line.GetSize()), '\0');
    int written = line.Write(&text[0], static_cast<int>(text.size()));
    text.resize(written > 2 ? static_cast<size_t>(written) - 2 : 0);
    if (text.empty() || !IsSafeFieldValue(text)) {
        return std::string();
    }
    return text + "\r\n";
}

}  // namespace

std::string ArchivePartHeader(const MimePart& part) {
    std::string text;
    const HeaderField* type = part.FindField(kContentTypeField);
    std::string typeLine = type != nullptr ? FieldLine(kContentTypeField, *type) : std::string();
    text += !typeLine.empty() ? typeLine : std::string(kContentTypeField) + ": text/html\r\n";
    const HeaderField* disposition = part.FindField(kContentDispositionField);
    if (disposition != nullptr) {
        text += FieldLine(kContentDispositionField, *disposition);
    }
    text += kMimeVersionField;
    text += ": 1.0\r\n\r\n";
    return text;
}

void AppendHtmlPartToArchive(const std::string& archivePath, const MimePart& part) {
    PlatformFile file;
    if (!file.Open(archivePath, FileMode::AppendExisting)) {
        return;
    }
    std::string header = ArchivePartHeader(part);
    if (file.Write(header.data(), header.size()) && part.body.HasBuffer()) {
        (void)file.Write(part.body.data(), part.body.size());
    }
}

}  // namespace vellumo
