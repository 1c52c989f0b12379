#include "ui/win_handles.h"

#include <objbase.h>

namespace vellumo {

ShellItemList::~ShellItemList() {
    if (items_ != nullptr) {
        CoTaskMemFree(items_);
    }
}

}  // namespace vellumo
