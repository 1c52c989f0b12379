#include "plugin/post_xp_functions.h"

#include "platform/ascii_case.h"

namespace vellumo::test {

// From the minimum supported client of each function's documentation,
// checked against 32-bit XP SP3 (functions that only the 64-bit XP
// edition exports count as missing). The C runtime of XP (msvcrt.dll 7.0)
// lacks the secure "_s" functions, the "_l" locale functions and the
// 64-bit seeks that Vista's added.
const std::vector<PostXpFunction>& PostXpFunctions() {
    static const std::vector<PostXpFunction> table = {
        // kernel32: time, synchronisation, one-time initialisation
        {"kernel32.dll", "GetTickCount64", "Vista"},
        {"kernel32.dll", "GetSystemTimePreciseAsFileTime", "8"},
        {"kernel32.dll", "QueryUnbiasedInterruptTime", "7"},
        {"kernel32.dll", "QueryThreadCycleTime", "Vista"},
        {"kernel32.dll", "QueryProcessCycleTime", "Vista"},
        {"kernel32.dll", "InitializeSRWLock", "Vista"},
        {"kernel32.dll", "AcquireSRWLockExclusive", "Vista"},
        {"kernel32.dll", "AcquireSRWLockShared", "Vista"},
        {"kernel32.dll", "ReleaseSRWLockExclusive", "Vista"},
        {"kernel32.dll", "ReleaseSRWLockShared", "Vista"},
        {"kernel32.dll", "TryAcquireSRWLockExclusive", "7"},
        {"kernel32.dll", "TryAcquireSRWLockShared", "7"},
        {"kernel32.dll", "InitializeConditionVariable", "Vista"},
        {"kernel32.dll", "SleepConditionVariableCS", "Vista"},
        {"kernel32.dll", "SleepConditionVariableSRW", "Vista"},
        {"kernel32.dll", "WakeConditionVariable", "Vista"},
        {"kernel32.dll", "WakeAllConditionVariable", "Vista"},
        {"kernel32.dll", "InitOnce*", "Vista"},
        {"kernel32.dll", "InitializeCriticalSectionEx", "Vista"},
        {"kernel32.dll", "InitializeSynchronizationBarrier", "8"},
        {"kernel32.dll", "CreateEventExA", "Vista"},
        {"kernel32.dll", "CreateEventExW", "Vista"},
        {"kernel32.dll", "CreateMutexExA", "Vista"},
        {"kernel32.dll", "CreateMutexExW", "Vista"},
        {"kernel32.dll", "CreateSemaphoreExA", "Vista"},
        {"kernel32.dll", "CreateSemaphoreExW", "Vista"},
        {"kernel32.dll", "CreateWaitableTimerExW", "Vista"},
        {"kernel32.dll", "InterlockedCompareExchange64", "Vista"},
        {"kernel32.dll", "FlushProcessWriteBuffers", "Vista"},
        // kernel32: fibre and thread-pool storage, threads and processes
        {"kernel32.dll", "FlsAlloc", "Vista"},
        {"kernel32.dll", "FlsFree", "Vista"},
        {"kernel32.dll", "FlsGetValue", "Vista"},
        {"kernel32.dll", "FlsSetValue", "Vista"},
        {"kernel32.dll", "IsThreadAFiber", "Vista"},
        {"kernel32.dll", "CreateThreadpool*", "Vista"},
        {"kernel32.dll", "CloseThreadpool*", "Vista"},
        {"kernel32.dll", "SubmitThreadpoolWork", "Vista"},
        {"kernel32.dll", "TrySubmitThreadpoolCallback", "Vista"},
        {"kernel32.dll", "SetThreadpool*", "Vista"},
        {"kernel32.dll", "WaitForThreadpool*", "Vista"},
        {"kernel32.dll", "GetThreadId", "Vista"},
        {"kernel32.dll", "GetProcessIdOfThread", "Vista"},
        {"kernel32.dll", "GetCurrentProcessorNumber", "Vista"},
        {"kernel32.dll", "GetCurrentProcessorNumberEx", "7"},
        {"kernel32.dll", "GetActiveProcessorCount", "7"},
        {"kernel32.dll", "GetMaximumProcessorCount", "7"},
        {"kernel32.dll", "GetLogicalProcessorInformationEx", "7"},
        {"kernel32.dll", "QueryFullProcessImageNameA", "Vista"},
        {"kernel32.dll", "QueryFullProcessImageNameW", "Vista"},
        {"kernel32.dll", "InitializeProcThreadAttributeList", "Vista"},
        {"kernel32.dll", "UpdateProcThreadAttribute", "Vista"},
        {"kernel32.dll", "DeleteProcThreadAttributeList", "Vista"},
        {"kernel32.dll", "CreateRemoteThreadEx", "7"},
        {"kernel32.dll", "SetThreadStackGuarantee", "Vista"},
        {"kernel32.dll", "AddVectoredContinueHandler", "Vista"},
        {"kernel32.dll", "RaiseFailFastException", "7"},
        {"kernel32.dll", "GetErrorMode", "Vista"},
        {"kernel32.dll", "GetThreadErrorMode", "7"},
        {"kernel32.dll", "SetThreadErrorMode", "7"},
        {"kernel32.dll", "GetProductInfo", "Vista"},
        {"kernel32.dll", "Wow64*", "Vista"},
        {"kernel32.dll", "IsWow64Process2", "10"},
        {"kernel32.dll", "Wer*", "Vista"},
        {"kernel32.dll", "RegisterApplicationRestart", "Vista"},
        {"kernel32.dll", "UnregisterApplicationRestart", "Vista"},
        {"kernel32.dll", "RegisterApplicationRecoveryCallback", "Vista"},
        {"kernel32.dll", "ApplicationRecoveryInProgress", "Vista"},
        {"kernel32.dll", "ApplicationRecoveryFinished", "Vista"},
        {"kernel32.dll", "AddDllDirectory", "8"},
        {"kernel32.dll", "RemoveDllDirectory", "8"},
        {"kernel32.dll", "SetDefaultDllDirectories", "8"},
        // kernel32: files
        {"kernel32.dll", "GetFileInformationByHandleEx", "Vista"},
        {"kernel32.dll", "SetFileInformationByHandle", "Vista"},
        {"kernel32.dll", "GetFinalPathNameByHandle*", "Vista"},
        {"kernel32.dll", "CreateSymbolicLink*", "Vista"},
        {"kernel32.dll", "CreateFileTransactedA", "Vista"},
        {"kernel32.dll", "CreateFileTransactedW", "Vista"},
        {"kernel32.dll", "CreateFile2", "8"},
        {"kernel32.dll", "CopyFile2", "8"},
        {"kernel32.dll", "OpenFileById", "Vista"},
        {"kernel32.dll", "ReOpenFile", "Vista"},
        {"kernel32.dll", "GetVolumeInformationByHandleW", "Vista"},
        {"kernel32.dll", "FindFirstFileNameW", "Vista"},
        {"kernel32.dll", "FindFirstStreamW", "Vista"},
        {"kernel32.dll", "CancelIoEx", "Vista"},
        {"kernel32.dll", "CancelSynchronousIo", "Vista"},
        {"kernel32.dll", "GetQueuedCompletionStatusEx", "Vista"},
        {"kernel32.dll", "SetFileCompletionNotificationModes", "Vista"},
        {"kernel32.dll", "GetOverlappedResultEx", "8"},
        // kernel32: locale names
        {"kernel32.dll", "CompareStringEx", "Vista"},
        {"kernel32.dll", "CompareStringOrdinal", "Vista"},
        {"kernel32.dll", "LCMapStringEx", "Vista"},
        {"kernel32.dll", "GetLocaleInfoEx", "Vista"},
        {"kernel32.dll", "LocaleNameToLCID", "Vista"},
        {"kernel32.dll", "LCIDToLocaleName", "Vista"},
        {"kernel32.dll", "GetUserDefaultLocaleName", "Vista"},
        {"kernel32.dll", "GetSystemDefaultLocaleName", "Vista"},
        {"kernel32.dll", "IsValidLocaleName", "Vista"},
        {"kernel32.dll", "EnumSystemLocalesEx", "Vista"},
        {"kernel32.dll", "ResolveLocaleName", "7"},
        {"kernel32.dll", "GetDateFormatEx", "Vista"},
        {"kernel32.dll", "GetTimeFormatEx", "Vista"},
        {"kernel32.dll", "GetNumberFormatEx", "Vista"},
        {"kernel32.dll", "GetCurrencyFormatEx", "Vista"},
        {"kernel32.dll", "FindNLSString", "Vista"},
        {"kernel32.dll", "FindNLSStringEx", "Vista"},
        {"kernel32.dll", "GetThreadPreferredUILanguages", "Vista"},
        {"kernel32.dll", "SetThreadPreferredUILanguages", "Vista"},
        {"kernel32.dll", "GetUserPreferredUILanguages", "Vista"},
        {"kernel32.dll", "GetSystemPreferredUILanguages", "Vista"},
        {"kernel32.dll", "GetThreadUILanguage", "Vista"},
        {"kernel32.dll", "GetDynamicTimeZoneInformation", "Vista"},
        // user32
        {"user32.dll", "ChangeWindowMessageFilter*", "Vista"},
        {"user32.dll", "SetProcessDPIAware", "Vista"},
        {"user32.dll", "IsProcessDPIAware", "Vista"},
        {"user32.dll", "SetProcessDpiAwarenessContext", "10"},
        {"user32.dll", "SetThreadDpiAwarenessContext", "10"},
        {"user32.dll", "GetDpiForWindow", "10"},
        {"user32.dll", "GetDpiForSystem", "10"},
        {"user32.dll", "GetSystemMetricsForDpi", "10"},
        {"user32.dll", "AdjustWindowRectExForDpi", "10"},
        {"user32.dll", "SystemParametersInfoForDpi", "10"},
        {"user32.dll", "EnableNonClientDpiScaling", "10"},
        {"user32.dll", "LogicalToPhysicalPoint", "Vista"},
        {"user32.dll", "PhysicalToLogicalPoint", "Vista"},
        {"user32.dll", "WindowFromPhysicalPoint", "Vista"},
        {"user32.dll", "ShutdownBlockReason*", "Vista"},
        {"user32.dll", "AddClipboardFormatListener", "Vista"},
        {"user32.dll", "RemoveClipboardFormatListener", "Vista"},
        {"user32.dll", "RegisterPowerSettingNotification", "Vista"},
        {"user32.dll", "UnregisterPowerSettingNotification", "Vista"},
        {"user32.dll", "UpdateLayeredWindowIndirect", "Vista"},
        {"user32.dll", "RegisterTouchWindow", "7"},
        {"user32.dll", "GetTouchInputInfo", "7"},
        {"user32.dll", "GetGestureInfo", "7"},
        {"user32.dll", "CalculatePopupWindowPosition", "7"},
        {"user32.dll", "SetWindowDisplayAffinity", "7"},
        {"user32.dll", "QueryDisplayConfig", "7"},
        {"user32.dll", "GetPointerInfo", "8"},
        {"user32.dll", "EnableMouseInPointer", "8"},
        // advapi32
        {"advapi32.dll", "RegGetValue*", "Vista"},
        {"advapi32.dll", "RegDeleteTree*", "Vista"},
        {"advapi32.dll", "RegCopyTree*", "Vista"},
        {"advapi32.dll", "RegDeleteKeyEx*", "Vista"},
        {"advapi32.dll", "RegSetKeyValue*", "Vista"},
        {"advapi32.dll", "RegDeleteKeyValue*", "Vista"},
        {"advapi32.dll", "RegLoadMUIString*", "Vista"},
        {"advapi32.dll", "RegOpenKeyTransacted*", "Vista"},
        {"advapi32.dll", "RegCreateKeyTransacted*", "Vista"},
        {"advapi32.dll", "EventRegister", "Vista"},
        {"advapi32.dll", "EventUnregister", "Vista"},
        {"advapi32.dll", "EventWrite", "Vista"},
        {"advapi32.dll", "EventWriteString", "Vista"},
        {"advapi32.dll", "EventWriteTransfer", "Vista"},
        {"advapi32.dll", "EventEnabled", "Vista"},
        {"advapi32.dll", "EventProviderEnabled", "Vista"},
        {"advapi32.dll", "EventActivityIdControl", "Vista"},
        {"advapi32.dll", "CreateProcessWithTokenW", "Vista"},
        {"advapi32.dll", "AddMandatoryAce", "Vista"},
        {"advapi32.dll", "NotifyServiceStatusChange*", "Vista"},
        {"advapi32.dll", "OpenThreadWaitChainSession", "Vista"},
        {"advapi32.dll", "GetThreadWaitChain", "Vista"},
        // ole32 and oleaut32
        {"ole32.dll", "CoGetApartmentType", "7"},
        {"ole32.dll", "CoDisconnectContext", "Vista"},
        {"ole32.dll", "CoIncrementMTAUsage", "8"},
        {"ole32.dll", "CoDecrementMTAUsage", "8"},
        {"ole32.dll", "CoCreateInstanceFromApp", "8"},
        {"ole32.dll", "CoWaitForMultipleObjects", "8"},
        {"oleaut32.dll", "RegisterTypeLibForUser", "Vista"},
        {"oleaut32.dll", "UnRegisterTypeLibForUser", "Vista"},
        {"oleaut32.dll", "OaEnablePerUserTLibRegistration", "Vista SP1"},
        // shell32
        {"shell32.dll", "SHGetKnownFolder*", "Vista"},
        {"shell32.dll", "SHSetKnownFolderPath", "Vista"},
        {"shell32.dll", "SHCreateItem*", "Vista"},
        {"shell32.dll", "SHCreateShellItemArray*", "Vista"},
        {"shell32.dll", "SHGetIDListFromObject", "Vista"},
        {"shell32.dll", "SHGetItemFromObject", "Vista"},
        {"shell32.dll", "SHGetItemFromDataObject", "Vista"},
        {"shell32.dll", "SHGetNameFromIDList", "Vista"},
        {"shell32.dll", "SHBindToObject", "Vista"},
        {"shell32.dll", "SHBindToFolderIDListParent*", "Vista"},
        {"shell32.dll", "SHGetFolderPathEx", "Vista"},
        {"shell32.dll", "SHGetPropertyStoreFromParsingName", "Vista"},
        {"shell32.dll", "SHGetPropertyStoreForWindow", "7"},
        {"shell32.dll", "SHGetStockIconInfo", "Vista"},
        {"shell32.dll", "SHOpenWithDialog", "Vista"},
        {"shell32.dll", "SHQueryUserNotificationState", "Vista"},
        {"shell32.dll", "SHCreateDefaultContextMenu", "Vista"},
        {"shell32.dll", "SHCreateDataObject", "Vista"},
        {"shell32.dll", "SHGetLocalizedName", "Vista"},
        {"shell32.dll", "SHAssocEnumHandlers", "Vista"},
        {"shell32.dll", "SetCurrentProcessExplicitAppUserModelID", "7"},
        {"shell32.dll", "GetCurrentProcessExplicitAppUserModelID", "7"},
        {"shell32.dll", "Shell_NotifyIconGetRect", "7"},
        // comctl32, gdi32, version
        {"comctl32.dll", "TaskDialog*", "Vista"},
        {"comctl32.dll", "LoadIconMetric", "Vista"},
        {"comctl32.dll", "LoadIconWithScaleDown", "Vista"},
        {"comctl32.dll", "HIMAGELIST_QueryInterface", "Vista"},
        {"gdi32.dll", "D3DKMT*", "Vista"},
        {"version.dll", "GetFileVersionInfoExA", "Vista"},
        {"version.dll", "GetFileVersionInfoExW", "Vista"},
        {"version.dll", "GetFileVersionInfoSizeExA", "Vista"},
        {"version.dll", "GetFileVersionInfoSizeExW", "Vista"},
        // msvcrt
        {"msvcrt.dll", "_fseeki64", "Vista"},
        {"msvcrt.dll", "_ftelli64", "Vista"},
        {"msvcrt.dll", "_get_errno", "Vista"},
        {"msvcrt.dll", "_set_errno", "Vista"},
        {"msvcrt.dll", "_get_doserrno", "Vista"},
        {"msvcrt.dll", "_set_invalid_parameter_handler", "Vista"},
        {"msvcrt.dll", "_configthreadlocale", "Vista"},
        {"msvcrt.dll", "_create_locale", "Vista"},
        {"msvcrt.dll", "_free_locale", "Vista"},
        {"msvcrt.dll", "_recalloc", "Vista"},
        {"msvcrt.dll", "_stricmp_l", "Vista"},
        {"msvcrt.dll", "_strtod_l", "Vista"},
        {"msvcrt.dll", "memcpy_s", "Vista"},
        {"msvcrt.dll", "memmove_s", "Vista"},
        {"msvcrt.dll", "strcpy_s", "Vista"},
        {"msvcrt.dll", "strncpy_s", "Vista"},
        {"msvcrt.dll", "strcat_s", "Vista"},
        {"msvcrt.dll", "strncat_s", "Vista"},
        {"msvcrt.dll", "strtok_s", "Vista"},
        {"msvcrt.dll", "strerror_s", "Vista"},
        {"msvcrt.dll", "sprintf_s", "Vista"},
        {"msvcrt.dll", "vsprintf_s", "Vista"},
        {"msvcrt.dll", "_snprintf_s", "Vista"},
        {"msvcrt.dll", "_vsnprintf_s", "Vista"},
        {"msvcrt.dll", "wcscpy_s", "Vista"},
        {"msvcrt.dll", "wcscat_s", "Vista"},
        {"msvcrt.dll", "_itoa_s", "Vista"},
        {"msvcrt.dll", "fopen_s", "Vista"},
        {"msvcrt.dll", "_wfopen_s", "Vista"},
        {"msvcrt.dll", "_sopen_s", "Vista"},
        {"msvcrt.dll", "_dupenv_s", "Vista"},
        {"msvcrt.dll", "getenv_s", "Vista"},
        {"msvcrt.dll", "qsort_s", "Vista"},
        {"msvcrt.dll", "mbstowcs_s", "Vista"},
        {"msvcrt.dll", "wcstombs_s", "Vista"},
        {"msvcrt.dll", "_localtime64_s", "Vista"},
        {"msvcrt.dll", "_gmtime64_s", "Vista"},
        {"msvcrt.dll", "_ctime64_s", "Vista"},
    };
    return table;
}

const std::vector<std::string>& XpSystemDlls() {
    static const std::vector<std::string> dlls = {"kernel32.dll", "user32.dll",   "gdi32.dll",
                                                  "advapi32.dll", "shell32.dll",  "ole32.dll",
                                                  "oleaut32.dll", "comctl32.dll", "comdlg32.dll",
                                                  "version.dll",  "msvcrt.dll",   "shlwapi.dll"};
    return dlls;
}

namespace {

bool NameMatches(const std::string& pattern, const std::string& function) {
    if (!pattern.empty() && pattern.back() == '*') {
        return function.compare(0, pattern.size() - 1, pattern, 0, pattern.size() - 1) == 0;
    }
    return function == pattern;
}

}  // namespace

std::vector<std::string> FindPostXpImports(const PeImage& image) {
    std::vector<std::string> found;
    for (const PeImport& import : image.imports) {
        for (const PostXpFunction& entry : PostXpFunctions()) {
            if (EqualsIgnoringAsciiCase(import.dll, entry.dll) &&
                NameMatches(entry.function, import.function)) {
                found.push_back(import.dll + "!" + import.function + " (Windows " + entry.since +
                                ")");
            }
        }
    }
    return found;
}

std::vector<std::string> FindNonSystemDlls(const PeImage& image) {
    std::vector<std::string> found;
    for (const std::string& dll : image.dlls) {
        bool system = false;
        for (const std::string& known : XpSystemDlls()) {
            system = system || EqualsIgnoringAsciiCase(dll, known);
        }
        if (!system) {
            found.push_back(dll);
        }
    }
    return found;
}

}  // namespace vellumo::test
