// A stand-in for MSHTML's HTML document, registered in the running process
// with CoRegisterClassObject, that records every call the engine path makes
// on it and fails the one step it is told to. Test rig only.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace vellumo::rig {

// The class the stand-in is registered under.
extern const CLSID kMockDocumentClass;

struct MockScript {
    // The step that fails (E_FAIL, or no interface for a QueryInterface):
    // "create", "QueryInterface:IPersistStreamInit", "QueryInterface:IOleObject",
    // "QueryInterface:IOleControl", "SetClientSite", "OnAmbientPropertyChange",
    // "put_designMode", "write", "close", "get_body", "get_innerText".
    std::string failAt;
    std::wstring innerText = L"Hello world";
    bool nullInnerText = false;  // get_innerText succeeds with a null BSTR
    bool noBody = false;         // get_body succeeds with no element
    bool echoWritten = false;    // innerText is the HTML given to write
};

struct MockRecord {
    // Every call in order, with "destroy:document" and "destroy:body" when
    // the last reference goes.
    std::vector<std::string> calls;
    std::wstring designMode;
    std::wstring written;  // the HTML given to write
    LONG downloadControl = 0;
    bool offlineIfNotConnected = false;
    bool silent = false;
    bool messageBoxSuppressed = false;
    // What the site's Release returned when the document let it go; 0 when
    // the site is gone, -1 when the document never held it.
    long siteReferencesLeft = -1;
    int liveObjects = 0;  // documents and body elements not yet destroyed
};

// Registers the class for this thread's apartment; false on failure.
[[nodiscard]] bool RegisterMockDocument(DWORD* cookie);
void RevokeMockDocument(DWORD cookie);

// Starts a new case: the script to follow and an empty record.
void ResetMock(const MockScript& script);
[[nodiscard]] const MockRecord& MockResult();

}  // namespace vellumo::rig
