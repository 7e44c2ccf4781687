// What the Win32 programs share at start: their arguments, their folder, the common controls.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

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

}  // namespace quillon::win32
