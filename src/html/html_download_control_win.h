// A client site for an MSHTML document whose ambient download control
// keeps the document off the network: no images, scripts, Java, ActiveX
// controls, frames, background sounds, videos or behaviours; offline and
// silent. Windows only.
#pragma once

#include <objbase.h>
#include <oleidl.h>

namespace vellumo {

// The download-control flags the site reports.
[[nodiscard]] LONG OfflineDownloadControlFlags();

// Creates a site with one reference held by the caller, or nullptr when
// memory runs out.
[[nodiscard]] IOleClientSite* CreateOfflineClientSite();

}  // namespace vellumo
