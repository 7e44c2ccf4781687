// frmLineRPoint at model level: the figure of the worked example, the construction over lines
// in every direction and end points in every quadrant, the angle reduction, the window.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <tuple>

#include "driven_window.h"
#include "geometry/frmLineRPoint.h"
#include "support/geometry_cases.h"

namespace quillon::testkit {
namespace {

constexpr double kAspect = 8835.0 / 4875.0;

void Solve(DrivenWindow& w, const std::string& x, const std::string& z, const std::string& a,
           const std::string& ex, const std::string& ez, const std::string& r) {
    w.Type("Text1", x);
    w.Type("Text2", z);
    w.Type("Text3", a);
    w.Type("Text4", ex);
    w.Type("Text5", ez);
    w.Type("Text8", r);
    w.Leave("Text8");
}

struct FigureRow {
    const char* name;
    const char* endZ;
    const char* option;
    double centreZ;  // where the circle's centre lies (X20, 10 above the axis)
    double run;      // the contour from the end point: 100 units in this direction
};

void PrintTo(const FigureRow& row, std::ostream* os) {
    *os << row.name;
}

const double kRoot75 = std::sqrt(75.0);

const FigureRow kFigureRows[] = {
    {"OptionOne", "10", "Option1", 10 - kRoot75, 100},
    {"OptionTwo", "10", "Option2", 10 + kRoot75, 100},
    {"MirroredOptionOne", "-10", "Option1", -10 + kRoot75, -100},
    {"MirroredOptionTwo", "-10", "Option2", -10 - kRoot75, -100},
};

class LineRPointFigure : public ::testing::TestWithParam<FigureRow> {};

// Line X0 Z0 A0, end point X10 Z±10, R10.
TEST_P(LineRPointFigure, FitsTheConstructionAndDrawsInOrder) {
    const FigureRow& row = GetParam();
    DrivenWindow w("frmLineRPoint");
    w.Click(row.option);
    Solve(w, "0", "0", "0", "10", row.endZ, "10");
    const double endZ = std::stod(row.endZ), c = row.centreZ;
    const auto& ops = w.Ops();
    ASSERT_EQ(ops.size(), 10u);

    // Extents: h over the line point, the end point pushed out by R and the touching point;
    // v from 0 to 5 + 10. The height fills the picture first.
    const double hs[] = {0, endZ + (endZ > 0 ? 10 : -10), c};
    const double hMin = *std::min_element(std::begin(hs), std::end(hs));
    const double hMax = *std::max_element(std::begin(hs), std::end(hs));
    const double width = 1.2 * 15 * kAspect;
    const Scale& s = OpAt<ScaleOp>(ops, 0).scale;
    EXPECT_NEAR(s.height, 18, 1e-9);
    EXPECT_NEAR(s.width, width, 1e-9);
    EXPECT_NEAR(s.left, hMin - (width - (hMax - hMin)) / 2, 1e-9);
    EXPECT_NEAR(s.top, -15 - 1.5, 1e-9);

    const LineOp& line = OpAt<LineOp>(ops, 1);  // touching point to line point
    EXPECT_EQ(line.color, colors::Given);
    EXPECT_NEAR(line.x1, c, 1e-9);
    EXPECT_NEAR(line.y1, 0, 1e-9);
    EXPECT_NEAR(line.x2, 0, 1e-9);
    const CircleOp& circle = OpAt<CircleOp>(ops, 2);
    EXPECT_EQ(circle.color, colors::Given);
    EXPECT_NEAR(circle.x, c, 1e-9);
    EXPECT_NEAR(circle.y, -10, 1e-9);
    EXPECT_NEAR(circle.r, 10, 1e-9);

    struct Mark {
        double x, y, share;
    };
    const Mark marks[] = {{0, 0, 0.001},   {endZ, -5, 0.001}, {endZ, -5, 0.0015},
                          {c, -10, 0.001}, {c, 0, 0.001},     {c, 0, 0.0015}};
    for (size_t i = 0; i < 6; ++i) {
        const CircleOp& m = OpAt<CircleOp>(ops, 3 + i);
        EXPECT_EQ(m.color, colors::Result) << i;
        EXPECT_NEAR(m.x, marks[i].x, 1e-9) << i;
        EXPECT_NEAR(m.y, marks[i].y, 1e-9) << i;
        EXPECT_NEAR(m.r, marks[i].share * width, 1e-12) << i;
    }
    const LineOp& run = OpAt<LineOp>(ops, 9);
    EXPECT_EQ(run.color, colors::Given);
    EXPECT_NEAR(run.x1, endZ, 1e-9);
    EXPECT_NEAR(run.x2, endZ + row.run, 1e-9);
    EXPECT_NEAR(run.y1, -5, 1e-9);
    EXPECT_NEAR(run.y2, -5, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Example, LineRPointFigure, ::testing::ValuesIn(kFigureRows),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- the construction over many lines and end points ----

// Angle of the line; the end point's distance along and across the line from the line point;
// plane.
using testkit::GeometryCase;
using testkit::Num;
using Case = GeometryCase;

class LineRPointGeometry : public ::testing::TestWithParam<Case> {};

TEST_P(LineRPointGeometry, CircleTouchesTheLineAndPassesTheEndPoint) {
    const auto [angle, along, across, xy] = GetParam();
    const double r = 5;
    const double a = angle * std::acos(-1.0) / 180;
    const double dh = std::cos(a), dv = std::sin(a);
    const double ph = 3, pv = 7;
    const double eh = ph + along * dh - across * dv, ev = pv + along * dv + across * dh;
    auto typedX = [&](double h, double v) { return xy ? h : 2 * v; };
    auto typed2 = [&](double h, double v) { return xy ? v : h; };

    // The touching points measured from the line point, horizontally towards the end point.
    const double sH = eh > ph ? 1 : -1;
    double touchH[2] = {0, 0};
    for (int option = 0; option < 2; ++option) {
        DrivenWindow w("frmLineRPoint");
        if (xy) w.Click("OptionXY");
        w.Click(option == 0 ? "Option1" : "Option2");
        Solve(w, Num(typedX(ph, pv)), Num(typed2(ph, pv)), Num(angle), Num(typedX(eh, ev)),
              Num(typed2(eh, ev)), Num(r));
        auto read = [&](const char* x, const char* second) {
            const double X = std::stod(w.Text(x)), S = std::stod(w.Text(second));
            return xy ? std::pair{X, S} : std::pair{S, X / 2};
        };
        const auto [ch, cv] = read("Text6", "Text7");
        const auto [th, tv] = read("Text9", "Text10");
        const double tol = 0.003;
        const double side = (ch - ph) * -dv + (cv - pv) * dh;  // signed distance from the line
        EXPECT_NEAR(std::fabs(side), r, tol) << "option " << option + 1;
        EXPECT_GE(side * across, 0) << "the centre lies on the end point's side";
        EXPECT_NEAR(std::hypot(eh - ch, ev - cv), r, tol) << "option " << option + 1;
        EXPECT_NEAR((th - ph) * -dv + (tv - pv) * dh, 0, tol) << "touching point on the line";
        EXPECT_NEAR(std::hypot(th - ch, tv - cv), r, tol) << "touching point on the circle";
        const double i = std::stod(w.Text("Text11")), k = std::stod(w.Text("Text12"));
        EXPECT_NEAR(xy ? th + i : tv + i, xy ? ch : cv, tol);
        EXPECT_NEAR(xy ? tv + k : th + k, xy ? cv : ch, tol);
        touchH[option] = sH * (th - ph);
    }
    // Of the two circles, option 1 touches the line nearer the line point's side.
    EXPECT_LT(touchH[0], touchH[1]);
}

// Across distances below R and between R and 2R take both branches of the construction.
INSTANTIATE_TEST_SUITE_P(EndPoints, LineRPointGeometry,
                         ::testing::Combine(::testing::Values(0.0, 30.0, -45.0, 120.0, 75.0),
                                            ::testing::Values(-12.0, 12.0),
                                            ::testing::Values(-9.0, -3.0, 3.0, 9.0),
                                            ::testing::Bool()),
                         testkit::GeometryCaseName);

// ---- the angle reduction ----

struct AngleRow {
    const char* name;
    double degrees;
    double reduced;
};

void PrintTo(const AngleRow& row, std::ostream* os) {
    *os << row.name;
}

const AngleRow kAngleRows[] = {
    {"InRangeStays", 45, 45},
    {"NinetyIsNearlyNinety", 90, 89.9999},
    {"MinusNinetyIsNearlyNinety", -90, 89.9999},
    {"OneTwentyIsMinusSixty", 120, -60},
    {"FourEightyIsMinusSixty", 480, -60},
    {"MinusTwoSeventyIsNearlyNinety", -270, 89.9999},
    {"MinusOneEightyIsZero", -180, 0},
    // 1E20 is 100 more than a whole number of half turns: no endless stepping by 180.
    {"HugeAngleEnds", 1e20, -80},
};

class LineRPointAngle : public ::testing::TestWithParam<AngleRow> {};

TEST_P(LineRPointAngle, IsBroughtIntoTheHalfTurn) {
    EXPECT_DOUBLE_EQ(frmLineRPoint::LineAngle(GetParam().degrees), GetParam().reduced);
}

INSTANTIATE_TEST_SUITE_P(Angles, LineRPointAngle, ::testing::ValuesIn(kAngleRows),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- the window ----

TEST(LineRPointWindow, EnterChainAndStartFocus) {
    DrivenWindow w("frmLineRPoint");
    EXPECT_EQ(w.form->Focus(), "Text1");
    const char* expected[] = {"Text2", "Text3", "Text4", "Text5", "Text8", "Command1"};
    for (const char* next : expected) {
        w.Press("Enter");
        EXPECT_EQ(w.form->Focus(), next);
    }
}

TEST(LineRPointWindow, OptionClickRecomputesAtOnce) {
    DrivenWindow w("frmLineRPoint");
    Solve(w, "0", "0", "0", "10", "10", "10");
    EXPECT_EQ(w.Text("Text7"), "1.34");
    w.Click("Option2");
    EXPECT_EQ(w.Text("Text7"), "18.66");
    w.Click("Option1");
    EXPECT_EQ(w.Text("Text7"), "1.34");
}

TEST(LineRPointWindow, LeavingTheLockedCentreFieldRecomputes) {
    DrivenWindow w("frmLineRPoint");
    Solve(w, "0", "0", "0", "10", "10", "10");
    w.Type("Text5", "-10");  // typed, not left
    w.Focus("Text6");
    w.Press("Enter");  // on to Text9, leaving Text6
    EXPECT_EQ(w.form->Focus(), "Text9");
    EXPECT_EQ(w.Text("Text7"), "-1.34");
}

TEST(LineRPointWindow, PlacedTopmostAndLocked) {
    DrivenWindow w("frmLineRPoint");
    EXPECT_EQ(w.form->Caption, " 1点を通り直線と接する円");
    EXPECT_EQ(w.host.placements, (std::vector<std::pair<int, int>>{{1450, 950}}));
    EXPECT_EQ(w.host.topmostCalls,
              (std::vector<std::pair<std::string, bool>>{{"frmLineRPoint", true}}));
    for (const char* f : {"Text6", "Text7", "Text9", "Text10", "Text11", "Text12"})
        EXPECT_TRUE(w[f].Locked) << f;
    EXPECT_FALSE(w["Text8"].Locked);
}

}  // namespace
}  // namespace quillon::testkit
