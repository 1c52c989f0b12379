#pragma once
// Names of the header fields the codecs, the part model and the translators
// look up or write, spelled as they are written. Lookups ignore ASCII case.

namespace vellumo {

inline constexpr const char* kContentTypeField = "Content-Type";
inline constexpr const char* kContentTransferEncodingField = "Content-Transfer-Encoding";
inline constexpr const char* kContentDispositionField = "Content-Disposition";
inline constexpr const char* kContentDescriptionField = "Content-Description";
inline constexpr const char* kMimeVersionField = "MIME-Version";

}  // namespace vellumo
