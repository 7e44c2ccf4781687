// XY-XC conversion: two points of the milling plane in Cartesian (X, Y) or polar (X as a
// diameter, C in degrees) form, converted into the other form; the line through them with its
// length and angle, and the C position that puts it parallel to the Y axis, with both points
// as they lie then. The figure is a fixed-scale view around the centre of rotation.
#pragma once

#include <string>

#include "shell/figure_window.h"

namespace quillon {

class frmXY_XC : public FigureWindow {
public:
    explicit frmXY_XC(Module1& m);

    void Recalculate() override;
    void OptionXY_Click();
    void OptionXC_Click();

protected:
    void Form_Load() override;
    // The Cartesian and the polar position under the mouse, with the axis captions.
    void CoordinateReadout(double x, double y) override;

private:
    // Opens the entry fields of one input form and locks the other form's fields.
    void OpenEntryFields(bool cartesian);
    void DrawAxes();
};

}  // namespace quillon
