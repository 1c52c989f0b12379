#include <windows.h>

#include "interruption.h"

namespace vellumo {
namespace {

volatile LONG interrupted = 0;

// Runs on a thread of its own; the main thread sees the flag at its next
// write and cleans up.
BOOL WINAPI Note(DWORD event) {
    InterlockedExchange(&interrupted, 1);
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) {
        // The process ends when this returns: give the main thread time to
        // remove its output file first.
        Sleep(2000);
    }
    return TRUE;
}

}  // namespace

void CatchInterruptions() {
    (void)SetConsoleCtrlHandler(Note, TRUE);
}

bool Interrupted() {
    return InterlockedCompareExchange(&interrupted, 0, 0) != 0;
}

}  // namespace vellumo
