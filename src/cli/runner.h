// quillon-cli: loads one window, runs the steps, prints the window's state as JSON.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "shell/form.h"

namespace quillon {
class RecordingHost;
}

namespace quillon::cli {

// Runs the command line (without the program name). Returns the exit status: 0 with the JSON
// on `out`, 2 with one line on `err` for bad usage. `exeFolder` is the default program folder.
int Run(const std::vector<std::string>& args, const std::string& exeFolder, std::ostream& out,
        std::ostream& err);

// The JSON text of a window's state as quillon-cli prints it.
std::string StateJson(Form& form, const RecordingHost& host);

}  // namespace quillon::cli
