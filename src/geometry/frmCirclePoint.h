// Tangent to a circle: the point where a line of given direction touches a circle of given
// centre and radius, on the side the user picks, with the arc-centre offsets from that point.
// X-Z (X as a diameter) or X-Y plane.
#pragma once

#include "shell/figure_window.h"

namespace quillon {

class frmCirclePoint : public FigureWindow {
public:
    explicit frmCirclePoint(Module1& m);

    void Recalculate() override;

protected:
    // This window prints the no-solution text where its pen stands, in its pen colour.
    void NoSolutionText() override;
};

}  // namespace quillon
