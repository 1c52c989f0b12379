// libFuzzer target for the built-in HTML renderer: any bytes, any charset
// name. The first line of the input (up to 32 bytes) names the charset.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "charset/charset.h"
#include "html/html_document_editing.h"
#include "html/html_renderer.h"
#include "html/html_text_extractor.h"
#include "html/html_tree_builder.h"

namespace {

constexpr std::size_t kMaxCharsetName = 32;
// Small, so that text moves out of short inputs too.
constexpr std::size_t kFuzzShrinkStep = 16;

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
    // Moved out of a source given back as it goes, every text reads as it
    // did: the buffer moves as it shrinks, so a read of what was given back
    // is caught.
    const vellumo::HtmlCharset utf8{vellumo::CharsetKind::kUtf8};
    const vellumo::HtmlDocument kept = vellumo::BuildHtmlDocument(input, utf8, true);
    auto buffer = std::make_unique<char[]>(input.size() + 1);
    std::memcpy(buffer.get(), input.data(), input.size());
    vellumo::HtmlDocument moved =
        vellumo::BuildHtmlDocument(std::string_view(buffer.get(), input.size()), utf8, true);
    vellumo::MoveSourceTextToArena(
        &moved,
        [&](std::size_t keep) -> const char* {
            auto shrunk = std::make_unique<char[]>(keep + 1);
            std::memcpy(shrunk.get(), input.data(), keep);
            buffer = std::move(shrunk);
            return buffer.get();
        },
        kFuzzShrinkStep);
    std::string scratch;
    std::string movedScratch;
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(kept.nodes.size()); ++i) {
        if (kept.nodes[i].IsText() &&
            kept.NodeText(i, &scratch) != moved.NodeText(i, &movedScratch)) {
            __builtin_trap();
        }
    }
    return 0;
}
