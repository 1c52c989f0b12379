// html-engine-check: run on the target system (or under Wine) to see
// whether the MSHTML engine can be used there. The engine is only used on a
// thread that already has its single-threaded apartment, as the mail
// client's UI thread has; the check runs that case, and a thread without
// COM and a multithreaded one, and that ExtractHtmlText leaves the thread's
// COM state as it found it. Prints one line per check and a closing
// "N passed, M failed"; exits 1 when a check fails.
#include <windows.h>

#include <mshtmdid.h>

#include <cstdio>
#include <string>

#include "html/engine/html_download_control_win.h"
#include "html/engine/html_engine_win.h"
#include "html/html_text_extractor.h"

namespace {

int passed = 0;
int failed = 0;

void Check(bool ok, const char* what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", what);
    (ok ? passed : failed)++;
}

// True when this thread has no COM apartment: a fresh initialisation then
// succeeds with S_OK (and is undone at once).
bool ThreadHasNoCom() {
    const HRESULT hr = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (SUCCEEDED(hr)) {
        CoUninitialize();
    }
    return hr == S_OK;
}

}  // namespace

// The download control must forbid everything that reaches the network.
void CheckDownloadControl() {
    const LONG flags = vellumo::OfflineDownloadControlFlags();
    const struct {
        const char* what;
        LONG flag;
        bool set;
    } rows[] = {
        {"no scripts", DLCTL_NO_SCRIPTS, true},
        {"no Java", DLCTL_NO_JAVA, true},
        {"no ActiveX run", DLCTL_NO_RUNACTIVEXCTLS, true},
        {"no ActiveX download", DLCTL_NO_DLACTIVEXCTLS, true},
        {"no frames", DLCTL_NO_FRAMEDOWNLOAD, true},
        {"no behaviours", DLCTL_NO_BEHAVIORS, true},
        {"no client pull", DLCTL_NO_CLIENTPULL, true},
        {"silent", DLCTL_SILENT, true},
        {"offline", DLCTL_FORCEOFFLINE, true},
        {"offline if not connected", static_cast<LONG>(DLCTL_OFFLINEIFNOTCONNECTED), true},
        {"no images", DLCTL_DLIMAGES, false},
        {"no videos", DLCTL_VIDEOS, false},
        {"no background sounds", DLCTL_BGSOUNDS, false},
    };
    for (const auto& row : rows) {
        Check(((flags & row.flag) != 0) == row.set, row.what);
    }
}

// The mail client's case: the UI thread has its single-threaded apartment
// before the plug-in is called. Returns whether the engine was used.
bool CheckSingleThreadedHost(const std::string& html) {
    const HRESULT host = CoInitialize(nullptr);
    const vellumo::HtmlTextResult engine = vellumo::ExtractHtmlText(html, "utf-8");
    std::printf("engine available: %s\n", engine.engineAvailable ? "yes" : "no");
    if (engine.engineAvailable) {
        std::printf("engine text: [%s]\n", engine.text.c_str());
        Check(engine.text.find("Hello world") != std::string::npos, "engine renders the body");
    } else {
        Check(engine.text.empty(), "an unavailable engine gives no text");
    }
    if (vellumo::RunningUnderWine()) {
        Check(!engine.engineAvailable, "under Wine the engine is not used");
    }
    const HRESULT after = CoInitialize(nullptr);
    Check(host == S_OK && after == S_FALSE, "the host's apartment is kept");
    if (SUCCEEDED(after)) {
        CoUninitialize();
    }
    if (SUCCEEDED(host)) {
        CoUninitialize();
    }
    return engine.engineAvailable;
}

int main() {
    CheckDownloadControl();
    std::printf("running under Wine: %s\n", vellumo::RunningUnderWine() ? "yes" : "no");
    const std::string html = "<html><body><p>Hello <b>world</b></p></body></html>";
    CheckSingleThreadedHost(html);

    const vellumo::HtmlTextResult noCom = vellumo::ExtractHtmlText(html, "utf-8");
    Check(!noCom.engineAvailable, "a thread without COM does not use the engine");
    Check(ThreadHasNoCom(), "COM is uninitialised again after the call");

    // A multithreaded apartment: the engine is not used there, and the call
    // must not undo it.
    const HRESULT host = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    const vellumo::HtmlTextResult inHost = vellumo::ExtractHtmlText(html, "utf-8");
    Check(!inHost.engineAvailable, "a multithreaded apartment does not use the engine");
    const HRESULT after = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    Check(SUCCEEDED(host) && after == S_FALSE, "the host's own COM initialisation is kept");
    if (SUCCEEDED(after)) {
        CoUninitialize();
    }
    if (SUCCEEDED(host)) {
        CoUninitialize();
    }

    const std::string text = vellumo::HtmlToText(html, "utf-8");
    std::printf("HtmlToText: [%s]\n", text.c_str());
    Check(text == vellumo::RenderHtmlText(html, "utf-8"),
          "by default HtmlToText is the built-in renderer's text");
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
