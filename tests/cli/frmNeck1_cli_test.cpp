// frmNeck1 through quillon-cli: the groove's points for each corner, the shifted texts without
// a start diameter, the rounding carried on into the offsets, the copies byte for byte and the
// figure of each stage of input.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "support/text_rows.h"

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
std::vector<std::string> Click(const char* button) {
    return {std::string("click:") + button};
}
const std::vector<std::string> kNoStart =
    TypeThenLeave({"Text1=40", "Text2=-20", "Text3=1", "Text4=30"}, "Text4");

const TextRow kRows[] = {
    {"Corner3WorkedExample",
     kExample,
     {"Text6=42", "Text7=-20", "Text8=40", "Text9=-19", "Text10=40.268", "Text11=-18.5",
      "Text12=0.866", "Text13=-0.5", "Text14=44", "Text15=-15.268"}},
    // K from the rounded centre and P3 (1.001 - 1.869); unrounded it would be -0.867.
    {"FullOffsetsFromRoundedPoints",
     TypeThenLeave({"Text1=40", "Text2=0", "Text3=1.0014", "Text4=60", "Text5=46.0004"}, "Text5"),
     {"Text9=1.001", "Text11=1.869", "Text13=-0.868", "Text15=3.312"}},
    {"NoStartShiftsDownAndKeepsP4Empty",
     kNoStart,
     {"Text6=42", "Text9=-19", "Text10=40.268", "Text11=-18.5", "Text12=0.866", "Text13=-0.5",
      "Text14=", "Text15="}},
    // P3 X 39.26855 shows 39.268 (39.269 unshifted).
    {"NoStartShiftBeforeRounding",
     TypeThenLeave({"Text1=38.26855", "Text2=0", "Text3=1", "Text4=60"}, "Text4"),
     {"Text6=40.269", "Text8=38.269", "Text10=39.268"}},
    // The centre is rounded as written (40.0024 -> 40.002, 1.0013 -> 1.001) before I and K:
    // unrounded they would show 0.501 and -0.867.
    {"NoStartOffsetsFromRoundedCentre",
     TypeThenLeave({"Text1=37.9998", "Text2=0", "Text3=1.0013", "Text4=60"}, "Text4"),
     {"Text6=40.002", "Text9=1.001", "Text12=0.5", "Text13=-0.868"}},
    {"NoStartLeavesEarlierP4",
     kExample + std::vector<std::string>{"set:Text5=", "set:Text3=2", "leave:Text3"},
     {"Text6=44", "Text10=40.536", "Text14=44", "Text15=-15.268"}},
    {"CornerAlonePlainDecimal",
     TypeThenLeave({"Text1=40.12345", "Text2=-20", "Text3=1.0001"}, "Text3"),
     {"Text6=42.12365", "Text7=-20", "Text8=40.12345", "Text9=-18.9999", "Text10="}},
    {"UnreadableFieldsReadTheirLeadingNumber",
     TypeThenLeave({"Text1=40mm", "Text2=-20z", "Text3=1", "Text4=30°", "Text5=44"}, "Text5"),
     {"Text10=40.268", "Text15=-15.268"}},
    {"CopyP1", kExample + Click("Command8"), {}, "X42 Z-20"},
    {"CopyP2", kExample + Click("Command1"), {}, "X40 Z-19"},
    {"CopyP3", kExample + Click("Command3"), {}, "X40.268 Z-18.5"},
    {"CopyP4", kExample + Click("Command4"), {}, "X44 Z-15.268"},
    {"Corner3Forward",
     kExample + Click("Command9"),
     {},
     "N000 G01 X44 Z-15.268\r\nN000     X40.268 Z-18.5\r\nN000 G02 X42 Z-20 L1\r\n"},
    {"Corner3Reverse",
     kExample + Click("Command5"),
     {},
     "N000 G01 X42 Z-20\r\nN000 G03 X40.268 Z-18.5 L1\r\nN000 G01 X44 Z-15.268\r\n"},
    // Each corner with its arc direction and the signs of its offsets.
    {"Corner4Forward",
     Groove("Option1") + Click("Command9"),
     {"Text12=0.866", "Text13=0.5"},
     "N000 G01 X44 Z-24.732\r\nN000     X40.268 Z-21.5\r\nN000 G03 X42 Z-20 L1\r\n"},
    {"Corner4Reverse",
     Groove("Option1") + Click("Command5"),
     {},
     "N000 G01 X42 Z-20\r\nN000 G02 X40.268 Z-21.5 L1\r\nN000 G01 X44 Z-24.732\r\n"},
    {"Corner1BoreForward",
     Groove("Option3", "36") + Click("Command9"),
     {"Text12=-0.866", "Text13=0.5"},
     "N000 G01 X36 Z-24.732\r\nN000     X39.732 Z-21.5\r\nN000 G02 X38 Z-20 L1\r\n"},
    {"Corner2BoreReverse",
     Groove("Option4", "36") + Click("Command5"),
     {"Text12=-0.866", "Text13=-0.5"},
     "N000 G01 X38 Z-20\r\nN000 G02 X39.732 Z-18.5 L1\r\nN000 G01 X36 Z-15.268\r\n"},
    // The radius word is the field as typed; empty fields leave their address letters bare.
    {"RadiusWordAsTyped",
     Groove("Option2", "44", "1.0") + Click("Command9"),
     {},
     "N000 G01 X44 Z-15.268\r\nN000     X40.268 Z-18.5\r\nN000 G02 X42 Z-20 L1.0\r\n"},
    {"EmptyFieldsForward",
     {"click:Command9"},
     {},
     "N000 G01 X Z\r\nN000     X Z\r\nN000 G02 X Z L\r\n"},
};

class Neck1Cli : public ::testing::TestWithParam<TextRow> {};

TEST_P(Neck1Cli, ShowsTheTexts) {
    ExpectTexts("frmNeck1", GetParam());
}

INSTANTIATE_TEST_SUITE_P(Examples, Neck1Cli, ::testing::ValuesIn(kRows), RowName);

// ---- no solution: the red text, and the fields written before the fault stay ----

const TextRow kFaultRows[] = {
    {"ZeroAngleWithStart",
     kExample + std::vector<std::string>{"set:Text4=0", "leave:Text4"},
     {"Text10=40.268", "Text15=-15.268"}},
    {"StartEqualsBottom",
     TypeThenLeave({"Text1=40", "Text2=-20", "Text3=1", "Text4=30", "Text5=40"}, "Text5"),
     {"Text6="}},
    {"ZeroRadiusCornerAlone",
     TypeThenLeave({"Text1=40", "Text2=-20", "Text3=0"}, "Text3"),
     {"Text6="}},
    {"BlankRadiusWithAngle",
     TypeThenLeave({"Text1=40", "Text2=-20", "Text3= ", "Text4=30"}, "Text4"),
     {"Text6="}},
    {"StartWithoutAngle",
     TypeThenLeave({"Text1=40", "Text2=-20", "Text3=1", "Text5=44"}, "Text5"),
     {"Text6="}},
    {"RadiusWithoutFace", TypeThenLeave({"Text1=40", "Text3=1"}, "Text3"), {"Text6="}},
};

class Neck1NoSolution : public ::testing::TestWithParam<TextRow> {};

TEST_P(Neck1NoSolution, PrintsTheTextAndKeepsFields) {
    const Json j = ExpectTexts("frmNeck1", GetParam());
    EXPECT_EQ(Outline(j["pictures"]["Picture1"]),
              (std::vector<std::string>{"scale", "print #FF0000 交点が求まりません!!"}));
}

INSTANTIATE_TEST_SUITE_P(Cases, Neck1NoSolution, ::testing::ValuesIn(kFaultRows), RowName);

// ---- the figure of each stage ----

// Checks that a drawn element stands at (h, v) in picture coordinates.
void At(const Json& op, const char* x, const char* y, double h, double v) {
    EXPECT_DOUBLE_EQ(op[x].get<double>(), h) << op.dump();
    EXPECT_DOUBLE_EQ(op[y].get<double>(), v) << op.dump();
}

TEST(Neck1Figure, StagesBeforeTheCorner) {
    const Json none = RunWindow("frmNeck1", TypeThenLeave({"Text2=-20"}, "Text2"));
    EXPECT_EQ(Outline(none["pictures"]["Picture1"]), (std::vector<std::string>{"scale"}));
    const Json b =
        RunWindow("frmNeck1", TypeThenLeave({"Text1=40"}, "Text1"))["pictures"]["Picture1"];
    ASSERT_EQ(b.size(), 2u) << b.dump();
    EXPECT_EQ(b[0]["width"], 8835);
    At(b[1], "x1", "y1", -10000, -20);
    At(b[1], "x2", "y2", 10000, -20);
    const Json f = RunWindow(
        "frmNeck1", TypeThenLeave({"Text1=40", "Text2=-20"}, "Text2"))["pictures"]["Picture1"];
    ASSERT_EQ(f.size(), 3u) << f.dump();
    At(f[1], "x1", "y1", 5000, -20);
    At(f[1], "x2", "y2", -5000, -20);
    At(f[2], "x1", "y1", -20, 5000);
    At(f[2], "x2", "y2", -20, -5000);
}

// Without the bottom diameter nothing is drawn, not even the no-solution text, whatever else
// is given; with it, a field given beyond a gap is no groove.
struct GapRow {
    const char* name;
    std::vector<std::string> steps;
    std::vector<std::string> outline;
};

const GapRow kGapRows[] = {
    {"FaceAloneDrawsNothing", TypeThenLeave({"Text2=-20"}, "Text2"), {"scale"}},
    {"RadiusAndAngleWithoutBottom", TypeThenLeave({"Text3=1", "Text4=30"}, "Text4"), {"scale"}},
    {"AllButTheBottom",
     TypeThenLeave({"Text2=-20", "Text3=1", "Text4=30", "Text5=44"}, "Text5"),
     {"scale"}},
    {"StartBeyondAGap",
     TypeThenLeave({"Text1=40", "Text2=-20", "Text5=44"}, "Text5"),
     {"scale", "print #FF0000 交点が求まりません!!"}},
};

class Neck1Gaps : public ::testing::TestWithParam<GapRow> {};

TEST_P(Neck1Gaps, DrawOnlyALeadingRun) {
    const Json j = RunWindow("frmNeck1", GetParam().steps);
    EXPECT_EQ(Outline(j["pictures"]["Picture1"]), GetParam().outline);
}

INSTANTIATE_TEST_SUITE_P(Cases, Neck1Gaps, ::testing::ValuesIn(kGapRows),
                         [](const auto& info) { return std::string(info.param.name); });

// Without the start diameter: ten radii wide around the face, the bottom in the middle; the
// bottom, face and centre drawn as rounded for their fields (40.0004, 0.0004 and 1.0004 as 40,
// 0 and 1), P3 and the ramp, ten radii along Z, as computed.
TEST(Neck1Figure, CornerAndRamp) {
    const Json e = RunWindow("frmNeck1",
                             TypeThenLeave({"Text1=40.0004", "Text2=0.0004", "Text3=1", "Text4=30"},
                                           "Text4"))["pictures"]["Picture1"];
    EXPECT_EQ(Outline(e),
              (std::vector<std::string>{"scale", "line #FF0000", "line #FF0000", "circle #FF0000",
                                        "circle #FFFF0F", "circle #FF0000", "line #FFFF0F",
                                        "line #FFFF0F", "line #FFFF0F"}));
    At(e[0], "left", "width", 0.0004 - 5, 10);
    EXPECT_DOUBLE_EQ(e[0]["top"].get<double>(), -5 * 4875.0 / 8835 - 40.0004 / 2);
    At(e[1], "x1", "y1", 1, -20 - 1.0 / 15);
    At(e[3], "x", "y", 1, -21);
    EXPECT_DOUBLE_EQ(e[3]["r"].get<double>(), 0.01);
    At(e[6], "x1", "y1", 5000, -20);
    At(e[7], "x1", "y1", 0, 5000);
    EXPECT_NEAR(e[8]["x1"].get<double>(), 1.5004, 1e-9);
    EXPECT_NEAR(e[8]["x2"].get<double>(), 11.5004, 1e-9);
    EXPECT_NEAR(e[8]["y2"].get<double>(), -(42.0004 - std::sqrt(3.0) + 20 / std::sqrt(3.0)) / 2,
                1e-9);
}

TEST(Neck1Figure, WholeGroove) {
    // Placed by its corner, labelled " 1" to "4", the start diameter on to Z 1000.
    const Json g = RunWindow("frmNeck1", kExample)["pictures"]["Picture1"];
    ASSERT_EQ(g.size(), 15u) << g.dump();
    At(g[0], "left", "width", -20 - 8.4 / 5, 4 * 2.1);
    At(g[1], "x1", "y1", -19, -20 - 1.0 / 30);  // finer ticks than the corner alone
    At(g[5], "x", "y", -18.5, -40.268 / 2);     // P3 as rounded (unrounded Z -18.5000000000001)
    EXPECT_EQ(g[10]["x2"], 1000);
    EXPECT_EQ(Outline({g[11], g[12], g[13], g[14]}),
              (std::vector<std::string>{"print #00FF00  1", "print #00FF00 2", "print #00FF00 3",
                                        "print #00FF00 4"}));
    At(g[11], "x", "y", -20, -21);

    // Every value drawn as its field shows it: bottom 40.0004 and face 0.0004 as 40 and 0, the
    // centre Z 1.0018 as 1.002, P3 as (41.002, 1.869), P4 as (46, 3.312).
    const Json d =
        RunWindow("frmNeck1", TypeThenLeave({"Text1=40.0004", "Text2=0.0004", "Text3=1.0014",
                                             "Text4=60", "Text5=46.0004"},
                                            "Text5"))["pictures"]["Picture1"];
    ASSERT_EQ(d.size(), 15u) << d.dump();
    At(d[3], "x", "y", 1.002, -42.003 / 2);
    At(d[5], "x", "y", 1.869, -41.002 / 2);
    At(d[6], "x", "y", 3.312, -23);
    At(d[7], "x1", "y1", 5000, -20);
    At(d[8], "x1", "y1", 0, 5000);
    At(d[11], "x", "y", 0, -42.003 / 2);

    // A bore on the -Z side: the face at four fifths of the width, the bottom a quarter down.
    const Json s = RunWindow("frmNeck1", Groove("Option3", "36"))["pictures"]["Picture1"];
    EXPECT_DOUBLE_EQ(s[0]["left"].get<double>(), -20 - 8.4 * 4 / 5);
    EXPECT_NEAR(s[0]["top"].get<double>(), -8.4 * 4875 / 8835 / 4 - (38 + std::sqrt(3.0)) / 2,
                1e-9);
    EXPECT_EQ(s[10]["x2"], -1000);
}

}  // namespace
}  // namespace quillon::testkit
