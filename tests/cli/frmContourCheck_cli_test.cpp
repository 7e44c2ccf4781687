// frmContourCheck end to end: blocks typed into Text1, checked when the field is left, with
// the list and the summary as quillon-cli shows them.
#include <string>
#include <vector>

#include "support/cli_json.h"

namespace quillon::testkit {
namespace {

struct Row {
    const char* name;
    std::vector<std::string> lines;  // Text1, joined with CR LF
    std::vector<std::string> list;
    const char* summary;
    const char* lineEnd = "\r\n";
};

void PrintTo(const Row& row, std::ostream* os) {
    *os << row.name;
}

const std::string kE305 = "1" + std::string(305, '0');  // 1e305: thousandths still finite

const Row kRows[] = {
    // The examples of the window's description.
    {"UndercutForward",
     {"N000 G01 X44 Z-15.268", "N000     X40.268 Z-18.5", "N000 G02 X42 Z-20 L1"},
     {"  1 始点 X44 Z-15.268", "  2 G01 X40.268 Z-18.5", "  3 G02 X42 Z-20 R1"},
     "移動 2  異常なし"},
    {"UndercutByCentre",
     {"G01 X44 Z-15.268", "X40.268 Z-18.5", "G02 X42 Z-20 I0.866 K-0.5"},
     {"  1 始点 X44 Z-15.268", "  2 G01 X40.268 Z-18.5", "  3 G02 X42 Z-20 R1"},
     "移動 2  異常なし"},
    {"RightAngle",
     {"G00 X20 Z2", "G01 Z-10", "X40"},
     {"  1 始点 X20 Z2", "  2 G01 X20 Z-10", "  3 G01 X40 Z-10  角 90°"},
     "移動 2  異常なし"},
    {"TangentArc",
     {"G01 X20 Z0", "Z-10", "G02 X30 Z-15 L5", "G01 X40"},
     {"  1 始点 X20 Z0", "  2 G01 X20 Z-10", "  3 G02 X30 Z-15 R5", "  4 G01 X40 Z-15"},
     "移動 3  異常なし"},
    {"EndOffTheCircle",
     {"G01 X20 Z0", "G03 X30 Z-5 I0 K-4"},
     {"  1 始点 X20 Z0", "  2 G03 X30 Z-5  終点ずれ 1.099"},
     "移動 1  異常 1"},
    {"Faults",
     {"G01 X0 Z0", "G02 X40 Z-10 L5", "%%", "G03 X50 Z-20"},
     {"  1 始点 X0 Z0", "  2 G02 X40 Z-10  半径不足", "  3 読めない文字",
      "  4 G03 X50 Z-20  半径指定なし"},
     "移動 2  異常 3"},
    {"Finish",
     {"(FINISH)", "G00 X100 Z5", "G01 X20 Z0 F0.2 (FACE)", "Z-10", "G03 X30 Z-15 L5", "G01 X40",
      "G00 X100 Z5"},
     {"  2 始点 X100 Z5", "  3 G01 X20 Z0", "  4 G01 X20 Z-10  角 82.875°",
      "  5 G03 X30 Z-15 R5  角 90°", "  6 G01 X40 Z-15  角 90°", "  7 G00 X100 Z5"},
     "移動 5  異常なし"},
    {"Empty", {}, {}, "移動 0  異常なし"},

    // Line ends, comments, block delete, letter case.
    {"CarriageReturnsOnly",
     {"G00 X20 Z2", "G01 Z-10", "X40"},
     {"  1 始点 X20 Z2", "  2 G01 X20 Z-10", "  3 G01 X40 Z-10  角 90°"},
     "移動 2  異常なし",
     "\r"},
    {"LineFeedsOnly",
     {"", "G01 X20 Z0", "", "Z-5"},
     {"  2 始点 X20 Z0", "  4 G01 X20 Z-5"},
     "移動 1  異常なし",
     "\n"},
    {"Comments",
     {"(START) G00 X10 Z0 (X99)", "G01 Z-5 (NO CLOSE X99", "G01 X20) Z-5"},
     {"  1 始点 X10 Z0", "  2 G01 X10 Z-5", "  3 読めない文字"},
     "移動 1  異常 1"},
    {"BlockDelete",
     {"/G01 X20 Z0", "/ G01 Z-5", "//Z-5", "\t/N10 Z-6  "},
     {"  1 始点 X20 Z0", "  2 読めない文字", "  3 読めない文字", "  4 G01 X20 Z-6"},
     "移動 1  異常 2"},
    {"LowerCase",
     {"g00 x20 z2", "g01 z-10", "x40"},
     {"  1 始点 X20 Z2", "  2 G01 X20 Z-10", "  3 G01 X40 Z-10  角 90°"},
     "移動 2  異常なし"},

    // Words.
    {"ModeByValue",
     {"G0 X20 Z0", "G1.0 Z-10", "G00 G04 X30", "G2.5 Z-20"},
     {"  1 始点 X20 Z0", "  2 G01 X20 Z-10", "  3 G01 X30 Z-10  角 90°",
      "  4 G01 X30 Z-20  角 90°"},
     "移動 3  異常なし"},
    {"DuplicateLettersLastCounts",
     {"G01 X20 Z0", "X30 X40 Z-5 Z-10"},
     {"  1 始点 X20 Z0", "  2 G01 X40 Z-10"},
     "移動 1  異常なし"},
    {"NumberForms",
     {"G01X-.5Z12.", "X+1.5 Z.25", "X1.2.3", "X.", "X 20", "Z-"},
     {"  1 始点 X-0.5 Z12", "  2 G01 X1.5 Z0.25", "  3 読めない文字", "  4 読めない文字",
      "  5 読めない文字", "  6 読めない文字"},
     "移動 1  異常 4"},
    {"FullWidthDigitsAndLetters",
     {"G01 X２０ Z0", "Ｇ01 X20 Z0", "G01 X20 Z0"},
     {"  1 読めない文字", "  2 読めない文字", "  3 始点 X20 Z0"},
     "移動 0  異常 2"},
    {"HugeNumbers",
     {"G01 X" + kE305 + " Z0", "X2" + kE305.substr(1) + " Z1", "X1" + std::string(400, '0'),
      "Z0." + std::string(400, '0') + "1"},
     {"  1 始点 X1E+305 Z0", "  2 読めない文字", "  3 読めない文字",
      "  4 G01 X1E+305 Z0  移動なし"},
     "移動 1  異常 2"},
    {"HugeArcRadius",
     {"G01 X0 Z0", "G03 X0 Z0 I15" + kE305.substr(2) + " K15" + kE305.substr(2)},
     {"  1 始点 X0 Z0", "  2 G03 X0 Z0 R2.12132034355964E+305"},
     "移動 1  異常なし"},

    // The arc of "G02 X0 Z-15 L10" scaled by 1e304: its centre still found.
    {"HugeArcByRadius",
     {"G01 X0 Z0", "G02 X0 Z-15" + kE305.substr(2) + " L" + kE305, "G01 X10"},
     {"  1 始点 X0 Z0", "  2 G02 X0 Z-1.5E+305 R1E+305", "  3 G01 X10 Z-1.5E+305  角 41.41°"},
     "移動 2  異常なし"},

    // Arcs.
    {"NegativeRadiusTakesTheLongWay",
     {"G01 X0 Z0", "G02 X20 Z-10 L-10", "G01 X40"},
     {"  1 始点 X0 Z0", "  2 G02 X20 Z-10 R10", "  3 G01 X40 Z-10  角 90°"},
     "移動 2  異常なし"},
    {"RadiusWithinTolerance",
     {"G01 X0 Z0", "G02 X0 Z-10.0009 L5", "G02 X0 Z-20.0029 L5"},
     {"  1 始点 X0 Z0", "  2 G02 X0 Z-10.001 R5", "  3 G02 X0 Z-20.003  半径不足"},
     "移動 2  異常 1"},
    {"LZeroIsNoRadius",
     {"G01 X20 Z0", "G03 X30 Z-5 L0 K-5", "G03 X40 Z-10 L0"},
     {"  1 始点 X20 Z0", "  2 G03 X30 Z-5 R5", "  3 G03 X40 Z-10  半径指定なし"},
     "移動 2  異常 1"},
    {"FullCircleKeepsTheChain",
     {"G01 X20 Z0", "Z-10", "G02 X20 Z-10 I5", "G01 X30"},
     {"  1 始点 X20 Z0", "  2 G01 X20 Z-10", "  3 G02 X20 Z-10 R5", "  4 G01 X30 Z-10  角 90°"},
     "移動 3  異常なし"},
    {"ArcOfChordZeroShowsItsRadius",
     {"G01 X20 Z0", "Z-10", "G02 Z-10 L5", "G01 X30"},
     {"  1 始点 X20 Z0", "  2 G01 X20 Z-10", "  3 G02 X20 Z-10 R5  移動なし",
      "  4 G01 X30 Z-10  角 90°"},
     "移動 3  異常なし"},
    {"StillRapidBreaksTheChain",
     {"G01 X20 Z0", "Z-10", "G00 Z-10", "G01 X30"},
     {"  1 始点 X20 Z0", "  2 G01 X20 Z-10", "  3 G00 X20 Z-10  移動なし", "  4 G01 X30 Z-10"},
     "移動 3  異常なし"},
    {"FaultBreaksTheChain",
     {"G01 X20 Z0", "Z-10", "G03 Z-20", "G01 X30"},
     {"  1 始点 X20 Z0", "  2 G01 X20 Z-10", "  3 G03 X20 Z-20  半径指定なし", "  4 G01 X30 Z-20"},
     "移動 3  異常 1"},
    {"StartNeedsBothCoordinates",
     {"G00 X20", "M03 S1000", "Z5", "G01 Z0"},
     {"  3 始点 X20 Z5", "  4 G01 X20 Z0"},
     "移動 1  異常なし"},
};

class ContourCheck : public ::testing::TestWithParam<Row> {};

TEST_P(ContourCheck, ListsEveryBlock) {
    const Row& row = GetParam();
    std::string text;
    for (size_t i = 0; i < row.lines.size(); ++i) text += (i ? row.lineEnd : "") + row.lines[i];
    const Json j = RunCli("frmContourCheck", {"set:Text1=" + text, "leave:Text1"});
    EXPECT_EQ(j["lists"]["List1"], Json(row.list));
    EXPECT_EQ(j["texts"]["Label1"], row.summary);
    // Drawn to the end: no fault text in place of the figure, every coordinate a number.
    for (const auto& op : j["pictures"]["Picture1"]) {
        EXPECT_NE(op["op"], "print") << op.dump();
        for (const auto& [key, value] : op.items())
            if (key != "op" && key != "color" && key != "style" && key != "text") {
                EXPECT_TRUE(value.is_number()) << op.dump();
            }
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, ContourCheck, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

// Typed key by key: Enter starts a new line; the button checks.
TEST(ContourCheckWindow, EnterTypesANewLineAndTheButtonChecks) {
    std::vector<std::string> steps{"focus:Text1", "set:Text1=G01 X20 Z0", "key:Enter"};
    for (const char c : std::string("Z-10")) steps.push_back(std::string("key:") + c);
    steps.push_back("click:Command1");
    const Json j = RunCli("frmContourCheck", steps);
    EXPECT_EQ(j["texts"]["Text1"], "G01 X20 Z0\r\nZ-10");
    EXPECT_EQ(j["lists"]["List1"], Json({"  1 始点 X20 Z0", "  2 G01 X20 Z-10"}));
    EXPECT_EQ(j["texts"]["Label1"], "移動 1  異常なし");
    EXPECT_EQ(j["focus"], "Command1");
}

// The tangent arc of the examples as drawn: an arc op around (Z -10, X 30), radius 5, from
// straight below the centre on screen a quarter turn towards the start of the next line.
TEST(ContourCheckWindow, DrawsArcsAsArcs) {
    const Json j =
        RunCli("frmContourCheck",
               {"set:Text1=G01 X20 Z0\r\nZ-10\r\nG02 X30 Z-15 L5\r\nG01 X40", "leave:Text1"});
    std::vector<Json> arcs, lines;
    for (const auto& op : j["pictures"]["Picture1"]) {
        if (op["op"] == "arc") arcs.push_back(op);
        if (op["op"] == "line" && op["color"] == "#FFFF0F") lines.push_back(op);
    }
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_NEAR(arcs[0]["x"].get<double>(), -10, 1e-9);
    EXPECT_NEAR(arcs[0]["y"].get<double>(), -15, 1e-9);
    EXPECT_NEAR(arcs[0]["r"].get<double>(), 5, 1e-12);
    EXPECT_NEAR(arcs[0]["start"].get<double>(), 90, 1e-9);
    EXPECT_NEAR(arcs[0]["sweep"].get<double>(), 90, 1e-9);
    EXPECT_EQ(arcs[0]["style"], "solid");
    EXPECT_EQ(lines.size(), 2u);  // the two G01 moves, yellow
}

TEST(ContourCheckWindow, OpensChecked) {
    const Json j = RunCli("frmContourCheck", {});
    EXPECT_EQ(j["caption"], " 形状チェック");
    EXPECT_EQ(j["texts"]["Label1"], "移動 0  異常なし");
    EXPECT_EQ(j["texts"]["Label2"], "NCブロック（貼り付け）");
    EXPECT_EQ(j["values"]["Check1"], true);
    EXPECT_EQ(j["focus"], "Text1");
}

}  // namespace
}  // namespace quillon::testkit
