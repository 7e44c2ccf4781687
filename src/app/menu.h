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
// The tooltip of the drop-down button of the "more" menu.
inline constexpr const char* kMoreMenuTip = "その他";
// The window Ctrl+H opens from the launcher.
inline constexpr const char* kHistoryClass = "frmCopyLog";

class Menu : public Form {
public:
    explicit Menu(Module1& m);

    // The tool windows opened from the toolbar.
    WindowManager& Windows() { return windows_; }

    void Toolbar1_ButtonClick(const std::string& key);
    void Check1_Click();
    void Command1_Click();
    // An entry of the "more" menu: opens (or brings forward) its window.
    void MoreMenu_Click(const std::string& entry);
    void Form_KeyDown(KeyArgs& k);

protected:
    void Form_Load() override;

private:
    WindowManager windows_;
};

}  // namespace quillon
