// ExtractHtmlText through the MSHTML document component.
#include "html/engine/html_engine_win.h"

#include <windows.h>

#include <new>
#include <string>

#include "html/engine/html_com_win.h"
#include "html/engine/html_engine_document_win.h"
#include "html/engine/html_engine_text_win.h"
#include "html/engine/html_offline_markup.h"
#include "platform/com_apartment_win.h"

namespace vellumo {
namespace {

// The HTML as the document is given it: decoded from its charset, rebuilt
// with nothing to fetch, as a BSTR. Null when a conversion fails.
BSTR OfflineSource(std::string_view html, UINT codePage) {
    std::wstring wide;
    std::string utf8;
    if (!DecodeCodePage(html, codePage, &wide) || !WideToUtf8(wide, &utf8) ||
        !Utf8ToWide(MakeHtmlOffline(utf8), &wide)) {
        return nullptr;
    }
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

HtmlTextResult Extract(std::string_view html, std::string_view charset,
                       const HtmlEngineOptions& options) {
    // Only a thread that already has its single-threaded apartment, as the
    // mail client's UI thread does, uses the engine: on a thread without COM
    // each message would start and stop COM, and a multithreaded apartment
    // would use the document across apartments.
    const ComApartment apartment;
    if (!apartment.WasAlreadyEntered()) {
        return {};
    }
    const UINT codePage = EngineCodePage(charset);
    const BstrHolder source(OfflineSource(html, codePage));
    if (source.Get() == nullptr) {
        return {};
    }
    EngineDocument document;
    BstrHolder text;
    if (!document.Open(options.documentClass) || !document.Load(source.Get()) ||
        !document.ReadBodyText(&text)) {
        return {};
    }
    HtmlTextResult result;
    const std::wstring_view wide(text.Get() != nullptr ? text.Get() : L"",
                                 text.Get() != nullptr ? SysStringLen(text.Get()) : 0);
    if (!EncodeCodePage(wide, codePage, &result.text)) {
        return {};
    }
    result.engineAvailable = true;
    return result;
}

}  // namespace

bool RunningUnderWine() {
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

HtmlTextResult ExtractHtmlText(std::string_view html, std::string_view charset,
                               const HtmlEngineOptions& options) {
    if (html.size() > kHtmlEngineMaxInputBytes || (RunningUnderWine() && !options.allowUnderWine)) {
        return {};
    }
    try {
        return Extract(html, charset, options);
    } catch (const std::bad_alloc&) {
        return {};  // the holders have cleaned up; the renderer may still manage
    }
}

HtmlTextResult ExtractHtmlText(std::string_view html, std::string_view charset) {
    return ExtractHtmlText(html, charset, HtmlEngineOptions());
}

}  // namespace vellumo
