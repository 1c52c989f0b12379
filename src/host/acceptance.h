#pragma once
// Whether a translator takes an offered message.

#include "host/host_records.h"

namespace vellumo {

// Keeps a copy of the raw header text in CapturedHeaders when it contains
// "Date: "; a null record or null text changes nothing.
void CaptureHeaders(const HeaderRecord* header);

// The MIME type, sleep and marker tests for translator id. A null record is
// refused, and so is an HTML part that the message carries as an attachment:
// only message bodies are converted, never an attached .html file.
bool AcceptsMessage(int translatorId, const MimeTypeRecord* mimeType);

// The whole decision of ems_can_translate: 2, 3 or 10.
HostInt CanTranslate(const TranslatorInfoRecord* translator, const DataFileRecord* data);

}  // namespace vellumo
