#pragma once
// Runs a driving script against the dialogs of one process. One command per
// line; every command prints one "key: value" line.
//
//   wait KIND            until an enabled dialog of KIND shows (settings, info, other)
//   alive KIND           whether a dialog of KIND is shown
//   state ID             check state, enabled state and text of control ID
//   click ID             clicks button ID and waits until the click is handled
//   post-click ID        clicks button ID without waiting (the click opens a dialog)
//   press ID             clicks the picture ID (a static control that reports clicks)
//   settext ID TEXT      replaces the text of control ID (TEXT may be empty)
//   focus ID             moves the focus to control ID
//   focused              the id of the control with the focus
//   key NAME             escape, enter or space to the focused control
//   close                a close request (WM_CLOSE) to the current dialog
//   image ID             the image handle shown by picture ID
//   owner                kind of the current dialog's owner and whether it is enabled
//   centre               offset of the dialog's centre from its owner's (or the screen's)
//   setcursor ID         asks the dialog to set the pointer over control ID
//   windows [close]      lists the visible top-level windows of other programs
//                        (and asks each to close)
//   await-window MS      waits up to MS for a window of another program to show
//   sleep MS             waits
//   exit                 waits for the program to end and prints its exit code
// Commands act on the dialog found by the last "wait".

#include <windows.h>

#include <string>
#include <vector>

namespace uidriver {

// False when a command failed in a way that makes the rest meaningless.
bool RunScript(const std::vector<std::string>& lines, HANDLE process, DWORD processId);

}  // namespace uidriver
