// The one registry of windows that every front iterates: the launcher's toolbar, the
// command-line front and the tests.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "shell/form.h"

namespace quillon {

class Module1;

struct WindowInfo {
    std::string className;  // "frmNoseR"
    std::string key;        // toolbar Key ("Nose-R"); empty for windows not on the toolbar
    std::string tooltip;    // toolbar tooltip
    std::string icon;       // icon resource name
    // Creates the window; empty while the window is not built yet.
    std::function<std::unique_ptr<Form>(Module1&)> create;
    bool separator = false;  // the toolbar's gap ("Bar1"), opens nothing
};

// The launcher's toolbar, left to right (17 entries, the separator included).
const std::vector<WindowInfo>& ToolbarWindows();
// The windows of the launcher's "more" menu, in menu order: the windows added after the
// toolbar's seventeen, reachable without changing the toolbar. `key` is the menu entry's text.
const std::vector<WindowInfo>& MenuWindows();
// Windows that are started on their own rather than from the toolbar (the launcher and the
// registration program's two builds).
const std::vector<WindowInfo>& StandaloneWindows();
// The class names of every window that is built: toolbar windows, then the menu's, then the
// standalone ones.
std::vector<std::string> BuiltWindowClasses();
// The entry with this class name among both lists, or nullptr.
const WindowInfo* FindWindowInfo(const std::string& className);
// The toolbar entry whose Key equals `key` exactly (case- and width-sensitive), or nullptr.
const WindowInfo* FindToolbarKey(const std::string& key);

}  // namespace quillon
