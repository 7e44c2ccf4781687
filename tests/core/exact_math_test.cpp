// The trigonometric functions give the correctly rounded double on every system. The rows are
// arguments where a C library's result is one unit in the last place off (glibc 2.36's, or
// MinGW-w64's x87-based ones) and the true value rounded, taken from a 300-bit computation;
// the angle 3.141592653589 is the program's own pi.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "shell/exact_math.h"

namespace quillon {
namespace {

struct TrigRow {
    const char* function;
    double x;
    double y;  // second argument of atan2
    double expected;
};

void PrintTo(const TrigRow& row, std::ostream* os) {
    *os << row.function << "(" << std::hexfloat << row.x << ")";
}

double Apply(const TrigRow& r) {
    const std::string f = r.function;
    if (f == "sin") return exact::sin(r.x);
    if (f == "cos") return exact::cos(r.x);
    if (f == "tan") return exact::tan(r.x);
    if (f == "asin") return exact::asin(r.x);
    if (f == "acos") return exact::acos(r.x);
    if (f == "atan") return exact::atan(r.x);
    if (f == "hypot") return exact::hypot(r.x, r.y);
    return exact::atan2(r.y, r.x);
}

class CorrectlyRounded : public ::testing::TestWithParam<TrigRow> {};

TEST_P(CorrectlyRounded, SameBitsAsTheTrueValueRounded) {
    const double got = Apply(GetParam());
    EXPECT_EQ(got, GetParam().expected) << std::hexfloat << got;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CorrectlyRounded,
    ::testing::Values(
        TrigRow{"sin", 0x1.921fb5444261ep+1, 0, 0x1.be91a62633146p-41},  // sin of the program's pi
        TrigRow{"cos", 0x1.921fb5444261ep+0, 0, 0x1.be91a62633146p-42},
        TrigRow{"tan", 0x1.0c152382d6ebfp-1, 0, 0x1.279a745902ce9p-1},  // 30 degrees
        TrigRow{"sin", 0x1.683acc6c3be98p+2, 0, -0x1.37b9c64b9ba59p-1},
        TrigRow{"sin", 0x1.ac8e6759ae5c0p+1, 0, -0x1.a3eb4962ad395p-3},
        TrigRow{"sin", 0x1.86a0800000000p+16, 0, -0x1.ca7e13c8a7c7fp-2},
        TrigRow{"cos", 0x1.0000000000000p-1, 0, 0x1.c1528065b7d50p-1},
        TrigRow{"cos", -0x1.e240c9fbe76c9p+16, 0, 0x1.a74d27c41b22ap-5},
        TrigRow{"tan", -0x1.a345962fa65d8p+0, 0, 0x1.dd02792859c01p+3},
        TrigRow{"tan", -0x1.6fee130c9e52cp+1, 0, 0x1.183fe0eabb339p-2},
        TrigRow{"asin", -0x1.1b30eb5b2e2b0p-5, 0, -0x1.1b3f5dd18ca13p-5},
        TrigRow{"asin", -0x1.748f2d1625eedp-1, 0, -0x1.a13a28ecf0201p-1},
        TrigRow{"acos", -0x1.7cdfd330c067cp-3, 0, 0x1.c2030f0bebf65p+0},
        TrigRow{"acos", 0x1.e7dd5b76d7f7cp-1, 0, 0x1.3baa70513cc3fp-2},
        TrigRow{"atan", -0x1.deb6c104a280cp-3, 0, -0x1.d64538c1479f4p-3},
        TrigRow{"atan", -0x1.ddad461e8f546p-2, 0, -0x1.bef348d70f8fbp-2},
        TrigRow{"atan2", -3.0, 1.0, 0x1.68f095fdf593cp+1},
        TrigRow{"atan2", -0.1, -2.5, -0x1.9c5bc055fe183p+0},
        TrigRow{"atan2", 7.0, 0.3, 0x1.5edef9e238366p-5},
        // Exact and limiting values.
        TrigRow{"sin", 0.0, 0, 0.0}, TrigRow{"cos", 0.0, 0, 1.0}, TrigRow{"sin", 1e-30, 0, 1e-30},
        TrigRow{"asin", 1.0, 0, 0x1.921fb54442d18p+0},
        TrigRow{"asin", -1.0, 0, -0x1.921fb54442d18p+0}, TrigRow{"acos", 1.0, 0, 0.0},
        TrigRow{"acos", -1.0, 0, 0x1.921fb54442d18p+1},
        TrigRow{"acos", 0.0, 0, 0x1.921fb54442d18p+0},
        TrigRow{"atan", 1.0, 0, 0x1.921fb54442d18p-1},
        TrigRow{"atan", 1e300, 0, 0x1.921fb54442d18p+0},
        TrigRow{"atan2", -1.0, 0.0, 0x1.921fb54442d18p+1},
        TrigRow{"atan2", 0.0, -2.0, -0x1.921fb54442d18p+0},
        TrigRow{"atan2", -1e300, 1e300, 0x1.2d97c7f3321d2p+1}, TrigRow{"hypot", 3.0, 4.0, 5.0},
        TrigRow{"hypot", 0.1, 0.2, 0x1.c9f25c5bfeddap-3},
        TrigRow{"hypot", 12.345, -6.789, 0x1.c2d6125b5ffd9p+3},
        TrigRow{"hypot", 1e200, 1e200, 0x1.d8f9811335b57p+664},
        TrigRow{"hypot", 1e-200, 3e-200, 0x1.35d5244b69495p-663}),
    [](const auto& info) { return std::to_string(info.index) + "_" + info.param.function; });

TEST(ExactMath, OutsideTheDomainAsTheCLibrary) {
    EXPECT_TRUE(std::isnan(exact::asin(1.0000000000000002)));
    EXPECT_TRUE(std::isnan(exact::acos(-2.0)));
    EXPECT_TRUE(std::isnan(exact::sin(INFINITY)));
    EXPECT_TRUE(std::isnan(exact::atan(NAN)));
    EXPECT_TRUE(std::signbit(exact::sin(-0.0)));
    EXPECT_TRUE(std::signbit(exact::atan(-0.0)));
}

// Across a sweep every result lies within one unit in the last place of the C library's, and
// the odd and even symmetries hold exactly.
TEST(ExactMath, SweepAgreesWithTheLibraryWithinOneUlpAndKeepsSymmetries) {
    for (int i = -4000; i <= 4000; ++i) {
        const double x = i * 0.0037 + 0.00011;
        const double u = i / 4000.5;
        const auto near = [](double a, double b) {
            return std::fabs(a - b) <= std::fabs(std::nextafter(b, 2 * b + 1) - b);
        };
        EXPECT_TRUE(near(exact::sin(x), std::sin(x))) << x;
        EXPECT_TRUE(near(exact::cos(x), std::cos(x))) << x;
        EXPECT_TRUE(near(exact::atan(x), std::atan(x))) << x;
        EXPECT_TRUE(near(exact::acos(u), std::acos(u))) << u;
        EXPECT_EQ(exact::sin(-x), -exact::sin(x));
        EXPECT_EQ(exact::cos(-x), exact::cos(x));
        EXPECT_EQ(exact::tan(-x), -exact::tan(x));
        EXPECT_EQ(exact::asin(-u), -exact::asin(u));
        EXPECT_EQ(exact::atan(-x), -exact::atan(x));
    }
}

}  // namespace
}  // namespace quillon
