#pragma once
// Whether a translator takes an offered message.

#include <cstdint>
#include <string_view>

#include "host/host_records.h"

namespace vellumo {

// True when the raw header text is a message's own header: a line of it
// starts with a Date, From, Message-ID or Received field (name in any case,
// colon right after it, a blank after the colon or not).
[[nodiscard]] bool IsMessageHeader(std::string_view rawHeaders);

// The line ends that the host's input file holds after the offered
// entity's own bytes (see HostInputTailLineEnds): 1 for the message
// itself, 2 for a nested entity (an embedded message included), read from
// the raw header text of the offer: the host puts the mailbox's envelope
// line before the message's own fields (BeginsWithEnvelopeLine), never
// before a nested part's header or an embedded message's. Without that
// text: 1.
[[nodiscard]] std::int32_t HostInputTailFor(const HeaderRecord* header);

// Keeps a copy of the raw header text in CapturedHeaders when it is a
// message's own header; a part's header, a null record or null text changes
// nothing, so the message's capture serves its parts.
void CaptureHeaders(const HeaderRecord* header);

// The MIME type, sleep and marker tests for translator id. A null record is
// refused, and so is an HTML part that the message carries as an attachment:
// only message bodies are converted, never an attached .html file. The
// marker is looked for in the parameter list and, since the host drops
// parameters after an unquoted value with a blank, also in the Content-Type
// fields of the raw header text (may be null).
[[nodiscard]] bool AcceptsMessage(int translatorId, const MimeTypeRecord* mimeType,
                                  const char* rawHeaders = nullptr);

// The whole decision of ems_can_translate: 2, 3 or 10.
HostInt CanTranslate(const TranslatorInfoRecord* translator, const DataFileRecord* data);

}  // namespace vellumo
