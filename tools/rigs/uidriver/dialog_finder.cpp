#include "dialog_finder.h"

namespace uidriver {
namespace {

constexpr DWORD kPollMs = 100;

struct Search {
    DWORD processId;
    std::string kind;
    HWND enabled = nullptr;
    HWND disabled = nullptr;
};

bool IsDialogClass(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return std::string(name) == "#32770";
}

BOOL CALLBACK Visit(HWND window, LPARAM data) {
    Search* search = reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window)) {
        return TRUE;
    }
    if (DialogKind(window) != search->kind) {
        return TRUE;
    }
    if (IsWindowEnabled(window)) {
        search->enabled = window;
    } else {
        search->disabled = window;
    }
    return TRUE;
}

}  // namespace

std::string DialogKind(HWND dialog) {
    if (!IsDialogClass(dialog)) {
        return std::string();
    }
    if (GetDlgItem(dialog, 1006) != nullptr && GetDlgItem(dialog, 1010) != nullptr) {
        return "settings";
    }
    if (GetDlgItem(dialog, 1002) != nullptr && GetDlgItem(dialog, 1009) != nullptr) {
        return "info";
    }
    return "other";
}

HWND FindDialog(DWORD processId, const std::string& kind) {
    Search search{processId, kind};
    EnumWindows(&Visit, reinterpret_cast<LPARAM>(&search));
    return search.enabled != nullptr ? search.enabled : search.disabled;
}

HWND WaitForDialog(DWORD processId, const std::string& kind, DWORD timeoutMs) {
    DWORD started = GetTickCount();
    for (;;) {
        Search search{processId, kind};
        EnumWindows(&Visit, reinterpret_cast<LPARAM>(&search));
        if (search.enabled != nullptr) {
            return search.enabled;
        }
        if (GetTickCount() - started > timeoutMs) {
            return nullptr;
        }
        Sleep(kPollMs);
    }
}

}  // namespace uidriver
