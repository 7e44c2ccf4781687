// What every front does the same way when it drives a window: which controls it shows enabled
// and visible, the tab order, where a key goes, how often a timer fires, where a placed window
// stands and how its pixels convert to the window's twips. Each front calls these with its own
// measurements (frame size, resolution) and acts on the answers with its own toolkit.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "form.h"

namespace quillon {

// The control as the screen shows it: enabled (visible) when it and every frame around it are.
// The fronts make every control a child of the window, not of its frame, so a frame's state
// reaches the controls in it only through these.
bool EnabledWithFrames(const Form& form, const Control& c);
bool VisibleWithFrames(const Form& form, const Control& c);
// Enabled and visible with its frames: the user can reach it.
bool Usable(const Form& form, const Control& c);

// The controls that Tab walks, in declaration order: those with a tab stop that can take the
// focus at all (whether they can now is the walk's business).
std::vector<std::string> TabOrder(const Form& form);
// The control Tab (Shift+Tab when `backwards`) moves to from `from`: the next one in the tab
// order that can take the focus now, round the end. From a control outside the order, the
// first (the last backwards). Empty when no control can take the focus.
std::string NextInTabOrder(const Form& form, const std::string& from, bool backwards);

// How a front runs one user event on a window: it runs `event` on the window, lets every
// window's view catch up, and returns false when the window's view has gone meanwhile (the
// window unloaded, the view closed), so that nothing more may be delivered to it.
using DeliverEvent = std::function<bool(const std::function<void(Form&)>& event)>;

// A key pressed on a control ("" for the window itself). The window's focus first follows the
// control that has the focus on screen; then the window sees the key (its KeyPreview and the
// control's handlers); Enter on a command button presses it. Returns false when the key is
// spent (cancelled by a handler, a button pressed, the view gone): the native control must not
// get it.
bool RouteKey(Form& form, const std::string& control, const Key& key, const DeliverEvent& deliver);

// The period a front's timer runs at for a timer control, in milliseconds (at least 1);
// 0 when it stands still (disabled, or no interval).
int TimerPeriodMs(const Control& timer);

// Twips per pixel at a resolution in dots per inch: 1440 twips make an inch.
double TwipsPerPixel(double dpi);
// Twips as whole pixels at a resolution in dots per inch, rounded to the nearest.
int TwipsToPixels(int twips, double dpi);

struct ScreenRect {
    int x = 0, y = 0, width = 0, height = 0;
};
struct ScreenPoint {
    int x = 0, y = 0;
};

// The top-left corner of a window of `frameWidth` x `frameHeight` pixels (its frame included)
// placed `dxTwips`, `dyTwips` in from the bottom-right corner of `area` (the work area of
// the window's monitor), clamped so that the corner, and with it the title bar, stays inside
// the area: a window taller or wider than the area hangs out at the bottom or right instead
// of above or left of the screen.
// `work`, when given, is the area the corner is kept in (the monitor's work area, without
// the task bar) while `area` is the one the offsets count from.
ScreenPoint BottomRightPlacement(const ScreenRect& area, int frameWidth, int frameHeight,
                                 int dxTwips, int dyTwips, double dpiX, double dpiY,
                                 const std::optional<ScreenRect>& work = std::nullopt);

}  // namespace quillon
