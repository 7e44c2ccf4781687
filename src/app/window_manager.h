// The tool windows the launcher has open: at most one instance per window class.
//
// The first toolbar click creates a window through the registry, lets the front build its
// view, runs its load and activates it; later clicks show the same instance again with its
// fields unchanged. A window that has unloaded (its close button) is forgotten, so that the
// next click creates it afresh; its object is destroyed only once none of its handlers runs.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "registry.h"
#include "shell/form.h"
#include "startup.h"

namespace quillon {

class Module1;

class WindowManager {
public:
    explicit WindowManager(Module1& m) : m_(m) {}
    ~WindowManager();
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;

    // The front that shows the windows; none in the command-line front and core tests.
    void SetFront(WindowFront* front) { front_ = front; }

    // Opens the window of the toolbar button whose Key equals `key` exactly (case- and
    // width-sensitive). Returns the window, or nullptr when the Key opens nothing (the
    // separator, an unknown Key, a window not built yet, a window that unloaded at load).
    Form* OpenKey(const std::string& key);
    Form* Open(const WindowInfo& info);

    // The open (not unloaded) instance of a window class, or nullptr.
    Form* Find(const std::string& className) const;
    // The open windows, by class name.
    std::vector<Form*> OpenWindows() const;

    // Destroys the windows that have unloaded and whose handlers have all returned.
    void Collect();

private:
    Module1& m_;
    WindowFront* front_ = nullptr;
    std::map<std::string, std::unique_ptr<Form>> windows_;
    // Unloaded windows still waiting for their handlers to return.
    std::vector<std::unique_ptr<Form>> retired_;
};

}  // namespace quillon
