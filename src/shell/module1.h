// Module1: the process-wide values and the routines every window shares.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "checked.h"
#include "copy_log.h"
#include "files.h"
#include "host.h"
#include "numtext.h"
#include "quillon_version.h"

namespace quillon {

// 3.141592653589: this value, not the double nearest to pi; results depend on it.
inline constexpr double Pi = 3.141592653589;

// Degrees to radians as every tool converts them: angle * Pi * 2 / 360.
inline double Radians(double degrees) {
    return chk::finite(degrees * Pi * 2 / 360);
}

// The lathe control's operator window, brought to the front after a copy on the control.
inline constexpr const char* kControlWindowTitle = "OSP-P100 HMI";

// The program's version, shown by the launcher and written into the Windows programs.
inline constexpr const char* kVersion = QUILLON_VERSION;

// The folder that stands for the control's "C:\OSP-P" when none is given: that folder on
// Windows, none elsewhere.
std::optional<std::filesystem::path> DefaultControlRoot();

// The marker file under the control root whose presence means "running on the control".
inline constexpr const char* kControlMarker = "OSPMNGCD.CNC";

class Module1 {
public:
    Module1(Host& host, Files& files) : host(host), files(files) {}

    Host& host;
    Files& files;

    // True when the program runs on the lathe control itself.
    bool OnControl = false;
    // The folder that stands for the control's "C:\OSP-P" (none on an office PC).
    std::optional<std::filesystem::path> ControlRoot;
    // The program's own folder.
    std::filesystem::path ProgramFolder;
    // The class name of the program's main window, which a tool window that leaves the
    // always-on-top band puts back into it; the application names it (empty: none).
    std::string MainWindow;
    // Where the turret window looks for its machine table, in order; empty: ProgramFolder only.
    std::vector<std::filesystem::path> MachineTableFolders;

    // Sets OnControl from the marker file under the control root (an ordinary file only).
    void DetectControl();

    // The copies of the run, for the history window.
    CopyLog copyLog;

    // Brings the control's window to the front when OnControl; failures are ignored. True
    // when it was asked for.
    bool ActivateControlWindow();
    // Waits n seconds while window events go on (through the host; never spins).
    void WaitSeconds(double n);
};

}  // namespace quillon
