// Single precision, as mouse coordinates and the values printed from them are.
#pragma once

#include <cmath>
#include <limits>

namespace quillon {

// v as a single-precision value; beyond the range it saturates to an infinity instead of an
// undefined conversion.
inline float ToSingle(double v) {
    if (std::isnan(v)) return std::numeric_limits<float>::quiet_NaN();
    if (v > std::numeric_limits<float>::max()) return std::numeric_limits<float>::infinity();
    if (v < -std::numeric_limits<float>::max()) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(v);
}

}  // namespace quillon
