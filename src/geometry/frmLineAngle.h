// Line and angle: completes a straight taper in the X-Z plane (X as a diameter). From the start
// point and two of the angle, the end diameter and the end position it computes the third.
// The picture is a fixed sketch of what the fields mean.
#pragma once

#include "shell/tool_window.h"

namespace quillon {

class frmLineAngle : public ToolWindow {
public:
    explicit frmLineAngle(Module1& m);

    // The end position Z2 from the start point, the angle and X2.
    void Text4_LostFocus();
    // The end diameter X2 from the angle and Z2, or the angle from both end values.
    void Text5_LostFocus();
    void Command6_Click();

protected:
    void Form_GotFocus() override { SetFocus("Text1"); }

private:
    void DrawSketch();
    double Value(Field field);
    // The tangent of the angle A: the rise of the radius per unit of Z.
    double Slope();
};

}  // namespace quillon
