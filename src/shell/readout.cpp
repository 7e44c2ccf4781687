#include "readout.h"

#include <cmath>
#include <limits>

#include "numtext.h"
#include "single.h"

namespace quillon {

namespace {

// Truncated towards minus infinity to three decimals, all in single precision.
float Truncate3(float v) {
    return std::floor(v * 1000.0f) / 1000.0f;
}

}  // namespace

std::string ReadoutLine(const char* firstCaption, double first, const char* secondCaption,
                        double second) {
    return firstCaption + PrintSingle(Truncate3(ToSingle(first))) + secondCaption +
           PrintSingle(Truncate3(ToSingle(second)));
}

Picture& ShowReadoutBox(Control& box) {
    box.Visible = true;
    Picture& p = *box.Pic;
    p.Cls();
    p.ForeColor = colors::White;
    return p;
}

void ShowReadout(Control& box, const std::string& line) {
    ShowReadoutBox(box).Print(line);
}

}  // namespace quillon
