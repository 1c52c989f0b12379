#include "translate/archive_html_part.h"

#include <algorithm>
#include <climits>

#include "codec/header_field_names.h"
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

// True when every line break in the value is a fold (CR LF and a blank)
// and no other control byte stands in it: anything else would let the
// sender write lines of the archive's header.
bool BreaksOnlyAtFolds(std::string_view value) {
    for (size_t at = 0; at < value.size(); ++at) {
        unsigned char c = static_cast<unsigned char>(value[at]);
        if (c == '\r') {
            if (value.substr(at, 3) != "\r\n " && value.substr(at, 3) != "\r\n\t") {
                return false;
            }
            ++at;
        } else if ((c < 0x20 && c != '\t') || c == 0x7F) {
            return false;
        }
    }
    return true;
}

// The field written under its canonical name with its value as it arrived:
// encoded words, quoting and folds stay as the sender wrote them, so
// nothing decoded (raw 8-bit bytes, a line end from an encoded word) can
// reach the archive's header. Empty when that value breaks its line other
// than by folding. A field built in memory is encoded from its strings.
std::string FieldLine(const char* name, const HeaderField& field) {
    std::string raw;
    if (ArrivedValue(field, raw)) {
        return BreaksOnlyAtFolds(raw) ? std::string(name) + ": " + raw + "\r\n" : std::string();
    }
    HeaderField line(name, field.value, field.charset);
    std::string text(static_cast<size_t>(line.GetSize()), '\0');
    int written = line.Write(&text[0], static_cast<int>(text.size()));
    text.resize(written > 0 ? static_cast<size_t>(written) : 0);
    return text;
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
