// frmXY_XC end to end: Cartesian and polar points, the line through them and its Y-axis mode.
#include "support/text_rows.h"

namespace quillon::testkit {
namespace {

// Both points typed in the Cartesian form and the second one's Y left, then the further steps.
std::vector<std::string> Points(const char* x1, const char* y1, const char* x2, const char* y2,
                                const std::vector<std::string>& then = {}) {
    return TypeThenLeave({std::string("Text1=") + x1, std::string("Text2=") + y1,
                          std::string("Text5=") + x2, std::string("Text6=") + y2},
                         "Text6") +
           then;
}

// The polar form chosen, both points typed in it and the second one's C left, then the
// further steps.
std::vector<std::string> Polar(const char* d1, const char* c1, const char* d2, const char* c2,
                               const std::vector<std::string>& then = {}) {
    return std::vector<std::string>{"click:OptionXC"} +
           TypeThenLeave({std::string("Text3=") + d1, std::string("Text4=") + c1,
                          std::string("Text7=") + d2, std::string("Text8=") + c2},
                         "Text8") +
           then;
}

// The line's results, Text9 to Text15: A, L, C, then the Y-axis X, Y of both points; then
// any further texts.
std::vector<std::string> Line(const std::string& a, const std::string& l, const std::string& c,
                              const std::string& x1, const std::string& y1, const std::string& y2,
                              const std::vector<std::string>& more = {}) {
    return std::vector<std::string>{"Text9=" + a,   "Text10=" + l,  "Text11=" + c, "Text12=" + x1,
                                    "Text13=" + y1, "Text14=" + x1, "Text15=" + y2} +
           more;
}

const TextRow kRows[] = {
    // One point, Cartesian to polar: the angle in the point's own quadrant, plus 0.001.
    {"Diagonal",
     TypeThenLeave({"Text1=10", "Text2=10"}, "Text2"),
     {"Text3=28.284", "Text4=45.001", "Text9="}},
    {"OppositeSideOfTheCentre",
     TypeThenLeave({"Text1=-10", "Text2=0"}, "Text2"),
     {"Text3=20", "Text4=180.001"}},
    {"ThirdQuadrant",
     TypeThenLeave({"Text1=-10", "Text2=-10"}, "Text2"),
     {"Text3=28.284", "Text4=225.001"}},
    {"FourthQuadrantStaysNegative",
     TypeThenLeave({"Text1=10", "Text2=-10"}, "Text2"),
     {"Text4=-44.999"}},
    {"StraightUp", TypeThenLeave({"Text1=0", "Text2=5"}, "Text2"), {"Text3=10", "Text4=90.001"}},
    {"StraightDown",
     TypeThenLeave({"Text1=0", "Text2=-5"}, "Text2"),
     {"Text3=10", "Text4=270.001"}},
    {"Centre", TypeThenLeave({"Text1=0", "Text2=0"}, "Text2"), {"Text3=0", "Text4=90.001"}},
    {"SecondPointAlone",
     TypeThenLeave({"Text5=3mm", "Text6=4"}, "Text6"),
     {"Text7=10", "Text8=53.131", "Text3="}},
    {"HalfAPointConvertsNothing", TypeThenLeave({"Text1=10"}, "Text1"), {"Text3=", "Text4="}},
    // Polar to Cartesian.
    {"PolarQuarterTurn",
     std::vector<std::string>{"click:OptionXC"} + TypeThenLeave({"Text3=20", "Text4=90"}, "Text4"),
     {"Text1=0", "Text2=10"}},
    // The line, its reference angle and the Y-axis mode.
    {"WorkedExample", Points("10", "20", "20", "10"),
     Line("-44.999", "14.142", "45.001", "21.213", "7.071", "7.071",
          {"Text3=44.721", "Text4=63.436", "Text7=44.721", "Text8=26.566"})},
    {"LineBelowTheCentre", Points("10", "-20", "20", "-10"),
     Line("45.001", "14.142", "315.001", "21.213", "7.071", "7.071")},
    {"PointLeftOfTheYAxis", Points("-10", "20", "10", "20"),
     Line("0.001", "20", "90.001", "20", "10", "10")},
    // A point on the Y axis no longer ends the Y-axis mode.
    {"PointOnTheYAxis", Points("20", "0", "0", "20"),
     Line("-44.999", "28.284", "45.001", "14.142", "14.142", "14.142")},
    {"PolarPoints", Polar("40", "0", "40", "90"),
     Line("-44.999", "28.284", "45.001", "14.142", "14.142", "14.142",
          {"Text1=20", "Text2=0", "Text5=0", "Text6=20"})},
    // In the polar form the line waits for both polar pairs; what it showed stays.
    {"PolarPairIncomplete",
     Polar("40", "0", "40", "90", {"set:Text8=", "set:Text3=60", "leave:Text3"}),
     Line("-44.999", "28.284", "45.001", "14.142", "14.142", "14.142",
          {"Text1=30", "Text5=0", "Text6=20"})},
    {"CartesianPairIncomplete", Points("10", "20", "", "10"), Line("", "", "", "", "", "")},
    // Switching the form locks the other pair and moves the focus; it computes nothing.
    {"PolarFormFocusesItsFirstField",
     Points("10", "20", "20", "10", {"click:OptionXC"}),
     {"Text9=-44.999"},
     std::nullopt,
     "Text3"},
    {"CartesianFormFocusesItsFirstField",
     {"click:OptionXC", "click:OptionXY"},
     {},
     std::nullopt,
     "Text1"},
    {"EnterWalksTheCartesianPoints", {"focus:Text6", "key:Enter"}, {}, std::nullopt, "Text1"},
    {"EnterWalksThePolarPoints",
     {"click:OptionXC", "key:Enter", "key:Enter"},
     {},
     std::nullopt,
     "Text7"},
    {"EnterClosesThePolarRound",
     {"click:OptionXC", "focus:Text8", "key:Enter"},
     {},
     std::nullopt,
     "Text3"},
    // The copies take the fields as they stand; C comes before X.
    {"CopyPoint1XY", Points("10", "20", "20", "10", {"click:Command1"}), {}, "X10 Y20"},
    {"CopyPoint2XY", Points("10", "20", "20", "10", {"click:Command3"}), {}, "X20 Y10"},
    {"CopyPoint1CX", Points("10", "20", "20", "10", {"click:Command5"}), {}, "C63.436 X44.721"},
    {"CopyPoint2CX", Points("10", "20", "20", "10", {"click:Command4"}), {}, "C26.566 X44.721"},
    {"CopyLength", Points("10", "20", "20", "10", {"click:Command7"}), {}, "L14.142"},
    {"CopyAngle", Points("10", "20", "20", "10", {"click:Command6"}), {}, "A-44.999"},
    {"CopyReferenceAngle", Points("10", "20", "20", "10", {"click:Command8"}), {}, "C45.001"},
    {"CopyYAxisPoint1", Points("10", "20", "20", "10", {"click:Command11"}), {}, "X21.213 Y7.071"},
    {"CopyYAxisPoint2", Points("10", "20", "20", "10", {"click:Command13"}), {}, "X21.213 Y7.071"},
};

class XYXCCli : public ::testing::TestWithParam<TextRow> {};

TEST_P(XYXCCli, ShowsTheTexts) {
    ExpectTexts("frmXY_XC", GetParam());
}

INSTANTIATE_TEST_SUITE_P(Examples, XYXCCli, ::testing::ValuesIn(kRows), RowName);

// A line parallel to the Y axis: the points are converted and drawn, then the red text.
TEST(XYXCCliNoSolution, ParallelToTheYAxisDrawsThePointsThenTheText) {
    const Json j = RunWindow("frmXY_XC", Points("10", "0", "10", "10"));
    EXPECT_EQ(Outline(j["pictures"]["Picture1"]),
              (std::vector<std::string>{"scale", "line buttonShadow", "line buttonShadow",
                                        "line #FF0000", "line #FF0000", "line #FF8000",
                                        "line #FF8000", "line #FFFF0F", "print #00FF00 1",
                                        "print #00FF00 2", "print #FF0000 交点が求まりません!!"}));
    EXPECT_EQ(j["texts"]["Text7"], "28.284");
    EXPECT_EQ(j["texts"]["Text9"], "");
}

// The scale set at load holds for every pass; the crosses are 3 long each way, the centre
// line runs through the centre.
TEST(XYXCCliFigure, FixedScaleAndTheLineThroughTheCentre) {
    const Json j = RunWindow("frmXY_XC", Points("10", "20", "20", "10"));
    const Json& ops = j["pictures"]["Picture1"];
    ASSERT_EQ(ops.size(), 12u) << ops.dump();
    EXPECT_EQ(ops[0], (Json{{"op", "scale"},
                            {"left", -250},
                            {"top", -2767500.0 / 8835 / 2},
                            {"width", 500},
                            {"height", 2767500.0 / 8835}}));
    EXPECT_EQ(ops[1]["x1"], 250);
    EXPECT_EQ(ops[1]["x2"], -250);
    EXPECT_EQ(ops[3]["x1"], 7);
    EXPECT_EQ(ops[3]["x2"], 13);
    EXPECT_EQ(ops[3]["y1"], -20);
    EXPECT_EQ(Outline(ops)[10], "line #0000FF");
    // Towards 45 degrees: right and up (the picture's vertical grows downwards).
    EXPECT_NEAR(ops[10]["x2"].get<double>(), 500 * std::sqrt(0.5), 1e-6);
    EXPECT_NEAR(ops[10]["y2"].get<double>(), -500 * std::sqrt(0.5), 1e-6);
}

// The readouts: the Cartesian position and the polar one (C counterclockwise from the X axis,
// 0 to 360), with the axis captions; hidden again over the rest of the window.
TEST(XYXCCliReadout, ShowsBothFormsAndTheCaptions) {
    struct Case {
        double x, y;
        const char* cartesian;
        const char* polar;
    };
    const Case cases[] = {
        {-100, 50, "X-100  Y-50 ", "X 223.606  C 206.565 "},
        {30, 40, "X 30  Y-40 ", "X 100  C 306.869 "},
        {30, -40, "X 30  Y 40 ", "X 100  C 53.13 "},
        {0, -20, "X 0  Y 20 ", "X 40  C 90 "},
        {0, 20, "X 0  Y-20 ", "X 40  C 270 "},
        {0, 0, "X 0  Y 0 ", "X 0  C 90 "},
        {-0.0005, 0, "X-0.001  Y 0 ", "X 0.001  C 180 "},
    };
    for (const Case& c : cases) {
        const std::string at = std::to_string(c.x) + "," + std::to_string(c.y);
        const Json j = RunWindow("frmXY_XC", {"mouse:Picture1=" + at});
        EXPECT_EQ(j["pictures"]["Picture3"].back()["text"], c.cartesian) << at;
        EXPECT_EQ(j["pictures"]["Picture5"].back()["text"], c.polar) << at;
        EXPECT_EQ(j["pictures"]["Picture2"].back()["text"], "Y");
        EXPECT_EQ(j["pictures"]["Picture4"].back()["text"], "X C0");
        EXPECT_EQ(j["hidden"], Json::array());
    }
    const Json j = RunWindow("frmXY_XC", {"mouse:Picture1=1,1", "mouse:Form"});
    EXPECT_EQ(j["hidden"], (Json{"Picture3", "Picture5"}));
}

}  // namespace
}  // namespace quillon::testkit
