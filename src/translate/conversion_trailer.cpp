#include "translate/conversion_trailer.h"

namespace vellumo {

std::string ConversionTrailer(const std::string& archiveLink) {
    return std::string("\r\n\r\n") + kConvertedFieldName + ": " + archiveLink;
}

}  // namespace vellumo
