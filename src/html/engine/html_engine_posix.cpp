#include "html/engine/html_engine.h"

namespace vellumo {

// There is no platform HTML engine outside Windows.
HtmlTextResult ExtractHtmlText(std::string_view, std::string_view) {
    return {};
}

}  // namespace vellumo
