// Contour check: NC blocks pasted from the control's editor, a program file or the copy
// history, each block checked (contour_check.h) and the contour drawn to scale: feed moves
// solid, rapid moves dotted, faulty moves red, arcs as arcs.
#pragma once

#include "geometry/contour_check.h"
#include "shell/figure_window.h"

namespace quillon {

class frmContourCheck : public FigureWindow {
public:
    explicit frmContourCheck(Module1& m);

    // Checks the blocks, fills the list and the summary and draws the figure.
    void Recalculate() override;

protected:
    void Form_Load() override;

private:
    // The figure of a checked text: a scale around every drawn point, then the moves.
    void DrawContour(const contour::Result& result);
};

}  // namespace quillon
