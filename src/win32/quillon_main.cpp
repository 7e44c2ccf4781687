// Quillon.exe: the launcher and its tool windows on Win32.
#include <windows.h>

#include "app/menu.h"
#include "start.h"
#ifdef QUILLON_SOAK
#include "soak_hooks.h"
#endif
#include "win_text.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace quillon;
    win32::StartupMark("main");
    win32::StartOptions options;
    if (const auto error = win32::ReadStartOptions(options)) {
        MessageBoxW(nullptr, win32::Wide(*error).c_str(), L"Quillon", MB_OK | MB_ICONERROR);
        return 2;
    }
    // A second copy ends at once and silently; the running copy is left alone. The mutex is
    // the session's, and it goes with the process however that ends.
    CreateMutexW(nullptr, FALSE, L"Local\\Quillon.SingleInstance");
    if (GetLastError() == ERROR_ALREADY_EXISTS) return 0;

    win32::InitControls();
    win32::StartupMark("common controls");
#ifdef QUILLON_SOAK
    win32::InstallSoakHooks();
#endif
    win32::ProgramBase program(options);
#ifdef QUILLON_SOAK
    win32::LimitSoakCopyHistory(program.m.copyLog);
#endif
    win32::StartupMark("host");
    Menu menu(program.m);
    program.host.SetWindows(&menu.Windows());
    menu.Windows().SetFront(&program.host);
    return win32::RunProgram(program.host, menu, 1);
}
