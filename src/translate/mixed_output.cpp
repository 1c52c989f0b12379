#include "translate/mixed_output.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <unordered_set>

#include "codec/header_field_names.h"
#include "mime/header_span.h"

namespace vellumo {
namespace {

constexpr std::string_view kBoundaryStem = "Vellumo-Kept-Parts-";
constexpr size_t kBoundaryDigits = 8;
constexpr std::string_view kAttachmentLine = "Content-Disposition: attachment\r\n";
constexpr std::string_view kCrLf = "\r\n";

std::string BoundaryNumber(std::uint32_t number) {
    char digits[kBoundaryDigits + 1];
    std::snprintf(digits, sizeof digits, "%08X", static_cast<unsigned>(number));
    return std::string(digits, kBoundaryDigits);
}

}  // namespace

// Each place where the stem occurs rules out at most one number, the one
// whose digits follow it there; so one of the first (places + 1) numbers
// occurs nowhere, and a crafted message cannot make the search long.
std::string FreshBoundary(const std::vector<std::string_view>& texts) {
    std::unordered_set<std::string_view> taken;
    for (std::string_view text : texts) {
        for (size_t at = text.find(kBoundaryStem); at != std::string_view::npos;
             at = text.find(kBoundaryStem, at + 1)) {
            taken.insert(text.substr(at + kBoundaryStem.size(), kBoundaryDigits));
        }
    }
    for (std::uint32_t number = 0;; ++number) {
        std::string digits = BoundaryNumber(number);
        if (taken.count(digits) == 0) {
            return std::string(kBoundaryStem) + digits;
        }
    }
}

MixedOutput::MixedOutput(const std::string& textType,
                         const std::vector<std::string_view>& textPieces,
                         const std::vector<EntityView>& keptParts) {
    std::vector<std::string_view> texts = textPieces;
    for (const EntityView& part : keptParts) {
        texts.push_back(part.Text());
    }
    boundary_ = FreshBoundary(texts);
    head_ = std::string("Mime-Version: 1.0\r\n") + kContentTypeField +
            ": multipart/mixed; boundary=" + boundary_ + "\r\n\r\n--" + boundary_ + "\r\n" +
            kContentTypeField + ": " + textType + "\r\n\r\n";
    delimiter_ = "\r\n--" + boundary_ + "\r\n";
    close_ = "\r\n--" + boundary_ + "--\r\n";
    pieces_.push_back(head_);
    pieces_.insert(pieces_.end(), textPieces.begin(), textPieces.end());
    for (const EntityView& part : keptParts) {
        pieces_.push_back(delimiter_);
        if (part.HasField(kContentDispositionField)) {
            pieces_.push_back(part.Text());
        } else {
            AddPart(part.Text());
        }
    }
    pieces_.push_back(close_);
}

// The part with the attachment line after its last field. A header that
// ends without a line end (the delimiter's CR LF ends it) gets the line
// end before the new line instead of after it; a header that cannot be
// read stays as it is.
void MixedOutput::AddPart(std::string_view part) {
    const ptrdiff_t fieldsEnd = HeaderFieldsEnd(part.data(), static_cast<ptrdiff_t>(part.size()));
    if (fieldsEnd <= 0) {
        pieces_.push_back(part);
        return;
    }
    const size_t end = static_cast<size_t>(fieldsEnd);
    const std::string_view fields = part.substr(0, end);
    pieces_.push_back(fields);
    if (fields.substr(end - std::min(end, kCrLf.size())) == kCrLf) {
        pieces_.push_back(kAttachmentLine);
    } else {
        pieces_.push_back(kCrLf);
        pieces_.push_back(kAttachmentLine.substr(0, kAttachmentLine.size() - kCrLf.size()));
    }
    pieces_.push_back(part.substr(end));
}

}  // namespace vellumo
