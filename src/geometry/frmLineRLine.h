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
};

}  // namespace quillon
