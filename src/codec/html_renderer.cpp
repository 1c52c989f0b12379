#include "codec/html_text_extractor.h"

namespace vellumo {

std::string RenderHtmlText(std::string_view, std::string_view) {
    return {};
}

}  // namespace vellumo
