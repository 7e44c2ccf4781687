// The toolbar's drawings (resources/icons/*.svg) read into plain shapes that any painter can
// draw: both fronts paint the same list, so the drawings are read in one place.
//
// The reader takes the small part of SVG the drawings use: <svg viewBox>, <g>, <rect> (rx, ry),
// <circle>, <ellipse>, <line>, <polygon>, <polyline> and <path> (M L H V C S Q T A Z, absolute
// and relative), with fill, stroke, stroke-width and stroke-dasharray given on the element or
// inherited from <svg> and <g>. Colours are #rgb, #rrggbb or "none". Anything else is skipped;
// no input makes it fail.
#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "color.h"

namespace quillon {

struct IconPoint {
    double x = 0, y = 0;
    bool operator==(const IconPoint&) const = default;
};

// One piece of an outline, in the drawing's units with y growing downwards.
struct IconSegment {
    enum class Kind : unsigned char {
        Move,   // starts a figure at p[0]
        Line,   // to p[0]
        Cubic,  // a cubic Bézier with the controls p[0], p[1], ending at p[2]
        Arc,    // a circular arc around p[0] of `radius`, ending at p[2]
        Close   // back to the figure's start
    };
    Kind kind = Kind::Move;
    std::array<IconPoint, 3> p{};
    // Arc only: degrees from the +x axis, clockwise on screen (y down), as GDI+ counts them;
    // a positive sweep turns clockwise.
    double radius = 0, start = 0, sweep = 0;
};

struct IconShape {
    std::vector<IconSegment> path;
    std::optional<Color> fill, stroke;  // RGB colours; none when not painted
    double strokeWidth = 1;
    // Dash and gap lengths in the drawing's units, an even number of them; empty: solid.
    std::vector<double> dashes;
};

struct IconDrawing {
    // The width the drawing is made for (the viewBox's, or 32): a painter scales it to the
    // size it draws at. Coordinates start at the viewBox's corner.
    double width = 32;
    std::vector<IconShape> shapes;  // in painting order
};

// Reads the drawing from the bytes of an SVG file. Every number in the result is finite.
IconDrawing ReadIconDrawing(std::string_view svg);

}  // namespace quillon
