#pragma once

#include <windows.h>

#include <string>

namespace vellumo {

// The plug-in's own module; resources and the version record come from here.
extern HINSTANCE ModuleInstance;

// Full path of the plug-in's own file, empty when it cannot be read.
std::string OwnModulePath();

}  // namespace vellumo
