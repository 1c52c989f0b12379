#pragma once
// The output of translator 1 when parts are kept beside the text: a
// multipart/mixed entity whose first part is the text and whose other
// parts are the kept parts exactly as they arrived (header and encoded
// body, byte for byte), each marked as an attachment when it says nothing
// of its disposition. The mail client reads that output back as it reads
// mail: the text is shown, the parts are attachments.

#include <string>
#include <string_view>
#include <vector>

#include "mime/entity_view.h"

namespace vellumo {

class MixedOutput {
  public:
    // textType: the Content-Type value of the text part; textPieces: its
    // body. The pieces and the parts' text must outlive this object.
    MixedOutput(const std::string& textType, const std::vector<std::string_view>& textPieces,
                const std::vector<EntityView>& keptParts);
    MixedOutput(const MixedOutput&) = delete;
    MixedOutput& operator=(const MixedOutput&) = delete;

    // The output's bytes, piece by piece.
    [[nodiscard]] const std::vector<std::string_view>& Pieces() const { return pieces_; }
    // The boundary: it occurs in none of the texts and parts it separates.
    [[nodiscard]] const std::string& Boundary() const { return boundary_; }

  private:
    void AddPart(std::string_view part);

    std::string boundary_;
    std::string head_;
    std::string delimiter_;
    std::string close_;
    std::vector<std::string_view> pieces_;
};

// A boundary made of letters, digits and hyphens (written without quotes)
// that occurs in none of the texts.
[[nodiscard]] std::string FreshBoundary(const std::vector<std::string_view>& texts);

}  // namespace vellumo
