#include "translate/archive_html_part.h"

#include <algorithm>
#include <climits>

#include "codec/header_field_names.h"
#include "mime/header_value_safety.h"
#include "platform/files.h"

namespace vellumo {
namespace {

// The value of a field that still holds the bytes it was read from: after
// the colon and the blanks after it, folds and encoded words as they stood.
bool ArrivedValue(const HeaderField& field, std::string& value) {
    if (!field.HasReadForm()) {
        return false;
    }
    std::string line(static_cast<size_t>(field.GetSize()), '\0');
    int written = field.Write(&line[0], static_cast<int>(line.size()));
    if (written < 2) {
        return false;
    }
    line.resize(static_cast<size_t>(written) - 2);  // the CR LF
    size_t colon = field.name.size();
    size_t start = colon < line.size() && line[colon] == ':' ? colon + 1 : 0;
    start = std::min(line.find_first_not_of(" \t", start), line.size());
    value = line.substr(start);
    return true;
}

// The field written under its canonical name with its value as it arrived:
// encoded words, quoting and folds stay as the sender wrote them, so
// nothing decoded (raw 8-bit bytes, a line end from an encoded word) can
// reach the archive's header. A field built in memory is encoded from its
// strings. Empty when the line would hold a line break that is no fold (or
// a control byte): the sender would be writing the archive's header.
std::string FieldLine(const char* name, const HeaderField& field) {
    std::string raw;
    if (ArrivedValue(field, raw)) {
        return IsSafeFieldValue(raw) ? std::string(name) + ": " + raw + "\r\n" : std::string();
    }
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

void AppendEntityToArchive(const std::string& archivePath, std::string_view entityText) {
    PlatformFile file;
    if (!file.Open(archivePath, FileMode::AppendExisting)) {
        return;
    }
    HeaderBlock header;
    bool hasVersion = entityText.size() <= static_cast<size_t>(INT_MAX) &&
                      header.Parse(entityText.data(), static_cast<int>(entityText.size())) > 0 &&
                      header.FindField(kMimeVersionField) != nullptr;
    std::string version = std::string(kMimeVersionField) + ": 1.0\r\n";
    if (hasVersion || file.Write(version.data(), version.size())) {
        (void)file.Write(entityText.data(), entityText.size());
    }
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
