// quillon-shots.exe: photographs the launcher and every registered window as the Win32 front
// shows them, with the fields filled by the steps of a steps file (the same file as for the
// other front), so that anyone can look at the windows. Run under Wine on a display without
// other windows (tools/screenshots-windows.sh does); writes one BMP file per window.
//
//   quillon-shots OUTPUT_FOLDER [STEPS_FILE]
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/menu.h"
#include "app/registry.h"
#include "app/startup.h"
#include "app/steps.h"
#include "form_window.h"
#include "shell/disk_files.h"
#include "shell/module1.h"
#include "start.h"
#include "win_host.h"
#include "win_text.h"

namespace {

using namespace quillon;

// Lets the window system draw what changed.
void Settle(win32::Win32Host& host) {
    host.AfterEvent();
    host.Wait(0.4);
}

// Writes the screen's pixels in a rectangle as a 24-bit BMP file.
bool CaptureRect(const RECT& rc, const std::filesystem::path& file) {
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, screen, rc.left, rc.top, SRCCOPY);
    SelectObject(mem, old);
    BITMAPINFOHEADER bi{};
    bi.biSize = sizeof bi;
    bi.biWidth = w;
    bi.biHeight = h;
    bi.biPlanes = 1;
    bi.biBitCount = 24;
    bi.biCompression = BI_RGB;
    const int stride = ((w * 3 + 3) / 4) * 4;
    std::vector<char> pixels(static_cast<size_t>(stride) * h);
    GetDIBits(mem, bmp, 0, h, pixels.data(), reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof bi;
    fh.bfSize = static_cast<DWORD>(fh.bfOffBits + pixels.size());
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&fh), sizeof fh);
    out.write(reinterpret_cast<const char*>(&bi), sizeof bi);
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    return static_cast<bool>(out);
}

// Writes the screen's pixels under the window (its frame included).
bool Capture(HWND hwnd, const std::filesystem::path& file) {
    RECT rc;
    GetWindowRect(hwnd, &rc);
    return CaptureRect(rc, file);
}

// The launcher's "more" menu while it shows: the menu runs a loop of its own, which runs this
// timer; the picture takes the launcher and the menu, then the menu is dismissed.
struct MenuShot {
    HWND launcher = nullptr;
    std::filesystem::path file;
    bool ok = false;
};
MenuShot* g_menuShot = nullptr;

void CALLBACK TakeMenuShot(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (!g_menuShot) return;
    RECT all;
    GetWindowRect(g_menuShot->launcher, &all);
    if (HWND popup = FindWindowW(L"#32768", nullptr)) {
        RECT menu;
        GetWindowRect(popup, &menu);
        UnionRect(&all, &all, &menu);
    }
    g_menuShot->ok = CaptureRect(all, g_menuShot->file);
    EndMenu();
}

bool ShootMenu(win32::Win32Host& host, Form& launcher, const std::filesystem::path& out) {
    win32::FormWindow* view = host.ViewOf(launcher);
    if (!view || !view->Hwnd()) return false;
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    SetWindowPos(view->Hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    Settle(host);
    // The menu drops down below the toolbar's right end, where its button is.
    HWND bar = view->ControlHwnd("Toolbar1");
    RECT barRect{};
    if (bar) GetWindowRect(bar, &barRect);
    MenuShot shot{view->Hwnd(), out / "Menu-more.bmp"};
    g_menuShot = &shot;
    SetTimer(nullptr, 0, 700, TakeMenuShot);
    SendMessageW(view->Hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(view->Hwnd()),
                 MAKELPARAM(barRect.right - 40, barRect.bottom));
    g_menuShot = nullptr;
    std::printf("%s\n", shot.file.string().c_str());
    ShowWindow(view->Hwnd(), SW_HIDE);
    return shot.ok;
}

// A program folder holding the programs that the registration programs register, and a
// control root with function-key files that have free entries.
void PrepareStage(const std::filesystem::path& stage) {
    std::error_code ec;
    std::filesystem::remove_all(stage, ec);
    std::filesystem::create_directories(stage / "program");
    std::filesystem::create_directories(stage / "control" / "V-FKEY" / "JPN");
    for (const char* target : {"Quillon.exe", "Calculator.exe"})
        std::ofstream(stage / "program" / target) << "";
    const auto entries = [](const char* header) {
        std::string text = std::string(header) + "\r\n";
        for (int i = 1; i <= 8; ++i) text += "data" + std::to_string(i) + "=\r\n";
        return text;
    };
    std::ofstream(stage / "control" / "V-FKEY" / "LV01.INI", std::ios::binary)
        << entries("[SuppPath]");
    std::ofstream(stage / "control" / "V-FKEY" / "JPN" / "LV01.INI", std::ios::binary)
        << entries("[SuppCap]");
}

bool Shoot(win32::Win32Host& host, Form& form, const std::vector<Step>& steps,
           const std::filesystem::path& out) {
    try {
        for (const Step& step : steps) {
            if (form.Unloaded()) break;
            RunStep(form, step);
            host.AfterEvent();
        }
    } catch (const UsageError& e) {
        std::fprintf(stderr, "quillon-shots: %s: %s\n", form.ClassName().c_str(), e.what());
    }
    win32::FormWindow* view = host.ViewOf(form);
    if (!view || !view->Hwnd()) {
        std::fprintf(stderr, "quillon-shots: %s closed itself; no picture\n",
                     form.ClassName().c_str());
        return false;
    }
    // Alone on the screen, at its top-left corner, with the mouse pointer out of the way.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    SetWindowPos(view->Hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    Settle(host);
    const std::filesystem::path file = out / (form.ClassName() + ".bmp");
    const bool ok = Capture(view->Hwnd(), file);
    std::printf("%s\n", file.string().c_str());
    ShowWindow(view->Hwnd(), SW_HIDE);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: quillon-shots OUTPUT_FOLDER [STEPS_FILE]\n");
        return 2;
    }
    const std::filesystem::path out = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(out, ec);
    StepsByWindow steps;
    if (argc == 3) {
        steps = ReadStepsFile(argv[2], "quillon-shots", std::cerr).value_or(StepsByWindow{});
        if (steps.empty()) return 2;  // an unreadable or empty steps file
    }

    win32::InitControls();
    win32::Win32Host host;
    DiskFiles files;
    Module1 m(host, files);
    int failures = 0;
    {
        Menu menu(m);
        host.SetWindows(&menu.Windows());
        menu.Windows().SetFront(&host);
        StartWindow(menu, &host);
        if (!Shoot(host, menu, StepsOf(steps, kMenuClass), out)) ++failures;
        if (!ShootMenu(host, menu, out)) ++failures;
        // The menu's windows last: the copy history then holds the copies the steps made.
        for (const auto* list : {&ToolbarWindows(), &MenuWindows()})
            for (const WindowInfo& info : *list) {
                if (!info.create) continue;
                Form* form = menu.Windows().Open(info);
                if (!form || !Shoot(host, *form, StepsOf(steps, info.className), out)) ++failures;
            }
        host.SetWindows(nullptr);
        // The programs started on their own (the registration programs) pass their start
        // checks here: beside the programs they register, with a control's key files.
        const std::filesystem::path stage =
            std::filesystem::temp_directory_path() / "quillon-shots";
        PrepareStage(stage);
        m.ProgramFolder = stage / "program";
        m.ControlRoot = stage / "control";
        std::vector<std::unique_ptr<Form>> standalone;
        for (const WindowInfo& info : StandaloneWindows()) {
            if (!info.create || info.className == kMenuClass) continue;
            standalone.push_back(info.create(m));
            Form& form = *standalone.back();
            if (!StartWindow(form, &host) ||
                !Shoot(host, form, StepsOf(steps, info.className), out))
                ++failures;
        }
        host.CloseAll();
    }
    return failures == 0 ? 0 : 1;
}
