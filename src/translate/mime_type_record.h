#pragma once
// MIME type records handed to the host. The host releases them piece by
// piece through ems_free, which calls free(): so every string, every
// parameter record and the record itself is its own malloc/strdup block.

#include "host/host_records.h"

namespace vellumo {

inline constexpr HostInt kMimeTypeRecordSize = 28;
inline constexpr const char* kDefaultMimeVersion = "1.0";

// A new record with heap copies of the types and the version ("1.0" when
// version is null), no parameters and no disposition. Null when a type is
// null or an allocation fails; nothing is left allocated then.
[[nodiscard]] MimeTypeRecord* MakeMimeTypeRecord(const char* mainType, const char* subType,
                                                 const char* version);
// Releases a record built by MakeMimeTypeRecord (or by the host's rules):
// its strings, both parameter lists and the record. Null is ignored.
void FreeMimeTypeRecord(MimeTypeRecord* record);
// Releases a parameter list: each record's name, value and the record.
void FreeMimeParamList(MimeParamRecord* first);

}  // namespace vellumo
