// What quillon-cli adds for runs over several windows: opening further windows as the
// launcher does, and the copy log it appends to.
#pragma once

#include <memory>
#include <string>

#include "shell/copy_log.h"
#include "shell/form.h"

namespace quillon {
class WindowManager;
}

namespace quillon::cli {

// One line of the copy log (no line end): the copy as a JSON object, UTF-8.
std::string CopyJsonLine(const CopyEntry& entry);

// The windows of one run: the window named on the command line and those `open:` steps open
// after it, through the launcher's window manager when the run's window is the launcher, as
// the toolbar and its menu open them.
class Session {
public:
    Session(Module1& m, std::unique_ptr<Form> first);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // The window steps go to: the one opened last.
    Form& Current() { return *current_; }
    Form& First() { return *first_; }
    // Opens (or brings forward) a toolbar or menu window; throws UsageError for any other
    // name. A window that ends during its load leaves the steps with the window before.
    void Open(const std::string& className);

private:
    std::unique_ptr<Form> first_;
    std::unique_ptr<WindowManager> own_;  // when the run's window is not the launcher
    WindowManager* windows_ = nullptr;
    Form* current_ = nullptr;
};

}  // namespace quillon::cli
