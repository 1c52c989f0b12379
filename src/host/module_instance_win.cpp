#include "host/module_instance_win.h"

namespace vellumo {

HINSTANCE ModuleInstance = nullptr;

std::string OwnModulePath() {
    char path[MAX_PATH + 1] = {};
    DWORD length = GetModuleFileNameA(ModuleInstance, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return std::string();
    }
    return std::string(path, length);
}

}  // namespace vellumo

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        vellumo::ModuleInstance = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
