#include "html/engine/html_engine.h"

#include <utility>

#include "html/html_text_extractor.h"

namespace vellumo {

std::string EngineTextOrRendered(HtmlTextResult engine, std::string_view html,
                                 std::string_view charset) {
    if (engine.engineAvailable && !engine.text.empty()) {
        return std::move(engine.text);
    }
    return RenderHtmlText(html, charset);
}

}  // namespace vellumo
