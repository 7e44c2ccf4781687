// The toolbar drawings' reader on any bytes: it returns, and what it returns is something a
// painter can draw as it is — every number finite, a width above zero, every outline starting
// with a move, arcs of a positive radius and at most one turn, dashes in pairs and not negative,
// and only shapes that paint something.
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "shell/icon_drawing.h"

namespace {

using quillon::fuzz::Require;
using Kind = quillon::IconSegment::Kind;

bool Finite(double v) {
    return std::isfinite(v);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view svg(reinterpret_cast<const char*>(data), size);
    const quillon::IconDrawing d = quillon::ReadIconDrawing(svg);
    Require(Finite(d.width) && d.width > 0, "width " + std::to_string(d.width));
    for (const quillon::IconShape& shape : d.shapes) {
        Require(shape.fill || shape.stroke, "a shape that paints nothing");
        Require(!shape.path.empty() && shape.path.front().kind == Kind::Move,
                "an outline that does not start with a move");
        Require(Finite(shape.strokeWidth) && (!shape.stroke || shape.strokeWidth > 0),
                "stroke width " + std::to_string(shape.strokeWidth));
        Require(shape.dashes.size() % 2 == 0, "an odd dash array");
        for (const double v : shape.dashes) Require(Finite(v) && v >= 0, "dash length");
        for (const quillon::IconSegment& s : shape.path) {
            for (const quillon::IconPoint& p : s.p)
                Require(Finite(p.x) && Finite(p.y), "a point not finite");
            Require(Finite(s.radius) && Finite(s.start) && Finite(s.sweep), "arc not finite");
            if (s.kind == Kind::Arc)
                Require(
                    s.radius > 0 && std::fabs(s.sweep) <= 360 + 1e-9,
                    "arc radius " + std::to_string(s.radius) + " sweep " + std::to_string(s.sweep));
        }
    }
    // Reading is a function of the bytes alone.
    const quillon::IconDrawing again = quillon::ReadIconDrawing(svg);
    Require(again.shapes.size() == d.shapes.size(), "a second reading differs");
    return 0;
}
