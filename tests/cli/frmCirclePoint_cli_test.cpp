// frmCirclePoint through quillon-cli: the point where a line of given direction touches a
// circle, its offsets to the centre, both sides, both planes and the failures.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "support/cli_json.h"

namespace quillon::testkit {
namespace {

std::vector<std::string> Circle(const char* x, const char* z, const char* r, const char* a) {
    return TypeAndLeave({{"Text1", x}, {"Text2", z}, {"Text3", r}, {"Text4", a}});
}

struct TouchCase {
    const char* name;
    std::vector<std::string> steps;
    const char *x, *z, *i, *k;  // Text5, Text6, Text7, Text8
};

inline void PrintTo(const TouchCase& c, std::ostream* os) {
    *os << c.name;
}

class CirclePointTouch : public ::testing::TestWithParam<TouchCase> {};

TEST_P(CirclePointTouch, ShowsThePointAndItsOffsets) {
    const Json j = RunCli("frmCirclePoint", GetParam().steps);
    EXPECT_EQ(j["texts"]["Text5"], GetParam().x);
    EXPECT_EQ(j["texts"]["Text6"], GetParam().z);
    EXPECT_EQ(j["texts"]["Text7"], GetParam().i);
    EXPECT_EQ(j["texts"]["Text8"], GetParam().k);
}

const TouchCase kTouchCases[] = {
    {"LevelLineTouchesTheLowerSide", Circle("20", "0", "5", "0"), "10", "0", "5", "0"},
    {"OptionSwapTouchesTheUpperSide",
     Circle("20", "0", "5", "0") + std::vector<std::string>{"click:Option2"}, "30", "0", "-5", "0"},
    {"OptionSwapBackAgain",
     Circle("20", "0", "5", "0") + std::vector<std::string>{"click:Option2", "click:Option1"}, "10",
     "0", "5", "0"},
    {"FortyFiveDegrees", Circle("20", "0", "5", "45"), "12.929", "3.536", "3.536", "-3.536"},
    {"XYPlane", std::vector<std::string>{"click:OptionXY"} + Circle("0", "0", "10", "0"), "0",
     "-10", "0", "10"},
    // Without the shift of the other windows: 0.0005 rounds to the even 0, not up.
    {"RoundsWithoutShift", Circle("0.001", "0", "0.0005", "0"), "0", "0", "0", "0"},
};

INSTANTIATE_TEST_SUITE_P(Cases, CirclePointTouch, ::testing::ValuesIn(kTouchCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CirclePointCli, DisplayListOfTheFirstExample) {
    const Json j = RunCli("frmCirclePoint", Circle("20", "0", "5", "0"));
    const Json& ops = j["pictures"]["Picture1"];
    EXPECT_EQ(Outline(ops),
              (std::vector<std::string>{"scale", "circle #FFFF0F", "line #FFFF0F", "line #FFFF0F",
                                        "circle #FF0000", "circle #FF0000", "circle #FF0000"}));
    // Five radii wide, centred on the circle at Z0, X/2 = 10.
    EXPECT_EQ(ops[0]["left"], -12.5);
    EXPECT_EQ(ops[0]["width"], 25);
    EXPECT_NEAR(ops[0]["height"].get<double>(), 25.0 * 4875 / 8835, 1e-12);
    EXPECT_NEAR(ops[0]["top"].get<double>(), -10 - 25.0 * 4875 / 8835 / 2, 1e-12);
    EXPECT_EQ(ops[1], (Json{{"op", "circle"},
                            {"x", 0},
                            {"y", -10},
                            {"r", 5},
                            {"color", "#FFFF0F"},
                            {"style", "solid"}}));
    // The touching line from the point (Z0, X10) half the width either way.
    EXPECT_EQ(ops[2]["x1"], 0);
    EXPECT_EQ(ops[2]["y1"], -5);
    EXPECT_EQ(ops[2]["x2"], 12.5);
    EXPECT_EQ(ops[2]["y2"], -5);
    EXPECT_EQ(ops[3]["x2"], -12.5);
    // Centre mark, then the point twice.
    EXPECT_EQ(ops[4]["y"], -10);
    EXPECT_NEAR(ops[4]["r"].get<double>(), 0.025, 1e-15);
    EXPECT_EQ(ops[5]["y"], -5);
    EXPECT_NEAR(ops[5]["r"].get<double>(), 0.025, 1e-15);
    EXPECT_NEAR(ops[6]["r"].get<double>(), 0.05, 1e-15);
}

TEST(CirclePointCli, FortyFiveDegreesLineRunsAlongItsAngle) {
    const Json j = RunCli("frmCirclePoint", Circle("20", "0", "5", "45"));
    const Json& line = j["pictures"]["Picture1"][2];
    const double dx = line["x2"].get<double>() - line["x1"].get<double>();
    const double dy = line["y2"].get<double>() - line["y1"].get<double>();
    EXPECT_NEAR(dx, 12.5 * 0.70710678118, 1e-9);
    EXPECT_NEAR(dy, -12.5 * 0.70710678118, 1e-9);  // upwards on the picture
}

TEST(CirclePointCli, WithoutAngleOnlyTheCircleIsDrawn) {
    const Json j =
        RunCli("frmCirclePoint", Circle("20", "0", "5", "0") + TypeAndLeave({{"Text4", ""}}));
    EXPECT_EQ(Outline(j["pictures"]["Picture1"]),
              (std::vector<std::string>{"scale", "circle #FFFF0F"}));
    EXPECT_EQ(j["texts"]["Text5"], "10");  // results keep their texts
}

TEST(CirclePointCli, IncompleteCircleDoesNothing) {
    const Json j =
        RunCli("frmCirclePoint", TypeAndLeave({{"Text1", "20"}, {"Text3", "5"}, {"Text4", "0"}}));
    ASSERT_EQ(j["pictures"]["Picture1"].size(), 1u);
    EXPECT_EQ(j["texts"]["Text5"], "");
}

TEST(CirclePointCli, ZeroRadiusShowsNoSolutionAndKeepsTheResults) {
    const Json j =
        RunCli("frmCirclePoint", Circle("20", "0", "5", "0") + TypeAndLeave({{"Text3", "0"}}));
    EXPECT_EQ(j["texts"]["Text5"], "10");
    EXPECT_EQ(j["texts"]["Text7"], "5");
    const Json& ops = j["pictures"]["Picture1"];
    ASSERT_EQ(ops.size(), 2u);
    EXPECT_EQ(ops[0]["width"], 25);  // the scale could not change
    EXPECT_EQ(ops[1], (Json{{"op", "print"},
                            {"x", 0},
                            {"y", 0},
                            {"text", "交点が求まりません!!"},
                            {"color", "#FF0000"}}));
}

TEST(CirclePointCli, NoSolutionPrintsWhereThePenStands) {
    // An angle too large to read fails after the circle is drawn; the pen is at its centre.
    const Json j = RunCli("frmCirclePoint", Circle("20", "0", "5", "1E999"));
    const Json& ops = j["pictures"]["Picture1"];
    EXPECT_EQ(Outline(ops), (std::vector<std::string>{"scale", "circle #FFFF0F",
                                                      "print #FF0000 交点が求まりません!!"}));
    EXPECT_EQ(ops[2]["x"], 0);
    EXPECT_EQ(ops[2]["y"], -10);
    EXPECT_EQ(j["texts"]["Text5"], "");
}

TEST(CirclePointCli, PlaneSwitchRelabelsAndFocusesText1) {
    const Json xy = RunCli(
        "frmCirclePoint", Circle("20", "0", "5", "0") + std::vector<std::string>{"click:OptionXY"});
    EXPECT_EQ(xy["texts"]["Label2"], "Y");
    EXPECT_EQ(xy["texts"]["Label7"], "Y");
    EXPECT_EQ(xy["texts"]["Label9"], "J");
    EXPECT_EQ(xy["texts"]["Command1"], "X Y コピー");
    EXPECT_EQ(xy["focus"], "Text1");
    // Recomputed in the X-Y plane: X20 Y0 with R 5 touches at X20 Y-5.
    EXPECT_EQ(xy["texts"]["Text5"], "20");
    EXPECT_EQ(xy["texts"]["Text6"], "-5");
    const Json xz = RunCli("frmCirclePoint", {"click:OptionXY", "click:OptionXZ"});
    EXPECT_EQ(xz["texts"]["Label2"], "Z");
    EXPECT_EQ(xz["texts"]["Label9"], "K");
    EXPECT_EQ(xz["texts"]["Command1"], "X Z コピー");
}

TEST(CirclePointCli, CopyGivesThePoint) {
    const Json xz = RunCli("frmCirclePoint", Circle("20", "0", "5", "45") +
                                                 std::vector<std::string>{"click:Command1"});
    EXPECT_EQ(xz["clipboard"], "X12.929 Z3.536");
    const Json xy = RunCli("frmCirclePoint", std::vector<std::string>{"click:OptionXY"} +
                                                 Circle("0", "0", "10", "0") +
                                                 std::vector<std::string>{"click:Command1"});
    EXPECT_EQ(xy["clipboard"], "X0 Y-10");
}

TEST(CirclePointCli, PictureFocusAndPaintRedrawFromUnleftFields) {
    // Typed but not left: only the redraw triggers compute.
    const std::vector<std::string> typed = {"leave:Text1", "set:Text1=20", "set:Text2=0",
                                            "set:Text3=5", "set:Text4=0"};
    EXPECT_EQ(RunCli("frmCirclePoint", typed)["texts"]["Text5"], "");
    EXPECT_EQ(RunCli("frmCirclePoint",
                     typed + std::vector<std::string>{"focus:Picture1"})["texts"]["Text5"],
              "10");
    EXPECT_EQ(RunCli("frmCirclePoint", typed + std::vector<std::string>{"paint"})["texts"]["Text5"],
              "10");
}

TEST(CirclePointCli, EnterChainEndsOnTheCopyButton) {
    const Json j = RunCli("frmCirclePoint", {"key:Enter", "key:Enter", "key:Enter", "key:Enter"});
    EXPECT_EQ(j["focus"], "Command1");
}

TEST(CirclePointCli, OpensWithItsDefaults) {
    const Json j = RunCli("frmCirclePoint", {});
    EXPECT_EQ(j["caption"], " 円に接する線");
    EXPECT_EQ(j["focus"], "Text1");
    EXPECT_EQ(j["values"]["Option1"], true);
    EXPECT_EQ(j["values"]["OptionXZ"], true);
    EXPECT_EQ(j["values"]["Check1"], true);
    EXPECT_EQ(j["texts"]["Frame1"], "接する位置");
    EXPECT_EQ(j["texts"]["Label10"], "※データのコピー 後は編集画面で[貼り付け]を行ってください。");
    EXPECT_EQ(j["texts"]["Label11"], "※画面の再表示は[QUILLON]のバーをクリックしてください。");
    EXPECT_EQ(j["locked"], Json::array({"Text5", "Text6", "Text7", "Text8"}));
}

}  // namespace
}  // namespace quillon::testkit
