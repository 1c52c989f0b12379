#include "ui/modal_dialog.h"

#include <string>
#include <vector>

#include "host/module_instance_win.h"
#include "ui/resource_ids.h"
#include "ui/win_handles.h"

namespace vellumo {
namespace {

// Marks our dialog windows so that the thread's message filter can find the
// dialog object behind any of their controls.
constexpr const char* kDialogProperty = "VellumoModalDialog";

ModalDialog* DialogOf(HWND anyWindow) {
    HWND root = GetAncestor(anyWindow, GA_ROOT);
    if (root == nullptr) {
        return nullptr;
    }
    return static_cast<ModalDialog*>(GetPropA(root, kDialogProperty));
}

RECT CentredRect(const RECT& window, const RECT& around, const RECT& workArea) {
    LONG width = window.right - window.left;
    LONG height = window.bottom - window.top;
    LONG left = around.left + ((around.right - around.left) - width) / 2;
    LONG top = around.top + ((around.bottom - around.top) - height) / 2;
    // Keep the whole dialog on the owner's monitor.
    if (left + width > workArea.right) {
        left = workArea.right - width;
    }
    if (top + height > workArea.bottom) {
        top = workArea.bottom - height;
    }
    left = left < workArea.left ? workArea.left : left;
    top = top < workArea.top ? workArea.top : top;
    return RECT{left, top, left + width, top + height};
}

}  // namespace

std::string WindowText(HWND window) {
    int length = GetWindowTextLengthA(window);
    if (length <= 0) {
        return std::string();
    }
    std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
    int copied = GetWindowTextA(window, text.data(), length + 1);
    return std::string(text.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

INT_PTR ModalDialog::RunModal() {
    pointer_ = LoadCursorA(ModuleInstance, MAKEINTRESOURCEA(IDC_POINTER));
    ThreadMessageFilter filter(&ModalDialog::FilterMessages);
    return DialogBoxParamA(ModuleInstance, MAKEINTRESOURCEA(templateId_), GetActiveWindow(),
                           &ModalDialog::Procedure, reinterpret_cast<LPARAM>(this));
}

bool ModalDialog::FilterKey(const MSG& message) {
    return message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE;
}

INT_PTR CALLBACK ModalDialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Nothing may leave a window procedure by an exception.
    try {
        ModalDialog* dialog = nullptr;
        if (message == WM_INITDIALOG) {
            dialog = reinterpret_cast<ModalDialog*>(lParam);
            dialog->window_ = window;
            SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(dialog));
            SetPropA(window, kDialogProperty, dialog);
        } else {
            dialog = reinterpret_cast<ModalDialog*>(GetWindowLongPtrA(window, DWLP_USER));
        }
        if (message == WM_NCDESTROY) {
            RemovePropA(window, kDialogProperty);
        }
        return dialog != nullptr ? dialog->Handle(message, wParam, lParam) : FALSE;
    } catch (...) {
        return FALSE;
    }
}

INT_PTR ModalDialog::Handle(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: {
            bool defaultFocus = OnInit();
            CentreOverOwner();
            return defaultFocus ? TRUE : FALSE;
        }
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_SETCURSOR:
            // One pointer over the whole dialog, edit fields included.
            SetCursor(pointer_);
            SetWindowLongPtrA(window_, DWLP_MSGRESULT, TRUE);
            return TRUE;
        case WM_CLOSE:
            return AcceptsCloseRequest() ? FALSE : TRUE;
        default:
            return FALSE;
    }
}

LRESULT CALLBACK ModalDialog::FilterMessages(int code, WPARAM wParam, LPARAM lParam) {
    if (code == MSGF_DIALOGBOX) {
        const MSG* message = reinterpret_cast<const MSG*>(lParam);
        ModalDialog* dialog = message != nullptr ? DialogOf(message->hwnd) : nullptr;
        try {
            if (dialog != nullptr && dialog->FilterKey(*message)) {
                return 1;
            }
        } catch (...) {
            return 0;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void ModalDialog::CentreOverOwner() {
    RECT own{};
    GetWindowRect(window_, &own);
    HWND owner = GetWindow(window_, GW_OWNER);
    HMONITOR monitor =
        MonitorFromWindow(owner != nullptr ? owner : window_, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoA(monitor, &info);
    RECT around = info.rcWork;
    if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner)) {
        GetWindowRect(owner, &around);
    }
    RECT placed = CentredRect(own, around, info.rcWork);
    SetWindowPos(window_, nullptr, placed.left, placed.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace vellumo
