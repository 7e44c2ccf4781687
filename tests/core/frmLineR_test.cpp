// frmLineR at model level: the figure of the worked example, the geometry of many lines and
// circles, the order in which results are written, and the window's furniture.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <tuple>

#include "driven_window.h"
#include "support/geometry_cases.h"

namespace quillon::testkit {
namespace {

constexpr double kAspect = 8835.0 / 4875.0;

void Solve(DrivenWindow& w, const char* x, const char* z, const char* a, const char* cx,
           const char* cz, const char* r) {
    w.Type("Text1", x);
    w.Type("Text2", z);
    w.Type("Text3", a);
    w.Type("Text4", cx);
    w.Type("Text5", cz);
    w.Type("Text6", r);
    w.Leave("Text6");
}

TEST(LineRFigure, AxisExampleFitsTheCircleAndDrawsInOrder) {
    DrivenWindow w("frmLineR");
    Solve(w, "0", "0", "0", "0", "10", "5");
    const auto& ops = w.Ops();
    ASSERT_EQ(ops.size(), 8u);
    // Extents: h from 0 to 15, v from -5 to 5; the height fills the picture first.
    const double width = 1.2 * 10 * kAspect;
    const Scale& s = OpAt<ScaleOp>(ops, 0).scale;
    EXPECT_NEAR(s.width, width, 1e-9);
    EXPECT_NEAR(s.height, 12, 1e-9);
    EXPECT_NEAR(s.left, -(width - 15) / 2, 1e-9);
    EXPECT_NEAR(s.top, -6, 1e-9);

    const LineOp& line = OpAt<LineOp>(ops, 1);
    EXPECT_EQ(line.color, colors::Given);
    EXPECT_NEAR(line.x1, 0, 1e-9);
    EXPECT_NEAR(line.x2, width, 1e-9);  // on through point 2, one scale width long
    EXPECT_NEAR(line.y2, 0, 1e-9);

    const CircleOp& circle = OpAt<CircleOp>(ops, 2);
    EXPECT_EQ(circle.color, colors::Given);
    EXPECT_NEAR(circle.x, 10, 1e-9);
    EXPECT_NEAR(circle.r, 5, 1e-9);

    const double marks[] = {5, 10, 15};  // point 1, centre, point 2
    for (size_t i = 0; i < 3; ++i) {
        const CircleOp& m = OpAt<CircleOp>(ops, 3 + i);
        EXPECT_EQ(m.color, colors::Result);
        EXPECT_NEAR(m.x, marks[i], 1e-9);
        EXPECT_NEAR(m.y, 0, 1e-9);
        EXPECT_NEAR(m.r, 0.001 * width, 1e-12);
    }
    const PrintOp& one = OpAt<PrintOp>(ops, 6);
    const PrintOp& two = OpAt<PrintOp>(ops, 7);
    EXPECT_EQ(one.text, "1");
    EXPECT_EQ(two.text, "2");
    EXPECT_EQ(one.color, colors::Label);
    EXPECT_NEAR(one.x, 5, 1e-9);
    EXPECT_NEAR(two.x, 15, 1e-9);
}

TEST(LineRFigure, WideFigureFitsTheWidth) {
    DrivenWindow w("frmLineR");
    // Line point far along Z: h from -100 to 15, v from -5 to 5.
    Solve(w, "0", "-100", "0", "0", "10", "5");
    const Scale& s = OpAt<ScaleOp>(w.Ops(), 0).scale;
    EXPECT_NEAR(s.width, 1.2 * 115, 1e-9);
    EXPECT_NEAR(s.height, 1.2 * 115 / kAspect, 1e-9);
    EXPECT_NEAR(s.left, -100 - 0.1 * 115, 1e-9);
    EXPECT_NEAR(s.top, -5 - 0.1 * 115, 1e-9);
    // The line leaves the typed point towards point 2.
    const LineOp& line = OpAt<LineOp>(w.Ops(), 1);
    EXPECT_NEAR(line.x1, -100, 1e-9);
    EXPECT_NEAR(line.x2, -100 + 1.2 * 115, 1e-9);
}

TEST(LineRFigure, PaintAndPictureFocusRedraw) {
    DrivenWindow w("frmLineR");
    Solve(w, "0", "0", "0", "0", "10", "5");
    // An edit not yet left shows at the next redraw.
    w.Type("Text5", "20");
    w.form->DeliverPaint();
    EXPECT_EQ(w.Text("Text12"), "25");
    w.Type("Text5", "30");
    w.Focus("Picture1");
    EXPECT_EQ(w.Text("Text12"), "35");
}

// Results are written offsets first: a value too large for a field stops the run after the I
// offsets, and the fields after them keep their texts.
TEST(LineRResults, OffsetsAreWrittenFirst) {
    DrivenWindow w("frmLineR");
    Solve(w, "0", "0", "45", "20", "10", "5");
    ASSERT_EQ(w.Text("Text9"), "3.536");
    Solve(w, "3E305", "0", "0", "3E305", "10", "5");
    EXPECT_EQ(w.Text("Text9"), "0");
    EXPECT_EQ(w.Text("Text13"), "0");
    EXPECT_EQ(w.Text("Text7"), "12.929");
    EXPECT_EQ(w.Text("Text14"), "-3.535");
    const auto& ops = w.Ops();
    ASSERT_EQ(ops.size(), 2u);
    EXPECT_EQ(OpAt<PrintOp>(ops, 1).text, "交点が求まりません!!");
}

// ---- the geometry over many lines and circles ----

// Angle of the line, where the centre lies along it and across it from the line point, plane.
using testkit::GeometryCase;
using testkit::Num;
using Case = GeometryCase;

class LineRGeometry : public ::testing::TestWithParam<Case> {};

TEST_P(LineRGeometry, PointsLieOnLineAndCircleInLineOrder) {
    const auto [angle, along, across, xy] = GetParam();
    const double r = 5;
    const double a = angle * std::acos(-1.0) / 180;
    const double dh = std::cos(a), dv = std::sin(a);
    const double ph = 3, pv = 7;  // the line point in the working frame
    const double ch = ph + along * dh - across * dv, cv = pv + along * dv + across * dh;

    DrivenWindow w("frmLineR");
    if (xy) w.Click("OptionXY");
    // Typed as X and Z (or Y): X is a diameter in the X-Z plane.
    auto typedX = [&](double h, double v) { return xy ? h : 2 * v; };
    auto typed2 = [&](double h, double v) { return xy ? v : h; };
    Solve(w, Num(typedX(ph, pv)).c_str(), Num(typed2(ph, pv)).c_str(), Num(angle).c_str(),
          Num(typedX(ch, cv)).c_str(), Num(typed2(ch, cv)).c_str(), Num(r).c_str());

    auto read = [&](const char* x, const char* second) {
        const double X = std::stod(w.Text(x)), S = std::stod(w.Text(second));
        return xy ? std::pair{X, S} : std::pair{S, X / 2};
    };
    const auto [h1, v1] = read("Text7", "Text8");
    const auto [h2, v2] = read("Text11", "Text12");
    const double tol = 0.003;
    for (const auto& [h, v] : {std::pair{h1, v1}, std::pair{h2, v2}}) {
        EXPECT_NEAR(std::hypot(h - ch, v - cv), r, tol);     // on the circle
        EXPECT_NEAR((h - ph) * dv - (v - pv) * dh, 0, tol);  // on the line
    }
    EXPECT_GT((h2 - h1) * dh + (v2 - v1) * dv, 0);  // point 1 comes first along the line
    // The offsets lead from each point to the centre (I a radius value in X-Z).
    const double i1 = std::stod(w.Text("Text9")), k1 = std::stod(w.Text("Text10"));
    const double i2 = std::stod(w.Text("Text13")), k2 = std::stod(w.Text("Text14"));
    EXPECT_NEAR(xy ? h1 + i1 : v1 + i1, xy ? ch : cv, tol);
    EXPECT_NEAR(xy ? v1 + k1 : h1 + k1, xy ? cv : ch, tol);
    EXPECT_NEAR(xy ? h2 + i2 : v2 + i2, xy ? ch : cv, tol);
    EXPECT_NEAR(xy ? v2 + k2 : h2 + k2, xy ? cv : ch, tol);
}

INSTANTIATE_TEST_SUITE_P(Lines, LineRGeometry,
                         ::testing::Combine(::testing::Values(0.0, 30.0, 135.0, -100.0, 200.0),
                                            ::testing::Values(-20.0, 0.0, 7.0),
                                            ::testing::Values(-4.0, 0.0, 2.5), ::testing::Bool()),
                         testkit::GeometryCaseName);

// ---- the window ----

TEST(LineRWindow, EnterChainEndsAtTheFirstCopyButton) {
    DrivenWindow w("frmLineR");
    EXPECT_EQ(w.form->Focus(), "Text1");
    const char* expected[] = {"Text2", "Text3", "Text4", "Text5", "Text6", "Command1"};
    for (const char* next : expected) {
        w.Press("Enter");
        EXPECT_EQ(w.form->Focus(), next);
    }
}

TEST(LineRWindow, PlacedAndTopmostAtLoadWithItsBox) {
    DrivenWindow w("frmLineR");
    EXPECT_EQ(w.form->Caption, " 直線と円の交点");
    ASSERT_EQ(w.host.placements.size(), 1u);
    EXPECT_EQ(w.host.placements[0], (std::pair{1450, 950}));
    EXPECT_EQ(w.host.topmostCalls, (std::vector<std::pair<std::string, bool>>{{"frmLineR", true}}));
    w.Click("Check1");
    EXPECT_EQ(w.host.topmostCalls.back(), (std::pair<std::string, bool>{"Menu", true}));
    for (int i = 7; i <= 14; ++i) EXPECT_TRUE(w["Text" + std::to_string(i)].Locked) << i;
}

TEST(LineRWindow, CopyOnTheControlActivatesItsWindow) {
    DrivenWindow w("frmLineR", true);
    Solve(w, "0", "0", "0", "0", "10", "5");
    w.Click("Command4");
    EXPECT_EQ(w.host.clipboard, "X0 Z5");
    EXPECT_EQ(w.host.activations.size(), 1u);
    w.Click("Command2");
    EXPECT_TRUE(w.form->Unloaded());
    EXPECT_EQ(w.host.activations.size(), 2u);
}

}  // namespace
}  // namespace quillon::testkit
