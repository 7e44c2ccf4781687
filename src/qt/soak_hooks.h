// Aids of the soak test (tools/soak), compiled into Quillon only when the build is configured
// with -DQUILLON_SOAK=ON and inert unless their environment variables are set:
//
//   QUILLON_SOAK_MAP=FILE    after a window is shown, writes where every visible control of
//                            every window lies, so that the driver clicks and types into real
//                            fields (see soak_hooks.cpp for the format), and the number of
//                            copies to the clipboard so far in FILE.copies;
//   QUILLON_SOAK_FAULT=leak|hang|crash
//                            a fault on purpose, to show that the soak catches it: from the
//                            QUILLON_SOAK_FAULT_AFTER-th key press on (default 200), every key
//                            press loses 64 KiB (leak), or the program stops answering (hang)
//                            or ends on an abort (crash);
//   QUILLON_SOAK_PIXMAP_CACHE_KB=N
//                            the limit of Qt's shared pixmap cache in kB. The style caches every
//                            button face it draws under its palette's key, and a button whose
//                            colour changes (a flash) gets a new palette each time, so the cache
//                            fills up to its limit (10 MB by default) at a few kB a flash: a
//                            small limit lets it fill during the warm-up, and growth after
//                            that is the program's own;
//   QUILLON_SOAK_COPY_LOG_LIMIT=N
//                            the copy history keeps at most N entries (1000 otherwise). Every
//                            copy adds an entry with the window's fields, so the history grows
//                            with every cycle of the soak until it holds 1000: a small limit lets
//                            it fill during the warm-up, as the pixmap cache above.
#pragma once

class QApplication;

namespace quillon {
class CopyLog;
}

namespace quillon::qt {

// Installs the aids the environment asks for on the application; does nothing otherwise.
void InstallSoakHooks(QApplication& app);
// Lowers the copy history's limit when the environment asks for it.
void LimitSoakCopyHistory(CopyLog& log);

}  // namespace quillon::qt
