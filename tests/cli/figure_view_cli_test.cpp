// The figure view's coordinate readout through quillon-cli: the line Picture3 shows for a
// mouse position over Picture1, and its hiding when the mouse moves elsewhere.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "support/cli_json.h"

namespace quillon::testkit {
namespace {

struct ReadoutCase {
    const char* name;
    const char* window;
    std::vector<std::string> steps;
    const char* line;
};

inline void PrintTo(const ReadoutCase& c, std::ostream* os) {
    *os << c.name;
}

class Readout : public ::testing::TestWithParam<ReadoutCase> {};

TEST_P(Readout, ShowsThisLine) {
    const Json j = RunCli(GetParam().window, GetParam().steps);
    EXPECT_EQ(j["hidden"], Json::array());
    const Json& ops = j["pictures"]["Picture3"];
    ASSERT_EQ(ops.size(), 2u);
    EXPECT_EQ(ops[1]["op"], "print");
    EXPECT_EQ(ops[1]["color"], "#FFFFFF");
    EXPECT_EQ(ops[1]["text"], GetParam().line);
}

const ReadoutCase kReadoutCases[] = {
    {"TenAboveTheAxisIsDiameter20", "frmCirclePoint", {"mouse:Picture1=0,-10"}, "X 20  Z 0 "},
    {"TruncatesTowardsMinusInfinity",
     "frmCirclePoint",
     {"mouse:Picture1=-0.0005,0"},
     "X 0  Z-0.001 "},
    {"HalvesAndQuarters", "frmCirclePoint", {"mouse:Picture1=12.5,-20.25"}, "X 40.5  Z 12.5 "},
    {"TruncatesNotRounds", "frmCirclePoint", {"mouse:Picture1=1.0009,-1.0009"}, "X 2.001  Z 1 "},
    {"BelowTheAxisIsNegative", "frmCirclePoint", {"mouse:Picture1=-3.25,0.5"}, "X-1  Z-3.25 "},
    {"XYPlaneReadsPlainCoordinates",
     "frmCirclePoint",
     {"click:OptionXY", "mouse:Picture1=12.5,-20.25"},
     "X 12.5  Y 20.25 "},
    {"LineRLineReadsTheSame", "frmLineRLine", {"mouse:Picture1=0,-10"}, "X 20  Z 0 "},
    {"AbsurdScaleDoesNotFail", "frmLineRLine", {"mouse:Picture1=1e300,-1e300"}, "X Inf  Z Inf "},
    {"BeyondSinglePrecisionTimes1000", "frmLineRLine", {"mouse:Picture1=1e36,0"}, "X 0  Z Inf "},
    {"MovingBackOverThePictureShowsItAgain",
     "frmCirclePoint",
     {"mouse:Picture1=0,0", "mouse:Form", "mouse:Picture1=0,-1"},
     "X 2  Z 0 "},
};

INSTANTIATE_TEST_SUITE_P(Cases, Readout, ::testing::ValuesIn(kReadoutCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ReadoutCli, MovingElsewhereOnTheWindowHidesIt) {
    const Json j = RunCli("frmLineRLine", {"mouse:Picture1=1,1", "mouse:Form"});
    EXPECT_EQ(j["hidden"], Json::array({"Picture3"}));
}

TEST(ReadoutCli, UsesTheScaleOfTheLastDrawing) {
    // The CLI gives picture coordinates; after a fitted drawing the same point still reads in
    // model units, whatever the scale.
    const Json j = RunCli("frmLineRLine", TypeAndLeave({{"Text1", "40"},
                                                        {"Text2", "0"},
                                                        {"Text3", "0"},
                                                        {"Text4", "40"},
                                                        {"Text5", "-20"},
                                                        {"Text6", "90"}}) +
                                              std::vector<std::string>{"mouse:Picture1=-20,-20"});
    EXPECT_EQ(j["pictures"]["Picture3"][1]["text"], "X 40  Z-20 ");
}

}  // namespace
}  // namespace quillon::testkit
