// The coordinate readout under the mouse: one line in a small picture box beside a figure.
#pragma once

#include <string>

#include "form.h"

namespace quillon {

// The readout line of two values: each taken in single precision, as mouse coordinates are,
// truncated towards minus infinity to three decimals and printed in print style, each after
// its caption: ReadoutLine("X", 40.5, " Z", 12.5) is "X 40.5  Z 12.5 ". Values beyond the
// single-precision range show as "Inf" rather than failing.
std::string ReadoutLine(const char* firstCaption, double first, const char* secondCaption,
                        double second);

// The polar readout line of a picture position (x, -y in the milling plane): X as a diameter
// and C from the X axis counterclockwise, 0 to 360 (straight above or below the centre C is
// 90 or 270), both taken in single precision as ReadoutLine takes them.
std::string PolarReadoutLine(double x, double y);

// Makes the readout box visible and clears it for white text.
Picture& ShowReadoutBox(Control& box);
// Makes the readout box visible and shows the line in white on it alone.
void ShowReadout(Control& box, const std::string& line);

}  // namespace quillon
