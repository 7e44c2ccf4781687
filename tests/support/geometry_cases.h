// Rows of the geometry sweeps: a line's angle, a point's distance along and across the line
// from the line point, and the plane.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <tuple>

namespace quillon::testkit {

using GeometryCase = std::tuple<double, double, double, bool>;

// The text a user types for v (12 significant digits).
inline std::string Num(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.12g", v);
    return buf;
}

// "A30_Along12_AcrossMinus9_XY", "A0_Along7_Across2p5_XZ": the row's angle, placement and plane.
inline std::string GeometryCaseName(const ::testing::TestParamInfo<GeometryCase>& info) {
    auto part = [](double v) {
        std::string t = Num(std::fabs(v));
        std::replace(t.begin(), t.end(), '.', 'p');
        return (v < 0 ? "Minus" : "") + t;
    };
    const auto [angle, along, across, xy] = info.param;
    return "A" + part(angle) + "_Along" + part(along) + "_Across" + part(across) +
           (xy ? "_XY" : "_XZ");
}

}  // namespace quillon::testkit
