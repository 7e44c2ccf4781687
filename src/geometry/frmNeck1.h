// Undercut shape: a relief groove cut into a diameter beside a shoulder face, made of a corner
// arc of radius R touching the face and the groove bottom, and a straight ramp at angle A,
// tangent to the arc, back up to the start diameter. The window computes the four profile
// points and the arc-centre offsets, draws the profile, copies single points and writes the
// groove as a three-block NC program in either direction of travel. X values are diameters.
#pragma once

#include <optional>
#include <string>

#include "shell/figure_window.h"

namespace quillon {

class frmNeck1 : public FigureWindow {
public:
    explicit frmNeck1(Module1& m);

    void Recalculate() override;

    // The selected corner: +1 or -1 for the side of the groove bottom the centre lies on in X
    // (+1: the bottom is the smallest diameter, an outer groove) and the side of the face it
    // lies on in Z.
    struct Corner {
        double x, z;
    };
    // The arc's centre (X a diameter).
    struct CornerCentre {
        double x, z;
    };
    // P3, where the arc meets the ramp, and the ramp's angle a in radians.
    struct RampStart {
        double a, x, z;
    };

private:
    Corner SelectedCorner();
    // How many entries, from the bottom diameter on, are given; none when, after the bottom
    // diameter, a field is given beyond a gap (the groove is then undescribed). Without the
    // bottom diameter nothing is drawn, whatever else is given.
    std::optional<int> GivenEntries();

    // The steps of Recalculate, by how much of the groove is given: the corner alone, the
    // corner and the ramp's angle, the whole groove down from the start diameter.
    void ShowCorner(double xb, double zf, double r);
    void ShowCornerAndRamp(double xb, double zf, double r);
    void ShowGroove(double xb, double zf, double r);
    // The view of the corner alone: ten radii wide around the face and the bottom. Returns
    // its width.
    double ScaleAroundCorner(double xb, double zf, double r);
    void DrawBottomAndFace(double xb, double zf);
    // Ticks of half-length `tick` across the face at P1 and across the bottom at P2, the
    // centre, and the arc as a full circle just inside its radius.
    void DrawCornerMarks(double xb, double zf, double r, const CornerCentre& c, double tick,
                         double centreRadius);

    // The three blocks of the groove, from the start diameter into the corner (forward) or
    // from the face out of the corner (reverse), each ending with CR LF.
    std::string ProgramText(bool forward);
};

}  // namespace quillon
