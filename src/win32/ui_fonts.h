// The fonts and the resolution of the Win32 front: one Japanese UI font for every control
// ("Meiryo UI", else "MS UI Gothic", else the system's message font), a smaller one for texts
// inside figures and a fixed-pitch one for controls that ask for it.
#pragma once

#include <windows.h>

#include <string>

#include "dpi.h"

namespace quillon::win32 {

class UiFonts {
public:
    // The fonts at the system's resolution, or at `dpi` (a window on a monitor of its own).
    UiFonts();
    explicit UiFonts(int dpi);
    ~UiFonts();
    UiFonts(const UiFonts&) = delete;
    UiFonts& operator=(const UiFonts&) = delete;

    HFONT Ui() const { return ui_; }
    // Made when first asked for: the launcher has no figure and no fixed-pitch text.
    HFONT Figure() const;
    HFONT Fixed() const;
    // The face name the UI font uses.
    const std::wstring& Face() const { return face_; }
    // Dots per inch of the screen (system DPI: the programs declare system DPI awareness).
    int Dpi() const { return dpi_.Value(); }
    const win32::Dpi& Resolution() const { return dpi_; }
    // Pixels for a length given at 96 dots per inch.
    int Px(int at96) const { return dpi_.Px(at96); }

    // True when the system has a font family of this name.
    static bool HasFace(const wchar_t* face);

private:
    win32::Dpi dpi_;
    LOGFONTW system_{};
    std::wstring face_;
    HFONT ui_ = nullptr;
    mutable HFONT figure_ = nullptr, fixed_ = nullptr;
};

}  // namespace quillon::win32
