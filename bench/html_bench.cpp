// Speed of the built-in HTML renderer on a large mail body: nested layout
// tables, entities, lists, inline styles and a style sheet, about 5 MB.
#include <benchmark/benchmark.h>

#include <string>

#include "html/html_renderer.h"

namespace {

constexpr std::size_t kBodySize = 5 * 1024 * 1024;

std::string NewsletterBlock(int index) {
    const std::string n = std::to_string(index);
    return "<table width=\"600\" cellpadding=\"0\" cellspacing=\"0\" style=\"width:600px\">"
           "<tr><td class=\"header\" style=\"padding:10px;font-family:Arial\">"
           "<table><tr><td><h2>Issue " +
           n +
           " &ndash; news &amp; updates</h2></td>"
           "<td align=\"right\"><a href=\"https://example.com/" +
           n +
           "\">View online</a></td>"
           "</tr></table></td></tr>"
           "<tr><td><p>Dear reader,&nbsp;this week&rsquo;s topics&hellip; &copy; 2024 "
           "&#8364;&#x20AC; caf&eacute;</p><ul><li>First item</li><li>Second <b>bold</b> "
           "item</li><li>Third <i>item</i> with <span style=\"color:#333\">colour</span></li>"
           "</ul><div class=\"preheader\" style=\"display:none\">hidden preview " +
           n + "</div><!-- tracking comment " + n +
           " -->"
           "<table><tr><td>Price</td><td>&pound;12.50</td></tr><tr><td>Qty</td><td>3</td>"
           "</tr></table></td></tr></table>\r\n";
}

std::string LargeBody() {
    std::string html =
        "<!DOCTYPE html><html><head><style>.mobile{display:none} @media (max-width:600px)"
        "{.mobile{display:block}} td p {margin:0}</style></head><body>";
    for (int i = 0; html.size() < kBodySize; ++i) {
        html += NewsletterBlock(i);
    }
    return html + "</body></html>";
}

void BM_RenderNewsletter(benchmark::State& state) {
    const std::string html = LargeBody();
    for (auto _ : state) {
        std::string text = vellumo::RenderHtmlText(html, "utf-8");
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(html.size()));
}
BENCHMARK(BM_RenderNewsletter)->Unit(benchmark::kMillisecond);

void BM_RenderDeepNesting(benchmark::State& state) {
    std::string html;
    while (html.size() < kBodySize) {
        html += "<div><span><b>deep</b> text &amp; more</span>";
    }
    for (auto _ : state) {
        std::string text = vellumo::RenderHtmlText(html, "windows-1252");
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(html.size()));
}
BENCHMARK(BM_RenderDeepNesting)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
