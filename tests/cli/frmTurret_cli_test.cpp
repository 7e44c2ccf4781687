// frmTurret end to end: the machine table next to the program, the holder fields it fills, and
// the drawing measured as the texts of its sizes.
#include <cmath>
#include <cstdio>
#include <map>
#include <optional>

#include "shell/cp932.h"
#include "shell/numtext.h"
#include "support/cli_json.h"
#include "support/temp_dir.h"

namespace quillon::testkit {
namespace {

// Three machines, saved in CP932 as a spreadsheet does: a polygon turret (field 10 above 0), a
// round one (field 10 = 0, no swing diameter) and one whose station count no option has.
const std::string kTable =
    "機種データ,,,,,,,,,,,,,,\r\n"
    "機種名,角数,中心,高さ,旋回径,A,B,端面,工具径,工具長,インベース,径,正面,側面,Ｍ径\r\n"
    "旋盤 V8-210,8,100,0,430,25,30,40,20,30,45,32,60,55,16\r\n"
    "\"旋盤 V10-254,長尺\",10,120,5,0,26,31,46,24,33,0,40,65,61,21\r\n"
    "試作機,7,90,0,300\r\n";

std::string Lines(int count) {
    std::string s = "h1\r\nh2\r\n";
    for (int i = 1; i <= count; ++i) s += "M" + std::to_string(i) + ",8,100\r\n";
    return s;
}

struct Row {
    const char* name;
    std::optional<std::string> table;  // Machine.CSV as UTF-8 text; none: no file
    std::vector<std::string> steps;
    std::map<std::string, std::string> texts;
    std::map<std::string, bool> values;
    std::map<std::string, std::string> drawn;  // a measure of the drawing and its text
};

void PrintTo(const Row& row, std::ostream* os) {
    *os << row.name;
}

// The drawing's measures, as NC texts:
//   height, width, left, top   the picture's scale
//   W      the turret centre's distance from the spindle axis (its cross)
//   L      the turret polygon's corner radius, to hundredths
//   face   the polygon's nearest x to the spindle (a face: W - TX)
//   chuck, cut, swing          the radii of the magenta, white and dotted circles
//   bar    the green tool circle: "x y r"
//   message                    the red text ("" without one)
//   count  the number of drawn elements
//   readout                    what Picture3 prints
std::string Nc(const Json& v) {
    return NcNumber(v.get<double>());
}

std::string Hundredths(double v) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", v);
    return text;
}

std::map<std::string, std::string> Measures(const Json& j) {
    std::map<std::string, std::string> m;
    const Json& ops = j["pictures"]["Picture1"];
    int count = 0;
    double cx = 0, cy = 0, face = 1e300;
    bool haveCentre = false, haveCorner = false;
    for (const Json& op : ops) {
        const std::string kind = op["op"];
        if (kind == "scale") {
            for (const char* k : {"height", "width", "left", "top"}) m[k] = Nc(op[k]);
            continue;
        }
        ++count;
        const std::string color = op.value("color", "");
        const std::string style = op.value("style", "");
        if (kind == "line" && color == "grayText" && style == "solid" && op["x1"] == op["x2"] &&
            !haveCentre) {
            cx = op["x1"], cy = (op["y1"].get<double>() + op["y2"].get<double>()) / 2;
            haveCentre = true;
            m["W"] = Nc(op["x1"]);
        } else if (kind == "line" && color == "#FFFF00" && style == "solid") {
            if (!haveCorner)
                m["L"] = Hundredths(
                    std::hypot(op["x1"].get<double>() - cx, op["y1"].get<double>() - cy));
            haveCorner = true;
            face = std::min({face, op["x1"].get<double>(), op["x2"].get<double>()});
            m["face"] = NcNumber(face);
        } else if (kind == "circle" && color == "#FF00FF") {
            m["chuck"] = Nc(op["r"]);
        } else if (kind == "circle" && color == "#FFFFFF") {
            m["cut"] = Nc(op["r"]);
        } else if (kind == "circle" && color == "grayText") {
            m["swing"] = Nc(op["r"]);
        } else if (kind == "circle" && color == "#00FF00") {
            m["bar"] = Nc(op["x"]) + " " + Nc(op["y"]) + " " + Nc(op["r"]);
        } else if (kind == "print" && color == "#FF0000") {
            m["message"] = op["text"];
        }
    }
    m["count"] = std::to_string(count);
    m.emplace("message", "");
    for (const Json& op : j["pictures"]["Picture3"])
        if (op["op"] == "print") m["readout"] = op["text"];
    return m;
}

const char* const kMissing = "機械データの'Machine.csv'ファイルが開けませんでした。";

const Row kRows[] = {
    // Loading fills the holder fields from record 0 though no machine is chosen; nothing drawn.
    {"LoadFillsHoldersFromTheFirstRecord",
     kTable,
     {},
     {{"Machine", ""},
      {"TurretX", ""},
      {"HolderType1", "インベース"},
      {"HolderH1", "45"},
      {"ToolD1", "32"},
      {"ToolL1", ""},
      {"HolderType2", "アウト-A"},
      {"HolderH2", "25"},
      {"ToolD2", "20"},
      {"ToolL2", "30"}},
     {},
     {{"count", "0"}}},
    {"ChoosingAMachine",
     kTable,
     {"click:Machine=1"},
     {{"Machine", "旋盤 V10-254,長尺"},
      {"TurretX", "120"},
      {"TurretY", "5"},
      {"MaxDia", "0"},
      {"HolderH1", "0"},
      {"ToolD1", "40"},
      {"HolderH2", "26"},
      {"ToolD2", "24"},
      {"ToolL2", "33"}},
     {{"V10", true}, {"V8", false}},
     {{"height", "360"}, {"W", "179"}, {"swing", "0"}}},
    {"OutA",
     kTable,
     {"click:Machine=0", "click:HolderType2=0"},
     {{"HolderH2", "25"}, {"ToolD2", "20"}, {"ToolL2", "30"}},
     {},
     {}},
    {"OutB",
     kTable,
     {"click:Machine=0", "click:HolderType2=1"},
     {{"HolderH2", "30"}, {"ToolD2", "20"}, {"ToolL2", "30"}},
     {},
     {}},
    {"OutFaceToolIsSeven",
     kTable,
     {"click:Machine=0", "click:HolderType2=2"},
     {{"HolderH2", "40"}, {"ToolD2", "20"}, {"ToolL2", "7"}},
     {},
     {}},
    {"InBase",
     kTable,
     {"click:Machine=0", "click:HolderType2=3"},
     {{"HolderH2", "45"}, {"ToolD2", "32"}, {"ToolL2", ""}},
     {},
     {}},
    {"MillFace",
     kTable,
     {"click:Machine=0", "click:HolderType2=4"},
     {{"HolderH2", "60"}, {"ToolD2", "16"}, {"ToolL2", ""}},
     {},
     {}},
    // (430 / 2 - 100) - 55: the side mill reaches the swing diameter.
    {"MillSideReachesTheSwingDiameter",
     kTable,
     {"click:Machine=0", "click:HolderType2=5"},
     {{"HolderH2", "55"}, {"ToolD2", "16"}, {"ToolL2", "60"}},
     {},
     {}},
    {"MillSideWithoutSwingDiameterTakesTheToolDiameter",
     kTable,
     {"click:Machine=1", "click:HolderType2=5"},
     {{"HolderH2", "61"}, {"ToolD2", "21"}, {"ToolL2", "21"}},
     {},
     {}},
    {"InterferingFrameMillSide",
     kTable,
     {"click:Machine=0", "click:HolderType1=5"},
     {{"HolderH1", "55"}, {"ToolD1", "16"}, {"ToolL1", "60"}},
     {},
     {}},
    {"TurretCentre",
     std::nullopt,
     TypeAndLeave({{"CutD", "50"}, {"ToolL2", "30"}, {"HolderH2", "25"}, {"TurretX", "100"}}),
     {},
     {},
     {{"W", "180"}, {"cut", "25"}}},
    {"ScaleThreeTurretDistancesHigh",
     std::nullopt,
     {"set:TurretX=100"},
     {},
     {},
     {{"height", "300"}, {"width", "450"}, {"left", "-135"}, {"top", "-186"}}},
    // The machine's polygon turret, W = 30 + 25 + 100: a face at W - TX towards the spindle.
    {"EightStationsFaceTheSpindle",
     kTable,
     {"click:Machine=0", "click:V8"},
     {},
     {},
     {{"L", "108.24"}, {"face", "55"}, {"W", "155"}}},
    {"SixStations",
     kTable,
     {"click:Machine=0", "click:V6"},
     {},
     {},
     {{"L", "115.47"}, {"face", "55"}}},
    {"TenStations",
     kTable,
     {"click:Machine=0", "click:V10"},
     {},
     {},
     {{"L", "105.15"}, {"face", "55"}}},
    {"InterferingToolOneStationOn",
     kTable,
     {"click:Machine=0"},
     {},
     {},
     {{"bar", "52.47 -102.53 16"}, {"swing", "215"}}},
    {"InterferingToolTwoStationsOn",
     kTable,
     {"click:Machine=0", "click:Side2"},
     {},
     {},
     {{"bar", "155 -145 16"}}},
    {"ChosenChuck",
     std::nullopt,
     {"set:TurretX=100", "click:CHUCK=2"},
     {{"CHUCK", "(10') 254"}},
     {},
     {{"chuck", "127"}}},
    {"TypedChuck", std::nullopt, {"set:TurretX=100", "set:CHUCK=200"}, {}, {}, {{"chuck", "100"}}},
    {"StationCountNoOptionHasLeavesTheOption",
     kTable,
     {"click:V12", "click:Machine=2"},
     {{"TurretX", "90"}},
     {{"V12", true}, {"V8", false}},
     {}},
    {"MissingFileMessage",
     std::nullopt,
     {},
     {{"Machine", ""}, {"HolderH1", ""}, {"HolderH2", ""}},
     {},
     {{"message", kMissing}, {"count", "1"}}},
    {"MessageStaysWhileTurretEmpty",
     std::nullopt,
     {"set:CutD=50", "set:HolderH2=20"},
     {},
     {},
     {{"message", kMissing}, {"count", "1"}}},
    {"MessageGivesWayToTheDrawing",
     std::nullopt,
     {"set:TurretX=100"},
     {},
     {},
     {{"W", "100"}, {"message", ""}}},
    {"MessageBackWhenTurretCleared",
     std::nullopt,
     {"set:TurretX=100", "set:TurretX="},
     {},
     {},
     {{"message", kMissing}, {"height", "6300"}}},
    {"ZeroTurretDrawsNothing",
     kTable,
     {"click:Machine=0", "set:TurretX=abc"},
     {},
     {},
     {{"count", "0"}}},
    {"Readout",
     std::nullopt,
     {"set:TurretX=100", "mouse:Picture1=12.5,-20.25"},
     {},
     {},
     {{"readout", "X 12  Y 20  φ 47 "}}},
    {"ReadoutOfNegatives",
     std::nullopt,
     {"set:TurretX=100", "mouse:Picture1=-0.5,0.5"},
     {},
     {},
     {{"readout", "X-1  Y-1  φ 1 "}}},
};

class TurretCli : public ::testing::TestWithParam<Row> {};

TEST_P(TurretCli, ShowsTheTextsAndTheDrawing) {
    const Row& row = GetParam();
    TempDir dir;
    if (row.table) WriteBytes(dir / "Machine.CSV", cp932::FromUtf8(*row.table).value());
    std::vector<std::string> args{"--program-folder", dir.Path().string(), "frmTurret"};
    args.insert(args.end(), row.steps.begin(), row.steps.end());
    const CliResult r = RunCli(args);
    ASSERT_EQ(r.status, 0) << r.err;
    for (const auto& [name, text] : row.texts) EXPECT_EQ(r.json["texts"][name], text) << name;
    for (const auto& [name, value] : row.values) EXPECT_EQ(r.json["values"][name], value) << name;
    const auto measured = Measures(r.json);
    for (const auto& [what, text] : row.drawn) {
        const auto found = measured.find(what);
        ASSERT_NE(found, measured.end()) << what << " not drawn";
        EXPECT_EQ(found->second, text) << what;
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, TurretCli, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TurretCliTable, TheMachineListInFileOrder) {
    TempDir dir;
    WriteBytes(dir / "machine.csv", cp932::FromUtf8(kTable).value());
    const CliResult r = RunCli({"--program-folder", dir.Path().string(), "frmTurret"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.json["lists"]["Machine"],
              Json::array({"旋盤 V8-210", "旋盤 V10-254,長尺", "試作機"}));
}

TEST(TurretCliTable, TheFiftySecondRecordIsNotRead) {
    TempDir dir;
    WriteBytes(dir / "Machine.CSV", Lines(52));
    const CliResult r = RunCli({"--program-folder", dir.Path().string(), "frmTurret"});
    ASSERT_EQ(r.status, 0) << r.err;
    const Json& list = r.json["lists"]["Machine"];
    ASSERT_EQ(list.size(), 51u);
    EXPECT_EQ(list.back(), "M51");
}

}  // namespace
}  // namespace quillon::testkit
