// Spindle speed and cutting speed: of cutting speed V, diameter D and spindle speed N, the two
// that are filled give the third when a field is left; the copy buttons give spindle words.
#pragma once

#include <string>

#include "shell/tool_window.h"

namespace quillon {

class frmRPM : public ToolWindow {
public:
    explicit frmRPM(Module1& m);

    void Text1_LostFocus();
    void Text2_LostFocus();
    void Text3_LostFocus();
    void Command2_Click();

    // The values the window keeps while it is open, each last set from its field or computed.
    double V() const { return v_; }
    double D() const { return d_; }
    double N() const { return n_; }

private:
    // The three computations; each reads its two fields and writes the third.
    void SpindleSpeed();
    void CuttingSpeed();
    void Diameter();
    // "S" and the NC text of a field's value rounded to tens, halves to even.
    std::string SpindleWord(Field field);

    double v_ = 0;  // cutting speed, m/min
    double d_ = 0;  // diameter, mm
    double n_ = 0;  // spindle speed, min-1
};

}  // namespace quillon
