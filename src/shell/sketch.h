// Fixed explanatory drawings: a sketch drawn once into a picture box in model coordinates
// (h, v), drawn at picture coordinates (h, -v) so that v grows upwards.
#pragma once

#include <string>

#include "picture.h"

namespace quillon {

class Sketch {
public:
    explicit Sketch(Picture& picture) : p_(picture) {}

    void Line(double h1, double v1, double h2, double v2, Color c,
              DrawStyle style = DrawStyle::Solid);
    // Text with its top-left corner at the point; the picture's fore colour becomes c.
    void Text(double h, double v, const std::string& text, Color c);
    // A cross of a horizontal and a vertical stroke of the given half-length.
    void Cross(double h, double v, double halfLength, Color c);
    // An arc around (h, v) of radius r from angle a1 to a2 (radians, counterclockwise), drawn
    // as short strokes.
    void Arc(double h, double v, double r, double a1, double a2, Color c);

private:
    Picture& p_;
};

}  // namespace quillon
