// Circle through a point tangent to a line: the circle of given radius that touches a line
// (a point and its angle) and passes through an end point, with the point where it touches the
// line (the start of the arc) and the arc-centre offsets from there.
#pragma once

#include "shell/figure_window.h"

namespace quillon {

class frmLineRPoint : public FigureWindow {
public:
    explicit frmLineRPoint(Module1& m);

    void Recalculate() override;

    // The line's angle in degrees brought into (-90, 90] by half turns; a vertical line is
    // taken at 89.9999 degrees.
    static double LineAngle(double degrees);
};

}  // namespace quillon
