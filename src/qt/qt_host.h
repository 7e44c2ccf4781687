// The host port for the Qt front: the clipboard, message boxes, the clock, waiting in a local
// event loop, the always-on-top band and the activation of the control's window through the
// platform layer, window placement in twips, and the views of the open windows.
#pragma once

#include <QObject>
#include <QPointer>
#include <map>
#include <string>

#include "app/window_manager.h"
#include "shell/host.h"

namespace quillon::qt {

class FormView;
class Platform;

class QtHost : public QObject, public Host, public WindowFront {
    Q_OBJECT

public:
    // The platform layer is the test seam: tests pass one that records what is asked.
    explicit QtHost(Platform& platform);
    ~QtHost() override;

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

    // The view of an open window (nullptr when it has none or has unloaded).
    FormView* ViewOf(const Form& form) const;
    FormView* ViewOf(const std::string& className) const;

    // Runs after every event a view delivers: mirrors every window's state into its widgets
    // and lets go of windows that have unloaded.
    void AfterEvent();
    // Mirrors every window's state into its widgets; `force` also those without an event
    // since (inside a handler, whose event has not ended yet).
    void SyncAll(bool force = false);
    // Closes every view without running any window's handlers (the end of the program).
    void CloseAll();

    // True once a window asked to end the program.
    bool EndRequested() const override { return endRequested_; }

private:
    Platform& platform_;
    WindowManager* windows_ = nullptr;
    std::map<const Form*, QPointer<FormView>> views_;
    bool endRequested_ = false;
    bool collectPending_ = false;
};

}  // namespace quillon::qt
