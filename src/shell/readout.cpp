#include "readout.h"

#include <cmath>
#include <limits>

#include "numtext.h"

namespace quillon {

// Saturating instead of an undefined conversion.
float SinglePrecision(double v) {
    if (std::isnan(v)) return std::numeric_limits<float>::quiet_NaN();
    if (v > std::numeric_limits<float>::max()) return std::numeric_limits<float>::infinity();
    if (v < -std::numeric_limits<float>::max()) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(v);
}

namespace {

// Truncated towards minus infinity to three decimals, all in single precision.
float Truncate3(float v) {
    return std::floor(v * 1000.0f) / 1000.0f;
}

}  // namespace

std::string ReadoutLine(const char* firstCaption, double first, const char* secondCaption,
                        double second) {
    return firstCaption + PrintSingle(Truncate3(SinglePrecision(first))) + secondCaption +
           PrintSingle(Truncate3(SinglePrecision(second)));
}

void ShowReadout(Control& box, const std::string& line) {
    box.Visible = true;
    Picture& p = *box.Pic;
    p.Cls();
    p.ForeColor = colors::White;
    p.Print(line);
}

}  // namespace quillon
