// libFuzzer target for the built-in HTML renderer: any bytes, any charset
// name. The first line of the input (up to 32 bytes) names the charset.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "charset/charset.h"
#include "html/html_renderer.h"
#include "html/html_text_extractor.h"

namespace {

constexpr std::size_t kMaxCharsetName = 32;

void CheckCrLf(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool lonelyCr = text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n');
        const bool lonelyLf = text[i] == '\n' && (i == 0 || text[i - 1] != '\r');
        if (lonelyCr || lonelyLf) {
            __builtin_trap();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::string_view charset;
    const std::size_t newline = input.substr(0, kMaxCharsetName).find('\n');
    if (newline != std::string_view::npos) {
        charset = input.substr(0, newline);
        input.remove_prefix(newline + 1);
    }
    const std::string text = vellumo::RenderHtmlText(input, charset);
    CheckCrLf(text);
    if (vellumo::ResolveHtmlCharset(charset).kind == vellumo::CharsetKind::kUtf8 &&
        !vellumo::IsValidUtf8(text)) {
        __builtin_trap();
    }
    // The labelled text: one charset, and UTF-8 when it says so.
    vellumo::LabelledText labelled;
    if (vellumo::HtmlToLabelledText(input, charset, &labelled)) {
        CheckCrLf(labelled.text);
        if (labelled.charset == "utf-8" && !vellumo::IsValidUtf8(labelled.text)) {
            __builtin_trap();
        }
    }
    return 0;
}
