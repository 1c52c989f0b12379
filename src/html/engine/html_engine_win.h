// The MSHTML engine path of ExtractHtmlText, with the choices a test rig
// may make for it. Windows only.
#pragma once

#include <objbase.h>

#include <string_view>

#include "html/engine/html_engine.h"

namespace vellumo {

// MSHTML's HTML document, {25336920-03F9-11CF-8FD0-00AA00686F13}.
inline constexpr CLSID kClsidHtmlDocument = {
    0x25336920, 0x03F9, 0x11CF, {0x8F, 0xD0, 0x00, 0xAA, 0x00, 0x68, 0x6F, 0x13}};

struct HtmlEngineOptions {
    // The document class created; a test rig registers a stand-in of its own
    // (CoRegisterClassObject) and names it here.
    CLSID documentClass = kClsidHtmlDocument;
    // Wine's engine ignores the download control and the silent setting, so
    // no document is created under Wine. Only a test rig that brings its own
    // document class sets this.
    bool allowUnderWine = false;
};

// True when the process runs under Wine (ntdll exports wine_get_version).
[[nodiscard]] bool RunningUnderWine();

// ExtractHtmlText with `options`; the two-argument form uses the defaults.
[[nodiscard]] HtmlTextResult ExtractHtmlText(std::string_view html, std::string_view charset,
                                             const HtmlEngineOptions& options);

}  // namespace vellumo
