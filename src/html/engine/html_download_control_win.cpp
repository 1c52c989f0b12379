#include "html/engine/html_download_control_win.h"

#include <idispids.h>
#include <mshtmdid.h>
#include <mshtmhst.h>

#include <new>

namespace vellumo {
namespace {

// {C4D244B0-D43E-11CF-893B-00AA00BDCE1A}
constexpr IID kIidDocHostShowUI = {
    0xC4D244B0, 0xD43E, 0x11CF, {0x89, 0x3B, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x1A}};

// The site answers MSHTML's ambient questions through IDispatch and takes
// its message boxes through IDocHostShowUI; everything else a container
// could offer is declined.
class OfflineClientSite final : public IOleClientSite, public IDispatch, public IDocHostShowUI {
  public:
    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite)) {
            *object = static_cast<IOleClientSite*>(this);
        } else if (IsEqualIID(riid, IID_IDispatch)) {
            *object = static_cast<IDispatch*>(this);
        } else if (IsEqualIID(riid, kIidDocHostShowUI)) {
            *object = static_cast<IDocHostShowUI*>(this);
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&references_));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) {
            delete this;
        }
        return static_cast<ULONG>(left);
    }

    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** moniker) override {
        if (moniker != nullptr) {
            *moniker = nullptr;
        }
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override {
        if (container != nullptr) {
            *container = nullptr;
        }
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IDispatch: only the ambient properties MSHTML asks for by id.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count != nullptr) {
            *count = 0;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info != nullptr) {
            *info = nullptr;
        }
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS*,
                                     VARIANT* result, EXCEPINFO*, UINT*) override {
        if (result == nullptr) {
            return E_POINTER;
        }
        VariantInit(result);
        if (member == DISPID_AMBIENT_DLCONTROL) {
            result->vt = VT_I4;
            result->lVal = OfflineDownloadControlFlags();
            return S_OK;
        }
        if (member == DISPID_AMBIENT_OFFLINEIFNOTCONNECTED || member == DISPID_AMBIENT_SILENT) {
            result->vt = VT_BOOL;
            result->boolVal = VARIANT_TRUE;
            return S_OK;
        }
        return DISP_E_MEMBERNOTFOUND;
    }

    // IDocHostShowUI: S_OK tells the document the box was shown, so it
    // shows none; a question is answered as if cancelled.
    HRESULT STDMETHODCALLTYPE ShowMessage(HWND, LPOLESTR, LPOLESTR, DWORD, LPOLESTR, DWORD,
                                          LRESULT* answer) override {
        if (answer != nullptr) {
            *answer = IDCANCEL;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ShowHelp(HWND, LPOLESTR, UINT, DWORD, POINT, IDispatch*) override {
        return S_OK;
    }

  private:
    ~OfflineClientSite() = default;

    volatile LONG references_ = 1;
};

}  // namespace

LONG OfflineDownloadControlFlags() {
    // Leaving out DLCTL_DLIMAGES, DLCTL_VIDEOS and DLCTL_BGSOUNDS is what
    // forbids images, videos and background sounds.
    return DLCTL_NO_SCRIPTS | DLCTL_NO_JAVA | DLCTL_NO_RUNACTIVEXCTLS | DLCTL_NO_DLACTIVEXCTLS |
           DLCTL_NO_FRAMEDOWNLOAD | DLCTL_NO_BEHAVIORS | DLCTL_NO_CLIENTPULL | DLCTL_SILENT |
           DLCTL_FORCEOFFLINE | static_cast<LONG>(DLCTL_OFFLINEIFNOTCONNECTED);
}

IOleClientSite* CreateOfflineClientSite() {
    return new (std::nothrow) OfflineClientSite();
}

}  // namespace vellumo
