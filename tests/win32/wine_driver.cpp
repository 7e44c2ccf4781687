#include "wine_driver.h"

#include <fstream>
#include <sstream>
#include <thread>

#include "win_text.h"

namespace quillon::wine {

std::wstring Wide(const std::string& utf8) {
    return win32::Wide(utf8);
}

std::string Narrow(const std::wstring& utf16) {
    return win32::Narrow(utf16);
}

std::filesystem::path HereFolder() {
    wchar_t exe[MAX_PATH * 2];
    const DWORD n = GetModuleFileNameW(nullptr, exe, static_cast<DWORD>(std::size(exe)));
    return std::filesystem::path(std::wstring(exe, n)).parent_path();
}

std::filesystem::path FreshFolder(const std::string& name) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("quillon-wine-" + name);
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
    std::filesystem::create_directories(dir);
    return dir;
}

Program::Program(const std::filesystem::path& exe, const std::vector<std::wstring>& args) {
    std::wstring line = L"\"" + exe.wstring() + L"\"";
    for (const auto& a : args) line += L" \"" + a + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    if (!CreateProcessW(exe.wstring().c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        exe.parent_path().wstring().c_str(), &si, &pi_))
        pi_ = {};
}

Program::~Program() {
    if (!pi_.hProcess) return;
    if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(pi_.hProcess, 99);
        WaitForSingleObject(pi_.hProcess, 5000);
    }
    CloseHandle(pi_.hThread);
    CloseHandle(pi_.hProcess);
}

std::optional<DWORD> Program::WaitExit(std::chrono::milliseconds timeout) {
    if (!pi_.hProcess ||
        WaitForSingleObject(pi_.hProcess, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(pi_.hProcess, &code);
    return code;
}

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (done()) return true;
        if (std::chrono::steady_clock::now() > end) return false;
        // Let this program's own windows (the test window of the control) take messages.
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        std::this_thread::sleep_for(50ms);
    }
}

HWND FindTopLevel(const std::string& title, const wchar_t* cls, DWORD process) {
    const std::wstring t = Wide(title);
    for (HWND w = FindWindowExW(nullptr, nullptr, cls, t.c_str()); w;
         w = FindWindowExW(nullptr, w, cls, t.c_str())) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (IsWindowVisible(w) && (process == 0 || pid == process)) return w;
    }
    return nullptr;
}

std::string TextOf(HWND hwnd) {
    wchar_t buf[1024];
    const int n = GetWindowTextW(hwnd, buf, static_cast<int>(std::size(buf)));
    return Narrow(std::wstring(buf, static_cast<size_t>(n > 0 ? n : 0)));
}

void ClickAt(int x, int y) {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    INPUT in[3]{};
    for (INPUT& i : in) {
        i.type = INPUT_MOUSE;
        i.mi.dx = (x * 65536 + w / 2) / w;
        i.mi.dy = (y * 65536 + h / 2) / h;
    }
    in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
    in[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in[0], sizeof(INPUT));
    WaitFor([] { return false; }, 50ms);
    SendInput(2, &in[1], sizeof(INPUT));
    WaitFor([] { return false; }, 150ms);
}

void MoveTo(int x, int y) {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = (x * 65536 + w / 2) / w;
    in.mi.dy = (y * 65536 + h / 2) / h;
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof(INPUT));
}

void Hover(HWND hwnd) {
    RECT rc;
    GetWindowRect(hwnd, &rc);
    for (int step = 0; step < 3; ++step) {
        MoveTo((rc.left + rc.right) / 2 + step, (rc.top + rc.bottom) / 2 + step);
        WaitFor([] { return false; }, 60ms);
    }
}

void Click(HWND hwnd) {
    RECT rc;
    GetWindowRect(hwnd, &rc);
    ClickAt((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
}

void PressKey(WORD vk) {
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
}

void PressKeyWith(std::initializer_list<WORD> held, WORD vk) {
    std::vector<INPUT> in;
    const auto key = [&](WORD k, DWORD flags) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = k;
        i.ki.dwFlags = flags;
        in.push_back(i);
    };
    for (const WORD k : held) key(k, 0);
    key(vk, 0);
    key(vk, KEYEVENTF_KEYUP);
    for (auto k = std::rbegin(held); k != std::rend(held); ++k) key(*k, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

void Type(const std::string& text, const std::function<void()>& settle,
          std::chrono::milliseconds pace) {
    for (const wchar_t c : Wide(text)) {
        if (c == L'\r') {
            PressKey(VK_RETURN);
        } else if (c >= L'0' && c <= L'9') {
            PressKey(static_cast<WORD>(c));
        } else if (c == L'.') {
            PressKey(VK_OEM_PERIOD);
        } else if (c == L'-') {
            PressKey(VK_OEM_MINUS);
        } else {
            INPUT in[2]{};
            in[0].type = in[1].type = INPUT_KEYBOARD;
            in[0].ki.wScan = in[1].ki.wScan = c;
            in[0].ki.dwFlags = KEYEVENTF_UNICODE;
            in[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
            SendInput(2, in, sizeof(INPUT));
        }
        // At a person's pace: each key after the last one's handler has finished, its 0.1 s
        // flash of a pressed key included.
        WaitFor([] { return false; }, pace);
        if (settle) settle();
    }
    WaitFor([] { return false; }, 200ms);
}

void ClearClipboard() {
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    CloseClipboard();
}

std::optional<std::string> ClipboardText() {
    if (!OpenClipboard(nullptr)) return std::nullopt;
    std::optional<std::string> text;
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT))
        if (const auto* p = static_cast<const wchar_t*>(GlobalLock(h))) {
            text = Narrow(p);
            GlobalUnlock(h);
        }
    CloseClipboard();
    return text;
}

Json ShownState(HWND anyWindow, const std::filesystem::path& stateFile) {
    std::error_code ec;
    std::filesystem::remove(stateFile, ec);
    const UINT msg = RegisterWindowMessageW(L"QuillonDumpState");
    // The program answers 0 while one of its windows is in the middle of an event.
    const bool written = WaitFor(
        [&] {
            DWORD_PTR ok = 0;
            return SendMessageTimeoutW(anyWindow, msg, 0, 0, SMTO_ABORTIFHUNG, 5000, &ok) && ok;
        },
        10s);
    if (!written) return nullptr;
    std::ifstream in(stateFile, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return Json::parse(s.str(), nullptr, false);
}

Json WindowState(const Json& shown, const std::string& className) {
    if (!shown.is_object() || !shown.contains("windows")) return nullptr;
    for (const Json& w : shown["windows"])
        if (w.value("window", "") == className) return w;
    return nullptr;
}

HWND ControlOf(const Json& window, const std::string& control) {
    if (!window.is_object() || !window["hwnds"].contains(control)) return nullptr;
    return reinterpret_cast<HWND>(window["hwnds"][control].get<UINT_PTR>());
}

}  // namespace quillon::wine
