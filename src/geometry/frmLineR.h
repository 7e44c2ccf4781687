// Line-circle intersection: the two points where a line, given by a point and its angle, cuts a
// circle given by its centre and radius, with the arc-centre offsets I and K of each point.
#pragma once

#include "shell/figure_window.h"

namespace quillon {

class frmLineR : public FigureWindow {
public:
    explicit frmLineR(Module1& m);

    void Recalculate() override;
};

}  // namespace quillon
