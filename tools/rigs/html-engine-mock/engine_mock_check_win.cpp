// html-engine-mock-check: runs the MSHTML engine path against the recording
// stand-in document (mock_document_win.h) on a thread that already has its
// single-threaded apartment, as the mail client's UI thread has. Prints one
// line per check and a closing "N passed, M failed"; exits 1 when a check
// fails.
#include <windows.h>

#include <mshtmdid.h>

#include <cstdio>
#include <string>
#include <vector>

#include "html/engine/html_engine_win.h"
#include "html/html_text_extractor.h"
#include "mock_document_win.h"

namespace {

using vellumo::HtmlEngineOptions;
using vellumo::HtmlTextResult;
using vellumo::rig::MockRecord;
using vellumo::rig::MockResult;
using vellumo::rig::MockScript;

int passed = 0;
int failed = 0;

void Check(bool ok, const std::string& what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", what.c_str());
    (ok ? passed : failed)++;
}

HtmlEngineOptions MockOptions() {
    HtmlEngineOptions options;
    options.documentClass = vellumo::rig::kMockDocumentClass;
    options.allowUnderWine = true;
    return options;
}

HtmlTextResult Run(const MockScript& script, const std::string& html,
                   const std::string& charset = "utf-8") {
    vellumo::rig::ResetMock(script);
    return vellumo::ExtractHtmlText(html, charset, MockOptions());
}

bool Has(const MockRecord& record, const std::string& call) {
    for (const auto& c : record.calls) {
        if (c == call) {
            return true;
        }
    }
    return false;
}

std::string Joined(const std::vector<std::string>& calls) {
    std::string out;
    for (const auto& c : calls) {
        out += (out.empty() ? "" : ", ") + c;
    }
    return out;
}

// Everything the engine got was given back, whatever happened.
void CheckBalanced(const std::string& what) {
    const MockRecord& record = MockResult();
    Check(record.liveObjects == 0, what + ": every document and body released");
    Check(record.siteReferencesLeft <= 0, what + ": the site is gone with the document");
}

const std::vector<std::string> kOrder = {"create",
                                         "QueryInterface:IPersistStreamInit",
                                         "QueryInterface:IOleObject",
                                         "SetClientSite",
                                         "QueryInterface:IOleControl",
                                         "OnAmbientPropertyChange",
                                         "OnAmbientPropertyChange",
                                         "OnAmbientPropertyChange",
                                         "put_designMode",
                                         "write",
                                         "close",
                                         "get_body",
                                         "get_innerText",
                                         "destroy:body",
                                         "Close",
                                         "SetClientSite(null)",
                                         "destroy:document"};

void CheckCallOrder() {
    const HtmlTextResult result = Run({}, "<p>Hello <b>world</b></p>");
    const MockRecord& record = MockResult();
    Check(result.engineAvailable && result.text == "Hello world", "the engine's text comes back");
    Check(record.calls == kOrder, "calls in order: " + Joined(record.calls));
    Check(record.designMode == L"On", "the document is built in design mode");
    Check(record.siteReferencesLeft == 0, "the site's last reference goes with the document");
    CheckBalanced("success");
}

void CheckEachFailure() {
    const char* steps[] = {"create",
                           "QueryInterface:IPersistStreamInit",
                           "QueryInterface:IOleObject",
                           "SetClientSite",
                           "QueryInterface:IOleControl",
                           "OnAmbientPropertyChange",
                           "put_designMode",
                           "write",
                           "close",
                           "get_body",
                           "get_innerText"};
    for (const char* step : steps) {
        MockScript script;
        script.failAt = step;
        const std::string html = "<p>Hello world</p>";
        const HtmlTextResult result = Run(script, html);
        const MockRecord& record = MockResult();
        const std::string what = std::string("failed ") + step;
        Check(!result.engineAvailable && result.text.empty(), what + ": engine unavailable");
        Check(vellumo::EngineTextOrRendered(result, html, "utf-8") == "Hello world",
              what + ": the renderer's text takes over");
        const bool created = std::string(step) != "create";
        const bool holdsOle = created && Has(record, "QueryInterface:IOleObject") &&
                              std::string(step) != "QueryInterface:IOleObject";
        Check(!holdsOle || Has(record, "Close"), what + ": the document is closed");
        const bool siteSet = holdsOle && std::string(step) != "SetClientSite";
        Check(!siteSet || Has(record, "SetClientSite(null)"), what + ": the site is removed");
        Check(!Has(record, "site still held at destroy"), what + ": nothing outlives the site");
        CheckBalanced(what);
    }
}

void CheckEmptyResults() {
    MockScript nullText;
    nullText.nullInnerText = true;
    const std::string html = "<p>Hello world</p>";
    HtmlTextResult result = Run(nullText, html);
    Check(vellumo::EngineTextOrRendered(result, html, "utf-8") == "Hello world",
          "an empty engine text hands over to the renderer");
    CheckBalanced("empty text");
    MockScript noBody;
    noBody.noBody = true;
    result = Run(noBody, html);
    Check(!result.engineAvailable, "no body element: engine unavailable");
    CheckBalanced("no body");
}

void CheckSizeCap() {
    std::string html(vellumo::kHtmlEngineMaxInputBytes, 'a');
    Run({}, html);
    Check(Has(MockResult(), "create"), "HTML at the size cap goes to the engine");
    html += 'a';
    const HtmlTextResult result = Run({}, html);
    Check(!result.engineAvailable && MockResult().calls.empty(),
          "HTML over the size cap never reaches the engine");
}

void CheckOfflineSite() {
    Run({}, "<p>x</p>");
    const MockRecord& record = MockResult();
    const LONG required = DLCTL_NO_SCRIPTS | DLCTL_NO_JAVA | DLCTL_NO_RUNACTIVEXCTLS |
                          DLCTL_NO_DLACTIVEXCTLS | DLCTL_NO_FRAMEDOWNLOAD | DLCTL_NO_BEHAVIORS |
                          DLCTL_NO_CLIENTPULL | DLCTL_SILENT | DLCTL_FORCEOFFLINE |
                          static_cast<LONG>(DLCTL_OFFLINEIFNOTCONNECTED);
    const LONG forbidden = DLCTL_DLIMAGES | DLCTL_VIDEOS | DLCTL_BGSOUNDS;
    Check((record.downloadControl & required) == required &&
              (record.downloadControl & forbidden) == 0,
          "the site's download control keeps the document offline");
    Check(record.offlineIfNotConnected, "the site answers offline-if-not-connected");
    Check(record.silent, "the site answers silent");
    Check(record.messageBoxSuppressed, "the site suppresses message boxes");
}

std::string LowerNarrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) {
        out += c < 0x80 ? static_cast<char>(c >= L'A' && c <= L'Z' ? c + 32 : c) : '?';
    }
    return out;
}

void CheckNoFetchableUrl() {
    const std::string html =
        "<link rel=stylesheet href='http://evil/a.css'><style>@import 'evil.css';"
        "p{background:u\\rl(//evil/b)}</style><img src='&#92;&#92;evil\\share\\x.png'>"
        "<xml src=evil.xml></xml><body background=evil.gif><p style='behavior:url(evil.htc)'>"
        "Hello world</p><script src=evil.js></script><iframe src=file://evil/></iframe>";
    Run({}, html);
    const std::string written = LowerNarrow(MockResult().written);
    Check(written.find("evil") == std::string::npos &&
              written.find("hello world") != std::string::npos,
          "the HTML given to write names nothing to fetch: " + written);
}

void CheckCharsets() {
    MockScript script;
    script.innerText = L"\u00e9\u0142\u221e";
    HtmlTextResult result = Run(script, "<p>x</p>", "windows-1252");
    Check(result.text == "\xe9??", "no best-fit mapping: what 1252 cannot hold is ?");
    MockScript echo;
    echo.echoWritten = true;
    result = Run(echo, "<p>\xe9\xfe</p>", "x-unknown-charset");
    Check(MockResult().written == L"<p>\u00e9\u00fe</p>" && result.text == "<p>\xe9\xfe</p>",
          "an unknown charset passes its bytes through");
}

void CheckWineGuard() {
    HtmlEngineOptions options;
    options.documentClass = vellumo::rig::kMockDocumentClass;
    vellumo::rig::ResetMock({});
    const HtmlTextResult result = vellumo::ExtractHtmlText("<p>x</p>", "utf-8", options);
    Check(!vellumo::RunningUnderWine() || (!result.engineAvailable && MockResult().calls.empty()),
          "under Wine no document is created unless the rig asks");
}

// The engine on a thread of another kind: never used, COM left as found.
DWORD WINAPI OtherThread(void* parameter) {
    const bool multithreaded = parameter != nullptr;
    if (multithreaded) {
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    }
    DWORD cookie = 0;
    const bool registered = vellumo::rig::RegisterMockDocument(&cookie);
    vellumo::rig::ResetMock({});
    const HtmlTextResult result = vellumo::ExtractHtmlText("<p>x</p>", "utf-8", MockOptions());
    const bool unused = !result.engineAvailable && MockResult().calls.empty();
    if (registered) {
        vellumo::rig::RevokeMockDocument(cookie);
    }
    const HRESULT after = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    const bool asFound = multithreaded ? after == S_FALSE : after == S_OK;
    if (SUCCEEDED(after)) {
        CoUninitialize();
    }
    if (multithreaded) {
        CoUninitialize();
    }
    return unused && asFound ? 0 : 1;
}

void CheckOtherThread(bool multithreaded, const char* what) {
    HANDLE thread = CreateThread(nullptr, 0, OtherThread,
                                 multithreaded ? reinterpret_cast<void*>(1) : nullptr, 0, nullptr);
    DWORD code = 1;
    if (thread != nullptr) {
        WaitForSingleObject(thread, INFINITE);
        GetExitCodeThread(thread, &code);
        CloseHandle(thread);
    }
    Check(code == 0, what);
}

}  // namespace

int main() {
    // The mail client's UI thread: a single-threaded apartment before any call.
    if (FAILED(CoInitialize(nullptr))) {
        std::printf("FAILED: no apartment\n");
        return 1;
    }
    DWORD cookie = 0;
    if (!vellumo::rig::RegisterMockDocument(&cookie)) {
        std::printf("FAILED: the stand-in document cannot be registered\n");
        return 1;
    }
    CheckCallOrder();
    CheckEachFailure();
    CheckEmptyResults();
    CheckSizeCap();
    CheckOfflineSite();
    CheckNoFetchableUrl();
    CheckCharsets();
    CheckWineGuard();
    vellumo::rig::RevokeMockDocument(cookie);
    CoUninitialize();
    CheckOtherThread(false, "a thread without COM: engine unused, COM still off");
    CheckOtherThread(true, "a multithreaded apartment: engine unused and kept");
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
