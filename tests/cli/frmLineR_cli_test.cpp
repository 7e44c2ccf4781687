// frmLineR end to end: the intersections of a line and a circle through quillon-cli.
#include <map>
#include <optional>

#include "support/cli_json.h"

namespace quillon::testkit {
namespace {

using Json = nlohmann::json;

struct Row {
    const char* name;
    std::vector<std::string> steps;
    std::map<std::string, std::string> texts;
    std::optional<std::string> clipboard = std::nullopt;
};

void PrintTo(const Row& row, std::ostream* os) {
    *os << row.name;
}

// Line X0 Z0 A0 (the Z axis) and a circle of R5 on it at Z10.
const std::vector<std::string> kOnAxis =
    TypeThenLeave({"Text1=0", "Text2=0", "Text3=0", "Text4=0", "Text5=10", "Text6=5"}, "Text6");

std::vector<std::string> Then(std::vector<std::string> steps,
                              const std::vector<std::string>& more) {
    steps.insert(steps.end(), more.begin(), more.end());
    return steps;
}

const Row kRows[] = {
    {"AxisThroughCircleAhead",
     kOnAxis,
     {{"Text7", "0"},
      {"Text8", "5"},
      {"Text9", "0"},
      {"Text10", "5"},
      {"Text11", "0"},
      {"Text12", "15"},
      {"Text13", "0"},
      {"Text14", "-5"}}},
    {"CircleBehindPointOneFirstAlongLine",
     TypeThenLeave({"Text1=0", "Text2=0", "Text3=0", "Text4=0", "Text5=-10", "Text6=5"}, "Text6"),
     {{"Text8", "-15"}, {"Text10", "5"}, {"Text12", "-5"}, {"Text14", "-5"}}},
    // Centre on a 45 degree line: both points 5 from it along the line (5 / sqrt 2 each way).
    {"CentreOnSlopedLine",
     TypeThenLeave({"Text1=0", "Text2=0", "Text3=45", "Text4=20", "Text5=10", "Text6=5"}, "Text6"),
     {{"Text7", "12.929"},
      {"Text8", "6.465"},
      {"Text9", "3.536"},
      {"Text10", "3.536"},
      {"Text11", "27.071"},
      {"Text12", "13.536"},
      {"Text13", "-3.535"},
      {"Text14", "-3.535"}}},
    // A vertical line X0 cut by a circle around X0 Z0 (in X-Z the circle's radius is along X/2).
    {"LineAcrossAxis",
     TypeThenLeave({"Text1=0", "Text2=0", "Text3=90", "Text4=0", "Text5=0", "Text6=5"}, "Text6"),
     {{"Text7", "-10"},
      {"Text8", "0"},
      {"Text9", "5"},
      {"Text10", "0"},
      {"Text11", "10"},
      {"Text12", "0"},
      {"Text13", "-5"},
      {"Text14", "0"}}},
    {"XYPlaneRelabelsAndComputesPlainCoordinates",
     Then({"click:OptionXY"},
          TypeThenLeave({"Text1=0", "Text2=0", "Text3=0", "Text4=10", "Text5=0", "Text6=5"},
                        "Text6")),
     {{"Text7", "5"},
      {"Text8", "0"},
      {"Text9", "5"},
      {"Text10", "0"},
      {"Text11", "15"},
      {"Text12", "0"},
      {"Text13", "-5"},
      {"Text14", "0"},
      {"Label2", "Y"},
      {"Label5", "Y"},
      {"Label8", "Y"},
      {"Label12", "Y"},
      {"Label10", "J"},
      {"Label14", "J"},
      {"Command1", "X Y コピー"},
      {"Command5", "X Y コピー"}}},
    {"BackToXZRestoresLabels",
     {"click:OptionXY", "click:OptionXZ"},
     {{"Label2", "Z"}, {"Label12", "Z"}, {"Label10", "K"}, {"Command4", "X Z コピー"}}},
    {"CopyLinePointAsTyped", Then(kOnAxis, {"click:Command1"}), {}, "X0 Z0"},
    {"CopyCentreAsTyped", Then(kOnAxis, {"click:Command3"}), {}, "X0 Z10"},
    {"CopyPointOne", Then(kOnAxis, {"click:Command4"}), {}, "X0 Z5"},
    {"CopyPointTwo", Then(kOnAxis, {"click:Command5"}), {}, "X0 Z15"},
    {"CopyInXYPlane",
     Then({"click:OptionXY"},
          Then(TypeThenLeave({"Text1=0", "Text2=0", "Text3=0", "Text4=10", "Text5=0", "Text6=5"},
                             "Text6"),
               {"click:Command5"})),
     {},
     "X15 Y0"},
    // Incomplete line data: no reaction, even with a complete circle.
    {"IncompleteLineChangesNothing",
     TypeThenLeave({"Text1=0", "Text2=0", "Text4=0", "Text5=10", "Text6=5"}, "Text6"),
     {{"Text7", ""}, {"Text8", ""}, {"Text12", ""}}},
};

class LineRCli : public ::testing::TestWithParam<Row> {};

TEST_P(LineRCli, ShowsTheTexts) {
    const Row& row = GetParam();
    const Json j = RunWindow("frmLineR", row.steps);
    for (const auto& [name, text] : row.texts) EXPECT_EQ(j["texts"][name], text) << name;
    if (row.clipboard) {
        EXPECT_EQ(j["clipboard"], *row.clipboard);
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, LineRCli, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- no solution: red text at (0, 0) of the scale in force, results as they were ----

struct NoSolutionRow {
    const char* name;
    std::vector<std::string> change;  // steps after the axis example was solved
};

void PrintTo(const NoSolutionRow& row, std::ostream* os) {
    *os << row.name;
}

const NoSolutionRow kNoSolutionRows[] = {
    {"TangentLine", {"set:Text4=10", "set:Text5=0", "leave:Text5"}},
    {"LineMissesCircle", {"set:Text4=30", "set:Text5=0", "leave:Text5"}},
    {"ZeroRadius", {"set:Text6=0", "leave:Text6"}},
    {"ZeroRadiusAsBlank", {"set:Text6= ", "leave:Text6"}},
};

class LineRNoSolution : public ::testing::TestWithParam<NoSolutionRow> {};

TEST_P(LineRNoSolution, PrintsTheTextAndKeepsResults) {
    const Json j = RunWindow("frmLineR", Then(kOnAxis, GetParam().change));
    const Json& ops = j["pictures"]["Picture1"];
    ASSERT_EQ(ops.size(), 2u) << ops.dump();
    EXPECT_EQ(ops[0]["op"], "scale");
    EXPECT_EQ(ops[1], (Json{{"op", "print"},
                            {"x", 0},
                            {"y", 0},
                            {"text", "交点が求まりません!!"},
                            {"color", "#FF0000"}}));
    EXPECT_EQ(j["texts"]["Text8"], "5");
    EXPECT_EQ(j["texts"]["Text12"], "15");
    EXPECT_EQ(j["texts"]["Text14"], "-5");
}

INSTANTIATE_TEST_SUITE_P(Cases, LineRNoSolution, ::testing::ValuesIn(kNoSolutionRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LineRCliPreview, OnlyTheLineDrawsItThroughThePictureMiddle) {
    const Json j =
        RunWindow("frmLineR", Then(kOnAxis, {"set:Text6=", "set:Text3=30", "leave:Text3"}));
    const Json& ops = j["pictures"]["Picture1"];
    ASSERT_EQ(ops.size(), 2u) << ops.dump();
    EXPECT_EQ(ops[0], (Json{{"op", "scale"},
                            {"left", -4417.5},
                            {"top", -2437.5},
                            {"width", 8835},
                            {"height", 4875}}));
    EXPECT_EQ(ops[1]["color"], "#FFFF0F");
    EXPECT_NEAR(ops[1]["x1"].get<double>(), 10000 * std::sqrt(3.0) / 2, 1e-6);
    EXPECT_NEAR(ops[1]["y1"].get<double>(), -5000, 1e-6);
    EXPECT_NEAR(ops[1]["x2"].get<double>(), -10000 * std::sqrt(3.0) / 2, 1e-6);
    EXPECT_NEAR(ops[1]["y2"].get<double>(), 5000, 1e-6);
    // The results of the earlier run stay.
    EXPECT_EQ(j["texts"]["Text12"], "15");
}

// An angle and the same angle less a full turn describe one line.
TEST(LineRCliAngles, TwoHundredAndMinusOneSixtyGiveTheSameResults) {
    auto run = [](const std::string& angle) {
        return RunWindow("frmLineR", TypeThenLeave({"Text1=10", "Text2=5", "Text3=" + angle,
                                                    "Text4=30", "Text5=20", "Text6=12"},
                                                   "Text6"));
    };
    const Json a = run("200"), b = run("-160");
    for (int i = 7; i <= 14; ++i) {
        const std::string name = "Text" + std::to_string(i);
        EXPECT_NE(a["texts"][name], "") << name;
        EXPECT_EQ(a["texts"][name], b["texts"][name]) << name;
    }
}

}  // namespace
}  // namespace quillon::testkit
