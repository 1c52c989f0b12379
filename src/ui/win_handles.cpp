#include "ui/win_handles.h"

#include <objbase.h>

namespace vellumo {

ShellItemList::~ShellItemList() {
    if (items_ != nullptr) {
        CoTaskMemFree(items_);
    }
}

ComScope::ComScope() {
    // S_FALSE also counts: it must be balanced like S_OK.
    initialised_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

ComScope::~ComScope() {
    if (initialised_) {
        CoUninitialize();
    }
}

}  // namespace vellumo
