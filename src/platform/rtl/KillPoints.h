// Named points where a crash test can have the process killed, to prove that what is on disk survives.
#pragma once

namespace rtl {

// Kills the process with SIGKILL on the n-th pass through the named point when the environment holds
// TAVORIN_KILL_AT=<name>:<n>. Without that variable it does nothing (the variable is read once).
void KillPoint(const char* name);

}  // namespace rtl
