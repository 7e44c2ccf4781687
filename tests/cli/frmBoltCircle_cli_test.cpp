// frmBoltCircle end to end: the holes of a pitch circle as listed, copied and drawn.
#include <algorithm>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "support/cli_json.h"

namespace quillon::testkit {
namespace {

constexpr const char* kPrompt = "P.C.D.と穴数を入力してください";

// D, N, start angle and centre typed and left field by field, then the further steps.
std::vector<std::string> Pattern(const char* d, const char* n, const char* a0 = "",
                                 const char* xc = "", const char* yc = "",
                                 const std::vector<std::string>& then = {}) {
    return TypeAndLeave({{"Text1", d}, {"Text2", n}, {"Text3", a0}, {"Text4", xc}, {"Text5", yc}}) +
           then;
}

struct BoltRow {
    const char* name;
    std::vector<std::string> steps;
    size_t holes;                                       // List1's lines; 0: the pattern is invalid
    std::vector<std::pair<size_t, std::string>> lines;  // line number (from 1), its text
    std::optional<std::string> clipboard = std::nullopt;  // nullopt: not checked
    // True when the steps copy nothing: the clipboard stays null, the control's window is
    // not brought forward.
    bool clipboardUntouched = false;
};

// The window run as on the control, where every copy brings the control's window forward.
Json RunOnControl(const std::vector<std::string>& steps) {
    std::vector<std::string> args{"--on-control", "frmBoltCircle"};
    args.insert(args.end(), steps.begin(), steps.end());
    const CliResult r = RunCli(args);
    EXPECT_EQ(r.status, 0) << r.err;
    return r.status == 0 ? r.json : Json::object();
}

void PrintTo(const BoltRow& row, std::ostream* os) {
    *os << row.name;
}

const BoltRow kRows[] = {
    // The worked examples.
    {"SixHolesAsCBlocks",
     Pattern("100", "6", "", "", "", {"click:Command2"}),
     6,
     {{2, "  2         25     43.301        100        60"}},
     "C0 X100\r\nC60 X100\r\nC120 X100\r\nC180 X100\r\nC240 X100\r\nC300 X100\r\n"},
    {"FourHolesAsXYBlocks",
     Pattern("100", "4", "", "", "", {"click:Command1"}),
     4,
     {{4, "  4          0        -50        100       270"}},
     "X50 Y0\r\nX0 Y50\r\nX-50 Y0\r\nX0 Y-50\r\n"},
    {"OffCentrePattern",
     Pattern("40", "4", "45", "30", "-10", {"click:Command2"}),
     4,
     {{1, "  1     44.142      4.142     88.672     5.361"}},
     "C5.361 X88.672\r\nC14.639 X32.78\r\nC303.299 X57.769\r\nC331.325 X100.625\r\n"},
    {"SelectedHole",
     Pattern("80", "5", "18", "", "", {"click:List1=2", "click:Command3"}),
     5,
     {{3, "  3    -38.042     12.361         80       162"}},
     "C162 X80"},
    {"HoleOnTheCentreOfRotation",
     Pattern("20", "2", "180", "10", "", {"click:Command2"}),
     2,
     {{1, "  1          0          0          0         0"}},
     "C0 X0\r\nC0 X40\r\n"},
    {"NoCountCopiesNothing", Pattern("100", "", "", "", "", {"click:Command2"}), 0, {}, {}, true},
    {"ZeroHoles", Pattern("100", "0"), 0, {}},
    {"FractionOfAHole", Pattern("100", "2.5"), 0, {}},
    // Angles.
    {"NegativeStartAngle",
     Pattern("100", "4", "-90"),
     4,
     {{1, "  1          0        -50        100       270"},
      {2, "  2         50          0        100         0"}}},
    {"StartBeyondAFullTurn",
     Pattern("100", "2", "450"),
     2,
     {{1, "  1          0         50        100        90"}}},
    {"AlmostAFullTurnReadsC0",
     Pattern("100", "1", "359.9996", "", "", {"click:Command2"}),
     1,
     {{1, "  1         50          0        100         0"}},
     "C0 X100\r\n"},
    // Counts.
    {"OneHole",
     Pattern("10", "1", "30"),
     1,
     {{1, "  1       4.33        2.5         10        30"}}},
    {"WholeNumberWithAPoint",
     Pattern("100", "3.0"),
     3,
     {{2, "  2        -25     43.301        100       120"}}},
    {"MostHoles",
     Pattern("100", "360"),
     360,
     {{91, " 91          0         50        100        90"},
      {360, "360     49.992     -0.873        100       359"}}},
    {"TooManyHoles", Pattern("100", "361"), 0, {}},
    {"NegativeCount", Pattern("100", "-4"), 0, {}},
    {"BlankCountReadsZero", Pattern("100", " "), 0, {}},
    // Diameters.
    {"ZeroDiameter", Pattern("0", "4", "", "", "", {"click:Command1"}), 0, {}, {}, true},
    {"NegativeDiameter", Pattern("-100", "4"), 0, {}},
    {"NoDiameter", Pattern("", "4"), 0, {}},
    {"LongTextsAreNotCut",
     Pattern("2e12", "1"),
     1,
     {{1, "  11000000000000          02000000000000         0"}}},
    // Absurd values end in the invalid pattern rather than in "inf".
    {"DiameterBeyondTheTextRange",
     Pattern("1e306", "4", "", "", "", {"click:Command2"}),
     0,
     {},
     {},
     true},
    {"DiameterOverflowsWhileRead", Pattern("1E400", "4"), 0, {}},
    {"CentreAndDiameterOverflow", Pattern("1e308", "4", "", "1e308"), 0, {}},
    // Centres that put a hole on or next to the centre of rotation: no angle there.
    {"CentreOffsetOntoTheAxis",
     Pattern("20", "4", "", "-10"),
     4,
     {{1, "  1          0          0          0         0"},
      {3, "  3        -20          0         40       180"}}},
    {"HoleJustBesideTheCentre",
     Pattern("20", "1", "", "-10.0001", "0.0001"),
     1,
     {{1, "  1          0          0          0         0"}}},
    // The selection: a recalculation clears it, the list's Enter copies as Command3 does.
    {"NoSelectionCopiesHole1",
     Pattern("80", "5", "18", "", "", {"click:Command3"}),
     5,
     {},
     "C18 X80"},
    {"RecalculationClearsTheSelection",
     Pattern("80", "5", "18", "", "",
             {"click:List1=2", "set:Text3=18", "leave:Text3", "click:Command3"}),
     5,
     {},
     "C18 X80"},
    {"EnterInTheListCopiesTheSelectedHole",
     Pattern("80", "5", "18", "", "", {"click:List1=4", "key:Enter"}),
     5,
     {{5, "  5     23.511    -32.361         80       306"}},
     "C306 X80"},
    // What was copied stays on the clipboard when the pattern turns invalid.
    {"InvalidAfterACopyKeepsTheClipboard",
     Pattern("100", "2", "", "", "",
             {"click:Command2", "set:Text2=0", "leave:Text2", "click:Command2", "click:Command3"}),
     0,
     {},
     "C0 X100\r\nC180 X100\r\n"},
};

class BoltCircleCli : public ::testing::TestWithParam<BoltRow> {};

TEST_P(BoltCircleCli, ListsAndCopiesTheHoles) {
    const BoltRow& row = GetParam();
    const Json j = RunOnControl(row.steps);
    const auto lines = j["lists"]["List1"].get<std::vector<std::string>>();
    ASSERT_EQ(lines.size(), row.holes);
    for (const auto& [number, text] : row.lines) EXPECT_EQ(lines.at(number - 1), text);
    if (row.clipboard) {
        EXPECT_EQ(j["clipboard"], *row.clipboard);
        EXPECT_EQ(j["activations"], 1);  // one copy, the control's window brought forward
    }
    if (row.clipboardUntouched) {
        EXPECT_EQ(j["clipboard"], nullptr);
        EXPECT_EQ(j["activations"], 0);
    }
    const Json& figure = j["pictures"]["Picture1"];
    if (row.holes == 0) {
        // The prompt alone, in red, after the scale.
        ASSERT_EQ(figure.size(), 2u) << figure.dump();
        EXPECT_EQ(figure[1]["op"], "print");
        EXPECT_EQ(figure[1]["color"], "#FF0000");
        EXPECT_EQ(figure[1]["text"], kPrompt);
    } else {
        // Every hole drawn as a circle and numbered, hole 1 in its own colour.
        size_t circles = 0, numbers = 0;
        for (const Json& op : figure) {
            circles += op["op"] == "circle";
            if (op["op"] == "print") {
                ++numbers;
                EXPECT_EQ(op["color"], numbers == 1 ? "#FF0000" : "#FFFFFF") << op.dump();
                EXPECT_EQ(op["text"], std::to_string(numbers));
            }
        }
        EXPECT_EQ(circles, row.holes + 1);  // the pitch circle too
        EXPECT_EQ(numbers, row.holes);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, BoltCircleCli, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

// The display cells of a text: Japanese characters take two.
size_t Cells(const std::string& s) {
    size_t n = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if ((c & 0xC0) == 0x80) continue;
        n += c >= 0xE0 ? 2 : 1;
    }
    return n;
}

TEST(BoltCircleHeading, StandsOverTheColumns) {
    const Json j = RunCli("frmBoltCircle", Pattern("40", "4", "45", "30", "-10"));
    const std::string heading = j["texts"]["Text6"];
    EXPECT_EQ(heading, "No.          X          Y    X(直径)         C");
    EXPECT_NE(std::find(j["locked"].begin(), j["locked"].end(), "Text6"), j["locked"].end());
    // Each column ends in the same cell in the heading and in every line.
    for (const std::string line : j["lists"]["List1"]) {
        ASSERT_EQ(Cells(heading), line.size()) << line;
        for (const size_t end : {2u, 13u, 24u, 35u, 45u}) EXPECT_NE(line[end], ' ') << line;
    }
    for (const size_t end : {2u, 13u, 24u}) EXPECT_NE(heading[end], ' ');
    EXPECT_EQ(heading.substr(heading.size() - 10), "         C");
}

TEST(BoltCircleCli, EnterWalksTheFields) {
    const std::vector<std::pair<const char*, const char*>> chain = {{"Text1", "Text2"},
                                                                    {"Text2", "Text3"},
                                                                    {"Text3", "Text4"},
                                                                    {"Text4", "Text5"},
                                                                    {"Text5", "Text1"}};
    for (const auto& [from, to] : chain) {
        const Json j = RunCli("frmBoltCircle", {std::string("focus:") + from, "key:Enter"});
        EXPECT_EQ(j["focus"], to) << from;
    }
}

TEST(BoltCircleCli, OpensWithThePrompt) {
    const Json j = RunCli("frmBoltCircle", {});
    EXPECT_EQ(j["caption"], " 穴位置 P.C.D.");
    EXPECT_EQ(j["lists"]["List1"], Json::array());
    ASSERT_EQ(j["pictures"]["Picture1"].size(), 2u);
    EXPECT_EQ(j["pictures"]["Picture1"][1]["text"], kPrompt);
}

TEST(BoltCircleCli, ReadsTheMouseAsXYAndXC) {
    const Json j =
        RunCli("frmBoltCircle", Pattern("100", "4", "", "", "", {"mouse:Picture1=0,-25"}));
    EXPECT_EQ(j["pictures"]["Picture3"][1]["text"], "X 0  Y 25 ");
    EXPECT_EQ(j["pictures"]["Picture5"][1]["text"], "X 50  C 90 ");
    EXPECT_EQ(RunCli("frmBoltCircle", {"mouse:Picture1=1,1", "mouse:Form"})["hidden"],
              Json::array({"Picture3", "Picture5"}));
}

}  // namespace
}  // namespace quillon::testkit
