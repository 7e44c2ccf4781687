// The host port of the Win32 front: the clipboard (CF_UNICODETEXT), message boxes, the clock,
// waiting in the message loop without spinning, the always-on-top band, placement in twips
// at the system's resolution, the activation of the control's window by its title, and the
// views of the open windows.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/window_manager.h"
#include "shell/host.h"
#include "ui_fonts.h"

namespace quillon::win32 {

class FormWindow;

// Private messages of the front's windows.
enum : UINT {
    kMsgPaint = WM_APP + 1,  // deliver the window's paint event
    kMsgCollect,             // let go of unloaded windows and closed views
};

// The timer that makes a window's tooltips and draws its toolbar's pictures. A timer's message
// comes after every paint the window and its controls have pending, so the launcher is on
// screen, painted, before the tooltips are made, the drawing library loads and the pictures
// are drawn (its buttons are blank for those few milliseconds). Its id lies outside the
// controls' ids.
constexpr UINT_PTR kAfterPaintTimer = 0x7100;

class Win32Host : public Host, public WindowFront {
public:
    Win32Host();
    ~Win32Host() override;
    Win32Host(const Win32Host&) = delete;
    Win32Host& operator=(const Win32Host&) = delete;

    // The window manager whose unloaded windows this host lets go of after each event.
    void SetWindows(WindowManager* windows) { windows_ = windows; }

    // Host
    void ClearClipboard() override;
    void SetClipboardText(const std::string& text) override;
    void ActivateWindowByTitle(const std::string& title) override;
    void ShowMessage(const Message& message) override;
    double Clock() override;
    DateTime Now() override;
    bool AskYesNo(const Message& question, bool defaultYes) override;
    std::optional<std::string> AskSaveFileName(const SaveFileRequest& request) override;
    void Wait(double seconds) override;
    void SetTopmost(const std::string& className, bool on) override;
    void PlaceWindow(Form& form, int dxTwips, int dyTwips) override;
    void SetInputMode(Form& form, const std::string& control, InputMode mode) override;
    void FormUnloaded(Form& form) override;
    void EndProgram() override;

    // WindowFront
    void Created(Form& form) override;
    void Show(Form& form) override;

    FormWindow* ViewOf(const Form& form) const;
    FormWindow* ViewOf(const std::string& className) const;
    FormWindow* ViewOf(HWND topLevel) const;

    // Runs after every event a view delivers: mirrors every window's state into its controls
    // and, once the event is over, lets go of windows that have unloaded.
    void AfterEvent();
    void SyncAll();
    // Destroys every view without running any window's handlers (the end of the program).
    void CloseAll();
    bool EndRequested() const override { return endRequested_; }

    // Keyboard handling of the views, for every message loop of the program.
    bool PreTranslate(MSG& msg);
    // Runs the message loop until the program ends; returns the exit status.
    int Run();

    // The automation hook: with QUILLON_STATE_FILE set, a window message registered as
    // "QuillonDumpState" makes the program write what every open window shows into that
    // file (JSON, UTF-8) and answers 1, or answers 0 while a window is in the middle of an
    // event. Tests drive the program with real input and compare.
    static UINT DumpMessage();
    bool DumpState() const;

    // Called by a view's window procedure.
    void Collect();

private:
    WindowManager* windows_ = nullptr;
    std::map<const Form*, std::unique_ptr<FormWindow>> views_;
    std::vector<std::unique_ptr<FormWindow>> retired_;
    bool endRequested_ = false;
    bool collectPending_ = false;
};

}  // namespace quillon::win32
