// Hole circle: the holes of a pitch circle on the face, each as an X-Y point of the milling
// plane and as X (a diameter) and C (degrees) for the C axis, listed, drawn to scale and
// copied as blocks, all holes at once or one of them.
#pragma once

#include <string>
#include <vector>

#include "shell/figure_window.h"

namespace quillon {

class frmBoltCircle : public FigureWindow {
public:
    explicit frmBoltCircle(Module1& m);

    void Recalculate() override;

    // One hole's texts as List1 and the copies show them.
    struct Hole {
        std::string x, y, diameter, c;
    };
    // The line List1 shows for hole `number`: the columns right-aligned in 3, 11, 11, 11 and
    // 10 characters (a longer text is not cut).
    static std::string ListLine(int number, const Hole& hole);

protected:
    void Form_Load() override;
    // A repaint redraws without losing the hole selected in the list.
    void Form_Paint() override;
    // The prompt for the pitch circle, alone in the figure; the list and the copies empty.
    void NoSolutionText() override;
    // The Cartesian and the polar position under the mouse.
    void CoordinateReadout(double x, double y) override;

private:
    // Copies the hole selected in the list (hole 1 when none is) as "C..." + " X...", no
    // line end; nothing while the pattern is invalid.
    void CopySelectedHole();

    std::vector<Hole> holes_;
    bool repainting_ = false;
};

}  // namespace quillon
