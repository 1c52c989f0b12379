#pragma once

namespace vellumo {

// A new heap block holding one icon handle from the plug-in's resources:
// icon 115 for index -1 (the plug-in), 114 for any other index with a host of
// interface version 4 or more, else the translator's icon. nullptr when the
// block cannot be allocated.
void* LoadPluginIcon(int index);

}  // namespace vellumo
