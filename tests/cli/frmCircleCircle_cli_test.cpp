// frmCircleCircle through quillon-cli: the two crossing points of two circles in both planes,
// the copy texts and captions, the previews and the cases without a crossing.
#include "support/text_rows.h"

namespace quillon::testkit {
namespace {

using Steps = std::vector<std::string>;

// Circle 1 at X0 Z0 (or Y0) with R10, circle 2 at X0 and Z (or Y) z2 with R10, typed and left.
Steps Circles(const std::string& z2) {
    return TypeThenLeave({"Text1=0", "Text2=0", "Text3=10", "Text4=0", "Text5=" + z2, "Text6=10"},
                         "Text6");
}

const TextRow kRows[] = {
    // Half a chord of 10 sin 60: P1 left of the way from C1 to C2, P2 right of it.
    {"SecondCentreAhead",
     Circles("10") + Steps{"click:Command1"},
     {"Text7=17.321", "Text8=5", "Text11=-17.321", "Text12=5", "Command1=X Z コピー"},
     "X17.321 Z5"},
    {"SecondCentreBehind",
     Circles("-10") + Steps{"click:Command3"},
     {"Text7=-17.321", "Text8=-5", "Text11=17.321", "Text12=-5"},
     "X17.321 Z-5"},
    {"XYSecondCentreAbove",
     Steps{"click:OptionXY"} + Circles("10") + Steps{"click:Command3"},
     {"Text7=-8.66", "Text8=5", "Text11=8.66", "Text12=5", "Label2=Y", "Label5=Y", "Label8=Y",
      "Label10=Y", "Command1=X Y 挿入", "Command3=X Y 挿入"},
     "X8.66 Y5"},
    // Back in X-Z the buttons keep the word of the switch, not their first caption.
    {"BackToXZ",
     Steps{"click:OptionXY", "click:OptionXZ"} + Circles("10") + Steps{"click:Command1"},
     {"Label2=Z", "Label10=Z", "Command1=X Z 挿入", "Command3=X Z 挿入"},
     "X17.321 Z5"},
    // Z 5.00045 rounds down: no shift is added before the rounding.
    {"RoundsWithoutShift",
     TypeThenLeave(
         {"Text1=0", "Text2=0.00045", "Text3=10", "Text4=0", "Text5=10.00045", "Text6=10"},
         "Text6"),
     {"Text8=5", "Text12=5"}},
};

class CircleCircleCli : public ::testing::TestWithParam<TextRow> {};

TEST_P(CircleCircleCli, ShowsTheTexts) {
    ExpectTexts("frmCircleCircle", GetParam());
}

INSTANTIATE_TEST_SUITE_P(Examples, CircleCircleCli, ::testing::ValuesIn(kRows), RowName);

// Circles that touch, miss, share a centre, lie one inside the other or have no radius: the
// red text at (0, 0) and the results of the solved example kept.
class CircleCircleNoSolution : public ::testing::TestWithParam<Steps> {};

TEST_P(CircleCircleNoSolution, PrintsTheTextAndKeepsResults) {
    const Json j = RunCli("frmCircleCircle", Circles("10") + GetParam());
    EXPECT_EQ(Outline(j["pictures"]["Picture1"]),
              (Steps{"scale", "print #FF0000 交点が求まりません!!"}));
    EXPECT_EQ(j["pictures"]["Picture1"][1]["x"], 0);
    EXPECT_EQ(j["texts"]["Text7"], "17.321");
}

INSTANTIATE_TEST_SUITE_P(Cases, CircleCircleNoSolution,
                         ::testing::Values(TypeThenLeave({"Text3=5", "Text6=5"}, "Text6"),
                                           Circles("30"), Circles("0"),
                                           TypeThenLeave({"Text5=2", "Text6=3"}, "Text6"),
                                           TypeAndLeave({{"Text3", "0"}})));

TEST(CircleCircleCli, FigureOfTheFirstExample) {
    const Json ops = RunCli("frmCircleCircle", Circles("10"))["pictures"]["Picture1"];
    EXPECT_EQ(Outline(ops),
              (Steps{"scale", "line #FF0000", "line #FF0000", "circle #FFFF0F", "line #FF0000",
                     "line #FF0000", "circle #FFFF0F", "circle #FF0000", "circle #FF0000",
                     "circle #FF0000", "circle #FF0000", "print #00FF00  1", "print #00FF00 2"}));
    // k = the larger of 30 * 4875 / 8835 and 20 (the X values as typed plus and minus R).
    EXPECT_EQ(ops[0]["width"], 40);
    EXPECT_EQ(ops[0]["left"], -15);
    EXPECT_DOUBLE_EQ(ops[2]["x1"].get<double>(), 20.0 / 80);  // the short arm of cross 1
    EXPECT_DOUBLE_EQ(ops[5]["x1"].get<double>(), 10 + 20.0 / 70);
    EXPECT_DOUBLE_EQ(ops[9]["r"].get<double>(), 0.08);
    EXPECT_NEAR(ops[11]["y"].get<double>(), -8.660254, 1e-6);  // P1 drawn above the axis
}

TEST(CircleCircleCli, PreviewsTheCompleteCircleTenRadiiWide) {
    auto picture = [](const Steps& steps) {
        return RunCli("frmCircleCircle", steps)["pictures"]["Picture1"];
    };
    const Json ops = picture(TypeAndLeave({{"Text4", "20"}, {"Text5", "10"}, {"Text6", "3"}}));
    EXPECT_EQ(Outline(ops), (Steps{"scale", "line #FF0000", "line #FF0000", "circle #FFFF0F"}));
    EXPECT_EQ(ops[0]["width"], 30);
    EXPECT_EQ(ops[0]["left"], -5);
    EXPECT_DOUBLE_EQ(ops[1]["y1"].get<double>(), -10 + 0.2);
    // Circle 1 first once it is complete; with neither complete, nothing.
    EXPECT_EQ(picture(TypeAndLeave(
                  {{"Text1", "0"}, {"Text2", "0"}, {"Text3", "6"}, {"Text4", "20"}}))[0]["width"],
              60);
    EXPECT_EQ(picture(TypeAndLeave({{"Text1", "0"}, {"Text6", "3"}})).size(), 1u);
}

// A negative radius still gives the points, but its circle cannot be drawn: the red text
// stands where the pen was left, at the end of the first centre cross.
TEST(CircleCircleCli, NegativeRadiusFailsAtItsCircle) {
    const Json j = RunCli("frmCircleCircle", Circles("10") + TypeAndLeave({{"Text3", "-10"}}));
    EXPECT_EQ(j["texts"]["Text7"], "-17.321");
    const Json& ops = j["pictures"]["Picture1"];
    EXPECT_EQ(Outline(ops)[3], "print #FF0000 交点が求まりません!!");
    EXPECT_EQ(ops[3]["x"], ops[2]["x2"]);
}

TEST(CircleCircleCli, EnterChainEndsOnTheFirstCopyButton) {
    EXPECT_EQ(RunCli("frmCircleCircle", {"focus:Text6", "key:Enter"})["focus"], "Command1");
}

}  // namespace
}  // namespace quillon::testkit
