// Two lines and two circles: the S-shaped step between two parallel lines (both horizontal, two
// diameters, or both vertical, two faces) made of two arcs, circle 1 touching line 1, circle 2
// touching line 2 and the two circles touching each other. From the line positions, the radii
// and one position along the lines the window finds the three contact points and both centres
// with their offsets from contact point 3. X values are diameters; there is no X-Y plane.
#pragma once

#include "shell/figure_window.h"

namespace quillon {

class frmLine2Circle2 : public FigureWindow {
public:
    explicit frmLine2Circle2(Module1& m);

    void Recalculate() override;

protected:
    void Form_Load() override;

private:
    // Makes Text8 (horizontal lines) or Text7 (vertical lines) the typed contact-3 field and the
    // other one a result, and words the note Label21 for that direction.
    void ContactThreeRoles(bool horizontal);
    // Option3_Click / Option4_Click.
    void LineDirection(bool horizontal);
};

}  // namespace quillon
