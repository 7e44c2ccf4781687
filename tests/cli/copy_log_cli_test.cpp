// The copy history through quillon-cli: the copy log file, runs over several windows with a
// fixed clock, the history window's list, its CSV byte for byte and read back as a spreadsheet
// reads it, its questions, and the launcher's menu.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "copy_log_csv.h"  // kExpectedCopyLogCsv, generated from cli/data/copy_log.csv
#include "shell/cp932.h"
#include "shell/disk_files.h"
#include "shell/native_path.h"
#include "support/cli_json.h"
#include "support/csv_reader.h"
#include "support/temp_dir.h"

namespace quillon::testkit {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// N, then V, then N again after V changed: "S640", "S100", "S1270".
const std::vector<std::string> kRpmThreeCopies = {
    "set:Text1=100",  "set:Text2=50",  "leave:Text2", "click:Command4",
    "click:Command3", "set:Text1=200", "leave:Text1", "click:Command4"};

TEST(CopyLogCli, OneJsonLinePerCopyInOrder) {
    TempDir dir;
    const std::string log = PathToUtf8(dir / "log.jsonl");
    const CliResult r = RunCli(
        std::vector<std::string>{"--now", "2026-12-08T15:04:05", "--copy-log", log, "frmRPM"} +
        kRpmThreeCopies);
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string bytes = ReadBytes(dir / "log.jsonl");
    const auto lines = Lines(bytes);
    ASSERT_EQ(lines.size(), 3u) << bytes;
    EXPECT_EQ(bytes.back(), '\n');
    EXPECT_EQ(bytes.find('\r'), std::string::npos);
    EXPECT_EQ(lines[0],
              "{\"time\": \"2026-12-08T15:04:05\", \"window\": \"frmRPM\", \"caption\": \" 周速 ⇔ "
              "回転数\", \"button\": \"Command4\", \"buttonCaption\": \"N\", \"text\": \"S640\", "
              "\"activated\": false, \"inputs\": {\"Text1\": \"100\", \"Text2\": \"50\", "
              "\"Text3\": \"636\"}}");
    const struct {
        const char* button;
        const char* text;
    } expected[] = {{"Command4", "S640"}, {"Command3", "S100"}, {"Command4", "S1270"}};
    for (size_t i = 0; i < 3; ++i) {
        const Json j = Json::parse(lines[i]);
        EXPECT_EQ(j["window"], "frmRPM") << i;
        EXPECT_EQ(j["button"], expected[i].button) << i;
        EXPECT_EQ(j["text"], expected[i].text) << i;
    }
    // A second run appends.
    ASSERT_EQ(RunCli({"--copy-log", log, "frmRPM", "set:Text3=1000", "click:Command4"}).status, 0);
    const auto after = Lines(ReadBytes(dir / "log.jsonl"));
    ASSERT_EQ(after.size(), 4u);
    EXPECT_EQ(Json::parse(after[3])["text"], "S1000");
}

TEST(CopyLogCli, OnTheControlTheCopyIsMarkedActivated) {
    TempDir dir;
    const std::string log = PathToUtf8(dir / "log.jsonl");
    ASSERT_EQ(
        RunCli({"--on-control", "--copy-log", log, "frmRPM", "set:Text3=1000", "click:Command4"})
            .status,
        0);
    EXPECT_EQ(Json::parse(Lines(ReadBytes(dir / "log.jsonl")).at(0))["activated"], true);
}

struct BadUsageRow {
    const char* name;
    std::vector<std::string> args;  // "DIR" stands for a folder that exists
    const char* err;                // a part of the one line on standard error
};
const BadUsageRow kBadUsage[] = {
    {"CopyLogIsAFolder", {"--copy-log", "DIR", "frmRPM"}, "cannot open the copy log"},
    {"CopyLogInMissingFolder",
     {"--copy-log", "DIR/no/such/log.jsonl", "frmRPM"},
     "cannot open the copy log"},
    {"CopyLogWithoutFile", {"--copy-log"}, "--copy-log needs a file"},
    {"SaveAsWithoutFile", {"--save-as"}, "--save-as needs a file"},
    {"NowWithoutValue", {"--now"}, "--now needs a date and time"},
    {"NowNotADate", {"--now", "2026-02-30T10:00:00", "frmRPM"}, "is no date and time"},
    {"NowWithBlank", {"--now", "2026-12-08 15:04:05", "frmRPM"}, "is no date and time"},
    {"OpenUnknownWindow", {"frmRPM", "open:frmNothing"}, "cannot open window 'frmNothing'"},
    {"OpenTheLauncher", {"frmRPM", "open:Menu"}, "cannot open window 'Menu'"},
    {"OpenWithoutName", {"frmRPM", "open:"}, "malformed step 'open:'"},
    {"AnswerMaybe", {"frmRPM", "answer:maybe"}, "the answer is yes or no"},
    {"MenuOfAToolWindow", {"frmRPM", "menu:コピー履歴"}, "frmRPM has no menu"},
    {"MenuUnknownEntry", {"Menu", "menu:その他"}, "has no entry その他"},
    {"DblClickListWithoutItem", {"frmCopyLog", "dblclick:List1"}, "name the item"},
    {"DblClickMissingItem", {"frmCopyLog", "dblclick:List1=0"}, "List1 has no item 0"},
    {"DblClickNotANumber", {"frmCopyLog", "dblclick:List1=x"}, "is not a whole number"},
};
class CopyLogBadUsage : public ::testing::TestWithParam<BadUsageRow> {};
TEST_P(CopyLogBadUsage, OneLineStatusTwoNoJson) {
    TempDir dir;
    std::vector<std::string> args;
    for (std::string a : GetParam().args) {
        if (a.rfind("DIR", 0) == 0) a = PathToUtf8(dir.Path()) + a.substr(3);
        args.push_back(a);
    }
    const CliResult r = RunCli(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(GetParam().err), std::string::npos) << r.err;
    EXPECT_EQ(Lines(r.err).size(), 1u) << r.err;
}
INSTANTIATE_TEST_SUITE_P(CopyLogCli, CopyLogBadUsage, ::testing::ValuesIn(kBadUsage),
                         [](const auto& info) { return std::string(info.param.name); });

// The run of the expected CSV file: copies in three windows at three times, then the history
// window saves them.
std::vector<std::string> ThreeWindows(const std::string& csv) {
    return {"--now",           "2026-12-08T15:04:05",
            "--save-as",       csv,
            "frmRPM",          "set:Text1=100",
            "set:Text2=50",    "leave:Text2",
            "click:Command4",  "clock:54330",
            "open:frmComment", "set:Comment1=X40,Z-18",
            "click:Command3",  "set:Comment1=2\"ピッチ",
            "click:Command3",  "clock:54400",
            "open:frmNeck1",   "click:Option2",
            "set:Text1=40",    "set:Text2=-20",
            "set:Text3=1",     "set:Text4=30",
            "set:Text5=44",    "leave:Text5",
            "click:Command9",  "open:frmCopyLog",
            "click:Command2"};
}

TEST(CopyLogCli, HistoryOfSeveralWindowsNewestFirst) {
    TempDir dir;
    const CliResult r = RunCli(ThreeWindows(PathToUtf8(dir / "h.csv")));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.json["window"], "frmCopyLog");
    EXPECT_EQ(r.json["caption"], " コピー履歴");
    const Json& items = r.json["lists"]["List1"];
    ASSERT_EQ(items.size(), 4u) << items;
    EXPECT_EQ(items[0], "15:06:40  ヌスミ形状 1  N000 G01 X44 Z-15.268 …(3行)");
    EXPECT_EQ(items[3], "15:04:05  周速 ⇔ 回転数  S640");
    // The newest is selected and shown in full; nothing was said about the save.
    EXPECT_NE(r.json["texts"]["Text1"].get<std::string>().find("N000 G02 X42 Z-20 L1"),
              std::string::npos);
    EXPECT_EQ(r.json["messages"], Json::array());
    EXPECT_EQ(r.json["clipboard"],
              "N000 G01 X44 Z-15.268\r\nN000     X40.268 Z-18.5\r\nN000 G02 X42 Z-20 L1\r\n");
}

TEST(CopyLogCli, SavedCsvIsTheExpectedFileByteForByte) {
    TempDir dir;
    const CliResult r = RunCli(ThreeWindows(PathToUtf8(dir / "h.csv")));
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string bytes = ReadBytes(dir / "h.csv");
    EXPECT_EQ(bytes, std::string(kExpectedCopyLogCsv, sizeof kExpectedCopyLogCsv));
    EXPECT_FALSE(fs::exists(DiskFiles::TempPathFor(dir / "h.csv")));
}

TEST(CopyLogCli, SpreadsheetReadsBackTheFields) {
    TempDir dir;
    ASSERT_EQ(RunCli(ThreeWindows(PathToUtf8(dir / "h.csv"))).status, 0);
    const auto rows = ReadCsv(cp932::ToUtf8(ReadBytes(dir / "h.csv")));
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0],
              (std::vector<std::string>{"日時", "ウィンドウ", "ボタン", "コピー内容", "入力"}));
    EXPECT_EQ(rows[1], (std::vector<std::string>{"2026-12-08 15:04:05", " 周速 ⇔ 回転数", "N",
                                                 "S640", "Text1=100 Text2=50 Text3=636"}));
    ASSERT_EQ(rows[2].size(), 5u);
    EXPECT_EQ(rows[2][0], "2026-12-08 15:05:30");
    EXPECT_NE(rows[2][3].find("X40,Z-18"), std::string::npos) << rows[2][3];
    EXPECT_NE(rows[3][3].find("2\"ピッチ"), std::string::npos) << rows[3][3];
    EXPECT_EQ(rows[4][0], "2026-12-08 15:06:40");
    EXPECT_EQ(rows[4][3],
              "N000 G01 X44 Z-15.268\r\nN000     X40.268 Z-18.5\r\nN000 G02 X42 Z-20 L1\r\n");
    EXPECT_EQ(rows[4][4], "Text1=40 Text2=-20 Text3=1 Text4=30 Text5=44");
}

TEST(CopyLogCli, UnwritableCharacterBecomesAQuestionMarkAndIsToldOnce) {
    TempDir dir;
    const CliResult r = RunCli({"--now", "2026-12-08T15:04:05", "--save-as",
                                PathToUtf8(dir / "h.csv"), "frmComment", "set:Comment1=X€40",
                                "click:Command3", "open:frmCopyLog", "click:Command2"});
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.json["messages"].size(), 1u);
    EXPECT_EQ(r.json["messages"][0]["icon"], "information");
    const auto rows = ReadCsv(cp932::ToUtf8(ReadBytes(dir / "h.csv")));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_NE(rows[1][3].find("X?40"), std::string::npos) << rows[1][3];
}

TEST(CopyLogCli, FailedSaveKeepsTheOldFile) {
    TempDir dir;
    const fs::path file = dir / "h.csv";
    WriteBytes(file, "old bytes");
    // The temporary file cannot be made: a folder stands at its name.
    fs::create_directories(DiskFiles::TempPathFor(file));
    const CliResult r = RunCli({"--save-as", PathToUtf8(file), "frmRPM", "set:Text3=1000",
                                "click:Command4", "open:frmCopyLog", "click:Command2"});
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.json["messages"].size(), 1u);
    EXPECT_EQ(r.json["messages"][0]["icon"], "critical");
    EXPECT_EQ(ReadBytes(file), "old bytes");
}

struct QuestionRow {
    const char* name;
    std::vector<std::string> steps;
    size_t items;  // left in the list
};
const QuestionRow kQuestions[] = {
    {"DefaultIsNo", {"click:Command3"}, 1},
    {"AnswerNo", {"answer:no", "click:Command3"}, 1},
    {"AnswerYes", {"answer:yes", "click:Command3"}, 0},
    {"AnswerKeptForTheNextQuestion", {"answer:yes", "click:List1=0", "click:Command3"}, 0},
};
class CopyLogQuestion : public ::testing::TestWithParam<QuestionRow> {};
TEST_P(CopyLogQuestion, ClearAllAsksFirst) {
    const CliResult r = RunCli(
        std::vector<std::string>{"frmRPM", "set:Text3=1000", "click:Command4", "open:frmCopyLog"} +
        GetParam().steps);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.json["lists"]["List1"].size(), GetParam().items);
    ASSERT_EQ(r.json["messages"].size(), 1u);
    EXPECT_EQ(r.json["messages"][0]["icon"], "question");
    EXPECT_EQ(r.json["messages"][0]["text"], "コピー履歴をすべて消去しますか?");
}
INSTANTIATE_TEST_SUITE_P(CopyLogCli, CopyLogQuestion, ::testing::ValuesIn(kQuestions),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CopyLogCli, DoubleClickCopiesTheItemAgain) {
    const CliResult r = RunCli({"frmRPM", "set:Text3=1000", "click:Command4", "set:Text3=2000",
                                "click:Command4", "open:frmCopyLog", "dblclick:List1=1"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.json["clipboard"], "S1000");
    ASSERT_EQ(r.json["lists"]["List1"].size(), 3u);
    EXPECT_NE(r.json["lists"]["List1"][0].get<std::string>().find("S1000"), std::string::npos);
}

TEST(CopyLogCli, OpenAgainGoesBackToTheSameWindow) {
    const CliResult r = RunCli({"frmRPM", "set:Text1=100", "open:frmNeck1", "set:Text1=40",
                                "open:frmRPM", "set:Text2=50", "leave:Text2"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.json["window"], "frmRPM");
    EXPECT_EQ(r.json["texts"]["Text1"], "100");
    EXPECT_EQ(r.json["texts"]["Text3"], "636");
}

TEST(CopyLogCli, LauncherListsItsMenu) {
    const CliResult r = RunCli({"Menu"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.json["menu"], Json::array({"コピー履歴", "穴位置 P.C.D.", "形状チェック"}));
    // The key comes last: the keys before it are those of every window.
    EXPECT_GT(r.out.rfind("\"menu\""), r.out.rfind("\"pictures\""));
    EXPECT_FALSE(RunCli({"frmRPM"}).json.contains("menu"));
}

struct LauncherRow {
    const char* name;
    const char* step;    // what the launcher is given first
    const char* detail;  // the entry the history window shows at the end
};
const LauncherRow kLauncher[] = {
    // Opened by the launcher before the copies, the window keeps the first copy selected as the
    // second arrives; opened after them, it selects the newest.
    {"MenuEntry", "menu:コピー履歴", "S1000"},
    {"CtrlH", "key:Ctrl+H", "S1000"},
    {"PlainHOpensNothing", "key:h", "S2000"},
    {"NotOpenedBefore", "paint", "S2000"},
};
class CopyLogLauncher : public ::testing::TestWithParam<LauncherRow> {};
TEST_P(CopyLogLauncher, OpensTheHistory) {
    const CliResult r =
        RunCli({"Menu", GetParam().step, "open:frmRPM", "set:Text3=1000", "click:Command4",
                "set:Text3=2000", "click:Command4", "open:frmCopyLog"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.json["window"], "frmCopyLog");
    EXPECT_EQ(r.json["lists"]["List1"].size(), 2u);
    const std::string detail = r.json["texts"]["Text1"];
    EXPECT_NE(detail.find(std::string("コピー内容:\r\n") + GetParam().detail), std::string::npos)
        << detail;
}
INSTANTIATE_TEST_SUITE_P(CopyLogCli, CopyLogLauncher, ::testing::ValuesIn(kLauncher),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillon::testkit
