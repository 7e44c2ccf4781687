#include "win_host.h"

#include <commdlg.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <optional>

#include "form_window.h"
#include "shell/front_rules.h"
#include "win_text.h"

namespace quillon::win32 {
namespace {

constexpr wchar_t kHostClass[] = L"QuillonHost";

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lp);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* host = reinterpret_cast<Win32Host*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == kMsgCollect && host) {
        host->Collect();
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

// The host's own window, message-only: it receives what the host posts to itself.
HWND HostWindow(Win32Host* host) {
    static HWND hwnd = nullptr;
    if (hwnd) return hwnd;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kHostClass;
    RegisterClassExW(&wc);
    hwnd = CreateWindowExW(0, kHostClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           GetModuleHandleW(nullptr), host);
    return hwnd;
}

}  // namespace

Win32Host::Win32Host() {
    FormWindow::RegisterClasses(GetModuleHandleW(nullptr));
    // The host's own window is made when the host first posts to itself (after the first
    // window shows).
}

Win32Host::~Win32Host() {
    CloseAll();
}

// ---- clipboard, messages, clock ----

void Win32Host::ClearClipboard() {
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    CloseClipboard();
}

void Win32Host::SetClipboardText(const std::string& text) {
    // Another program may hold the clipboard for a moment: try a few times.
    bool open = false;
    for (int i = 0; i < 10 && !(open = OpenClipboard(nullptr)); ++i) Sleep(10);
    if (!open) return;
    EmptyClipboard();
    const std::wstring wide = Wide(text);
    const size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        if (void* p = GlobalLock(mem)) {
            std::copy_n(wide.c_str(), wide.size() + 1, static_cast<wchar_t*>(p));
            GlobalUnlock(mem);
            if (!SetClipboardData(CF_UNICODETEXT, mem)) GlobalFree(mem);
        } else {
            GlobalFree(mem);
        }
    }
    CloseClipboard();
}

void Win32Host::ActivateWindowByTitle(const std::string& title) {
    const HWND hwnd = FindWindowW(nullptr, Wide(title).c_str());
    if (!hwnd) return;
    if (IsIconic(hwnd)) ShowWindowAsync(hwnd, SW_RESTORE);
    SetForegroundWindow(hwnd);
}

void Win32Host::ShowMessage(const Message& message) {
    SyncAll();
    UINT flags = MB_OK | MB_SETFOREGROUND;
    switch (message.icon) {
        case MessageIcon::Critical:
            flags |= MB_ICONERROR;
            break;
        case MessageIcon::Warning:
            flags |= MB_ICONWARNING;
            break;
        case MessageIcon::Information:
            flags |= MB_ICONINFORMATION;
            break;
        case MessageIcon::Question:
            flags |= MB_ICONQUESTION;
            break;
        case MessageIcon::None:
            break;
    }
    // Owned by the active window of the program, so that it stays above it (the launcher
    // and tool windows may be always on top).
    HWND owner = GetActiveWindow();
    if (owner && !ViewOf(owner)) owner = nullptr;
    MessageBoxW(owner, Wide(message.text).c_str(), Wide(message.title).c_str(), flags);
}

DateTime Win32Host::Now() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

namespace {

// The question box's buttons read "はい" and "いいえ" whatever the system's language: the
// box's own are renamed as it is activated, by a hook of this thread for the one box.
HHOOK g_yesNoHook = nullptr;

LRESULT CALLBACK YesNoCaptions(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_ACTIVATE) {
        const auto box = reinterpret_cast<HWND>(wp);
        SetDlgItemTextW(box, IDYES, L"はい");
        SetDlgItemTextW(box, IDNO, L"いいえ");
        UnhookWindowsHookEx(g_yesNoHook);
        const HHOOK hook = g_yesNoHook;
        g_yesNoHook = nullptr;
        return CallNextHookEx(hook, code, wp, lp);
    }
    return CallNextHookEx(g_yesNoHook, code, wp, lp);
}

}  // namespace

bool Win32Host::AskYesNo(const Message& question, bool defaultYes) {
    SyncAll();
    HWND owner = GetActiveWindow();
    if (owner && !ViewOf(owner)) owner = nullptr;
    const UINT flags = MB_YESNO | MB_ICONQUESTION | MB_SETFOREGROUND |
                       (defaultYes ? MB_DEFBUTTON1 : MB_DEFBUTTON2);
    if (!g_yesNoHook)
        g_yesNoHook = SetWindowsHookExW(WH_CBT, YesNoCaptions, nullptr, GetCurrentThreadId());
    const int answer =
        MessageBoxW(owner, Wide(question.text).c_str(), Wide(question.title).c_str(), flags);
    if (g_yesNoHook) {
        UnhookWindowsHookEx(g_yesNoHook);
        g_yesNoHook = nullptr;
    }
    if (answer == IDYES) return true;
    if (answer == IDNO) return false;
    return defaultYes;
}

std::optional<std::string> Win32Host::AskSaveFileName(const SaveFileRequest& request) {
    // The common dialogs' library is loaded when a save is asked for, not at start-up.
    using SaveFn = BOOL(WINAPI*)(LPOPENFILENAMEW);
    HMODULE dlg = LoadLibraryW(L"comdlg32.dll");
    if (!dlg) return std::nullopt;
    const auto save = reinterpret_cast<SaveFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(dlg, "GetSaveFileNameW")));
    std::optional<std::string> chosen;
    if (save) {
        SyncAll();
        // The filter: the type's name, its pattern, each ended by a NUL, and one more NUL.
        std::wstring filter = Wide(request.typeName);
        filter.push_back(L'\0');
        filter += L"*." + Wide(request.extension);
        filter.push_back(L'\0');
        filter.push_back(L'\0');
        const std::wstring ext = Wide(request.extension);
        const std::wstring title = Wide(request.title);
        std::wstring name = Wide(request.suggestedName);
        name.resize(std::max<size_t>(name.size() + 1, 32768), L'\0');
        OPENFILENAMEW ofn{};
        ofn.lStructSize = sizeof ofn;
        HWND owner = GetActiveWindow();
        ofn.hwndOwner = owner && ViewOf(owner) ? owner : nullptr;
        ofn.lpstrFilter = filter.c_str();
        ofn.nFilterIndex = 1;
        ofn.lpstrFile = name.data();
        ofn.nMaxFile = static_cast<DWORD>(name.size());
        ofn.lpstrTitle = title.c_str();
        ofn.lpstrDefExt = ext.c_str();
        ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_EXPLORER;
        if (save(&ofn)) chosen = Narrow(name.c_str());
    }
    FreeLibrary(dlg);
    return chosen;
}

double Win32Host::Clock() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return t.wHour * 3600.0 + t.wMinute * 60.0 + t.wSecond + t.wMilliseconds / 1000.0;
}

void Win32Host::Wait(double seconds) {
    // Show what the handler changed before the wait (a button's flash), then let events run
    // until the time is up, sleeping while there are none. The time is measured on the tick
    // counter, so a wait across midnight ends too.
    SyncAll();
    for (const auto& [form, view] : views_)
        if (view->Hwnd())
            RedrawWindow(view->Hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    if (!(seconds > 0)) return;
    const ULONGLONG end =
        GetTickCount64() + static_cast<ULONGLONG>(std::ceil(std::min(seconds, 86400.0) * 1000));
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));  // for the outer loop
                return;
            }
            if (!PreTranslate(msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        const ULONGLONG now = GetTickCount64();
        if (now >= end) return;
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(end - now), QS_ALLINPUT,
                                    MWMO_INPUTAVAILABLE);
    }
}

// ---- windows ----

void Win32Host::SetTopmost(const std::string& className, bool on) {
    FormWindow* view = ViewOf(className);
    if (view && view->Hwnd()) view->SetTopmost(on);
}

void Win32Host::PlaceWindow(Form& form, int dxTwips, int dyTwips) {
    FormWindow* view = ViewOf(form);
    if (!view || !view->Hwnd()) return;
    view->placement = std::make_pair(dxTwips, dyTwips);
    RECT rc;
    GetWindowRect(view->Hwnd(), &rc);
    const ScreenRect screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    // The corner stays in the work area of the window's monitor (the task bar left out).
    std::optional<ScreenRect> work;
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    if (GetMonitorInfoW(MonitorFromWindow(view->Hwnd(), MONITOR_DEFAULTTOPRIMARY), &mi))
        work = ScreenRect{mi.rcWork.left, mi.rcWork.top, mi.rcWork.right - mi.rcWork.left,
                          mi.rcWork.bottom - mi.rcWork.top};
    const ScreenPoint at =
        BottomRightPlacement(screen, rc.right - rc.left, rc.bottom - rc.top, dxTwips, dyTwips,
                             view->Fonts().Dpi(), view->Fonts().Dpi(), work);
    if (at.x != rc.left || at.y != rc.top)
        SetWindowPos(view->Hwnd(), nullptr, at.x, at.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Host::SetInputMode(Form& form, const std::string& control, InputMode mode) {
    if (FormWindow* view = ViewOf(form)) view->SetInputMode(control, mode);
}

void Win32Host::FormUnloaded(Form& form) {
    const auto it = views_.find(&form);
    if (it == views_.end()) return;
    std::unique_ptr<FormWindow> view = std::move(it->second);
    views_.erase(it);
    view->Detach();
    retired_.push_back(std::move(view));
    AfterEvent();
}

void Win32Host::EndProgram() {
    endRequested_ = true;
    // The process ends with every window, without any window's own unload running: the views
    // stop talking to their windows now (they are destroyed at the end).
    for (const auto& [form, view] : views_) view->Detach();
    PostQuitMessage(0);
}

void Win32Host::Created(Form& form) {
    views_[&form] = std::make_unique<FormWindow>(form, *this);
    // A window whose state changes outside its own events (another window's copy reaching the
    // history window) is mirrored at once.
    form.SetChangeListener([this](Form& changed) {
        if (FormWindow* shown = ViewOf(changed)) shown->Sync();
    });
}

void Win32Host::Show(Form& form) {
    FormWindow* view = ViewOf(form);
    if (!view || !view->Hwnd()) return;
    // What the load put into the window may need more room; a placed window keeps its corner.
    if (view->LayOutAfterLoad() && view->placement)
        PlaceWindow(form, view->placement->first, view->placement->second);
    view->Sync();
    ShowWindow(view->Hwnd(), IsIconic(view->Hwnd()) ? SW_RESTORE : SW_SHOW);
    // Some systems keep a hidden window out of the always-on-top band: put it there now.
    if (view->WantsTopmost() && !(GetWindowLongPtrW(view->Hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST))
        SetWindowPos(view->Hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(view->Hwnd());
}

FormWindow* Win32Host::ViewOf(const Form& form) const {
    const auto it = views_.find(&form);
    return it == views_.end() ? nullptr : it->second.get();
}

FormWindow* Win32Host::ViewOf(const std::string& className) const {
    for (const auto& [form, view] : views_)
        if (view->Model() && view->ClassName() == className) return view.get();
    return nullptr;
}

FormWindow* Win32Host::ViewOf(HWND topLevel) const {
    for (const auto& [form, view] : views_)
        if (view->Hwnd() == topLevel) return view.get();
    return nullptr;
}

void Win32Host::AfterEvent() {
    SyncAll();
    if (!collectPending_) {
        collectPending_ = true;
        PostMessageW(HostWindow(this), kMsgCollect, 0, 0);
    }
}

void Win32Host::SyncAll() {
    for (const auto& [form, view] : views_) view->Sync();
}

void Win32Host::Collect() {
    collectPending_ = false;
    if (windows_) windows_->Collect();
    retired_.erase(std::remove_if(retired_.begin(), retired_.end(),
                                  [](const std::unique_ptr<FormWindow>& v) { return !v->Busy(); }),
                   retired_.end());
    // The program ends with its last window.
    if (views_.empty() && retired_.empty() && !endRequested_) {
        endRequested_ = true;
        PostQuitMessage(0);
    }
}

void Win32Host::CloseAll() {
    for (const auto& [form, view] : views_) view->Detach();
    views_.clear();
    retired_.clear();
}

bool Win32Host::PreTranslate(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || !msg.hwnd) return false;
    FormWindow* view = ViewOf(GetAncestor(msg.hwnd, GA_ROOT));
    return view && view->Model() && view->PreTranslate(msg);
}

int Win32Host::Run() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (PreTranslate(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

// ---- automation hook ----

UINT Win32Host::DumpMessage() {
    static const UINT msg = RegisterWindowMessageW(L"QuillonDumpState");
    return msg;
}

bool Win32Host::DumpState() const {
    const wchar_t* path = _wgetenv(L"QUILLON_STATE_FILE");
    if (!path || !*path) return false;
    // Only between events: a window in the middle of one (waiting in a button's flash, say)
    // shows a state it is about to leave. The caller asks again.
    for (const auto& [form, view] : views_)
        if (view->Model() && view->Model()->Busy()) return false;
    nlohmann::ordered_json windows = nlohmann::ordered_json::array();
    for (const auto& [form, view] : views_)
        if (view->Model() && view->Hwnd()) windows.push_back(view->ShownState());
    nlohmann::ordered_json shown;
    shown["windows"] = windows;
    const std::string json =
        shown.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
    FILE* f = _wfopen(path, L"wb");
    if (!f) return false;
    const bool ok = std::fwrite(json.data(), 1, json.size(), f) == json.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace quillon::win32
