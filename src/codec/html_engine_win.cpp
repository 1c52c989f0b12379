#include "codec/html_text_extractor.h"

namespace vellumo {

HtmlTextResult ExtractHtmlText(std::string_view, std::string_view) {
    return {};
}

}  // namespace vellumo
