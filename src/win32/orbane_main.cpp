// Orbane.exe and "Orbane Calculator.exe": register a program on the control's vertical
// function keys, or remove it. Built twice from this source; ORBANE_CALCULATOR selects the
// build that registers "Calculator.exe".
#include <windows.h>

#include "fkeyreg/Orbane.h"
#include "start.h"
#include "win_text.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace quillon;
#ifdef ORBANE_CALCULATOR
    using Window = OrbaneCalculator;
#else
    using Window = Orbane;
#endif
    win32::StartOptions options;
    if (const auto error = win32::ReadStartOptions(options)) {
        MessageBoxW(nullptr, win32::Wide(*error).c_str(), L"Orbane", MB_OK | MB_ICONERROR);
        return 2;
    }
    win32::InitControls();
    win32::ProgramBase program(options);
    Window window(program.m);
    // The start checks run in the load; a failed one has shown its message and ends here.
    return win32::RunProgram(program.host, window, 0);
}
