// frmLineRLine through quillon-cli: the corner circle of two lines, its tangent points, the
// nose-radius compensation, both planes and the failures, field by field as the user sees them.
#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "support/cli_json.h"

namespace quillon::testkit {
namespace {

// Line 1 X40 Z0 A0, line 2 X40 Z-20 A2, R 2, NR 0.4: the worked example with A2 = 90.
std::vector<std::string> Corner(const char* a2) {
    return TypeAndLeave({{"Text1", "40"},
                         {"Text2", "0"},
                         {"Text3", "0"},
                         {"Text4", "40"},
                         {"Text5", "-20"},
                         {"Text6", a2},
                         {"Text9", "2"},
                         {"Text20", "0.4"}});
}

struct FieldCase {
    const char* name;
    std::vector<std::string> steps;
    std::map<std::string, std::string> texts;
};

inline void PrintTo(const FieldCase& c, std::ostream* os) {
    *os << c.name;
}

class LineRLineFields : public ::testing::TestWithParam<FieldCase> {};

TEST_P(LineRLineFields, ShowsTheseTexts) {
    const Json j = RunCli("frmLineRLine", GetParam().steps);
    for (const auto& [field, text] : GetParam().texts) EXPECT_EQ(j["texts"][field], text) << field;
}

const FieldCase kFieldCases[] = {
    {"WorkedExampleOutside",
     Corner("90"),
     {{"Text7", "40"},    {"Text8", "-20"},    {"Text10", "44"},   {"Text11", "-18"},
      {"Text12", "40"},   {"Text13", "-18"},   {"Text16", "2"},    {"Text17", "0"},
      {"Text14", "44"},   {"Text15", "-20"},   {"Text18", "0"},    {"Text19", "2"},
      {"Text23", "2.4"},  {"Text30", "2.4"},   {"Text26", "2.4"},  {"Text27", "0"},
      {"Text33", "0"},    {"Text34", "2.4"},   {"Text21", "39.2"}, {"Text22", "-18"},
      {"Text28", "44"},   {"Text29", "-20.4"}, {"Text24", "38.4"}, {"Text25", "-18.4"},
      {"Text31", "43.2"}, {"Text32", "-20.8"}}},
    // Inside the arc the nose centre runs on radius R - rn.
    {"WorkedExampleInside",
     Corner("90") + std::vector<std::string>{"click:Option6"},
     {{"Text10", "44"},
      {"Text11", "-18"},
      {"Text23", "1.6"},
      {"Text30", "1.6"},
      {"Text26", "1.6"},
      {"Text27", "0"},
      {"Text33", "0"},
      {"Text34", "1.6"},
      {"Text21", "40.8"},
      {"Text22", "-18"},
      {"Text28", "44"},
      {"Text29", "-19.6"},
      {"Text24", "40"},
      {"Text25", "-18.4"},
      {"Text31", "43.2"},
      {"Text32", "-20"}}},
    {"Position1",
     Corner("90") + std::vector<std::string>{"click:Option1"},
     {{"Text10", "44"}, {"Text11", "-18"}}},
    {"Position2",
     Corner("90") + std::vector<std::string>{"click:Option2"},
     {{"Text10", "36"},
      {"Text11", "-22"},
      {"Text12", "40"},
      {"Text13", "-22"},
      {"Text14", "36"},
      {"Text15", "-20"}}},
    {"Position3",
     Corner("90") + std::vector<std::string>{"click:Option3"},
     {{"Text10", "44"},
      {"Text11", "-22"},
      {"Text12", "40"},
      {"Text13", "-22"},
      {"Text14", "44"},
      {"Text15", "-20"}}},
    {"Position4",
     Corner("90") + std::vector<std::string>{"click:Option4"},
     {{"Text10", "36"},
      {"Text11", "-18"},
      {"Text12", "40"},
      {"Text13", "-18"},
      {"Text14", "36"},
      {"Text15", "-20"}}},
    // Angles more than half a turn apart: the centre as computed, the tangent points where the
    // circle touches the lines, the increments and the nose fields from those points.
    {"Position3AnglesBeyondHalfTurnTouchTheCircle",
     Corner("270") + std::vector<std::string>{"click:Option3"},
     {{"Text7", "40"},    {"Text8", "-20"},  {"Text10", "36"}, {"Text11", "-22"},
      {"Text12", "40"},   {"Text13", "-22"}, {"Text16", "-2"}, {"Text17", "0"},
      {"Text14", "36"},   {"Text15", "-20"}, {"Text18", "0"},  {"Text19", "-2"},
      {"Text26", "-2.4"}, {"Text27", "0"},   {"Text33", "0"},  {"Text34", "-2.4"},
      {"Text21", "40.8"}, {"Text22", "-22"}, {"Text28", "36"}, {"Text29", "-19.6"}}},
    {"Position4AnglesBeyondHalfTurnTouchTheCircle",
     Corner("270") + std::vector<std::string>{"click:Option4"},
     {{"Text10", "44"},
      {"Text11", "-18"},
      {"Text12", "40"},
      {"Text13", "-18"},
      {"Text14", "44"},
      {"Text15", "-20"},
      {"Text16", "2"},
      {"Text19", "2"}}},
    {"Position1AnglesBeyondWholeTurnTouchTheCircle",
     Corner("450") + std::vector<std::string>{"click:Option1"},
     {{"Text10", "36"},
      {"Text11", "-22"},
      {"Text12", "40"},
      {"Text13", "-22"},
      {"Text14", "36"},
      {"Text15", "-20"}}},
    // Within half a turn the table stands as it is (here three quarters in position 1).
    {"Position1ThreeQuartersApart",
     Corner("270") + std::vector<std::string>{"click:Option1"},
     {{"Text10", "44"},
      {"Text11", "-22"},
      {"Text12", "40"},
      {"Text13", "-22"},
      {"Text14", "44"},
      {"Text15", "-20"},
      {"Text17", "0"},
      {"Text19", "-2"}}},
    // R = 0: a circle of no size at the intersection; the nose step divides by it and stops
    // after the path radius.
    {"ZeroRadiusStopsAtTheScaledIncrements",
     TypeAndLeave({{"Text1", "40"},
                   {"Text2", "0"},
                   {"Text3", "0"},
                   {"Text4", "40"},
                   {"Text5", "-20"},
                   {"Text6", "90"},
                   {"Text9", "0"},
                   {"Text20", "0.4"}}),
     {{"Text10", "40"},
      {"Text11", "-20"},
      {"Text12", "40"},
      {"Text13", "-20"},
      {"Text23", "0.4"},
      {"Text30", "0.4"},
      {"Text26", ""},
      {"Text21", ""}}},
    // An oblique pair: line 1 X0 Z0 at 30 degrees, line 2 X20 Z0 at 0 degrees meet at X20
    // Z17.321; R 5 in position 2 lies below line 2, towards smaller Z.
    {"ObliqueLines",
     TypeAndLeave({{"Text1", "0"},
                   {"Text2", "0"},
                   {"Text3", "30"},
                   {"Text4", "20"},
                   {"Text5", "0"},
                   {"Text6", "0"},
                   {"Text9", "5"}}) +
         std::vector<std::string>{"click:Option2"},
     {{"Text7", "20"},
      {"Text8", "17.321"},
      {"Text10", "10"},
      {"Text11", "-1.34"},
      {"Text12", "1.34"},
      {"Text13", "1.16"},
      {"Text14", "20"},
      {"Text15", "-1.34"},
      {"Text16", "4.33"},
      {"Text17", "-2.5"},
      {"Text18", "-5"},
      {"Text19", "0"}}},
};

INSTANTIATE_TEST_SUITE_P(Cases, LineRLineFields, ::testing::ValuesIn(kFieldCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LineRLineCli, OnlyLine1DrawsOneLineThroughTheMiddleAndChangesNoField) {
    const Json j =
        RunCli("frmLineRLine",
               TypeAndLeave({{"Text1", "40"}, {"Text2", "0"}, {"Text3", "0"}, {"Text4", "40"}}));
    const Json& ops = j["pictures"]["Picture1"];
    ASSERT_EQ(ops.size(), 2u);
    EXPECT_EQ(ops[0], (Json{{"op", "scale"},
                            {"left", -4417.5},
                            {"top", -2437.5},
                            {"width", 8835},
                            {"height", 4875}}));
    EXPECT_EQ(ops[1], (Json{{"op", "line"},
                            {"x1", 10000},
                            {"y1", 0},
                            {"x2", -10000},
                            {"y2", 0},
                            {"color", "#FFFF0F"},
                            {"style", "solid"}}));
    for (int i = 7; i <= 34; ++i) {
        if (i == 9 || i == 20) continue;
        EXPECT_EQ(j["texts"]["Text" + std::to_string(i)], "") << i;
    }
}

TEST(LineRLineCli, Line1AtAnAngleCrossesTheMiddle) {
    const Json j =
        RunCli("frmLineRLine", TypeAndLeave({{"Text1", "40"}, {"Text2", "0"}, {"Text3", "30"}}));
    const Json& line = j["pictures"]["Picture1"][1];
    EXPECT_NEAR(line["x1"].get<double>(), 8660.254, 1e-3);
    EXPECT_NEAR(line["y1"].get<double>(), -5000, 1e-6);
    EXPECT_NEAR(line["x2"].get<double>(), -8660.254, 1e-3);
    EXPECT_NEAR(line["y2"].get<double>(), 5000, 1e-6);
}

TEST(LineRLineCli, IncompleteLine1TouchesNothing) {
    const Json j = RunCli("frmLineRLine", TypeAndLeave({{"Text1", "40"}, {"Text3", "0"}}));
    // The picture is not even cleared: it keeps the scale it was created with.
    ASSERT_EQ(j["pictures"]["Picture1"].size(), 1u);
    EXPECT_EQ(j["pictures"]["Picture1"][0]["width"], 589);
}

TEST(LineRLineCli, EmptyingRDisablesZoomKeepsCircleFieldsAndDrawsOnlyTheRays) {
    const Json j = RunCli("frmLineRLine", Corner("90") + TypeAndLeave({{"Text9", ""}}));
    EXPECT_EQ(j["disabled"], Json::array({"Check1"}));
    EXPECT_EQ(j["texts"]["Text10"], "44");
    EXPECT_EQ(j["texts"]["Text11"], "-18");
    EXPECT_EQ(j["texts"]["Text24"], "38.4");
    EXPECT_EQ(Outline(j["pictures"]["Picture1"]),
              (std::vector<std::string>{"scale", "line #FFFF0F", "line #FFFF0F"}));
}

TEST(LineRLineCli, ZoomIsEnabledOnceRIsGiven) {
    const Json before = RunCli("frmLineRLine", {});
    EXPECT_EQ(before["disabled"], Json::array({"Check1"}));
    const Json after = RunCli("frmLineRLine", Corner("90"));
    EXPECT_EQ(after["disabled"], Json::array());
}

TEST(LineRLineCli, ZoomCentresTheCircleAndKeepsTheRayEnds) {
    const Json plain = RunCli("frmLineRLine", Corner("90"));
    const Json zoomed =
        RunCli("frmLineRLine", Corner("90") + std::vector<std::string>{"click:Check1"});
    const Json& ops = zoomed["pictures"]["Picture1"];
    EXPECT_EQ(ops[0]["width"], 10);
    EXPECT_NEAR(ops[0]["left"].get<double>(), -23, 1e-9);
    EXPECT_NEAR(ops[0]["height"].get<double>(), 10.0 * 4875 / 8835, 1e-12);
    EXPECT_NEAR(ops[0]["top"].get<double>(), -22 - 10.0 * 4875 / 8835 / 2, 1e-9);
    EXPECT_EQ(ops[1], plain["pictures"]["Picture1"][1]);
    EXPECT_EQ(ops[2], plain["pictures"]["Picture1"][2]);
    // Marks follow the zoomed width.
    EXPECT_NEAR(ops[4]["r"].get<double>(), 0.01, 1e-12);
}

TEST(LineRLineCli, WorkedExampleDisplayList) {
    const Json j = RunCli("frmLineRLine", Corner("90"));
    const Json& ops = j["pictures"]["Picture1"];
    EXPECT_EQ(Outline(ops),
              (std::vector<std::string>{"scale", "line #FFFF0F", "line #FFFF0F",  // the two rays
                                        "circle #FFFF0F", "circle #FF0000",  // circle and centre
                                        "line #FF0000", "line #FF0000",      // cross at point 1
                                        "line #FF0000", "line #FF0000",      // cross at point 2
                                        "print #00FF00 1", "print #00FF00 2", "circle #FF00FF",
                                        "circle #FF00FF",  // nose circles
                                        "line buttonShadow", "line buttonShadow",
                                        "line buttonShadow", "line buttonShadow"}));
    // Fitted to Z -20..0 and X/2 = 20: width 1.4 * 20, 0.2 * 20 above the points.
    EXPECT_EQ(ops[0]["left"], -24);
    EXPECT_EQ(ops[0]["top"], -24);
    EXPECT_EQ(ops[0]["width"], 28);
    EXPECT_NEAR(ops[0]["height"].get<double>(), 28.0 * 4875 / 8835, 1e-12);
    // Line 1 from its point (Z0, X40) towards the intersection, the scale's width long.
    EXPECT_EQ(ops[1]["x1"], 0);
    EXPECT_EQ(ops[1]["y1"], -20);
    EXPECT_EQ(ops[1]["x2"], -28);
    EXPECT_EQ(ops[1]["y2"], -20);
    // The circle around Z-18, X44 and its centre dot of 0.001 * width.
    EXPECT_NEAR(ops[3]["x"].get<double>(), -18, 1e-9);
    EXPECT_NEAR(ops[3]["y"].get<double>(), -22, 1e-9);
    EXPECT_EQ(ops[3]["r"], 2);
    EXPECT_NEAR(ops[4]["r"].get<double>(), 0.028, 1e-12);
    // The cross of point 1 is 0.006 * width either side of Z-18, X40.
    EXPECT_NEAR(ops[5]["x1"].get<double>(), -18.168, 1e-9);
    EXPECT_NEAR(ops[5]["x2"].get<double>(), -17.832, 1e-9);
    EXPECT_NEAR(ops[9]["x"].get<double>(), -18, 1e-9);
    EXPECT_NEAR(ops[9]["y"].get<double>(), -20, 1e-9);
    // Nose circles of 0.4 around the nose centres read back from their fields.
    EXPECT_EQ(ops[11]["x"], -18);
    EXPECT_NEAR(ops[11]["y"].get<double>(), -19.6, 1e-12);
    EXPECT_NEAR(ops[11]["r"].get<double>(), 0.4, 1e-12);
    EXPECT_NEAR(ops[12]["x"].get<double>(), -20.4, 1e-12);
    EXPECT_EQ(ops[12]["y"], -22);
    // From tip 1 (Z-18.4, X38.4) along X to the nose centre's X39.2, then along Z to Z-18.
    EXPECT_NEAR(ops[13]["x1"].get<double>(), -18.4, 1e-12);
    EXPECT_NEAR(ops[13]["y1"].get<double>(), -19.2, 1e-12);
    EXPECT_NEAR(ops[13]["x2"].get<double>(), -18.4, 1e-12);
    EXPECT_NEAR(ops[13]["y2"].get<double>(), -19.6, 1e-12);
    EXPECT_NEAR(ops[14]["x2"].get<double>(), -18, 1e-12);
    EXPECT_NEAR(ops[14]["y2"].get<double>(), -19.2, 1e-12);
}

TEST(LineRLineCli, EqualAnglesShowNoSolutionAndKeepTheIntersection) {
    const Json j = RunCli("frmLineRLine", Corner("90") + TypeAndLeave({{"Text6", "0"}}));
    EXPECT_EQ(j["texts"]["Text7"], "40");
    EXPECT_EQ(j["texts"]["Text8"], "-20");
    const Json& ops = j["pictures"]["Picture1"];
    ASSERT_EQ(ops.size(), 2u);
    EXPECT_EQ(ops[0]["op"], "scale");
    EXPECT_EQ(ops[0]["width"], 28);  // the scale of the last run stays
    EXPECT_EQ(ops[1], (Json{{"op", "print"},
                            {"x", 0},
                            {"y", 0},
                            {"text", "交点が求まりません!!"},
                            {"color", "#FF0000"}}));
}

TEST(LineRLineCli, ZeroRadiusKeepsTheDrawingAndEndsWithNoSolution) {
    const Json j = RunCli("frmLineRLine", TypeAndLeave({{"Text1", "40"},
                                                        {"Text2", "0"},
                                                        {"Text3", "0"},
                                                        {"Text4", "40"},
                                                        {"Text5", "-20"},
                                                        {"Text6", "90"},
                                                        {"Text9", "0"},
                                                        {"Text20", "0.4"}}));
    EXPECT_EQ(Outline(j["pictures"]["Picture1"]),
              (std::vector<std::string>{"scale", "line #FFFF0F", "line #FFFF0F", "circle #FFFF0F",
                                        "circle #FF0000", "line #FF0000", "line #FF0000",
                                        "line #FF0000", "line #FF0000", "print #00FF00 1",
                                        "print #00FF00 2", "print #FF0000 交点が求まりません!!"}));
    EXPECT_EQ(j["pictures"]["Picture1"].back()["x"], 0);
    EXPECT_EQ(j["pictures"]["Picture1"].back()["y"], 0);
}

TEST(LineRLineCli, CoincidentPointsHaveNoExtent) {
    // Both lines start at the intersection: nothing to fit a scale to.
    const Json j = RunCli("frmLineRLine", TypeAndLeave({{"Text1", "40"},
                                                        {"Text2", "0"},
                                                        {"Text3", "0"},
                                                        {"Text4", "40"},
                                                        {"Text5", "0"},
                                                        {"Text6", "90"}}));
    EXPECT_EQ(j["texts"]["Text7"], "40");
    EXPECT_EQ(Outline(j["pictures"]["Picture1"]),
              (std::vector<std::string>{"scale", "print #FF0000 交点が求まりません!!"}));
}

TEST(LineRLineCli, SwitchingToXYRelabelsDisablesDirectionsAndEmptiesTheTips) {
    const Json j =
        RunCli("frmLineRLine", Corner("90") + std::vector<std::string>{"click:OptionXY"});
    for (const char* label :
         {"Label2", "Label5", "Label6", "Label14", "Label15", "Label28", "Label33"})
        EXPECT_EQ(j["texts"][label], "Y") << label;
    EXPECT_EQ(j["texts"]["Label11"], "CY");
    EXPECT_EQ(j["texts"]["Label24"], "CZ");  // the nose rows keep theirs
    EXPECT_EQ(j["texts"]["Label31"], "CZ");
    for (const char* label : {"Label18", "Label19", "Label30", "Label34"})
        EXPECT_EQ(j["texts"][label], "J") << label;
    for (const char* button : {"Command4", "Command5", "Command8", "Command9"})
        EXPECT_EQ(j["texts"][button], "X Y コピー") << button;
    EXPECT_EQ(j["disabled"], Json::array({"Frame4"}));
    EXPECT_EQ(j["focus"], "Text1");
    // X40 Y0 at 0 degrees and X40 Y-20 at 90 meet at X40 Y0; R 2 in the first corner.
    const std::map<std::string, std::string> expected = {
        {"Text7", "40"},   {"Text8", "0"},   {"Text10", "42"},   {"Text11", "2"},
        {"Text12", "42"},  {"Text13", "0"},  {"Text16", "0"},    {"Text17", "2"},
        {"Text14", "40"},  {"Text15", "2"},  {"Text18", "2"},    {"Text19", "0"},
        {"Text23", "2.4"}, {"Text26", "0"},  {"Text27", "2.4"},  {"Text33", "2.4"},
        {"Text34", "0"},   {"Text21", "42"}, {"Text22", "-0.4"}, {"Text28", "39.6"},
        {"Text29", "2"},   {"Text24", ""},   {"Text25", ""},     {"Text31", ""},
        {"Text32", ""}};
    for (const auto& [field, text] : expected) EXPECT_EQ(j["texts"][field], text) << field;
}

TEST(LineRLineCli, SwitchingBackRestoresLabelsAndDirections) {
    const Json j = RunCli("frmLineRLine", Corner("90") + std::vector<std::string>{
                                                             "click:OptionXY", "click:OptionXZ"});
    EXPECT_EQ(j["texts"]["Label2"], "Z");
    EXPECT_EQ(j["texts"]["Label11"], "CZ");
    EXPECT_EQ(j["texts"]["Label34"], "K");
    EXPECT_EQ(j["texts"]["Command9"], "X Z コピー");
    EXPECT_EQ(j["disabled"], Json::array());
    EXPECT_EQ(j["texts"]["Text24"], "38.4");
}

struct CopyCase {
    const char* name;
    std::vector<std::string> steps;
    const char* clipboard;
};

inline void PrintTo(const CopyCase& c, std::ostream* os) {
    *os << c.name;
}

class LineRLineCopy : public ::testing::TestWithParam<CopyCase> {};

TEST_P(LineRLineCopy, PutsThePairOnTheClipboard) {
    const Json j = RunCli("frmLineRLine", GetParam().steps);
    EXPECT_EQ(j["clipboard"], GetParam().clipboard);
}

const CopyCase kCopyCases[] = {
    {"Intersection", Corner("90") + std::vector<std::string>{"click:Command4"}, "X40 Z-20"},
    {"Centre", Corner("90") + std::vector<std::string>{"click:Command5"}, "X44 Z-18"},
    {"TangentPoint1", Corner("90") + std::vector<std::string>{"click:Command8"}, "X40 Z-18"},
    {"TangentPoint2", Corner("90") + std::vector<std::string>{"click:Command9"}, "X44 Z-20"},
    {"TangentPoint1InXY",
     Corner("90") + std::vector<std::string>{"click:OptionXY", "click:Command8"}, "X42 Y0"},
};

INSTANTIATE_TEST_SUITE_P(Cases, LineRLineCopy, ::testing::ValuesIn(kCopyCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LineRLineCli, DirectionGridRecomputesTheTips) {
    // Direction "1": the tip lies below-left of the nose centre.
    const Json j =
        RunCli("frmLineRLine", Corner("90") + std::vector<std::string>{"click:NosePN(0)"});
    EXPECT_EQ(j["values"]["NosePN(0)"], true);
    EXPECT_EQ(j["values"]["NosePN(2)"], false);
    EXPECT_EQ(j["texts"]["Text24"], "40");
    EXPECT_EQ(j["texts"]["Text25"], "-17.6");
    EXPECT_EQ(j["texts"]["Text31"], "44.8");
    EXPECT_EQ(j["texts"]["Text32"], "-20");
}

TEST(LineRLineCli, EnterWalksTheChain) {
    const Json j = RunCli("frmLineRLine", {"key:Enter", "key:Enter", "key:Enter", "key:Enter",
                                           "key:Enter", "key:Enter", "key:Enter"});
    EXPECT_EQ(j["focus"], "Option1");
    const Json nose = RunCli("frmLineRLine", {"focus:Text20", "key:Enter"});
    EXPECT_EQ(nose["focus"], "Option5");
}

TEST(LineRLineCli, OpensWithItsDefaults) {
    const Json j = RunCli("frmLineRLine", {});
    EXPECT_EQ(j["caption"], " 2直線と接する円");
    EXPECT_EQ(j["focus"], "Text1");
    for (const char* on : {"OptionXZ", "Option1", "Option5", "NosePN(2)", "Check2"})
        EXPECT_EQ(j["values"][on], true) << on;
    for (const char* off : {"OptionXY", "Option2", "Option6", "Check1", "NosePN(0)"})
        EXPECT_EQ(j["values"][off], false) << off;
    EXPECT_EQ(j["texts"]["NosePN(7)"], "8");
    EXPECT_EQ(j["texts"]["Frame4"], "補正位置");
    EXPECT_EQ(j["texts"]["Label21"],
              "※直線２の開始点が直線１上にあるときは腺が交差するように0.0001ずらしてください。");
    EXPECT_EQ(j["texts"]["Label22"], "※画面の再表示は[QUILLON]のバーをクリックしてください。");
    EXPECT_EQ(j["hidden"], Json::array({"Picture3"}));
}

}  // namespace
}  // namespace quillon::testkit
