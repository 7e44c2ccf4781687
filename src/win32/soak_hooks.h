// Aids of the soak test (tools/soak --front wine), compiled into Quillon.exe only when the
// build is configured with -DQUILLON_SOAK=ON and inert unless their environment variable is set:
//
//   QUILLON_SOAK_FAULT=leak|hang|crash
//                            a fault on purpose, to show that the soak catches it: from the
//                            QUILLON_SOAK_FAULT_AFTER-th key press on (default 200), every key
//                            press loses 64 KiB (leak), or the program stops answering (hang)
//                            or ends on an access violation (crash).
//
//   QUILLON_SOAK_HEAP_FILE=FILE
//                            every second, the bytes in use in the process's Windows heaps (the
//                            C++ allocations of the program and of Wine's DLLs, walked with
//                            HeapWalk) go into FILE as one number; memory that grows while this
//                            stays level lies outside the program's heap (Wine's own libraries,
//                            the heap's free space);
//   QUILLON_SOAK_COPY_LOG_LIMIT=N
//                            the copy history keeps at most N entries (1000 otherwise). Every
//                            copy adds an entry with the window's fields, so the history grows
//                            with every cycle of the soak until it holds 1000: a small limit lets
//                            it fill during the warm-up, and growth after that is a leak.
//
// The driver finds the windows and controls through the automation hook (QUILLON_STATE_FILE)
// and counts the copies on the clipboard itself, so nothing else is needed here.
#pragma once

namespace quillon {
class CopyLog;
}

namespace quillon::win32 {

// Installs the fault the environment asks for on the calling (the user-interface) thread;
// does nothing otherwise.
void InstallSoakHooks();
// Lowers the copy history's limit when the environment asks for it.
void LimitSoakCopyHistory(CopyLog& log);

}  // namespace quillon::win32
