#include "quillon_run.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>

#include "app/registry.h"

namespace quillon::wine {

QuillonRun::QuillonRun(std::vector<std::wstring> args, const std::filesystem::path& folder) {
    stateFile_ = FreshFolder("state") / "state.json";
    SetEnvironmentVariableW(L"QUILLON_STATE_FILE", stateFile_.wstring().c_str());
    // The copy of the previous run must be gone, or this one would end as a second copy.
    WaitFor([] { return FindTopLevel(" QUILLON", kFormClass) == nullptr; });
    program_ = std::make_unique<Program>(folder / "Quillon.exe", args);
    const DWORD pid = program_->Id();
    WaitFor([&] { return (launcher_ = FindTopLevel(" QUILLON", kFormClass, pid)) != nullptr; },
            20s);
    // Clicks go to the launcher once it is the active window, as they would for a person who
    // sees it come up.
    if (launcher_) WaitFor([&] { return GetForegroundWindow() == launcher_; }, 5s);
}

Json QuillonRun::Settled(const std::string& className, const Json& expected) const {
    Json shown;
    WaitFor(
        [&] {
            shown = Window(className);
            return shown.is_object() && shown["texts"] == expected["texts"];
        },
        5s);
    return shown;
}

HWND QuillonRun::Open(const std::string& className, std::chrono::milliseconds timeout) {
    const WindowInfo* info = FindWindowInfo(className);
    const HWND bar = ControlOf(Window("Menu"), "Toolbar1");
    int index = -1;
    const auto& table = ToolbarWindows();
    for (size_t i = 0; i < table.size(); ++i)
        if (info && table[i].key == info->key) index = static_cast<int>(i);
    if (!bar || index < 0) return nullptr;
    // Under Wine a click can be lost while the X side is still mapping or focusing a window
    // that has just come up (seen once, in CI, right after a launcher started). A person would
    // click again, and so does the driver, once, and says so: a click lost every time still
    // fails.
    const auto first = std::min<std::chrono::milliseconds>(timeout / 2, 5s);
    HWND w = nullptr;
    for (int attempt = 0; attempt < 2 && !w; ++attempt) {
        if (attempt == 1)
            std::fprintf(stderr,
                         "QuillonRun: no %s %lld ms after its toolbar button was clicked; "
                         "clicking again\n",
                         className.c_str(), static_cast<long long>(first.count()));
        if (!ClickToolbarButton(bar, index)) return nullptr;
        w = Shown(className, attempt == 0 ? first : timeout - first);
    }
    // Keys go to the active window: typing starts once the new window has become it.
    if (w) WaitFor([&] { return GetForegroundWindow() == w; }, 5s);
    return w;
}

HWND QuillonRun::OpenFromMenu(const std::string& className, std::chrono::milliseconds timeout) {
    const HWND bar = ControlOf(Window("Menu"), "Toolbar1");
    const auto& entries = MenuWindows();
    size_t entry = 0;
    while (entry < entries.size() && entries[entry].className != className) ++entry;
    if (!bar || entry == entries.size() ||
        !ClickToolbarButton(bar, static_cast<int>(ToolbarWindows().size()) + 1))
        return nullptr;
    WaitFor([] { return FindWindowW(L"#32768", nullptr) != nullptr; }, 5s);
    for (size_t i = 0; i <= entry; ++i) PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    return Shown(className, timeout);
}

HWND QuillonRun::Shown(const std::string& className, std::chrono::milliseconds timeout) {
    HWND w = nullptr;
    WaitFor(
        [&] {
            const Json shown = Window(className);
            if (!shown.is_object() || shown["visible"] != true) return false;
            w = reinterpret_cast<HWND>(shown["hwnd"].get<UINT_PTR>());
            return true;
        },
        timeout);
    return w;
}

bool QuillonRun::ClickToolbarButton(HWND bar, int index) {
    // The button's rectangle lies in the other program: it is asked for through memory there.
    DWORD pid = 0;
    GetWindowThreadProcessId(bar, &pid);
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return false;
    void* remote = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
    DWORD_PTR found = 0;
    // With a time limit: a program that stopped answering must not stop its driver too.
    const bool answered =
        SendMessageTimeoutW(bar, TB_GETITEMRECT, static_cast<WPARAM>(index),
                            reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 5000, &found);
    RECT rc{};
    ReadProcessMemory(process, remote, &rc, sizeof rc, nullptr);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    if (!answered || !found) return false;
    POINT mid{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    ClientToScreen(bar, &mid);
    ClickAt(mid.x, mid.y);
    return true;
}

}  // namespace quillon::wine
