// Laying a window out from its declared grid, the same way in every front.
//
// A window declares where its controls sit (rows, columns, spans, frames holding grids of
// their own); the front measures each control's natural size in its own fonts and at its own
// resolution. From these the layout gives every control a rectangle in the window's client
// area and the client size. Columns are as wide, rows as high as their widest / highest
// single-span control; a control spanning several cells that needs more room widens (or
// heightens) the last of them. A frame is laid out first as a grid of its own, inside its
// caption band and margins, and then takes part in its parent's grid like any control.
#pragma once

#include <functional>
#include <string>
#include <unordered_map>

#include "form.h"

namespace quillon::layout {

struct Size {
    int width = 0, height = 0;
    bool operator==(const Size&) const = default;
};

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
    int Right() const { return x + width; }
    int Bottom() const { return y + height; }
    bool Contains(const Rect& r) const {
        return r.x >= x && r.y >= y && r.Right() <= Right() && r.Bottom() <= Bottom();
    }
    bool Overlaps(const Rect& r) const {
        return r.x < Right() && x < r.Right() && r.y < Bottom() && y < r.Bottom();
    }
    bool operator==(const Rect&) const = default;
};

// The front's spacing, in its device pixels (scaled with its resolution).
struct Metrics {
    int margin = 9;       // around the window's grid
    int spacing = 6;      // between neighbouring cells
    int frameTop = 20;    // a frame's caption band, above its grid
    int frameMargin = 8;  // inside a frame, left, right and below its grid
    // Device pixels per declared pixel: a control's declared size (`MinWidth`, `MinHeight`,
    // given at 96 dots per inch) is multiplied by this, so that figures and readouts grow
    // with the fonts. 1 for a front that lays out in 96-dpi units itself.
    double declared = 1.0;

    // The same spacing and declared sizes at another scale (2.0 for 200 %).
    Metrics Scaled(double factor) const;
};

// The natural size of a control as the front shows it: its text in its font with the
// control's own decorations (a button's bevel, a check box's box). The layout applies the
// declared minimum sizes itself and measures frames from their contents.
using Measure = std::function<Size(const Control&)>;

struct Result {
    // Every control that shows (all but timers), in client coordinates of the window, frames'
    // contents included. Hidden controls keep their place, so that nothing jumps when they
    // show.
    std::unordered_map<std::string, Rect> rects;
    Size client;
};

Result LayOut(const Form& form, const Measure& measure, const Metrics& metrics);

// A control's declared size in device pixels at `metrics`' scale ({0, 0} when none is
// declared; each side apart).
Size DeclaredSize(const Control& c, const Metrics& metrics);

// True for controls that take their natural size inside their cell rather than filling it:
// option buttons and check boxes (a click beside the caption must not tick them) and figures
// of a declared size (their aspect is their scale's).
bool KeepsNaturalWidth(const Control& c);
// True for controls that fill the height of their cell (frames, lists, multi-line fields);
// the others keep their natural height, centred in their cell.
bool FillsHeight(const Control& c);

}  // namespace quillon::layout
