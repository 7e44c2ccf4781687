#include "menu.h"

#include <exception>

#include "registry.h"
#include "shell/module1.h"

namespace quillon {

Menu::Menu(Module1& m) : Form(m, kMenuClass, " QUILLON"), windows_(m) {
    // The launcher is the main window: a tool window leaving the top band puts it back there.
    m.MainWindow = kMenuClass;
    Control& toolbar = Add("Toolbar1", ControlKind::Toolbar).At(0, 0, 1, 3);
    for (const WindowInfo& w : ToolbarWindows())
        toolbar.Buttons.push_back(
            {w.key, w.tooltip, w.icon, w.separator, static_cast<bool>(w.create)});
    Check("Check1", "手前に表示", true)
        .At(1, 0)
        .Tip("[Alt]を押したまま[Tab]を押すと切替えが出来ます。");
    Label("Ver", "Ver.1.00").At(1, 1);
    Button("Command1", "終　了").At(1, 2);

    // The "more" menu: the windows beyond the toolbar's, in the registry's order.
    for (const WindowInfo& w : MenuWindows())
        if (w.create) MenuEntries.push_back(w.key);
    MenuTip = kMoreMenuTip;
    OnMenu([this](const std::string& entry) { MoreMenu_Click(entry); });
    KeyPreview = true;
    OnKey(kForm, Event::KeyDown, [this](KeyArgs& k) { Form_KeyDown(k); });

    On("Toolbar1", Event::Click, [this] {
        const Control& bar = (*this)["Toolbar1"];
        const auto i = static_cast<size_t>(bar.ListIndex - 1);
        if (i < bar.Buttons.size()) Toolbar1_ButtonClick(bar.Buttons[i].key);
    });
    On("Check1", Event::Click, [this] { Check1_Click(); });
    On("Command1", Event::Click, [this] { Command1_Click(); });
}

void Menu::Form_Load() {
    (*this)["Ver"].Text = std::string("Ver.") + kVersion;
    try {
        // Pi is the program's constant (module1.h); the remaining steps may fail.
        // A front that has decided OnControl already (quillon-cli --on-control) keeps it; at a
        // real start it is still false here and follows the marker file.
        if (!M().OnControl) M().DetectControl();
        M().host.PlaceWindow(*this, kMenuDxTwips, kMenuDyTwips);
        M().host.SetTopmost(kMenuClass, true);
    } catch (...) {
        M().host.ShowMessage({MessageIcon::Critical, "QUILLON エラー", "ファイルエラー"});
        Unload();
        M().host.EndProgram();
    }
}

void Menu::Toolbar1_ButtonClick(const std::string& key) {
    windows_.OpenKey(key);
}

void Menu::MoreMenu_Click(const std::string& entry) {
    for (const WindowInfo& w : MenuWindows())
        if (w.key == entry) {
            windows_.Open(w);
            return;
        }
}

void Menu::Form_KeyDown(KeyArgs& k) {
    if (k.keyCode == 'H' && k.shift == kCtrlMask)
        if (const WindowInfo* history = FindWindowInfo(kHistoryClass)) windows_.Open(*history);
}

void Menu::Check1_Click() {
    M().host.SetTopmost(kMenuClass, (*this)["Check1"].Value);
}

void Menu::Command1_Click() {
    Unload();
    M().ActivateControlWindow();
    M().host.EndProgram();
}

}  // namespace quillon
