// Circle tangent to two lines: each line is given by a point and an angle; the window computes
// their intersection, the circle of radius R in the chosen corner, its tangent points with the
// arc-centre increments, and the nose-radius compensation of the arc for a chosen tool-tip
// direction. X-Z (X as a diameter) or X-Y plane.
#pragma once

#include "shell/figure_window.h"

namespace quillon {

class frmLineRLine : public FigureWindow {
public:
    explicit frmLineRLine(Module1& m);

    void Recalculate() override;

private:
    // A line as typed: a point (X, Z or Y) and an angle in degrees (A) and radians (a).
    struct Line {
        double x = 0, second = 0, A = 0, a = 0;
        ModelPoint at;
    };
    struct Segment {
        ModelPoint from, to;
    };
    using Rays = Segment[2];

    Line ReadLine(Field x, Field second, Field angle);
    // The intersection of the lines, written to Text7/Text8.
    ModelPoint Intersection(const Line& l1, const Line& l2);
    // Each line drawn from its point past the intersection, `length` long.
    Segment Ray(const Line& l, ModelPoint cross, double length);
    void DrawRays(const Rays& rays);
    // The circle of radius r in the chosen corner: its centre, tangent points and arc-centre
    // increments written to Text10-Text19; returns the centre.
    ModelPoint TangentCircle(const Line& l1, const Line& l2, ModelPoint cross, double r);
    void DrawTangentCircle(const Rays& rays, ModelPoint centre, double r, double sw);
    // The nose-radius compensation of the arc (Text20-Text34) and the imaginary tool tips.
    void NoseCompensation(ModelPoint centre, double r);

    ModelPoint tangent1_, tangent2_;
};

}  // namespace quillon
