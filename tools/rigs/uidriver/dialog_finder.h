#pragma once
// Finds the plug-in's dialogs among the top-level windows of one process.

#include <windows.h>

#include <string>

namespace uidriver {

// "settings" (has control 1006), "info" (has control 1002 and the text
// control 1009), "other" for any other dialog of the process (the shell's
// folder browser), or "" when hwnd is none of these.
std::string DialogKind(HWND dialog);

// The visible dialog of that kind in the process, preferring an enabled one;
// nullptr when there is none.
HWND FindDialog(DWORD processId, const std::string& kind);

// Waits up to timeoutMs for an enabled, visible dialog of that kind.
HWND WaitForDialog(DWORD processId, const std::string& kind, DWORD timeoutMs);

}  // namespace uidriver
