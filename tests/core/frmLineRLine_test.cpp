// frmLineRLine driven directly: for every corner position, both planes and angle pairs far
// apart, the tangent points shown lie on their lines at R from the centre shown; and the
// figure view's shared behaviour (readout pointer, redraw on paint) seen through this window.
#include "geometry/frmLineRLine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/recording_host.h"
#include "shell/disk_files.h"
#include "shell/module1.h"

namespace quillon {
namespace {

struct Window {
    RecordingHost host;
    DiskFiles files;
    Module1 m{host, files};
    frmLineRLine form{m};

    Window() {
        form.Load();
        form.Activate();
    }
    void Type(const std::string& field, const std::string& text) {
        form.DeliverSetText(field, text);
        form.DeliverLeave(field);
    }
    double Read(const std::string& field) { return ReadNumber(form[field].Text); }
};

struct AnglePair {
    const char* name;
    double a1, a2;
};

// Each row with its plane and position: the corner circle must touch both lines.
struct TouchCase {
    AnglePair angles;
    bool xy;
    int position;
};

inline void PrintTo(const TouchCase& c, std::ostream* os) {
    *os << c.angles.name;
}

std::string TouchName(const ::testing::TestParamInfo<TouchCase>& info) {
    return std::string(info.param.angles.name) + (info.param.xy ? "_XY" : "_XZ") + "_Position" +
           std::to_string(info.param.position);
}

class LineRLineTouch : public ::testing::TestWithParam<TouchCase> {};

TEST_P(LineRLineTouch, TangentPointsLieOnTheirLinesAtRFromTheCentre) {
    const TouchCase& c = GetParam();
    Window w;
    if (c.xy) w.form.DeliverClick("OptionXY");
    w.Type("Text1", "10");
    w.Type("Text2", "3");
    w.Type("Text3", std::to_string(c.angles.a1));
    w.Type("Text4", "30");
    w.Type("Text5", "-7");
    w.Type("Text6", std::to_string(c.angles.a2));
    w.Type("Text9", "5");
    w.form.DeliverClick("Option" + std::to_string(c.position));
    ASSERT_NE(w.form["Text10"].Text, "");

    // Everything in the working frame (h, v); X is a diameter in X-Z.
    auto point = [&](const char* x, const char* z) {
        return c.xy ? std::pair{w.Read(x), w.Read(z)} : std::pair{w.Read(z), w.Read(x) / 2};
    };
    const auto [ch, cv] = point("Text10", "Text11");
    const auto [ih, iv] = point("Text7", "Text8");
    // The fields carry three decimals (X halved in X-Z).
    const double tolerance = 0.003;
    for (const auto& [x, z, incI, incK, angle] :
         {std::tuple{"Text12", "Text13", "Text16", "Text17", c.angles.a1},
          std::tuple{"Text14", "Text15", "Text18", "Text19", c.angles.a2}}) {
        const auto [th, tv] = point(x, z);
        EXPECT_NEAR(std::hypot(th - ch, tv - cv), 5, tolerance) << x;
        // On its line: the offset from the intersection runs along the line's direction.
        const double a = angle * Pi * 2 / 360;
        EXPECT_NEAR(-(th - ih) * std::sin(a) + (tv - iv) * std::cos(a), 0, tolerance) << x;
        // The increments lead from the point to the centre: I along X (a radius in X-Z),
        // K (J) along the second axis.
        EXPECT_NEAR(w.Read(incI), c.xy ? ch - th : cv - tv, tolerance) << incI;
        EXPECT_NEAR(w.Read(incK), c.xy ? cv - tv : ch - th, tolerance) << incK;
    }
}

const AnglePair kAnglePairs[] = {
    {"Right", 0, 90},
    {"Obtuse", 10, 135},
    {"Acute", 200, 230},
    {"Negative", -30, 45},
    {"Reversed", 120, 20},
    {"ThreeQuarters", 0, 270},
    {"ThreeQuartersBack", 270, 0},
    {"BeyondATurn", 15, 430},
    {"BelowATurnBack", -400, 20},
    {"AlmostATurn", 5, 350},
};

std::vector<TouchCase> TouchCases() {
    std::vector<TouchCase> cases;
    for (const AnglePair& a : kAnglePairs)
        for (bool xy : {false, true})
            for (int position = 1; position <= 4; ++position) cases.push_back({a, xy, position});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Angles, LineRLineTouch, ::testing::ValuesIn(TouchCases()), TouchName);

TEST(LineRLineFigure, MouseOverThePictureShowsTheCrossHair) {
    Window w;
    EXPECT_FALSE(w.form["Picture1"].CrossPointer);
    w.form.DeliverMouseMove("Picture1", 1, 2);
    EXPECT_TRUE(w.form["Picture1"].CrossPointer);
    EXPECT_TRUE(w.form["Picture3"].Visible);
    w.form.DeliverMouseMove("Form", 0, 0);
    EXPECT_FALSE(w.form["Picture3"].Visible);
}

TEST(LineRLineFigure, PaintRedrawsFromFieldsNotYetLeft) {
    Window w;
    for (const auto& [f, t] : {std::pair{"Text1", "40"},
                               {"Text2", "0"},
                               {"Text3", "0"},
                               {"Text4", "40"},
                               {"Text5", "-20"},
                               {"Text6", "90"}})
        w.form.DeliverSetText(f, t);
    EXPECT_EQ(w.form["Text7"].Text, "");
    w.form.DeliverPaint();
    EXPECT_EQ(w.form["Text7"].Text, "40");
    EXPECT_EQ(w.form["Text8"].Text, "-20");
}

TEST(LineRLineFigure, DirectionGridSurroundsAnAxisCross) {
    Window w;
    // Top row 4 8 3, middle 5 (cross) 7, bottom 1 6 2.
    const std::vector<std::pair<std::string, Cell>> expected = {
        {"NosePN(3)", {0, 0}}, {"NosePN(7)", {0, 1}}, {"NosePN(2)", {0, 2}},
        {"NosePN(4)", {1, 0}}, {"Picture2", {1, 1}},  {"NosePN(6)", {1, 2}},
        {"NosePN(0)", {2, 0}}, {"NosePN(5)", {2, 1}}, {"NosePN(1)", {2, 2}}};
    for (const auto& [name, cell] : expected) {
        EXPECT_EQ(w.form[name].Parent, "Frame4") << name;
        EXPECT_EQ(w.form[name].Where.row, cell.row) << name;
        EXPECT_EQ(w.form[name].Where.col, cell.col) << name;
    }
    const auto& ops = w.form["Picture2"].Pic->Ops();
    ASSERT_EQ(ops.size(), 3u);
    EXPECT_EQ(std::get<LineOp>(ops[1]).color, colors::Blue);
    EXPECT_EQ(std::get<LineOp>(ops[1]).x1, std::get<LineOp>(ops[1]).x2);  // vertical: X
    EXPECT_EQ(std::get<LineOp>(ops[2]).y1, std::get<LineOp>(ops[2]).y2);  // horizontal: Z
}

}  // namespace
}  // namespace quillon
