// One run of Quillon.exe driven from another program: started with its automation hook, its
// launcher found, its windows opened from the toolbar and the "more" menu as a user does.
// The GUI tests and the soak driver share it.
#pragma once

#include <memory>

#include "wine_driver.h"

namespace quillon::wine {

inline constexpr wchar_t kFormClass[] = L"QuillonForm";

// Ended at destruction if it still runs.
class QuillonRun {
public:
    explicit QuillonRun(std::vector<std::wstring> args = {},
                        const std::filesystem::path& folder = HereFolder());

    HWND Launcher() const { return launcher_; }
    Program& Process() { return *program_; }
    Json State() const { return ShownState(launcher_, stateFile_); }
    Json Window(const std::string& className) const { return WindowState(State(), className); }
    // Waits until the program is between events (the hook answers only then): a key's
    // handler, its 0.1 s flash included, has finished before the next key comes.
    std::function<void()> Idle() const {
        return [this] { State(); };
    }
    // The window's state once it shows the expected texts, or after a few seconds: keys sent
    // to another program arrive a little later.
    Json Settled(const std::string& className, const Json& expected) const;

    // Clicks the toolbar button of the window class and waits for its window to show (the
    // window may change its caption as it loads, so the program's own account finds it).
    HWND Open(const std::string& className, std::chrono::milliseconds timeout = 20s);
    // Clicks the drop-down button of the launcher's "more" menu (after the toolbar's own
    // buttons and a separator), picks the window's entry with the keys and waits for its
    // window to show.
    HWND OpenFromMenu(const std::string& className, std::chrono::milliseconds timeout = 20s);
    // The window of the class once it shows, or nullptr.
    HWND Shown(const std::string& className, std::chrono::milliseconds timeout = 20s);

private:
    // Clicks a button of the launcher's toolbar; false when the program did not say where it
    // lies.
    bool ClickToolbarButton(HWND bar, int index);

    std::filesystem::path stateFile_;
    std::unique_ptr<Program> program_;
    HWND launcher_ = nullptr;
};

}  // namespace quillon::wine
