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
                                      const HtmlTextOptions& options,
                                      const HtmlSourceShrink& shrinkInput) {
    if (source == HtmlTextSource::kPlatformEngine) {
        HtmlTextResult engine = ExtractHtmlText(html, engineCharset);
        if (engine.engineAvailable && !engine.text.empty()) {
            return std::move(engine.text);
        }
    }
    return RenderDecodedHtml(html, builtInCharset, options, shrinkInput);
}

// `shrink` for a caller whose buffer holds `decoded` from `offset` on (after
// a byte-order mark).
HtmlSourceShrink ShrinkFrom(std::size_t offset, const HtmlSourceShrink& shrink) {
    if (offset == 0) {
        return shrink;
    }
    return [offset, &shrink](std::size_t keep) -> const char* {
        const char* kept = shrink(keep == 0 ? 0 : offset + keep);
        return kept == nullptr ? nullptr : kept + offset;
    };
}

}  // namespace

bool HtmlToLabelledText(std::string_view html, std::string_view messageCharset, LabelledText* out,
                        HtmlTextSource source, const HtmlSourceShrink& shrinkInput,
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
    const bool copied = !storage.empty() && decoded.data() == storage.data();
    HtmlSourceShrink shrinkDecoded;
    if (shrinkInput && copied) {
        shrinkInput(0);  // `html` is not read from here on
    } else if (shrinkInput && !decoded.empty()) {
        shrinkDecoded =
            ShrinkFrom(static_cast<std::size_t>(decoded.data() - html.data()), shrinkInput);
    }
    std::string text = RenderWithEngineOrBuiltIn(decoded, "utf-8", HtmlCharset{CharsetKind::kUtf8},
                                                 source, options, shrinkDecoded);
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
