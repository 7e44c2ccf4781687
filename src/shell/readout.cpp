#include "readout.h"

#include <cmath>
#include <limits>

#include "exact_math.h"
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

std::string PolarReadoutLine(double x, double y) {
    // The value of a half turn in the readout's polar angle.
    constexpr double kReadoutPi = 3.14159265398;
    const double xs = ToSingle(x), ys = ToSingle(y);
    double angle = 0;
    if (xs == 0) {
        angle = ys <= 0 ? 90 : 270;
    } else {
        angle = exact::atan(-ys / xs) * 180 / kReadoutPi;
        if (xs < 0) angle += 180;
        if (xs > 0 && ys > 0) angle += 360;
    }
    const double diameter = 2 * std::sqrt(xs * xs + ys * ys);
    return ReadoutLine("X", diameter, " C", angle);
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
