#include "html/html_text_extractor.h"

#include <utility>

#include "html/html_charset_sniff.h"
#include "html/html_source_charset.h"

namespace vellumo {
namespace {

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

// The engine's text where it can be used, else the built-in renderer's.
std::string RenderWithEngineOrBuiltIn(std::string_view html, std::string_view engineCharset,
                                      const HtmlCharset& builtInCharset) {
    HtmlTextResult engine = ExtractHtmlText(html, engineCharset);
    if (engine.engineAvailable) {
        return std::move(engine.text);
    }
    return RenderDecodedHtml(html, builtInCharset);
}

}  // namespace

bool HtmlToLabelledText(std::string_view html, std::string_view messageCharset, LabelledText* out) {
    std::string label(TrimBlanks(messageCharset));
    if (label.empty()) {
        label = SniffHtmlCharset(html);
    }
    const HtmlSourceCharset source = ClassifyHtmlSource(label);
    if (source.form == HtmlSourceForm::kUnreadable) {
        return false;
    }
    std::string storage;
    const std::string_view decoded = DecodeHtmlSource(html, source, &storage);
    if (source.form == HtmlSourceForm::kOpaque) {
        // Only the engine may know this charset; the built-in renderer
        // passes its bytes through.
        out->text = RenderWithEngineOrBuiltIn(decoded, label, HtmlCharset{});
        out->charset = label;
        return true;
    }
    std::string text =
        RenderWithEngineOrBuiltIn(decoded, "utf-8", HtmlCharset{CharsetKind::kUtf8, nullptr});
    storage = std::string();
    *out = EncodeForLabel(std::move(text), label);
    return true;
}

std::string HtmlToText(std::string_view html, std::string_view charset) {
    LabelledText text;
    if (!HtmlToLabelledText(html, charset, &text)) {
        return RenderDecodedHtml(html, HtmlCharset{});
    }
    return std::move(text.text);
}

}  // namespace vellumo
