#include "html/engine/html_engine_document_win.h"

#include "html/engine/html_download_control_win.h"

namespace vellumo {
namespace {

// {332C4425-26CB-11D0-B483-00C04FD90119}
constexpr IID kIidHtmlDocument2 = {
    0x332C4425, 0x26CB, 0x11D0, {0xB4, 0x83, 0x00, 0xC0, 0x4F, 0xD9, 0x01, 0x19}};
// {7FD52380-4E07-101B-AE2D-08002B2EC713}
constexpr IID kIidPersistStreamInit = {
    0x7FD52380, 0x4E07, 0x101B, {0xAE, 0x2D, 0x08, 0x00, 0x2B, 0x2E, 0xC7, 0x13}};

}  // namespace

EngineDocument::~EngineDocument() {
    if (oleObject_) {
        oleObject_->Close(OLECLOSE_NOSAVE);
        if (siteInstalled_) {
            oleObject_->SetClientSite(nullptr);
        }
    }
}

bool EngineDocument::Open(const CLSID& documentClass) {
    if (FAILED(CoCreateInstance(documentClass, nullptr, CLSCTX_INPROC_SERVER, kIidHtmlDocument2,
                                document_.ReceiveVoid())) ||
        !document_) {
        return false;
    }
    if (FAILED(document_->QueryInterface(kIidPersistStreamInit, persist_.ReceiveVoid())) ||
        !persist_) {
        return false;
    }
    if (FAILED(document_->QueryInterface(IID_IOleObject, oleObject_.ReceiveVoid())) ||
        !oleObject_) {
        return false;
    }
    return InstallSite();
}

bool EngineDocument::InstallSite() {
    // The document takes its own reference to the site; ours ends here.
    ComRef<IOleClientSite> site;
    *site.Receive() = CreateOfflineClientSite();
    if (!site || FAILED(oleObject_->SetClientSite(site.Get()))) {
        return false;
    }
    siteInstalled_ = true;
    ComRef<IOleControl> control;
    if (FAILED(document_->QueryInterface(IID_IOleControl, control.ReceiveVoid())) || !control) {
        return false;
    }
    for (DISPID property : kOfflineAmbientProperties) {
        if (FAILED(control->OnAmbientPropertyChange(property))) {
            return false;
        }
    }
    return true;
}

bool EngineDocument::Load(BSTR html) {
    const BstrHolder on(SysAllocString(L"On"));
    if (on.Get() == nullptr || FAILED(document_->put_designMode(on.Get()))) {
        return false;
    }
    const SingleVariantArray array(html);
    return array.Valid() && SUCCEEDED(document_->write(array.Get())) &&
           SUCCEEDED(document_->close());
}

bool EngineDocument::ReadBodyText(BstrHolder* text) {
    ComRef<IHTMLElement> body;
    if (FAILED(document_->get_body(body.Receive())) || !body) {
        return false;
    }
    return SUCCEEDED(body->get_innerText(text->Receive()));
}

}  // namespace vellumo
