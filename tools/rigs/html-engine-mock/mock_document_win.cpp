// The interfaces are written in their C form so that only the methods the
// engine path may call need a body; a call through any other slot is a null
// call and ends the rig, which fails its test.
#define CINTERFACE
#include "mock_document_win.h"

#include <mshtmhst.h>
#include <mshtml.h>
#include <ocidl.h>
#include <oleidl.h>

#include <idispids.h>
#include <mshtmdid.h>

namespace vellumo::rig {

// {6F1E5A10-1C2B-4E8A-9A51-3D7C0B2E4F01}
const CLSID kMockDocumentClass = {
    0x6F1E5A10, 0x1C2B, 0x4E8A, {0x9A, 0x51, 0x3D, 0x7C, 0x0B, 0x2E, 0x4F, 0x01}};

namespace {

constexpr IID kIidHtmlDocument2 = {
    0x332C4425, 0x26CB, 0x11D0, {0xB4, 0x83, 0x00, 0xC0, 0x4F, 0xD9, 0x01, 0x19}};
constexpr IID kIidPersistStreamInit = {
    0x7FD52380, 0x4E07, 0x101B, {0xAE, 0x2D, 0x08, 0x00, 0x2B, 0x2E, 0xC7, 0x13}};
constexpr IID kIidDocHostShowUI = {
    0xC4D244B0, 0xD43E, 0x11CF, {0x89, 0x3B, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x1A}};

MockScript script;
MockRecord record;

// Records the call; false when the script makes it fail.
bool Step(const std::string& name) {
    record.calls.push_back(name);
    return script.failAt != name;
}

struct MockDocument;

// One interface of an object: its vtable pointer, then its object.
struct Face {
    const void* vtable;
    MockDocument* owner;
};

struct MockDocument {
    Face document;
    Face persist;
    Face ole;
    Face control;
    LONG references = 1;
    IOleClientSite* site = nullptr;
};

template <typename Interface>
MockDocument* Owner(Interface* self) {
    return reinterpret_cast<Face*>(self)->owner;
}

void Destroy(MockDocument* document) {
    if (document->site != nullptr) {
        record.calls.push_back("site still held at destroy");
        record.siteReferencesLeft = document->site->lpVtbl->Release(document->site);
    }
    record.calls.push_back("destroy:document");
    --record.liveObjects;
    delete document;
}

HRESULT DocumentQueryInterface(MockDocument* document, REFIID iid, void** out) {
    *out = nullptr;
    Face* face = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, kIidHtmlDocument2)) {
        face = &document->document;
    } else if (IsEqualIID(iid, kIidPersistStreamInit)) {
        face = Step("QueryInterface:IPersistStreamInit") ? &document->persist : nullptr;
    } else if (IsEqualIID(iid, IID_IOleObject)) {
        face = Step("QueryInterface:IOleObject") ? &document->ole : nullptr;
    } else if (IsEqualIID(iid, IID_IOleControl)) {
        face = Step("QueryInterface:IOleControl") ? &document->control : nullptr;
    }
    if (face == nullptr) {
        return E_NOINTERFACE;
    }
    ++document->references;
    *out = face;
    return S_OK;
}

template <typename Interface>
HRESULT STDMETHODCALLTYPE FaceQueryInterface(Interface* self, REFIID iid, void** out) {
    return DocumentQueryInterface(Owner(self), iid, out);
}
template <typename Interface>
ULONG STDMETHODCALLTYPE FaceAddRef(Interface* self) {
    return static_cast<ULONG>(++Owner(self)->references);
}
template <typename Interface>
ULONG STDMETHODCALLTYPE FaceRelease(Interface* self) {
    MockDocument* document = Owner(self);
    const LONG left = --document->references;
    if (left == 0) {
        Destroy(document);
    }
    return static_cast<ULONG>(left);
}

// What the site answers, asked as MSHTML asks it.
void ProbeSite(IOleClientSite* site) {
    IDispatch* dispatch = nullptr;
    if (SUCCEEDED(site->lpVtbl->QueryInterface(site, IID_IDispatch,
                                               reinterpret_cast<void**>(&dispatch)))) {
        for (DISPID id : {DISPID_AMBIENT_DLCONTROL, DISPID_AMBIENT_OFFLINEIFNOTCONNECTED,
                          DISPID_AMBIENT_SILENT}) {
            DISPPARAMS none = {};
            VARIANT value;
            VariantInit(&value);
            const HRESULT hr = dispatch->lpVtbl->Invoke(
                dispatch, id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &value, nullptr, nullptr);
            if (SUCCEEDED(hr) && id == DISPID_AMBIENT_DLCONTROL && value.vt == VT_I4) {
                record.downloadControl = value.lVal;
            }
            const bool yes = SUCCEEDED(hr) && value.vt == VT_BOOL && value.boolVal != 0;
            if (id == DISPID_AMBIENT_OFFLINEIFNOTCONNECTED) {
                record.offlineIfNotConnected = yes;
            } else if (id == DISPID_AMBIENT_SILENT) {
                record.silent = yes;
            }
            VariantClear(&value);
        }
        dispatch->lpVtbl->Release(dispatch);
    }
    IDocHostShowUI* showUi = nullptr;
    if (SUCCEEDED(site->lpVtbl->QueryInterface(site, kIidDocHostShowUI,
                                               reinterpret_cast<void**>(&showUi)))) {
        LRESULT answer = IDOK;
        wchar_t text[] = L"text";
        const HRESULT hr = showUi->lpVtbl->ShowMessage(showUi, nullptr, text, text, MB_OKCANCEL,
                                                       nullptr, 0, &answer);
        record.messageBoxSuppressed = hr == S_OK && answer == IDCANCEL;
        showUi->lpVtbl->Release(showUi);
    }
}

HRESULT STDMETHODCALLTYPE SetClientSite(IOleObject* self, IOleClientSite* site) {
    MockDocument* document = Owner(self);
    if (site == nullptr) {
        Step("SetClientSite(null)");
        if (document->site != nullptr) {
            record.siteReferencesLeft = document->site->lpVtbl->Release(document->site);
            document->site = nullptr;
        }
        return S_OK;
    }
    if (!Step("SetClientSite")) {
        return E_FAIL;
    }
    site->lpVtbl->AddRef(site);
    document->site = site;
    ProbeSite(site);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Close(IOleObject*, DWORD) {
    Step("Close");
    return S_OK;
}

HRESULT STDMETHODCALLTYPE OnAmbientPropertyChange(IOleControl*, DISPID) {
    return Step("OnAmbientPropertyChange") ? S_OK : E_FAIL;
}

HRESULT STDMETHODCALLTYPE PutDesignMode(IHTMLDocument2*, BSTR value) {
    record.designMode = value != nullptr ? value : L"";
    return Step("put_designMode") ? S_OK : E_FAIL;
}

HRESULT STDMETHODCALLTYPE Write(IHTMLDocument2*, SAFEARRAY* array) {
    void* data = nullptr;
    if (array != nullptr && SUCCEEDED(SafeArrayAccessData(array, &data))) {
        const VARIANT* element = static_cast<VARIANT*>(data);
        if (element->vt == VT_BSTR && element->bstrVal != nullptr) {
            record.written.assign(element->bstrVal, SysStringLen(element->bstrVal));
        }
        SafeArrayUnaccessData(array);
    }
    return Step("write") ? S_OK : E_FAIL;
}

HRESULT STDMETHODCALLTYPE CloseStream(IHTMLDocument2*) {
    return Step("close") ? S_OK : E_FAIL;
}

// The body element: one interface, its own count.
struct MockBody {
    const IHTMLElementVtbl* vtable;
    LONG references = 1;
};

HRESULT STDMETHODCALLTYPE BodyQueryInterface(IHTMLElement* self, REFIID iid, void** out) {
    *out = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown)) {
        return E_NOINTERFACE;
    }
    ++reinterpret_cast<MockBody*>(self)->references;
    *out = self;
    return S_OK;
}
ULONG STDMETHODCALLTYPE BodyAddRef(IHTMLElement* self) {
    return static_cast<ULONG>(++reinterpret_cast<MockBody*>(self)->references);
}
ULONG STDMETHODCALLTYPE BodyRelease(IHTMLElement* self) {
    MockBody* body = reinterpret_cast<MockBody*>(self);
    const LONG left = --body->references;
    if (left == 0) {
        record.calls.push_back("destroy:body");
        --record.liveObjects;
        delete body;
    }
    return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE GetInnerText(IHTMLElement*, BSTR* text) {
    *text = nullptr;
    if (!Step("get_innerText")) {
        return E_FAIL;
    }
    const std::wstring& source = script.echoWritten ? record.written : script.innerText;
    if (!script.nullInnerText) {
        *text = SysAllocStringLen(source.data(), static_cast<UINT>(source.size()));
    }
    return S_OK;
}

const IHTMLElementVtbl* BodyVtable() {
    static IHTMLElementVtbl table = [] {
        IHTMLElementVtbl t{};
        t.QueryInterface = BodyQueryInterface;
        t.AddRef = BodyAddRef;
        t.Release = BodyRelease;
        t.get_innerText = GetInnerText;
        return t;
    }();
    return &table;
}

HRESULT STDMETHODCALLTYPE GetBody(IHTMLDocument2*, IHTMLElement** body) {
    *body = nullptr;
    if (!Step("get_body")) {
        return E_FAIL;
    }
    if (!script.noBody) {
        ++record.liveObjects;
        *body = reinterpret_cast<IHTMLElement*>(new MockBody{BodyVtable()});
    }
    return S_OK;
}

MockDocument* NewDocument() {
    static IHTMLDocument2Vtbl documentTable = [] {
        IHTMLDocument2Vtbl t{};
        t.QueryInterface = FaceQueryInterface<IHTMLDocument2>;
        t.AddRef = FaceAddRef<IHTMLDocument2>;
        t.Release = FaceRelease<IHTMLDocument2>;
        t.put_designMode = PutDesignMode;
        t.write = Write;
        t.close = CloseStream;
        t.get_body = GetBody;
        return t;
    }();
    static IPersistStreamInitVtbl persistTable = [] {
        IPersistStreamInitVtbl t{};
        t.QueryInterface = FaceQueryInterface<IPersistStreamInit>;
        t.AddRef = FaceAddRef<IPersistStreamInit>;
        t.Release = FaceRelease<IPersistStreamInit>;
        return t;
    }();
    static IOleObjectVtbl oleTable = [] {
        IOleObjectVtbl t{};
        t.QueryInterface = FaceQueryInterface<IOleObject>;
        t.AddRef = FaceAddRef<IOleObject>;
        t.Release = FaceRelease<IOleObject>;
        t.SetClientSite = SetClientSite;
        t.Close = Close;
        return t;
    }();
    static IOleControlVtbl controlTable = [] {
        IOleControlVtbl t{};
        t.QueryInterface = FaceQueryInterface<IOleControl>;
        t.AddRef = FaceAddRef<IOleControl>;
        t.Release = FaceRelease<IOleControl>;
        t.OnAmbientPropertyChange = OnAmbientPropertyChange;
        return t;
    }();
    MockDocument* document = new MockDocument{};
    document->document = {&documentTable, document};
    document->persist = {&persistTable, document};
    document->ole = {&oleTable, document};
    document->control = {&controlTable, document};
    ++record.liveObjects;
    return document;
}

// The class factory: a static object whose count does not matter.
HRESULT STDMETHODCALLTYPE FactoryQueryInterface(IClassFactory* self, REFIID iid, void** out) {
    *out = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IClassFactory)) {
        return E_NOINTERFACE;
    }
    *out = self;
    return S_OK;
}
ULONG STDMETHODCALLTYPE FactoryAddRef(IClassFactory*) {
    return 2;
}
ULONG STDMETHODCALLTYPE FactoryRelease(IClassFactory*) {
    return 1;
}
HRESULT STDMETHODCALLTYPE CreateInstance(IClassFactory*, IUnknown* outer, REFIID iid, void** out) {
    *out = nullptr;
    if (outer != nullptr) {
        return CLASS_E_NOAGGREGATION;
    }
    if (!Step("create")) {
        return E_FAIL;
    }
    MockDocument* document = NewDocument();
    const HRESULT hr = DocumentQueryInterface(document, iid, out);
    FaceRelease(reinterpret_cast<IHTMLDocument2*>(&document->document));
    return hr;
}
HRESULT STDMETHODCALLTYPE LockServer(IClassFactory*, BOOL) {
    return S_OK;
}

IClassFactoryVtbl factoryTable = {FactoryQueryInterface, FactoryAddRef, FactoryRelease,
                                  CreateInstance, LockServer};
IClassFactory factory = {&factoryTable};

}  // namespace

bool RegisterMockDocument(DWORD* cookie) {
    return SUCCEEDED(CoRegisterClassObject(kMockDocumentClass,
                                           reinterpret_cast<IUnknown*>(&factory),
                                           CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, cookie));
}

void RevokeMockDocument(DWORD cookie) {
    CoRevokeClassObject(cookie);
}

void ResetMock(const MockScript& next) {
    script = next;
    record = MockRecord();
}

const MockRecord& MockResult() {
    return record;
}

}  // namespace vellumo::rig
