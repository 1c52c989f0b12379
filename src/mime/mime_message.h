#pragma once
// The root part of a message read from one file.

#include "mime/mime_part.h"

namespace vellumo {

class MimeMessage : public MimePart {
  public:
    MimeMessage() = default;
    // Releases everything read from the message.
    ~MimeMessage() override;
};

}  // namespace vellumo
