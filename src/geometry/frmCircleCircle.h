// Two-circle intersection: the two points where two circles, each given by its centre and
// radius, cross. X-Z (X as a diameter) or X-Y plane; while one circle is still incomplete the
// figure previews the complete one.
#pragma once

#include "shell/figure_window.h"

namespace quillon {

class frmCircleCircle : public FigureWindow {
public:
    explicit frmCircleCircle(Module1& m);

    void Recalculate() override;

protected:
    // Red "交点が求まりません!!" where the pen stands when the computation fails.
    void NoSolutionText() override;

private:
    // The circle typed into the three fields alone, ten radii wide, with its centre cross.
    void Preview(Field xField, Field secondField, Field rField);
    // A centre cross in red: a vertical stroke of `arm` up and down, then a horizontal stroke
    // from `rightArm` right of the centre to `arm` left of it.
    void CentreCross(ModelPoint c, double arm, double rightArm);
};

}  // namespace quillon
