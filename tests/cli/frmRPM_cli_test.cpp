// frmRPM end to end: cutting speed, diameter and spindle speed through quillon-cli.
#include <optional>

#include "support/cli_json.h"

namespace quillon::testkit {
namespace {

using Json = nlohmann::json;

struct Row {
    const char* name;
    std::vector<std::string> steps;
    const char* v;  // the three fields afterwards
    const char* d;
    const char* n;
};

void PrintTo(const Row& row, std::ostream* os) {
    *os << row.name;
}

const Row kRows[] = {
    {"SpeedAndDiameterGiveSpindleSpeed", TypeThenLeave({"Text1=100", "Text2=50"}, "Text2"), "100",
     "50", "636"},
    {"DiameterAndSpindleSpeedGiveCuttingSpeed", TypeThenLeave({"Text2=50", "Text3=1000"}, "Text3"),
     "157", "50", "1000"},
    {"SpeedAndSpindleSpeedGiveUntruncatedDiameter",
     TypeThenLeave({"Text1=100", "Text3=500"}, "Text3"), "100", "63.662", "500"},
    {"LeavingSpeedWithSpindleSpeedGivesDiameter",
     TypeThenLeave({"Text1=100", "Text3=500"}, "Text1"), "100", "63.662", "500"},
    {"LeavingDiameterWithSpindleSpeedGivesSpeed",
     TypeThenLeave({"Text2=50", "Text3=1000"}, "Text2"), "157", "50", "1000"},
    {"AllFilledLeavingSpeedRecomputesSpindleSpeed",
     TypeThenLeave({"Text1=100", "Text2=50", "Text3=1"}, "Text1"), "100", "50", "636"},
    {"AllFilledLeavingDiameterRecomputesSpindleSpeed",
     TypeThenLeave({"Text1=100", "Text2=50", "Text3=1"}, "Text2"), "100", "50", "636"},
    {"AllFilledLeavingSpindleSpeedRecomputesSpeed",
     TypeThenLeave({"Text1=1", "Text2=50", "Text3=1000"}, "Text3"), "157", "50", "1000"},
    // A fault in the first matching rule ends the computation; the second rule is not tried.
    {"ZeroDiameterLeavesSpindleSpeed", TypeThenLeave({"Text1=100", "Text2=0", "Text3=77"}, "Text1"),
     "100", "0", "77"},
    {"ZeroSpindleSpeedLeavesDiameter", TypeThenLeave({"Text1=100", "Text3=0"}, "Text3"), "100", "",
     "0"},
    {"OnlyOneFieldDoesNothing", TypeThenLeave({"Text1=100"}, "Text1"), "100", "", ""},
    {"NothingFilledDoesNothing", {"leave:Text2"}, "", "", ""},
    // Int goes down to the next whole number, also below zero.
    {"IntIsTheFloor", TypeThenLeave({"Text1=-100", "Text2=50"}, "Text2"), "-100", "50", "-637"},
    {"BlankCountsAsFilledAndReadsZero", TypeThenLeave({"Text1= ", "Text2=50"}, "Text2"), " ", "50",
     "0"},
    {"LeadingNumberOfText", TypeThenLeave({"Text1=100m/min", "Text2=50mm"}, "Text2"), "100m/min",
     "50mm", "636"},
    {"ClearEmptiesAllThree",
     {"set:Text1=100", "set:Text2=50", "leave:Text2", "click:Command2"},
     "",
     "",
     ""},
};

class RpmCli : public ::testing::TestWithParam<Row> {};

TEST_P(RpmCli, ShowsTheFields) {
    const Row& row = GetParam();
    const Json j = RunWindow("frmRPM", row.steps);
    EXPECT_EQ(j["texts"]["Text1"], row.v);
    EXPECT_EQ(j["texts"]["Text2"], row.d);
    EXPECT_EQ(j["texts"]["Text3"], row.n);
}

INSTANTIATE_TEST_SUITE_P(Examples, RpmCli, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

struct CopyRow {
    const char* name;
    const char* field;
    const char* button;
    const char* value;
    const char* clipboard;
};

void PrintTo(const CopyRow& row, std::ostream* os) {
    *os << row.name;
}

const CopyRow kCopyRows[] = {
    {"HalfUpToEven", "Text3", "Command4", "1275", "S1280"},
    {"HalfDownToEven", "Text3", "Command4", "1265", "S1260"},
    {"SmallValueToZero", "Text3", "Command4", "4", "S0"},
    {"ComputedSpindleSpeed", "Text3", "Command4", "636", "S640"},
    {"FractionBelowHalf", "Text3", "Command4", "1274.9", "S1270"},
    {"CuttingSpeedHalfDown", "Text1", "Command3", "25", "S20"},
    {"CuttingSpeedHalfUp", "Text1", "Command3", "15", "S20"},
    {"CuttingSpeedRoundsUp", "Text1", "Command3", "157", "S160"},
    {"NegativeHalfToEven", "Text1", "Command3", "-15", "S-20"},
    {"EmptyFieldReadsZero", "Text1", "Command3", "", "S0"},
};

class RpmCopy : public ::testing::TestWithParam<CopyRow> {};

TEST_P(RpmCopy, PutsTheSpindleWordOnTheClipboard) {
    const CopyRow& row = GetParam();
    const Json j = RunWindow("frmRPM", {"set:" + std::string(row.field) + "=" + row.value,
                                        "click:" + std::string(row.button)});
    EXPECT_EQ(j["clipboard"], row.clipboard);
    EXPECT_EQ(j["activations"], 0);
}

INSTANTIATE_TEST_SUITE_P(Values, RpmCopy, ::testing::ValuesIn(kCopyRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RpmCliCopy, OnTheControlBringsItsWindowForward) {
    std::ostringstream out, err;
    ASSERT_EQ(quillon::cli::Run({"--on-control", "frmRPM", "set:Text3=1275", "click:Command4"}, ".",
                                out, err),
              0)
        << err.str();
    const Json j = Json::parse(out.str());
    EXPECT_EQ(j["clipboard"], "S1280");
    EXPECT_EQ(j["activations"], 1);
}

TEST(RpmCliWindow, CaptionsTooltipLabelsAndStartFocus) {
    const Json j = RunWindow("frmRPM", {});
    EXPECT_EQ(j["caption"], " 周速 ⇔ 回転数");
    EXPECT_EQ(j["focus"], "Text1");
    const std::pair<const char*, const char*> texts[] = {
        {"Label1", "切削速度"}, {"Label3", "V"},
        {"Label5", "(m/min)"},  {"Label2", "直　径"},
        {"Label4", "D"},        {"Label6", "(mm)"},
        {"Label9", "回 転 数"}, {"Label8", "N"},
        {"Label7", "(min-1)"},  {"Label10", "計算したい所を空白して2箇所を入力して下さい。"},
        {"Frame1", "コピー"},   {"Command3", "V"},
        {"Command4", "N"},      {"Label11", "コピー値は丸めてあります。"},
        {"Command1", "閉じる"}, {"Command2", "クリア"},
    };
    for (const auto& [name, text] : texts) EXPECT_EQ(j["texts"][name], text) << name;
}

TEST(RpmCliWindow, CloseUnloads) {
    const Json j = RunWindow("frmRPM", {"click:Command1"});
    EXPECT_EQ(j["unloaded"], true);
}

}  // namespace
}  // namespace quillon::testkit
