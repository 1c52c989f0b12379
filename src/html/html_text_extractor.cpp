#include "html/html_text_extractor.h"

#include <utility>

namespace vellumo {

std::string EngineTextOrRendered(HtmlTextResult engine, std::string_view html,
                                 std::string_view charset) {
    if (engine.engineAvailable && !engine.text.empty()) {
        return std::move(engine.text);
    }
    return RenderHtmlText(html, charset);
}

std::string HtmlToText(std::string_view html, std::string_view charset, HtmlTextSource source) {
    if (source == HtmlTextSource::kPlatformEngine) {
        return EngineTextOrRendered(ExtractHtmlText(html, charset), html, charset);
    }
    return RenderHtmlText(html, charset);
}

}  // namespace vellumo
