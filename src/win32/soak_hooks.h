// Aids of the soak test (tools/soak --front wine), compiled into Quillon.exe only when the
// build is configured with -DQUILLON_SOAK=ON and inert unless their environment variable is set:
//
//   QUILLON_SOAK_FAULT=leak|hang|crash
//                            a fault on purpose, to show that the soak catches it: from the
//                            QUILLON_SOAK_FAULT_AFTER-th key press on (default 200), every key
//                            press loses 64 KiB (leak), or the program stops answering (hang)
//                            or ends on an access violation (crash).
//
// The driver finds the windows and controls through the automation hook (QUILLON_STATE_FILE)
// and counts the copies on the clipboard itself, so nothing else is needed here.
#pragma once

namespace quillon::win32 {

// Installs the fault the environment asks for on the calling (the user-interface) thread;
// does nothing otherwise.
void InstallSoakHooks();

}  // namespace quillon::win32
