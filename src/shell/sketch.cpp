#include "sketch.h"

#include <cmath>

#include "exact_math.h"

namespace quillon {

void Sketch::Line(double h1, double v1, double h2, double v2, Color c, DrawStyle style) {
    p_.Style = style;
    p_.Line(h1, -v1, h2, -v2, c);
    p_.Style = DrawStyle::Solid;
}

void Sketch::Text(double h, double v, const std::string& text, Color c) {
    p_.ForeColor = c;
    p_.CurrentX = h;
    p_.CurrentY = -v;
    p_.Print(text);
}

void Sketch::Cross(double h, double v, double halfLength, Color c) {
    Line(h - halfLength, v, h + halfLength, v, c);
    Line(h, v - halfLength, h, v + halfLength, c);
}

void Sketch::Arc(double h, double v, double r, double a1, double a2, Color c) {
    constexpr int kStrokes = 16;
    for (int i = 0; i < kStrokes; ++i) {
        const double from = a1 + (a2 - a1) * i / kStrokes;
        const double to = a1 + (a2 - a1) * (i + 1) / kStrokes;
        Line(h + r * exact::cos(from), v + r * exact::sin(from), h + r * exact::cos(to),
             v + r * exact::sin(to), c);
    }
}

}  // namespace quillon
