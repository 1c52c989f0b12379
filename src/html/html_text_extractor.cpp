#include "html/html_text_extractor.h"

#include <utility>

namespace vellumo {

std::string HtmlToText(std::string_view html, std::string_view charset, HtmlTextSource source) {
    if (source == HtmlTextSource::kPlatformEngine) {
        HtmlTextResult engine = ExtractHtmlText(html, charset);
        if (engine.engineAvailable && !engine.text.empty()) {
            return std::move(engine.text);
        }
    }
    return RenderHtmlText(html, charset);
}

}  // namespace vellumo
