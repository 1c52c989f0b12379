// ExtractHtmlText through the MSHTML document component.
#include <windows.h>

#include <mshtmdid.h>
#include <mshtml.h>
#include <ocidl.h>
#include <oleidl.h>

#include <climits>
#include <string>

#include "html/html_charset.h"
#include "html/html_com_win.h"
#include "html/html_download_control_win.h"
#include "html/html_text_extractor.h"

namespace vellumo {
namespace {

// {25336920-03F9-11CF-8FD0-00AA00686F13}
constexpr CLSID kClsidHtmlDocument = {
    0x25336920, 0x03F9, 0x11CF, {0x8F, 0xD0, 0x00, 0xAA, 0x00, 0x68, 0x6F, 0x13}};
// {332C4425-26CB-11D0-B483-00C04FD90119}
constexpr IID kIidHtmlDocument2 = {
    0x332C4425, 0x26CB, 0x11D0, {0xB4, 0x83, 0x00, 0xC0, 0x4F, 0xD9, 0x01, 0x19}};
// {7FD52380-4E07-101B-AE2D-08002B2EC713}
constexpr IID kIidPersistStreamInit = {
    0x7FD52380, 0x4E07, 0x101B, {0xAE, 0x2D, 0x08, 0x00, 0x2B, 0x2E, 0xC7, 0x13}};

constexpr DWORD kInProcessServer = CLSCTX_INPROC_SERVER;

// The code page a charset name converts through; one Windows does not know
// falls back to the ANSI code page.
UINT UsableCodePage(std::string_view charset) {
    const UINT codePage = WindowsCodePageForCharset(charset);
    return codePage != 0 && IsValidCodePage(codePage) ? codePage : CP_ACP;
}

// The HTML as a BSTR, or nullptr when it cannot be converted.
BSTR ToBstr(std::string_view text, UINT codePage) {
    if (text.size() > static_cast<std::size_t>(INT_MAX)) {
        return nullptr;
    }
    const int length = static_cast<int>(text.size());
    if (length == 0) {
        return SysAllocStringLen(L"", 0);
    }
    const int wide = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    if (wide <= 0) {
        return nullptr;
    }
    BSTR result = SysAllocStringLen(nullptr, static_cast<UINT>(wide));
    if (result != nullptr) {
        MultiByteToWideChar(codePage, 0, text.data(), length, result, wide);
    }
    return result;
}

// The body text in the code page; what it cannot hold becomes the
// conversion's default character.
std::string FromBstr(BSTR text, UINT codePage) {
    const UINT length = SysStringLen(text);
    if (length == 0 || length > static_cast<UINT>(INT_MAX)) {
        return {};
    }
    const int size = WideCharToMultiByte(codePage, 0, text, static_cast<int>(length), nullptr, 0,
                                         nullptr, nullptr);
    if (size <= 0) {
        return {};
    }
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(codePage, 0, text, static_cast<int>(length), &out[0], size, nullptr,
                        nullptr);
    return out;
}

// Installs the offline client site and makes the document read its
// download control again. False when the document takes no site, since
// it could then reach the network.
bool KeepOffline(IHTMLDocument2* document, ComRef<IOleObject>* oleObject) {
    if (FAILED(document->QueryInterface(IID_IOleObject, oleObject->ReceiveVoid()))) {
        return false;
    }
    // The document takes its own reference to the site; ours ends here.
    ComRef<IOleClientSite> site;
    *site.Receive() = CreateOfflineClientSite();
    if (!site || FAILED((*oleObject)->SetClientSite(site.Get()))) {
        return false;
    }
    ComRef<IOleControl> control;
    if (SUCCEEDED(document->QueryInterface(IID_IOleControl, control.ReceiveVoid()))) {
        control->OnAmbientPropertyChange(DISPID_AMBIENT_DLCONTROL);
    }
    return true;
}

// Loads the HTML in design mode and reads the body's innerText.
HtmlTextResult LoadAndRead(IHTMLDocument2* document, std::string_view html, UINT codePage) {
    HtmlTextResult result;
    const BstrHolder source(ToBstr(html, codePage));
    if (source.Get() == nullptr) {
        return result;
    }
    const SingleVariantArray array(source.Get());
    if (!array.Valid()) {
        return result;
    }
    const BstrHolder designMode(SysAllocString(L"On"));
    document->put_designMode(designMode.Get());
    document->write(array.Get());
    document->close();
    ComRef<IHTMLElement> body;
    if (FAILED(document->get_body(body.Receive())) || !body) {
        return result;
    }
    BstrHolder text;
    body->get_innerText(text.Receive());
    result.engineAvailable = true;
    result.text = FromBstr(text.Get(), codePage);
    return result;
}

}  // namespace

HtmlTextResult ExtractHtmlText(std::string_view html, std::string_view charset) {
    const ComInitialization com;
    ComRef<IHTMLDocument2> document;
    if (FAILED(CoCreateInstance(kClsidHtmlDocument, nullptr, kInProcessServer, kIidHtmlDocument2,
                                document.ReceiveVoid())) ||
        !document) {
        return {};
    }
    ComRef<IPersistStreamInit> persist;
    if (FAILED(document->QueryInterface(kIidPersistStreamInit, persist.ReceiveVoid()))) {
        return {};
    }
    ComRef<IOleObject> oleObject;
    HtmlTextResult result;
    if (KeepOffline(document.Get(), &oleObject)) {
        result = LoadAndRead(document.Get(), html, UsableCodePage(charset));
    }
    if (oleObject) {
        oleObject->SetClientSite(nullptr);  // the site and the document refer to each other
    }
    return result;
}

}  // namespace vellumo
