// Driving the Windows programs from another process, as a user would: starting them, finding
// their windows, real mouse clicks and key strokes (SendInput), reading the clipboard, and the
// programs' state as their native controls show it.
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

namespace quillon::wine {

using Json = nlohmann::json;
using namespace std::chrono_literals;

std::wstring Wide(const std::string& utf8);
std::string Narrow(const std::wstring& utf16);

// The folder of the test program; the programs under test lie beside it.
std::filesystem::path HereFolder();
// A fresh empty folder under the temporary folder.
std::filesystem::path FreshFolder(const std::string& name);

// A started program; ended at destruction if it still runs.
class Program {
public:
    Program(const std::filesystem::path& exe, const std::vector<std::wstring>& args);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool Started() const { return pi_.hProcess != nullptr; }
    // Waits for the program to end; its exit status, or nothing when it still runs.
    std::optional<DWORD> WaitExit(std::chrono::milliseconds timeout);
    DWORD Id() const { return pi_.dwProcessId; }
    HANDLE Handle() const { return pi_.hProcess; }

private:
    PROCESS_INFORMATION pi_{};
};

// Polls until `done` is true or the time is up.
bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout = 10s);

// The visible top-level window with this title (UTF-8), optionally of this window class and
// of this process.
HWND FindTopLevel(const std::string& title, const wchar_t* cls = nullptr, DWORD process = 0);
std::string TextOf(HWND hwnd);

// Real input: the mouse pointer moves to the middle of the window and clicks; keys are
// pressed and released.
void Click(HWND hwnd);
// Moves the mouse pointer to the middle of the window, in a few steps, without clicking.
void Hover(HWND hwnd);
void ClickAt(int screenX, int screenY);
// Moves the mouse pointer to a point of the screen.
void MoveTo(int screenX, int screenY);
// Types text with the keys of a US keyboard for digits, point, minus and Enter ("\r"), the
// other characters as Unicode input (a letter arrives as typed, without a Shift key), one key
// every `pace` (150 ms unless told).
// `settle`, when given, runs after each key: it waits until the program has handled it.
void Type(const std::string& text, const std::function<void()>& settle = {},
          std::chrono::milliseconds pace = 150ms);
void PressKey(WORD vk);
// A key pressed while others are held (Ctrl+A: PressKeyWith({VK_CONTROL}, 'A')).
void PressKeyWith(std::initializer_list<WORD> held, WORD vk);

// Empties the Windows clipboard.
void ClearClipboard();
// The text on the Windows clipboard (CF_UNICODETEXT), or nothing.
std::optional<std::string> ClipboardText();

// What every window of the program shows, through its automation hook: the program must run
// with QUILLON_STATE_FILE naming `stateFile`. `anyWindow` is one of its windows.
Json ShownState(HWND anyWindow, const std::filesystem::path& stateFile);
// The state of one window class from ShownState, or null.
Json WindowState(const Json& shown, const std::string& className);
HWND ControlOf(const Json& window, const std::string& control);

}  // namespace quillon::wine
