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

    // A point of the figure: X (a diameter) and Z.
    struct Point {
        double x = 0, z = 0;
    };
    // The two circles between lines `h` apart (as a radius across X): S the sum of the radii,
    // and theta the slope of the line of centres against the lines.
    struct Tangency {
        double r1, r2, s, cosT, sinT;
    };
    // The two directions of the lines. Across them lie the lines' positions and the centres;
    // along them the positions of the contact points, found from whichever of three fields
    // is given. A unit is 2 where the value is an X (a diameter), 1 where it is a Z.
    struct Direction {
        const char* lines[2];  // the positions of line 1 and line 2
        const char* along[3];  // contact points 1, 2 and 3 along the lines
        double acrossUnit, alongUnit;
    };
    // The solved step: the three contact points and the two centres.
    struct Solution {
        Point contact1, contact2, contact3, centre1, centre2;
    };

protected:
    void Form_Load() override;

private:
    // Makes Text8 (horizontal lines) or Text7 (vertical lines) the typed contact-3 field and the
    // other one a result, and words the note Label21 for that direction.
    void ContactThreeRoles(bool horizontal);
    // Option3_Click / Option4_Click.
    void LineDirection(bool horizontal);

    // The steps of Recalculate, by how much is given: one line, both lines, the circles.
    void ShowOneLine(bool vertical, double l);
    void ShowTwoLines(bool vertical, double l1, double l2, double h);
    void ShowCircles(const Direction& dir, bool vertical, double l1, double l2, double h);
    // A line at `position` across the lines' direction, far past the picture's edges.
    void DrawLine(bool vertical, double position);
    void WriteOffsetsK(const Solution& p);
    void ScaleAroundContacts(bool vertical, double h, const Solution& p);
    void WriteCentres(Solution& p);
    void DrawCircles(const Tangency& t, const Solution& p);
};

}  // namespace quillon
