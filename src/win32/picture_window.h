// The picture box of the Win32 front: a child window that paints a picture's display list
// with GDI, double-buffered, through the shared picture-to-device mapping, and reports mouse
// moves in picture coordinates.
#pragma once

#include <windows.h>

#include <functional>

#include "shell/picture.h"

namespace quillon::win32 {

// What a picture window shows and whom it tells; owned by the view, outlives the window.
struct PictureBinding {
    const Picture* picture = nullptr;  // nullptr: background only
    COLORREF background = RGB(0, 0, 0);
    HFONT font = nullptr;
    bool cross = false;                                 // cross-hair mouse pointer
    bool takesFocus = false;                            // a click gives it the focus
    std::function<void(double x, double y)> mouseMove;  // picture coordinates
    std::function<void()> mouseLeave;
    std::function<void()> focused;
    // The window was uncovered (a repaint the view did not ask for).
    std::function<void()> exposed;
    bool requested = false;  // set by Refresh until the next paint
};

// Registers the window class once per process.
void RegisterPictureClass(HINSTANCE instance);
HWND CreatePictureWindow(HWND parent, int id, PictureBinding* binding);
// Repaints the picture because its contents changed.
void RefreshPicture(HWND picture, PictureBinding& binding);

// Paints `picture` into `dc` over the rectangle (0, 0, width, height).
void PaintPicture(HDC dc, const Picture* picture, int width, int height, COLORREF background,
                  HFONT font);

// Paints an owner-drawn command button that shows `picture` on its face: the push button's
// bevel, the picture inside it (`inset` pixels in from each edge, one pixel further down and
// right while pressed) in its own colours on the button's face colour, dimmed while the
// button is disabled, and the focus rectangle.
void PaintPictureButton(const DRAWITEMSTRUCT& item, const Picture* picture, HFONT font, int inset);

// A colour halfway to `toward`: how a disabled button's picture is dimmed.
COLORREF Dimmed(COLORREF color, COLORREF toward);

}  // namespace quillon::win32
