#include "mailclient/entity_put_back.h"

#include <vector>

#include "platform/ascii_case.h"

namespace vellumo {
namespace {

constexpr std::string_view kPlainTextHead = "Mime-Version: 1.0\r\nContent-Type: text/plain\r\n\r\n";
constexpr std::string_view kMimeVersion = "Mime-Version";
constexpr std::string_view kOutputFieldNames[] = {"Content-Type", "Content-Transfer-Encoding",
                                                  "Content-Disposition", kMimeVersion};

struct FieldLine {
    std::string_view name;  // trimmed; empty for a line without a colon
    std::string_view line;  // with its folds and its final CR LF
    bool used = false;
};

// Calls visit(field) for each of the header's lines in order, each field
// with its continuation lines. Nothing is collected: a header may hold a
// million lines.
template <typename Visit>
void ForEachFieldLine(std::string_view header, Visit visit) {
    size_t at = 0;
    while (at < header.size()) {
        size_t end = header.find("\r\n", at);
        while (end != std::string_view::npos && end + 2 < header.size() &&
               (header[end + 2] == ' ' || header[end + 2] == '\t')) {
            end = header.find("\r\n", end + 2);
        }
        end = end == std::string_view::npos ? header.size() : end + 2;
        FieldLine field;
        field.line = header.substr(at, end - at);
        size_t colon = field.line.find(':');
        if (colon != std::string_view::npos) {
            field.name = field.line.substr(0, colon);
            while (!field.name.empty() && (field.name.back() == ' ' || field.name.back() == '\t')) {
                field.name.remove_suffix(1);
            }
        }
        visit(field);
        at = end;
    }
}

// The header's lines, each field with its continuation lines.
std::vector<FieldLine> SplitFields(std::string_view header) {
    std::vector<FieldLine> fields;
    ForEachFieldLine(header, [&fields](const FieldLine& field) { fields.push_back(field); });
    return fields;
}

bool IsOutputField(std::string_view name) {
    for (std::string_view known : kOutputFieldNames) {
        if (EqualsIgnoringAsciiCase(name, known)) {
            return true;
        }
    }
    return false;
}

FieldLine* FindUnused(std::vector<FieldLine>& fields, std::string_view name) {
    for (FieldLine& field : fields) {
        if (!field.used && EqualsIgnoringAsciiCase(field.name, name)) {
            return &field;
        }
    }
    return nullptr;
}

bool HasUsed(const std::vector<FieldLine>& fields, std::string_view name) {
    for (const FieldLine& field : fields) {
        if (field.used && EqualsIgnoringAsciiCase(field.name, name)) {
            return true;
        }
    }
    return false;
}

void AppendLine(std::string& out, std::string_view line) {
    out.append(line.data(), line.size());
    if (line.size() < 2 || line.substr(line.size() - 2) != "\r\n") {
        out += "\r\n";
    }
}

// The output's header is the host's short one (a few lines); the
// original's is walked line by line.
std::string MergedHeader(std::string_view originalHeader, std::string_view outputHeader,
                         bool isMessage) {
    std::vector<FieldLine> output = SplitFields(outputHeader);
    bool hadMimeVersion = false;
    std::string merged;
    merged.reserve(originalHeader.size() + outputHeader.size() + 2);
    ForEachFieldLine(originalHeader, [&](const FieldLine& field) {
        if (!IsOutputField(field.name)) {
            AppendLine(merged, field.line);
            return;
        }
        bool mimeVersion = EqualsIgnoringAsciiCase(field.name, kMimeVersion);
        hadMimeVersion = hadMimeVersion || mimeVersion;
        FieldLine* replacement = FindUnused(output, field.name);
        // A second field of a name whose first the output replaced stays
        // as it came, as the mail client keeps it.
        bool repeated = replacement == nullptr && HasUsed(output, field.name);
        if (replacement != nullptr) {
            replacement->used = true;
        }
        // The version line says the same in either spelling: keep the original.
        if (mimeVersion || repeated) {
            AppendLine(merged, field.line);
        } else if (replacement != nullptr) {
            AppendLine(merged, replacement->line);
        }
    });
    for (const FieldLine& field : output) {
        bool mimeVersion = EqualsIgnoringAsciiCase(field.name, kMimeVersion);
        if (!field.used && !field.name.empty() &&
            (!mimeVersion || (isMessage && !hadMimeVersion))) {
            AppendLine(merged, field.line);
        }
    }
    return merged;
}

}  // namespace

std::string PutBackEntity(const OfferedEntity& original, std::string output, bool isMessage,
                          bool* bodyKept) {
    if (!StartsWithIgnoringAsciiCase(output, kMimeVersion)) {
        output.insert(0, kPlainTextHead.data(), kPlainTextHead.size());
    }
    // The header is rebuilt and the body stays where it is in the output's
    // own buffer, so a large body is moved, never copied to new memory.
    OfferedEntity result = ReadOfferedEntity(output);
    // An output that is all header has no body view to measure from.
    size_t bodyStart = result.body.data() != nullptr
                           ? static_cast<size_t>(result.body.data() - output.data())
                           : output.size();
    std::string header = MergedHeader(original.header, result.header, isMessage);
    header += "\r\n";
    if (bodyKept != nullptr) {
        *bodyKept = result.body == original.body;
        if (*bodyKept) {
            return header;
        }
    }
    output.replace(0, bodyStart, header);
    return output;
}

}  // namespace vellumo
