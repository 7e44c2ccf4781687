// The launcher: the program's main window and the only one that exists at start. Its toolbar
// opens the tool windows (one instance each), its check box keeps it in the always-on-top
// band, and its exit button ends the program. Its load runs the start-up steps that set the
// process-wide values (OnControl) and place it near the screen's bottom-right corner.
#pragma once

#include <string>

#include "shell/form.h"
#include "window_manager.h"

namespace quillon {

inline constexpr const char* kMenuClass = "Menu";
// The launcher's distance from the screen's bottom-right corner, in twips.
inline constexpr int kMenuDxTwips = 1500;
inline constexpr int kMenuDyTwips = 2000;

class Menu : public Form {
public:
    explicit Menu(Module1& m);

    // The tool windows opened from the toolbar.
    WindowManager& Windows() { return windows_; }

    void Toolbar1_ButtonClick(const std::string& key);
    void Check1_Click();
    void Command1_Click();

protected:
    void Form_Load() override;

private:
    WindowManager windows_;
};

}  // namespace quillon
