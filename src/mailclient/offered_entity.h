#pragma once
// A MIME entity as the mail client sees it when it offers the entity to the
// translators: its header text, its body (still transfer-encoded) and its
// Content-Type broken into type, subtype and parameters. Text must use CR LF
// line ends; any bytes are accepted.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vellumo {

struct OfferedEntity {
    // The header lines, each with its CR LF, without the blank line after them.
    std::string_view header;
    // Everything after the blank line.
    std::string_view body;
    // False when the header runs to the end of the text: the line end that
    // would have been its blank line was the next delimiter's.
    bool hasBlankLine = false;
    // Unfolded, trimmed values of the first field of each name ("" when none).
    std::string contentType;
    std::string transferEncoding;
    std::string disposition;
    std::string mainType = "text";  // the defaults of an entity without Content-Type
    std::string subType = "plain";
    std::string dispositionType;
    // The disposition's file name ("filename", or its RFC 2231 form decoded
    // to its bytes), "" when none.
    std::string fileName;
    // The Content-Type and Content-Disposition parameters as the host reads
    // them (ReadHostParameters).
    std::vector<std::pair<std::string, std::string>> params;
    std::vector<std::pair<std::string, std::string>> dispositionParams;
};

// Splits entity text at its first blank line (an entity that begins with one
// has an empty header; one without any is all header) and reads the fields
// the host looks at. The views point into `text`.
[[nodiscard]] OfferedEntity ReadOfferedEntity(std::string_view text);

// The value of the first field of that name (ASCII case ignored) as it
// stands, folds included; empty when there is none.
[[nodiscard]] std::string_view RawFieldValue(std::string_view header, std::string_view name);

// The unfolded value of the first field of that name (ASCII case ignored),
// white space trimmed; "" when there is none.
[[nodiscard]] std::string HeaderFieldValue(std::string_view header, std::string_view name);

// The input file the host writes for a translator: "Mime-Version: 1.0", the
// Content-Type line built from the type and the parameters it read, then
// the Content-Disposition parameters but the plain file name, which the
// mail client keeps with the type's (each "; name=value", quoted as
// HostQuotedValue quotes), the Content-Transfer-Encoding line when there is
// one, the Content-Disposition line with its type and file name only (an
// RFC 2231 name decoded), a blank line, the body exactly as it arrived and
// one extra CR LF. The host reads a nested part's body up to its parent's
// delimiter line, so with delimiterLineEnd the line end before that line
// comes first, unless the header itself ran up to it.
[[nodiscard]] std::string HostInputFile(const OfferedEntity& entity, bool delimiterLineEnd);

// True for "multipart" in any case.
[[nodiscard]] bool IsMultipartEntity(const OfferedEntity& entity);

// The value of the named Content-Type parameter (first match, ASCII case
// ignored); "" when absent.
[[nodiscard]] std::string EntityParameter(const OfferedEntity& entity, std::string_view name);

}  // namespace vellumo
