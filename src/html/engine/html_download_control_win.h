// A client site for an MSHTML document that keeps the document off the
// network and quiet: its ambient download control allows no images,
// scripts, Java, ActiveX controls, frames, background sounds, videos or
// behaviours and asks for offline and silent operation; the ambient
// offline-if-not-connected and silent properties answer true; the message
// boxes the document would show are suppressed. Windows only.
#pragma once

#include <objbase.h>

#include <idispids.h>
#include <mshtmdid.h>
#include <oleidl.h>

namespace vellumo {

// The download-control flags the site reports.
[[nodiscard]] LONG OfflineDownloadControlFlags();

// The ambient properties the site answers, for the document to read again
// once the site is in place.
constexpr DISPID kOfflineAmbientProperties[] = {
    DISPID_AMBIENT_DLCONTROL, DISPID_AMBIENT_OFFLINEIFNOTCONNECTED, DISPID_AMBIENT_SILENT};

// Creates a site with one reference held by the caller, or nullptr when
// memory runs out. Its reference count is atomic.
[[nodiscard]] IOleClientSite* CreateOfflineClientSite();

}  // namespace vellumo
