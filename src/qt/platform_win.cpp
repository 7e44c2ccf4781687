// Windows: SetWindowPos for the always-on-top band, FindWindow / SetForegroundWindow for the
// activation by title, the input-method context of the field's window for its input mode.
#include <windows.h>
// After windows.h, which it needs.
#include <imm.h>

#include <QWidget>

#include "platform.h"

namespace quillon::qt {
namespace {

class WinPlatform : public Platform {
public:
    void SetTopmost(QWidget& window, bool on) override {
        const HWND hwnd = reinterpret_cast<HWND>(window.winId());
        // No move, no size (flags 3); the result is not used.
        SetWindowPos(hwnd, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }

    void ActivateWindowByTitle(const QString& title) override {
        const std::wstring text = title.toStdWString();
        const HWND hwnd = FindWindowW(nullptr, text.c_str());
        if (!hwnd) return;
        if (IsIconic(hwnd)) ShowWindowAsync(hwnd, SW_RESTORE);
        SetForegroundWindow(hwnd);
    }

    void SetInputOpen(QWidget& field, bool open) override {
        // The fields have no window of their own: the input context is the top-level one's.
        const HWND hwnd = reinterpret_cast<HWND>(field.window()->winId());
        if (const HIMC context = ImmGetContext(hwnd)) {
            ImmSetOpenStatus(context, open ? TRUE : FALSE);
            ImmReleaseContext(hwnd, context);
        }
    }
};

}  // namespace

std::unique_ptr<Platform> SystemPlatform() {
    return std::make_unique<WinPlatform>();
}

}  // namespace quillon::qt
