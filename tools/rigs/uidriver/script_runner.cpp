#include "script_runner.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "dialog_finder.h"

namespace uidriver {
namespace {

constexpr DWORD kWaitMs = 20000;
constexpr DWORD kSendTimeoutMs = 10000;
// A thread handles the messages sent to it each time it asks for its next
// posted message, so each synchronous round trip lets at least one more
// posted message through. Enough round trips after a pause cover the few
// messages a command posts and the paints they cause.
constexpr DWORD kSettleMs = 200;
constexpr int kSettleRoundTrips = 8;
constexpr DWORD kExitWaitMs = 20000;
constexpr DWORD kPollMs = 100;

struct Context {
    HANDLE process;
    DWORD processId;
    HWND dialog = nullptr;
};

void Settle(const Context& c) {
    Sleep(kSettleMs);
    for (int i = 0; i < kSettleRoundTrips && IsWindow(c.dialog); ++i) {
        DWORD_PTR result = 0;
        SendMessageTimeoutA(c.dialog, WM_NULL, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &result);
    }
}

std::string TextOf(HWND window) {
    char text[1024] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_NORMAL, kSendTimeoutMs, &copied);
    return std::string(text);
}

std::string Escaped(const std::string& text) {
    std::string out;
    for (char ch : text) {
        if (ch == '\r') {
            out += "\\r";
        } else if (ch == '\n') {
            out += "\\n";
        } else {
            out += ch;
        }
    }
    return out;
}

HWND Control(const Context& c, int id) {
    return c.dialog != nullptr ? GetDlgItem(c.dialog, id) : nullptr;
}

HWND FocusedWindow(const Context& c) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    DWORD thread = GetWindowThreadProcessId(c.dialog, nullptr);
    if (!GetGUIThreadInfo(thread, &info)) {
        return nullptr;
    }
    return info.hwndFocus;
}

void PrintState(const Context& c, int id) {
    HWND control = Control(c, id);
    if (control == nullptr) {
        std::printf("state %d: missing\n", id);
        return;
    }
    DWORD_PTR check = 0;
    SendMessageTimeoutA(control, BM_GETCHECK, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &check);
    std::printf("state %d: checked=%d enabled=%d text=%s\n", id, static_cast<int>(check),
                IsWindowEnabled(control) ? 1 : 0, Escaped(TextOf(control)).c_str());
}

void PressKey(const Context& c, const std::string& name) {
    WPARAM key = name == "escape" ? VK_ESCAPE : name == "enter" ? VK_RETURN : VK_SPACE;
    HWND target = FocusedWindow(c);
    if (target == nullptr) {
        target = c.dialog;
    }
    UINT scan = MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
    PostMessageA(target, WM_KEYDOWN, key, 1 | (scan << 16));
    PostMessageA(target, WM_KEYUP, key, 1 | (scan << 16) | 0xC0000000u);
    Settle(c);
    std::printf("key %s: sent\n", name.c_str());
}

void PrintOwner(const Context& c) {
    HWND owner = GetWindow(c.dialog, GW_OWNER);
    std::string kind = owner != nullptr ? DialogKind(owner) : std::string();
    std::printf("owner: %s enabled=%d\n", kind.empty() ? "none" : kind.c_str(),
                owner != nullptr && IsWindowEnabled(owner) ? 1 : 0);
}

void PrintCentre(const Context& c) {
    RECT own{};
    GetWindowRect(c.dialog, &own);
    RECT around{};
    HWND owner = GetWindow(c.dialog, GW_OWNER);
    if (owner != nullptr) {
        GetWindowRect(owner, &around);
    } else {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &around, 0);
    }
    long dx = (own.left + own.right) / 2 - (around.left + around.right) / 2;
    long dy = (own.top + own.bottom) / 2 - (around.top + around.bottom) / 2;
    std::printf("centre: dx=%ld dy=%ld\n", dx, dy);
}

struct ForeignWindows {
    const Context* c;
    bool close;
    std::vector<HWND> closing;
};

BOOL CALLBACK PrintForeignWindow(HWND window, LPARAM data) {
    ForeignWindows* search = reinterpret_cast<ForeignWindows*>(data);
    const Context* c = search->c;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == c->processId || owner == GetCurrentProcessId() || !IsWindowVisible(window)) {
        return TRUE;
    }
    char name[128] = {};
    GetClassNameA(window, name, sizeof name);
    std::printf("window: %s|%s\n", name, TextOf(window).c_str());
    if (search->close) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        search->closing.push_back(window);
    }
    return TRUE;
}

BOOL CALLBACK NoteForeignWindow(HWND window, LPARAM data) {
    const Context* c = reinterpret_cast<const Context*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != c->processId && owner != GetCurrentProcessId() && IsWindowVisible(window)) {
        return FALSE;
    }
    return TRUE;
}

// Gives closed windows time to go, so that later commands do not see them.
void WaitUntilGone(const std::vector<HWND>& windows) {
    DWORD started = GetTickCount();
    for (HWND window : windows) {
        while (IsWindow(window) && GetTickCount() - started < kWaitMs) {
            Sleep(kPollMs);
        }
    }
}

// Whether another program shows a window within timeoutMs.
bool AwaitForeignWindow(const Context& c, DWORD timeoutMs) {
    DWORD started = GetTickCount();
    for (;;) {
        if (!EnumWindows(&NoteForeignWindow, reinterpret_cast<LPARAM>(&c))) {
            return true;
        }
        if (GetTickCount() - started > timeoutMs) {
            return false;
        }
        Sleep(kPollMs);
    }
}

bool Wait(Context& c, const std::string& kind) {
    c.dialog = WaitForDialog(c.processId, kind, kWaitMs);
    std::printf("wait %s: %s\n", kind.c_str(), c.dialog != nullptr ? "ok" : "timeout");
    return c.dialog != nullptr;
}

void Exit(const Context& c) {
    DWORD code = 0;
    if (WaitForSingleObject(c.process, kExitWaitMs) != WAIT_OBJECT_0) {
        std::printf("exit: still-running\n");
        return;
    }
    GetExitCodeProcess(c.process, &code);
    std::printf("exit: %lu\n", static_cast<unsigned long>(code));
}

bool RunButtonCommand(Context& c, const std::string& verb, int id) {
    HWND control = Control(c, id);
    if (control == nullptr && !IsWindowVisible(c.dialog)) {
        // EndDialog hides the dialog at once and destroys it a little later:
        // on a busy machine a command can fall in between. The dialog has
        // closed, as for a dialog already gone.
        std::printf("%s: no dialog\n", verb.c_str());
        return true;
    }
    if (control == nullptr) {
        std::printf("%s %d: missing\n", verb.c_str(), id);
        return false;
    }
    if (verb == "click") {
        DWORD_PTR result = 0;
        SendMessageTimeoutA(control, BM_CLICK, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &result);
    } else if (verb == "post-click") {
        PostMessageA(control, BM_CLICK, 0, 0);
    } else if (verb == "press") {
        PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    } else if (verb == "focus") {
        PostMessageA(c.dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
        Settle(c);
    }
    std::printf("%s %d: done\n", verb.c_str(), id);
    return true;
}

bool RunCommand(Context& c, const std::string& line) {
    std::istringstream words(line);
    std::string verb;
    words >> verb;
    int id = 0;
    if (verb.empty() || verb[0] == '#') {
        return true;
    }
    if (verb == "wait") {
        std::string kind;
        words >> kind;
        return Wait(c, kind);
    }
    if (verb == "alive") {
        std::string kind;
        words >> kind;
        std::printf("alive %s: %s\n", kind.c_str(),
                    FindDialog(c.processId, kind) != nullptr ? "yes" : "no");
        return true;
    }
    if (verb == "sleep") {
        words >> id;
        Sleep(static_cast<DWORD>(id));
        return true;
    }
    if (verb == "windows") {
        std::string option;
        words >> option;
        ForeignWindows search{&c, option == "close", {}};
        EnumWindows(&PrintForeignWindow, reinterpret_cast<LPARAM>(&search));
        WaitUntilGone(search.closing);
        std::printf("windows: listed\n");
        return true;
    }
    if (verb == "await-window") {
        words >> id;
        bool shown = AwaitForeignWindow(c, static_cast<DWORD>(id));
        std::printf("await-window: %s\n", shown ? "yes" : "no");
        return true;
    }
    if (verb == "exit") {
        Exit(c);
        return true;
    }
    if (c.dialog == nullptr || !IsWindow(c.dialog)) {
        // The dialog has closed; later commands report that and the script goes on.
        std::printf("%s: no dialog\n", verb.c_str());
        return true;
    }
    if (verb == "state") {
        words >> id;
        PrintState(c, id);
    } else if (verb == "click" || verb == "post-click" || verb == "press" || verb == "focus") {
        words >> id;
        return RunButtonCommand(c, verb, id);
    } else if (verb == "settext") {
        words >> id;
        std::string text;
        std::getline(words, text);
        text = text.empty() ? text : text.substr(1);
        DWORD_PTR result = 0;
        SendMessageTimeoutA(Control(c, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                            SMTO_NORMAL, kSendTimeoutMs, &result);
        std::printf("settext %d: done\n", id);
    } else if (verb == "focused") {
        HWND focus = FocusedWindow(c);
        std::printf("focused: %d\n", focus != nullptr ? GetDlgCtrlID(focus) : 0);
    } else if (verb == "key") {
        std::string name;
        words >> name;
        PressKey(c, name);
    } else if (verb == "close") {
        PostMessageA(c.dialog, WM_CLOSE, 0, 0);
        Settle(c);
        std::printf("close: sent\n");
    } else if (verb == "image") {
        words >> id;
        DWORD_PTR handle = 0;
        SendMessageTimeoutA(Control(c, id), STM_GETICON, 0, 0, SMTO_NORMAL, kSendTimeoutMs,
                            &handle);
        std::printf("image %d: %lx\n", id, static_cast<unsigned long>(handle));
    } else if (verb == "owner") {
        PrintOwner(c);
    } else if (verb == "centre") {
        PrintCentre(c);
    } else if (verb == "setcursor") {
        words >> id;
        DWORD_PTR handled = 0;
        SendMessageTimeoutA(c.dialog, WM_SETCURSOR, reinterpret_cast<WPARAM>(Control(c, id)),
                            MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), SMTO_NORMAL, kSendTimeoutMs,
                            &handled);
        std::printf("setcursor %d: %lu\n", id, static_cast<unsigned long>(handled));
    } else {
        std::printf("error: unknown command %s\n", verb.c_str());
        return false;
    }
    return true;
}

}  // namespace

bool RunScript(const std::vector<std::string>& lines, HANDLE process, DWORD processId) {
    Context c{process, processId};
    for (const std::string& line : lines) {
        bool ok = RunCommand(c, line);
        std::fflush(stdout);
        if (!ok) {
            return false;
        }
    }
    return true;
}

}  // namespace uidriver
