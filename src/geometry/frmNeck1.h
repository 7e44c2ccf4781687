// Undercut shape: a relief groove cut into a diameter beside a shoulder face, made of a corner
// arc of radius R touching the face and the groove bottom, and a straight ramp at angle A,
// tangent to the arc, back up to the start diameter. The window computes the four profile
// points and the arc-centre offsets, draws the profile, copies single points and writes the
// groove as a three-block NC program in either direction of travel. X values are diameters.
#pragma once

#include <string>

#include "shell/figure_window.h"

namespace quillon {

class frmNeck1 : public FigureWindow {
public:
    explicit frmNeck1(Module1& m);

    void Recalculate() override;

private:
    // The selected corner: +1 or -1 for the side of the groove bottom the centre lies on in X
    // (+1: the bottom is the smallest diameter, an outer groove) and the side of the face it
    // lies on in Z.
    struct Corner {
        double x, z;
    };
    Corner SelectedCorner();

    // The three blocks of the groove, from the start diameter into the corner (forward) or
    // from the face out of the corner (reverse), each ending with CR LF.
    std::string ProgramText(bool forward);
};

}  // namespace quillon
