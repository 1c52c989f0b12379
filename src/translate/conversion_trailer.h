#pragma once
// The line that links a converted message to its saved HTML. Appended with
// AppendTextToFile (which adds the final CR LF), its bytes on disk are:
// CR LF CR LF "X-HTML-Message-Converted: " and the quoted file:// link, CR LF.

#include <string>

namespace vellumo {

inline constexpr const char* kConvertedFieldName = "X-HTML-Message-Converted";

// The trailer text for an archive link as MakeArchiveLink builds it.
std::string ConversionTrailer(const std::string& archiveLink);

}  // namespace vellumo
