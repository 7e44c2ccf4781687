// What the Win32 programs share at start: their arguments, their folder, the common controls.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "shell/disk_files.h"
#include "shell/form.h"
#include "shell/module1.h"
#include "win_host.h"

namespace quillon::win32 {

struct StartOptions {
    // The folder that stands for the control's "C:\OSP-P".
    std::optional<std::filesystem::path> controlRoot;
    std::filesystem::path programFolder;
};

// Reads the command line ("--control-root DIR") and the program's folder. Returns an error
// text for anything else.
std::optional<std::string> ReadStartOptions(StartOptions& options);

// Loads the common controls (version 6 through the manifest) the views use.
void InitControls();

// A measuring aid for the start-up, off unless QUILLON_STARTUP_LOG names a file: appends
// "STAGE MS" to it, the milliseconds since the process was created (the moment its starter's
// CreateProcess made it), so that the stages between start and a shown launcher can be timed
// from inside.
void StartupMark(const char* stage);

// What every program has: the host, the file system and Module1 with the start options.
struct ProgramBase {
    explicit ProgramBase(const StartOptions& options);
    Win32Host host;
    DiskFiles files;
    Module1 m;
};

// Starts the window (its load with the start-up checks, then it shows) and runs the message
// loop until the program ends; the views go before the window. Returns the exit status:
// `failed` when the window ended during its load.
int RunProgram(Win32Host& host, Form& form, int failed);

}  // namespace quillon::win32
