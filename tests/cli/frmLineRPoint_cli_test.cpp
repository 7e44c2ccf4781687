// frmLineRPoint end to end: the circle through an end point tangent to a line, via quillon-cli.
#include <map>
#include <optional>

#include "support/cli_json.h"

namespace quillon::testkit {
namespace {

using Json = nlohmann::json;

std::vector<std::string> Then(std::vector<std::string> steps,
                              const std::vector<std::string>& more) {
    steps.insert(steps.end(), more.begin(), more.end());
    return steps;
}

// Line X0 Z0 at angle `a`, end point X`x` Z`z`, radius `r`, left at the radius.
std::vector<std::string> Construction(const std::string& a, const std::string& x,
                                      const std::string& z, const std::string& r) {
    return TypeThenLeave(
        {"Text1=0", "Text2=0", "Text3=" + a, "Text4=" + x, "Text5=" + z, "Text8=" + r}, "Text8");
}

// The worked example: the Z axis and the end point X10 Z10 (10 above the axis), R10. The two
// circles have their centres at X20 and Z = 10 -+ sqrt(75).
const std::vector<std::string> kExample = Construction("0", "10", "10", "10");

struct Row {
    const char* name;
    std::vector<std::string> steps;
    std::map<std::string, std::string> texts;
    std::optional<std::string> clipboard = std::nullopt;
};

void PrintTo(const Row& row, std::ostream* os) {
    *os << row.name;
}

const Row kRows[] = {
    {"OptionOneTakesTheCircleTowardTheLinePoint",
     kExample,
     {{"Text6", "20"},
      {"Text7", "1.34"},
      {"Text9", "0"},
      {"Text10", "1.34"},
      {"Text11", "10"},
      {"Text12", "0"}}},
    {"OptionTwoTakesTheFartherCircle",
     Then(kExample, {"click:Option2"}),
     {{"Text6", "20"},
      {"Text7", "18.66"},
      {"Text9", "0"},
      {"Text10", "18.66"},
      {"Text11", "10"},
      {"Text12", "0"}}},
    {"EndPointBehindIsMirrored",
     Construction("0", "10", "-10", "10"),
     {{"Text6", "20"}, {"Text7", "-1.34"}, {"Text9", "0"}, {"Text10", "-1.34"}}},
    {"EndPointBehindOptionTwo",
     Then(Construction("0", "10", "-10", "10"), {"click:Option2"}),
     {{"Text7", "-18.66"}, {"Text10", "-18.66"}}},
    // The end point 15 from the line, more than R: the other branch of the construction.
    {"EndPointFartherThanRadiusOptionOne",
     Construction("0", "30", "10", "10"),
     {{"Text6", "20"},
      {"Text7", "1.34"},
      {"Text9", "0"},
      {"Text10", "1.34"},
      {"Text11", "10"},
      {"Text12", "0"}}},
    {"EndPointFartherThanRadiusOptionTwo",
     Then(Construction("0", "30", "10", "10"), {"click:Option2"}),
     {{"Text7", "18.66"}, {"Text10", "18.66"}}},
    // Below the line (XE < XP) the circle still touches the line, from below.
    {"EndPointBelowTheLine",
     Construction("0", "-10", "10", "10"),
     {{"Text6", "-20"},
      {"Text7", "1.34"},
      {"Text9", "0"},
      {"Text10", "1.34"},
      {"Text11", "-10"},
      {"Text12", "0"}}},
    // The end point on the line: the circle touches the line there.
    {"EndPointOnTheLine",
     Construction("0", "0", "10", "5"),
     {{"Text9", "0"}, {"Text10", "10"}, {"Text12", "0"}}},
    {"XYPlane",
     Then({"click:OptionXY"},
          TypeThenLeave({"Text1=0", "Text2=0", "Text3=0", "Text4=10", "Text5=5", "Text8=10"},
                        "Text8")),
     {{"Text6", "1.34"},
      {"Text7", "10"},
      {"Text9", "1.34"},
      {"Text10", "0"},
      {"Text11", "0"},
      {"Text12", "10"},
      {"Label2", "Y"},
      {"Label5", "Y"},
      {"Label10", "Y"},
      {"Label7", "CY"},
      {"Label12", "J"},
      {"Command1", "X Y コピー"},
      {"Command4", "X Y コピー"}}},
    {"CopyLinePointAsTyped", Then(kExample, {"click:Command1"}), {}, "X0 Z0"},
    {"CopyEndPointAsTyped", Then(kExample, {"click:Command3"}), {}, "X10 Z10"},
    {"CopyCentre", Then(kExample, {"click:Command4"}), {}, "X20 Z1.34"},
    {"CopyStartOfArc", Then(kExample, {"click:Command5"}), {}, "X0 Z1.34"},
};

class LineRPointCli : public ::testing::TestWithParam<Row> {};

TEST_P(LineRPointCli, ShowsTheTexts) {
    const Row& row = GetParam();
    const Json j = RunWindow("frmLineRPoint", row.steps);
    for (const auto& [name, text] : row.texts) EXPECT_EQ(j["texts"][name], text) << name;
    if (row.clipboard) {
        EXPECT_EQ(j["clipboard"], *row.clipboard);
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, LineRPointCli, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LineRPointCliChain, EnterInTheCentreFieldMovesToTheStartPoint) {
    EXPECT_EQ(RunWindow("frmLineRPoint", {"focus:Text6", "key:Enter"})["focus"], "Text9");
    EXPECT_EQ(RunWindow("frmLineRPoint", {"focus:Text5", "key:Enter"})["focus"], "Text8");
    EXPECT_EQ(RunWindow("frmLineRPoint", {"focus:Text8", "key:Enter"})["focus"], "Command1");
}

// ---- no solution ----

struct NoSolutionRow {
    const char* name;
    std::vector<std::string> change;  // steps after the worked example was solved
};

void PrintTo(const NoSolutionRow& row, std::ostream* os) {
    *os << row.name;
}

const NoSolutionRow kNoSolutionRows[] = {
    // X20 is 10 above the axis: exactly 2R for R5.
    {"EndPointExactlyTwoRadiiAway", {"set:Text4=20", "set:Text8=5", "leave:Text8"}},
    {"EndPointFartherThanTwoRadii", {"set:Text4=40", "set:Text8=5", "leave:Text8"}},
    {"ZeroRadius", {"set:Text8=0", "leave:Text8"}},
    {"NegativeRadius", {"set:Text8=-10", "leave:Text8"}},
    {"NegativeRadiusEndPointOnLine", {"set:Text4=0", "set:Text8=-10", "leave:Text8"}},
};

class LineRPointNoSolution : public ::testing::TestWithParam<NoSolutionRow> {};

TEST_P(LineRPointNoSolution, PrintsTheTextAndKeepsResults) {
    const Json j = RunWindow("frmLineRPoint", Then(kExample, GetParam().change));
    const Json& ops = j["pictures"]["Picture1"];
    ASSERT_EQ(ops.size(), 2u) << ops.dump();
    EXPECT_EQ(ops[0]["op"], "scale");
    EXPECT_EQ(ops[1], (Json{{"op", "print"},
                            {"x", 0},
                            {"y", 0},
                            {"text", "交点が求まりません!!"},
                            {"color", "#FF0000"}}));
    EXPECT_EQ(j["texts"]["Text6"], "20");
    EXPECT_EQ(j["texts"]["Text7"], "1.34");
    EXPECT_EQ(j["texts"]["Text11"], "10");
}

INSTANTIATE_TEST_SUITE_P(Cases, LineRPointNoSolution, ::testing::ValuesIn(kNoSolutionRows),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- angles that describe the same line ----

struct SameLineRow {
    const char* name;
    const char* angle;
    const char* same;
};

void PrintTo(const SameLineRow& row, std::ostream* os) {
    *os << row.name;
}

const SameLineRow kSameLineRows[] = {
    {"OneTwentyIsMinusSixty", "120", "-60"},         {"FourEightyIsOneTwenty", "480", "120"},
    {"MinusTwoFortyIsOneTwenty", "-240", "120"},     {"NinetyIsNearlyNinety", "90", "89.9999"},
    {"MinusNinetyIsNearlyNinety", "-90", "89.9999"}, {"TwoSeventyIsNearlyNinety", "270", "89.9999"},
};

class LineRPointSameLine : public ::testing::TestWithParam<SameLineRow> {};

TEST_P(LineRPointSameLine, GivesIdenticalResultsAndFigure) {
    for (const char* option : {"Option1", "Option2"}) {
        auto run = [&](const std::string& angle) {
            return RunWindow("frmLineRPoint",
                             Then({"click:" + std::string(option)},
                                  TypeThenLeave({"Text1=4", "Text2=-3", "Text3=" + angle,
                                                 "Text4=30", "Text5=12", "Text8=12"},
                                                "Text8")));
        };
        Json a = run(GetParam().angle), b = run(GetParam().same);
        EXPECT_NE(a["texts"]["Text7"], "") << option;
        // Everything but the typed angle itself.
        a["texts"].erase("Text3");
        b["texts"].erase("Text3");
        EXPECT_EQ(a["texts"], b["texts"]) << option;
        EXPECT_EQ(a["pictures"]["Picture1"], b["pictures"]["Picture1"]) << option;
    }
}

INSTANTIATE_TEST_SUITE_P(Angles, LineRPointSameLine, ::testing::ValuesIn(kSameLineRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LineRPointCliPreview, WithoutTheRadiusOnlyTheLineIsDrawnAtTheReducedAngle) {
    const Json j = RunWindow(
        "frmLineRPoint",
        TypeThenLeave({"Text1=0", "Text2=0", "Text3=210", "Text4=10", "Text5=10"}, "Text5"));
    const Json& ops = j["pictures"]["Picture1"];
    ASSERT_EQ(ops.size(), 2u) << ops.dump();
    EXPECT_EQ(ops[0]["width"], 8835);
    // 210 degrees is drawn as 30 degrees.
    EXPECT_NEAR(ops[1]["x1"].get<double>(), 10000 * std::sqrt(3.0) / 2, 1e-6);
    EXPECT_NEAR(ops[1]["y1"].get<double>(), -5000, 1e-6);
    EXPECT_EQ(ops[1]["color"], "#FFFF0F");
    EXPECT_EQ(j["texts"]["Text6"], "");
}

}  // namespace
}  // namespace quillon::testkit
