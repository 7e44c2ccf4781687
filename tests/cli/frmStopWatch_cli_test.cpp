// frmStopWatch end to end: start, stop, resume, split, reset and copy, driven by the clock.
#include <algorithm>

#include "support/cli_json.h"

namespace quillon::testkit {
namespace {

// What the display shows: the last text printed into Picture1.
std::string Display(const Json& j) {
    std::string shown;
    for (const auto& op : j["pictures"]["Picture1"])
        if (op["op"] == "print") shown = op["text"];
    return shown;
}

bool Disabled(const Json& j, const char* control) {
    const auto& d = j["disabled"];
    return std::find(d.begin(), d.end(), control) != d.end();
}

// The steps of a split at a clock reading: the timer shows the time, then the split.
std::vector<std::string> SplitAt(const std::string& seconds) {
    return {"clock:" + seconds, "tick:Timer1", "click:Command2"};
}

const std::vector<std::string> kStopAt65_43{"clock:36000", "click:Command1", "clock:36065.43",
                                            "click:Command1"};
const std::vector<std::string> kThreeLines = std::vector<std::string>{"clock:0", "click:Command1"} +
                                             SplitAt("10") + SplitAt("25.5") +
                                             std::vector<std::string>{"clock:30", "click:Command1"};
constexpr const char* kThreeLinesShown =
    "01   00:10.00   00:10.00\r\n"
    "02   00:15.50   00:25.50\r\n"
    "03   00:04.50   00:30.00\r\n";
constexpr const char* kThreeLinesTabbed =
    "01\t 00:10.00\t 00:10.00\r\n"
    "02\t 00:15.50\t 00:25.50\r\n"
    "03\t 00:04.50\t 00:30.00\r\n";

struct Row {
    const char* name;
    std::vector<std::string> steps;
    const char* display;
    const char* list;       // Text1
    const char* clipboard;  // nullptr: nothing copied
    const char* command1;
};

void PrintTo(const Row& row, std::ostream* os) {
    *os << row.name;
}

const Row kRows[] = {
    {"OpensReset", {}, " 00:00.00", "", nullptr, "開始"},
    // In single precision the clock at ten o'clock is too coarse for hundredths.
    {"StopAtTenOClockShowsTheExactTime", kStopAt65_43, " 01:05.43", "01   01:05.43   01:05.43\r\n",
     nullptr, "再開"},
    {"ThreeLinesOfSplitsAndStop", kThreeLines, " 00:30.00", kThreeLinesShown, nullptr, "再開"},
    {"TimerTickShowsTheRunningTime",
     {"clock:100", "click:Command1", "clock:112.345", "tick:Timer1"},
     " 00:12.34",
     "",
     nullptr,
     "停止"},
    {"ResumeDoesNotCountThePause",
     {"clock:100", "click:Command1", "clock:110", "click:Command1", "clock:200", "click:Command1",
      "clock:207", "click:Command1"},
     " 00:17.00",
     "01   00:10.00   00:10.00\r\n02   00:07.00   00:17.00\r\n",
     nullptr,
     "再開"},
    {"CopyWithoutSelectionGivesTheTabList",
     kThreeLines + std::vector<std::string>{"click:Command5"}, " 00:30.00", kThreeLinesShown,
     kThreeLinesTabbed, "再開"},
    {"CopyOfASelectionAsShown",
     kThreeLines + std::vector<std::string>{"select:Text1=26,13", "click:Command5"}, " 00:30.00",
     kThreeLinesShown, "02   00:15.50", "再開"},
    {"CopyOfASelectionAcrossLines",
     kThreeLines + std::vector<std::string>{"select:Text1=16,23", "click:Command5"}, " 00:30.00",
     kThreeLinesShown, "00:10.00\r\n02   00:15.50", "再開"},
    {"CopyAfterResetStillGivesTheLastList",
     kThreeLines + std::vector<std::string>{"click:Command3", "click:Command5"}, " 00:00.00", "",
     kThreeLinesTabbed, "開始"},
    {"CopyBeforeAnythingIsRecordedIsEmpty", {"click:Command5"}, " 00:00.00", "", "", "開始"},
    {"StartAfterResetBeginsANewList",
     kStopAt65_43 + std::vector<std::string>{"click:Command3", "clock:50000", "click:Command1",
                                             "clock:50001.5", "click:Command1", "click:Command5"},
     " 00:01.50", "01   00:01.50   00:01.50\r\n", "01\t 00:01.50\t 00:01.50\r\n", "再開"},
    // A split before the first tick of a new run is the zero the display shows.
    {"SplitBeforeTheFirstTickIsZero",
     kStopAt65_43 + std::vector<std::string>{"click:Command3", "click:Command1", "click:Command2"},
     " 00:00.00", "01   00:00.00   00:00.00\r\n", nullptr, "停止"},
    {"RunningAcrossMidnightCountsOn",
     {"clock:86390", "click:Command1", "clock:5.5", "tick:Timer1"},
     " 00:15.50",
     "",
     nullptr,
     "停止"},
    {"PauseAcrossMidnightIsNotCounted",
     {"clock:86000", "click:Command1", "clock:86300", "click:Command1", "clock:100",
      "click:Command1", "clock:150", "tick:Timer1"},
     " 05:50.00",
     "01   05:00.00   05:00.00\r\n",
     nullptr,
     "停止"},
    {"HundredthsOfAReadingNearZero",
     {"clock:0", "click:Command1", "clock:0.29", "click:Command1"},
     " 00:00.29",
     "01   00:00.29   00:00.29\r\n",
     nullptr,
     "再開"},
    {"HundredMinutesAndMore",
     {"clock:0", "click:Command1", "clock:6001.07", "click:Command1"},
     " 100:01.07",
     "01   100:01.07   100:01.07\r\n",
     nullptr,
     "再開"},
    {"EnterOnTheListPressesStart",
     {"clock:10", "focus:Text1", "key:Enter", "clock:12", "tick:Timer1"},
     " 00:02.00",
     "",
     nullptr,
     "停止"},
};

class StopWatchCli : public ::testing::TestWithParam<Row> {};

TEST_P(StopWatchCli, ShowsTheTimes) {
    const Row& row = GetParam();
    const Json j = RunCli("frmStopWatch", row.steps);
    EXPECT_EQ(Display(j), row.display);
    EXPECT_EQ(j["texts"]["Text1"], row.list);
    if (row.clipboard)
        EXPECT_EQ(j["clipboard"], row.clipboard);
    else
        EXPECT_EQ(j["clipboard"], nullptr);
    EXPECT_EQ(j["texts"]["Command1"], row.command1);
}

INSTANTIATE_TEST_SUITE_P(Examples, StopWatchCli, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

struct EnablingRow {
    const char* name;
    std::vector<std::string> steps;
    bool split, reset, timer;  // enabled
    const char* focus;
};

void PrintTo(const EnablingRow& row, std::ostream* os) {
    *os << row.name;
}

// The timer runs only while the watch runs: stopped or reset, nothing ticks.
const EnablingRow kEnabling[] = {
    {"Reset", {}, false, false, false, "Command1"},
    {"Running", {"click:Command1"}, true, false, true, "Command2"},
    {"Stopped", {"click:Command1", "click:Command1"}, false, true, false, "Command1"},
    {"Resumed",
     {"click:Command1", "click:Command1", "click:Command1"},
     true,
     false,
     true,
     "Command1"},
    {"ResetAgain",
     {"click:Command1", "click:Command1", "click:Command3"},
     false,
     false,
     false,
     "Command1"},
};

class StopWatchEnabling : public ::testing::TestWithParam<EnablingRow> {};

TEST_P(StopWatchEnabling, EnablesByState) {
    const EnablingRow& row = GetParam();
    const Json j = RunCli("frmStopWatch", row.steps);
    EXPECT_EQ(!Disabled(j, "Command2"), row.split);
    EXPECT_EQ(!Disabled(j, "Command3"), row.reset);
    EXPECT_EQ(!Disabled(j, "Timer1"), row.timer);
    EXPECT_EQ(j["focus"], row.focus);
}

INSTANTIATE_TEST_SUITE_P(States, StopWatchEnabling, ::testing::ValuesIn(kEnabling),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StopWatchCli, WindowTexts) {
    const Json j = RunCli("frmStopWatch", {});
    EXPECT_EQ(j["caption"], " ストップウォッチ");
    EXPECT_EQ(j["texts"]["Label1(0)"], "No.");
    EXPECT_EQ(j["texts"]["Label1(1)"], "　  時間差");
    EXPECT_EQ(j["texts"]["Label1(2)"], "  合計時間");
    EXPECT_EQ(j["texts"]["Command2"], "中間計測");
    EXPECT_EQ(j["texts"]["Command3"], "リセット");
    EXPECT_EQ(j["texts"]["Command5"], "コピー");
    EXPECT_EQ(j["texts"]["Command4"], "閉じる");
}

TEST(StopWatchCli, CopyBringsTheControlForwardButClosingDoesNot) {
    const CliResult copy = RunCli({"--on-control", "frmStopWatch", "click:Command5"});
    ASSERT_EQ(copy.status, 0) << copy.err;
    EXPECT_EQ(copy.json["activations"], 1);
    const CliResult close =
        RunCli({"--on-control", "frmStopWatch", "click:Command1", "click:Command4"});
    ASSERT_EQ(close.status, 0) << close.err;
    EXPECT_TRUE(close.json["unloaded"]);
    EXPECT_EQ(close.json["activations"], 0);
    EXPECT_TRUE(Disabled(close.json, "Timer1"));
}

}  // namespace
}  // namespace quillon::testkit
