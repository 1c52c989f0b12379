// One MSHTML document for one conversion, owned whole by one holder.
// Windows only.
#pragma once

#include <mshtml.h>
#include <ocidl.h>
#include <oleidl.h>

#include "html/engine/html_com_win.h"

namespace vellumo {

// Creates the document with the offline client site in place before
// anything is loaded, and on every path, once it exists, closes it
// (IOleObject::Close), takes the site away again (the site and the document
// refer to each other) and releases every interface, in that order. Each
// step reports failure as false; after a false the caller gives up, and the
// destructor still cleans up.
class EngineDocument {
  public:
    EngineDocument() = default;
    ~EngineDocument();
    EngineDocument(const EngineDocument&) = delete;
    EngineDocument& operator=(const EngineDocument&) = delete;

    // Creates an instance of `documentClass` (in-process, IHTMLDocument2),
    // which must offer IPersistStreamInit and IOleObject and take the site,
    // and has it read the site's ambient properties again.
    [[nodiscard]] bool Open(const CLSID& documentClass);
    // Design mode on, then write `html` (a one-element VARIANT array lending
    // the BSTR) and close the write stream.
    [[nodiscard]] bool Load(BSTR html);
    // The body's innerText; a null BSTR stands for empty text.
    [[nodiscard]] bool ReadBodyText(BstrHolder* text);

  private:
    [[nodiscard]] bool InstallSite();

    // Declared in the order of release, last first.
    ComRef<IHTMLDocument2> document_;
    ComRef<IPersistStreamInit> persist_;
    ComRef<IOleObject> oleObject_;
    bool siteInstalled_ = false;
};

}  // namespace vellumo
