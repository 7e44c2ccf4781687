// frmNeck1 through quillon-cli: the groove's points for each corner, the shifted texts without
// a start diameter, the rounding carried on into the offsets, the copies byte for byte and the
// figure of each stage of input.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "support/cli_json.h"

namespace quillon::testkit {
namespace {

// Bottom X40 at face Z-20, R1, ramp 30 degrees, back up to X44 (or X36 in a bore).
std::vector<std::string> Groove(const char* option, const char* start = "44",
                                const char* radius = "1") {
    return std::vector<std::string>{std::string("click:") + option} +
           TypeThenLeave({"Text1=40", "Text2=-20", std::string("Text3=") + radius, "Text4=30",
                          std::string("Text5=") + start},
                         "Text5");
}
const std::vector<std::string> kExample = Groove("Option2");
const std::vector<std::string> kNoStart =
    TypeThenLeave({"Text1=40", "Text2=-20", "Text3=1", "Text4=30"}, "Text4");

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
    {"Corner3WorkedExample",
     kExample,
     {{"Text6", "42"},
      {"Text7", "-20"},
      {"Text8", "40"},
      {"Text9", "-19"},
      {"Text10", "40.268"},
      {"Text11", "-18.5"},
      {"Text12", "0.866"},
      {"Text13", "-0.5"},
      {"Text14", "44"},
      {"Text15", "-15.268"}}},
    {"Corner4",
     Groove("Option1"),
     {{"Text6", "42"},
      {"Text9", "-21"},
      {"Text10", "40.268"},
      {"Text11", "-21.5"},
      {"Text12", "0.866"},
      {"Text13", "0.5"},
      {"Text15", "-24.732"}}},
    {"Corner1Bore",
     Groove("Option3", "36"),
     {{"Text6", "38"},
      {"Text9", "-21"},
      {"Text10", "39.732"},
      {"Text11", "-21.5"},
      {"Text12", "-0.866"},
      {"Text13", "0.5"},
      {"Text14", "36"},
      {"Text15", "-24.732"}}},
    {"Corner2Bore",
     Groove("Option4", "36"),
     {{"Text6", "38"},
      {"Text9", "-19"},
      {"Text10", "39.732"},
      {"Text11", "-18.5"},
      {"Text12", "-0.866"},
      {"Text13", "-0.5"},
      {"Text15", "-15.268"}}},
    // K from the rounded centre and P3 (1.001 - 1.869); unrounded it would be -0.867.
    {"FullOffsetsFromRoundedPoints",
     TypeThenLeave({"Text1=40", "Text2=0", "Text3=1.0014", "Text4=60", "Text5=46.0004"}, "Text5"),
     {{"Text9", "1.001"}, {"Text11", "1.869"}, {"Text13", "-0.868"}, {"Text15", "3.312"}}},
    {"NoStartShiftsDownAndKeepsP4Empty",
     kNoStart,
     {{"Text6", "42"},
      {"Text9", "-19"},
      {"Text10", "40.268"},
      {"Text11", "-18.5"},
      {"Text12", "0.866"},
      {"Text13", "-0.5"},
      {"Text14", ""},
      {"Text15", ""}}},
    // P3 X 39.26855 shows 39.268 (39.269 unshifted).
    {"NoStartShiftBeforeRounding",
     TypeThenLeave({"Text1=38.26855", "Text2=0", "Text3=1", "Text4=60"}, "Text4"),
     {{"Text6", "40.269"}, {"Text8", "38.269"}, {"Text10", "39.268"}}},
    // The centre is rounded as written (40.0024 -> 40.002, 1.0013 -> 1.001) before I and K:
    // unrounded they would show 0.501 and -0.867.
    {"NoStartOffsetsFromRoundedCentre",
     TypeThenLeave({"Text1=37.9998", "Text2=0", "Text3=1.0013", "Text4=60"}, "Text4"),
     {{"Text6", "40.002"}, {"Text9", "1.001"}, {"Text12", "0.5"}, {"Text13", "-0.868"}}},
    {"NoStartLeavesEarlierP4",
     kExample + std::vector<std::string>{"set:Text5=", "set:Text3=2", "leave:Text3"},
     {{"Text6", "44"}, {"Text10", "40.536"}, {"Text14", "44"}, {"Text15", "-15.268"}}},
    {"CornerAlonePlainDecimal",
     TypeThenLeave({"Text1=40.12345", "Text2=-20", "Text3=1.0001"}, "Text3"),
     {{"Text6", "42.12365"},
      {"Text7", "-20"},
      {"Text8", "40.12345"},
      {"Text9", "-18.9999"},
      {"Text10", ""}}},
    {"UnreadableFieldsReadTheirLeadingNumber",
     TypeThenLeave({"Text1=40mm", "Text2=-20z", "Text3=1", "Text4=30°", "Text5=44"}, "Text5"),
     {{"Text10", "40.268"}, {"Text15", "-15.268"}}},
    {"CopyP1", kExample + std::vector<std::string>{"click:Command8"}, {}, "X42 Z-20"},
    {"CopyP2", kExample + std::vector<std::string>{"click:Command1"}, {}, "X40 Z-19"},
    {"CopyP3", kExample + std::vector<std::string>{"click:Command3"}, {}, "X40.268 Z-18.5"},
    {"CopyP4", kExample + std::vector<std::string>{"click:Command4"}, {}, "X44 Z-15.268"},
    {"Corner3Forward",
     kExample + std::vector<std::string>{"click:Command9"},
     {},
     "N000 G01 X44 Z-15.268\r\nN000     X40.268 Z-18.5\r\nN000 G02 X42 Z-20 L1\r\n"},
    {"Corner3Reverse",
     kExample + std::vector<std::string>{"click:Command5"},
     {},
     "N000 G01 X42 Z-20\r\nN000 G03 X40.268 Z-18.5 L1\r\nN000 G01 X44 Z-15.268\r\n"},
    {"Corner4Forward",
     Groove("Option1") + std::vector<std::string>{"click:Command9"},
     {},
     "N000 G01 X44 Z-24.732\r\nN000     X40.268 Z-21.5\r\nN000 G03 X42 Z-20 L1\r\n"},
    {"Corner4Reverse",
     Groove("Option1") + std::vector<std::string>{"click:Command5"},
     {},
     "N000 G01 X42 Z-20\r\nN000 G02 X40.268 Z-21.5 L1\r\nN000 G01 X44 Z-24.732\r\n"},
    {"Corner1Forward",
     Groove("Option3", "36") + std::vector<std::string>{"click:Command9"},
     {},
     "N000 G01 X36 Z-24.732\r\nN000     X39.732 Z-21.5\r\nN000 G02 X38 Z-20 L1\r\n"},
    {"Corner2Reverse",
     Groove("Option4", "36") + std::vector<std::string>{"click:Command5"},
     {},
     "N000 G01 X38 Z-20\r\nN000 G02 X39.732 Z-18.5 L1\r\nN000 G01 X36 Z-15.268\r\n"},
    // The radius word is the field as typed; empty fields leave their address letters bare.
    {"RadiusWordAsTyped",
     Groove("Option2", "44", "1.0") + std::vector<std::string>{"click:Command9"},
     {},
     "N000 G01 X44 Z-15.268\r\nN000     X40.268 Z-18.5\r\nN000 G02 X42 Z-20 L1.0\r\n"},
    {"EmptyFieldsForward",
     {"click:Command9"},
     {},
     "N000 G01 X Z\r\nN000     X Z\r\nN000 G02 X Z L\r\n"},
};

class Neck1Cli : public ::testing::TestWithParam<Row> {};

TEST_P(Neck1Cli, ShowsTheTexts) {
    const Row& row = GetParam();
    const Json j = RunWindow("frmNeck1", row.steps);
    for (const auto& [name, text] : row.texts) EXPECT_EQ(j["texts"][name], text) << name;
    if (row.clipboard) {
        EXPECT_EQ(j["clipboard"], *row.clipboard);
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, Neck1Cli, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- no solution: the red text, and the fields written before the fault stay ----

struct FaultRow {
    const char* name;
    std::vector<std::string> steps;
    std::map<std::string, std::string> texts;
};

void PrintTo(const FaultRow& row, std::ostream* os) {
    *os << row.name;
}

const FaultRow kFaultRows[] = {
    {"ZeroAngleWithStart",
     kExample + std::vector<std::string>{"set:Text4=0", "leave:Text4"},
     {{"Text10", "40.268"}, {"Text15", "-15.268"}}},
    {"StartEqualsBottom",
     TypeThenLeave({"Text1=40", "Text2=-20", "Text3=1", "Text4=30", "Text5=40"}, "Text5"),
     {{"Text6", ""}}},
    {"ZeroRadiusCornerAlone",
     TypeThenLeave({"Text1=40", "Text2=-20", "Text3=0"}, "Text3"),
     {{"Text6", ""}}},
    {"BlankRadiusWithAngle",
     TypeThenLeave({"Text1=40", "Text2=-20", "Text3= ", "Text4=30"}, "Text4"),
     {{"Text6", ""}}},
    {"StartWithoutAngle",
     TypeThenLeave({"Text1=40", "Text2=-20", "Text3=1", "Text5=44"}, "Text5"),
     {{"Text6", ""}}},
    {"RadiusWithoutFace", TypeThenLeave({"Text1=40", "Text3=1"}, "Text3"), {{"Text6", ""}}},
};

class Neck1NoSolution : public ::testing::TestWithParam<FaultRow> {};

TEST_P(Neck1NoSolution, PrintsTheTextAndKeepsFields) {
    const Json j = RunWindow("frmNeck1", GetParam().steps);
    EXPECT_EQ(Outline(j["pictures"]["Picture1"]),
              (std::vector<std::string>{"scale", "print #FF0000 交点が求まりません!!"}));
    for (const auto& [name, text] : GetParam().texts) EXPECT_EQ(j["texts"][name], text) << name;
}

INSTANTIATE_TEST_SUITE_P(Cases, Neck1NoSolution, ::testing::ValuesIn(kFaultRows),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- the figure of each stage ----

TEST(Neck1Figure, StagesDrawWhatTheyKnow) {
    const Json none = RunWindow("frmNeck1", TypeThenLeave({"Text2=-20"}, "Text2"));
    EXPECT_EQ(Outline(none["pictures"]["Picture1"]), (std::vector<std::string>{"scale"}));

    const Json bottom = RunWindow("frmNeck1", TypeThenLeave({"Text1=40"}, "Text1"));
    const Json& b = bottom["pictures"]["Picture1"];
    ASSERT_EQ(b.size(), 2u) << b.dump();
    EXPECT_EQ(b[0]["width"], 8835);
    EXPECT_EQ(b[1]["x1"], -10000);
    EXPECT_EQ(b[1]["y1"], -20);
    EXPECT_EQ(b[1]["x2"], 10000);

    const Json face = RunWindow("frmNeck1", TypeThenLeave({"Text1=40", "Text2=-20"}, "Text2"));
    const Json& f = face["pictures"]["Picture1"];
    ASSERT_EQ(f.size(), 3u) << f.dump();
    EXPECT_EQ(f[1]["x1"], 5000);
    EXPECT_EQ(f[1]["x2"], -5000);
    EXPECT_EQ(f[2]["x1"], -20);
    EXPECT_EQ(f[2]["y1"], 5000);
    EXPECT_EQ(f[2]["y2"], -5000);

    // Ten radii wide around the face, the bottom in the middle; P3 and its ramp ten radii on.
    const Json ramp = RunWindow("frmNeck1", kNoStart);
    const Json& r = ramp["pictures"]["Picture1"];
    EXPECT_EQ(Outline(r),
              (std::vector<std::string>{"scale", "line #FF0000", "line #FF0000", "circle #FF0000",
                                        "circle #FFFF0F", "circle #FF0000", "line #FFFF0F",
                                        "line #FFFF0F", "line #FFFF0F"}));
    EXPECT_EQ(r[0]["left"], -25);
    EXPECT_EQ(r[0]["width"], 10);
    EXPECT_DOUBLE_EQ(r[0]["top"].get<double>(), -5 * 4875.0 / 8835 - 20);
    EXPECT_NEAR(r[1]["y2"].get<double>() - r[1]["y1"].get<double>(), 2.0 / 15, 1e-12);
    EXPECT_DOUBLE_EQ(r[3]["r"].get<double>(), 0.01);
    EXPECT_NEAR(r[8]["x2"].get<double>(), -8.5, 1e-9);
    EXPECT_NEAR(r[8]["y2"].get<double>(), -(40.267949 + 20 / std::sqrt(3.0)) / 2, 1e-6);

    // The whole groove: placed by its corner, labelled " 1" to "4", the diameter to Z 1000.
    const Json full = RunWindow("frmNeck1", kExample);
    const Json& g = full["pictures"]["Picture1"];
    ASSERT_EQ(g.size(), 15u) << g.dump();
    EXPECT_DOUBLE_EQ(g[0]["left"].get<double>(), -20 - 8.4 / 5);
    EXPECT_DOUBLE_EQ(g[0]["width"].get<double>(), 4 * 2.1);
    // P3 as rounded for its fields (unrounded Z -18.5000000000001).
    EXPECT_EQ(g[5]["x"], -18.5);
    EXPECT_DOUBLE_EQ(g[5]["y"].get<double>(), -40.268 / 2);
    EXPECT_EQ(g[10]["x2"], 1000);
    EXPECT_EQ(Outline({g[11], g[12], g[13], g[14]}),
              (std::vector<std::string>{"print #00FF00  1", "print #00FF00 2", "print #00FF00 3",
                                        "print #00FF00 4"}));
    EXPECT_EQ(g[11]["x"], -20);
    EXPECT_EQ(g[11]["y"], -21);

    // Every value is drawn as its field shows it: bottom 40.0004 and face 0.0004 as 40 and 0,
    // the centre Z 1.0018 as 1.002, P3 as (41.002, 1.869), P4 as (46, 3.312).
    const Json rounded =
        RunWindow("frmNeck1", TypeThenLeave({"Text1=40.0004", "Text2=0.0004", "Text3=1.0014",
                                             "Text4=60", "Text5=46.0004"},
                                            "Text5"));
    const Json& d = rounded["pictures"]["Picture1"];
    ASSERT_EQ(d.size(), 15u) << d.dump();
    auto at = [&](const Json& op, const char* x, const char* y, double h, double v) {
        EXPECT_DOUBLE_EQ(op[x].get<double>(), h) << op.dump();
        EXPECT_DOUBLE_EQ(op[y].get<double>(), v) << op.dump();
    };
    at(d[3], "x", "y", 1.002, -42.003 / 2);
    at(d[5], "x", "y", 1.869, -41.002 / 2);
    at(d[6], "x", "y", 3.312, -23);
    at(d[7], "x1", "y1", 5000, -20);
    at(d[8], "x1", "y1", 0, 5000);
    at(d[11], "x", "y", 0, -42.003 / 2);

    // Without the start diameter the bottom, face and centre are drawn rounded, P3 as computed.
    const Json early =
        RunWindow("frmNeck1",
                  TypeThenLeave({"Text1=40.0004", "Text2=0.0004", "Text3=1", "Text4=30"}, "Text4"));
    const Json& e = early["pictures"]["Picture1"];
    ASSERT_EQ(e.size(), 9u) << e.dump();
    at(e[3], "x", "y", 1, -21);
    EXPECT_NEAR(e[5]["x"].get<double>(), 1.5004, 1e-9);
    at(e[6], "x1", "y1", 5000, -20);
    at(e[7], "x1", "y1", 0, 5000);

    const Json bore = RunWindow("frmNeck1", Groove("Option3", "36"));
    const Json& s = bore["pictures"]["Picture1"][0];
    EXPECT_DOUBLE_EQ(s["left"].get<double>(), -20 - 8.4 * 4 / 5);
    EXPECT_NEAR(s["top"].get<double>(), -8.4 * 4875 / 8835 / 4 - 39.732051 / 2, 1e-6);
    EXPECT_EQ(bore["pictures"]["Picture1"][10]["x2"], -1000);
}

}  // namespace
}  // namespace quillon::testkit
