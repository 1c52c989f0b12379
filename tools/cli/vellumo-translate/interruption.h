#pragma once
// Ctrl+C, a terminal closed or a kill: the run stops between two writes,
// removes the output it was writing and says so, instead of dying with a
// half-written mailbox behind it.

namespace vellumo {

// From now on an interruption only sets the flag below.
void CatchInterruptions();

// True once an interruption came.
[[nodiscard]] bool Interrupted();

}  // namespace vellumo
