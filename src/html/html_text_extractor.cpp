#include "html/html_text_extractor.h"

#include <utility>

#include "charset/source_charset.h"
#include "html/engine/html_engine.h"
#include "html/html_charset_sniff.h"

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

// The engine's text when asked for and it has any, else the built-in
// renderer's.
std::string RenderWithEngineOrBuiltIn(std::string_view html, std::string_view engineCharset,
                                      const HtmlCharset& builtInCharset, HtmlTextSource source,
                                      const HtmlTextOptions& options) {
    if (source == HtmlTextSource::kPlatformEngine) {
        HtmlTextResult engine = ExtractHtmlText(html, engineCharset);
        if (engine.engineAvailable && !engine.text.empty()) {
            return std::move(engine.text);
        }
    }
    return RenderDecodedHtml(html, builtInCharset, options);
}

}  // namespace

bool HtmlToLabelledText(std::string_view html, std::string_view messageCharset, LabelledText* out,
                        HtmlTextSource source, const std::function<void()>& releaseInput,
                        const HtmlTextOptions& options) {
    if (options.AnyExtra()) {
        source = HtmlTextSource::kBuiltInRenderer;
    }
    std::string label(TrimBlanks(messageCharset));
    if (label.empty()) {
        label = SniffHtmlCharset(html);
    }
    const HtmlSourceCharset read = ClassifyHtmlSource(label, html);
    // A label nothing here reads, or the standard's replacement encoding:
    // the message stays as it is rather than passing on undecoded bytes.
    if (read.form == HtmlSourceForm::kUnreadable || read.form == HtmlSourceForm::kOpaque) {
        return false;
    }
    if (read.byteOrderMark > 0) {
        label = "utf-8";  // the mark outranked the label: the text is Unicode
    }
    std::string storage;
    // The built-in renderer reads ill-formed UTF-8 in place.
    const std::string_view decoded =
        DecodeHtmlSource(html, read, &storage, source == HtmlTextSource::kPlatformEngine);
    if (releaseInput && !storage.empty() && decoded.data() == storage.data()) {
        releaseInput();  // `html` is not read from here on
    }
    std::string text = RenderWithEngineOrBuiltIn(decoded, "utf-8", HtmlCharset{CharsetKind::kUtf8},
                                                 source, options);
    storage = std::string();
    *out = EncodeForLabel(std::move(text), label);
    return true;
}

std::string HtmlToText(std::string_view html, std::string_view charset, HtmlTextSource source) {
    LabelledText text;
    if (!HtmlToLabelledText(html, charset, &text, source)) {
        return RenderDecodedHtml(html, HtmlCharset{});
    }
    return std::move(text.text);
}

}  // namespace vellumo
