#pragma once
// Blocks handed to the host come from the C runtime heap and come back
// through ems_free, which releases them with free().

namespace vellumo {

// A heap copy of text, or nullptr when it cannot be allocated.
char* HeapCopyString(const char* text);

}  // namespace vellumo
