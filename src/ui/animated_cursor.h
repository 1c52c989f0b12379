#pragma once
// The sleep animation: an animated cursor file kept as a resource of type
// "ANICURSORS" in the plug-in's own module.

#include <windows.h>

#include <cstddef>

namespace vellumo {

// Size of the pieces in which the resource is copied to its temporary file.
inline constexpr std::size_t kAnimationCopyPiece = 4096;

// Writes the bytes of the "ANICURSORS" resource to the file at `path`
// (created anew, not shared), appending pieces of at most kAnimationCopyPiece
// bytes. False when the resource is missing or the file cannot be made or
// fully written.
[[nodiscard]] bool CopyAnimationToFile(int resourceId, const char* path);

// Copies the resource into a new temporary file (prefix "_") in the user's
// temporary folder, loads the cursor from that file and deletes the file
// whatever happened. The caller owns the returned cursor; nullptr when the
// resource is missing, the file cannot be made or written, or the platform
// cannot read it as a cursor.
[[nodiscard]] HCURSOR LoadAnimatedCursor(int resourceId);

}  // namespace vellumo
