// Taper nose-radius compensation: from the nose radius and the taper angle, the X shift (on
// diameter), the Z shift and the Z shift of a descending taper.
#pragma once

#include "shell/tool_window.h"

namespace quillon {

class frmNoseR : public ToolWindow {
public:
    explicit frmNoseR(Module1& m);

    void Text1_LostFocus() { Compute(); }
    void Text2_LostFocus() { Compute(); }

protected:
    void Form_GotFocus() override { SetFocus("Text1"); }

private:
    void Compute();
    // The fixed diagram of Picture1: what the three shifts measure.
    void DrawDiagram();
};

}  // namespace quillon
