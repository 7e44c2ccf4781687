// The platform layer of the Qt front: what Qt itself does not offer in the same way on every
// system. Always-on-top without moving or re-creating the window, and the activation of
// another program's top-level window by its title (the lathe control's screen), and the
// input-method switch of a text field.
#pragma once

#include <QString>
#include <memory>

class QWidget;

namespace quillon::qt {

class Platform {
public:
    virtual ~Platform() = default;
    // Puts a top-level window into (on) or out of (off) the always-on-top band, without
    // moving, resizing or re-creating it.
    virtual void SetTopmost(QWidget& window, bool on) = 0;
    // Brings the top-level window with exactly this title to the front; does not wait for
    // it, and ignores every failure.
    virtual void ActivateWindowByTitle(const QString& title) = 0;
    // Opens (Japanese input) or closes (half-width characters) the system's input method for
    // a text field. Where the system offers no such switch, the toolkit's input-method hints
    // that the host sets on the field are all there is, and this does nothing.
    virtual void SetInputOpen(QWidget& field, bool open) {
        (void)field;
        (void)open;
    }
};

// The layer of the system the program runs on: Win32 on Windows, the window manager's
// protocol on X11, nothing elsewhere. Call it after the QApplication exists.
std::unique_ptr<Platform> SystemPlatform();

}  // namespace quillon::qt
