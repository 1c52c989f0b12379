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
    // Unfolded, trimmed values of the first field of each name ("" when none).
    std::string contentType;
    std::string transferEncoding;
    std::string disposition;
    std::string mainType = "text";  // the defaults of an entity without Content-Type
    std::string subType = "plain";
    std::string dispositionType;
    std::vector<std::pair<std::string, std::string>> params;
};

// Splits entity text at its first blank line (an entity that begins with one
// has an empty header; one without any is all header) and reads the fields
// the host looks at. The views point into `text`.
[[nodiscard]] OfferedEntity ReadOfferedEntity(std::string_view text);

// The unfolded value of the first field of that name (ASCII case ignored),
// white space trimmed; "" when there is none.
[[nodiscard]] std::string HeaderFieldValue(std::string_view header, std::string_view name);

// The input file the host writes for a translator: "Mime-Version: 1.0", the
// Content-Type line (with the Content-Disposition parameters after the
// type's own, where the mail client keeps them), the
// Content-Transfer-Encoding line when there is one, the Content-Disposition
// line with the file name only (an RFC 2231 name decoded), a blank line,
// the body exactly as it arrived and one extra CR LF.
[[nodiscard]] std::string HostInputFile(const OfferedEntity& entity);

// True for "multipart" in any case.
[[nodiscard]] bool IsMultipartEntity(const OfferedEntity& entity);

// The value of the named Content-Type parameter (first match, ASCII case
// ignored); "" when absent.
[[nodiscard]] std::string EntityParameter(const OfferedEntity& entity, std::string_view name);

}  // namespace vellumo
