// frmCalc end to end: each row is a key sequence written with the button captions, run once
// by clicking the buttons and once by typing the keys; both must show the same display, prompt
// line and clipboard.
#include <algorithm>
#include <cctype>
#include <optional>
#include <sstream>

#include "support/cli_json.h"

namespace quillon::testkit {
namespace {

// A caption, the button it names and the keys that press it (none: the button has no key).
struct Cap {
    const char* caption;
    const char* control;
    std::vector<const char*> keys;
};

const std::vector<Cap>& Caps() {
    static const std::vector<Cap> caps = {
        {"0", "Number(0)", {"0"}},
        {"1", "Number(1)", {"1"}},
        {"2", "Number(2)", {"2"}},
        {"3", "Number(3)", {"3"}},
        {"4", "Number(4)", {"4"}},
        {"5", "Number(5)", {"5"}},
        {"6", "Number(6)", {"6"}},
        {"7", "Number(7)", {"7"}},
        {"8", "Number(8)", {"8"}},
        {"9", "Number(9)", {"9"}},
        {".", "Decima", {"."}},
        {"/", "Operator(0)", {"/"}},
        {"+", "Operator(1)", {"+"}},
        {"X", "Operator(2)", {"*"}},
        {"-", "Operator(3)", {"-"}},
        {"=", "Operator(4)", {"Enter"}},
        {"[=]", "Operator(4)", {"="}},  // the "=" character rather than Enter
        {"C", "CancelEntry", {"Backspace"}},
        {"AC", "Cancel", {"Esc"}},
        {"PI", "Pai", {"p"}},
        {"+/-", "PlasMuns", {}},
        {"√", "SQRT", {"R"}},
        {"x²", "Square", {"x"}},
        {"1/x", "Gyakusu", {"Shift", "x"}},
        {"shift", "swINV", {"Shift"}},
        {"Sin", "swSIN", {"s"}},
        {"Cos", "swCOS", {"C"}},
        {"Tan", "swTAN", {"t"}},
        {"Min", "MS", {"m"}},
        {"MR", "MRead", {"Shift", "M"}},
        {"M+", "MP", {}},
        {"N", "Command1", {"N"}},
        {"V", "Command2", {"v"}},
        {"F", "Command3", {"f"}},
        {"T", "Command4", {"G"}},
        {"H", "Command5", {"h"}},
    };
    return caps;
}

const Cap* FindCap(const std::string& caption) {
    for (const Cap& c : Caps())
        if (caption == c.caption) return &c;
    return nullptr;
}

// The words of a row: captions, and numbers written whole ("150", "3.2") that stand for
// their digit keys.
std::vector<const Cap*> Presses(const std::string& sequence) {
    std::vector<const Cap*> out;
    std::istringstream words(sequence);
    std::string word;
    while (words >> word) {
        if (const Cap* c = FindCap(word)) {
            out.push_back(c);
            continue;
        }
        for (char ch : word) {
            const Cap* digit = FindCap(std::string(1, ch));
            EXPECT_TRUE(digit && (std::isdigit(static_cast<unsigned char>(ch)) || ch == '.'))
                << "no key " << word;
            if (digit) out.push_back(digit);
        }
    }
    return out;
}

std::vector<std::string> ClickSteps(const std::string& sequence) {
    std::vector<std::string> steps;
    for (const Cap* c : Presses(sequence)) steps.push_back(std::string("click:") + c->control);
    return steps;
}

// The key steps, or nothing when a button of the row has no key.
std::optional<std::vector<std::string>> KeySteps(const std::string& sequence) {
    std::vector<std::string> steps;
    for (const Cap* c : Presses(sequence)) {
        if (c->keys.empty()) return std::nullopt;
        for (const char* k : c->keys) steps.push_back(std::string("key:") + k);
    }
    return steps;
}

struct Row {
    const char* name;
    const char* keys;       // captions, blank separated
    const char* display;    // Readout
    const char* label1;     // the prompt line; nullptr: hidden
    const char* clipboard;  // nullptr: nothing copied
    bool memoryMark = false;
};

void PrintTo(const Row& row, std::ostream* os) {
    *os << row.keys;
}

const Row kRows[] = {
    // Precedence and the evaluation table; every operator copies the display.
    {"MultiplicationFirst", "2 + 3 X 4 =", "14", nullptr, "14"},
    {"AdditionAfterMultiplication", "2 X 3 + 4 =", "10", nullptr, "10"},
    {"HeldSubtractionOverTwoProducts", "10 - 2 X 3 X 2 =", "-2", nullptr, "-2"},
    {"HeldAdditionShowsTheRightOperand", "2 + 3 X", "3", nullptr, "3"},
    {"EqualsWithoutSecondOperand", "7 + =", "7.", nullptr, "7"},
    {"EqualsCharacterActsAsEnter", "5 + 3 [=]", "8", nullptr, "8"},
    // A number typed after "=" starts the next calculation before any operator.
    {"NumberAfterEqualsBeforeTimes", "5 + 3 = 4 X 2 =", "8", nullptr, "8"},
    {"NumberAfterEqualsBeforeDivide", "5 + 3 = 9 / 3 =", "3", nullptr, "3"},
    {"ResultTimesAfterEquals", "5 + 3 = X 2 =", "16", nullptr, "16"},
    {"NumberAfterEqualsBeforePlus", "5 + 3 = 4 + 1 =", "5", nullptr, "5"},
    // Leading minus signs; a lone minus is not copied.
    {"MinusForSecondOperand", "5 X - 3 =", "-15", nullptr, "-15"},
    {"LoneMinusKeepsTheClipboard", "5 X -", "-", nullptr, "5"},
    {"SecondMinusKeepsTheFirstOperand", "5 X - - 3 =", "-15", nullptr, "-15"},
    {"MinusForFirstOperand", "- 5 + 1 =", "-4", nullptr, "-4"},
    {"MinusAfterEqualsSubtracts", "5 = - 2 =", "3", nullptr, "3"},
    // Nine decimals, exponent forms, number entry.
    {"NineDecimals", "1 / 3 =", "0.333333333", nullptr, "0.333"},
    {"SmallResultInExponentForm", ". 00001 + 0 =", "1E-05", nullptr, "0"},
    {"PointThenDigit", ". 5", "0.5", nullptr, nullptr},
    {"SecondPointChangesNothing", "5 . . 2", "5.2", nullptr, nullptr},
    {"DigitAfterPiGoesBeforeThePoint", "PI 2", "32.", nullptr, nullptr},
    {"Pi", "PI", "3.141592653589", nullptr, nullptr},
    {"DigitAfterWholeRootHasNoPoint", "4 √ 5", "Error", nullptr, nullptr},
    {"DigitAfterRootGoesBeforeThePoint", "2 √ 5", "15.", nullptr, nullptr},
    {"Root", "2 √", "1.4142135623731", nullptr, nullptr},
    {"LargeSquareInExponentForm", "9 x² x² x² x²", "1.85302018885184E+15", nullptr, nullptr},
    {"Reciprocal", "4 1/x", "0.25", nullptr, nullptr},
    {"ReciprocalOfZeroKeepsTheDisplay", "0 1/x", "0.", nullptr, nullptr},
    {"SignChange", "1.5 +/-", "-1.5", nullptr, nullptr},
    {"ClearEntryKeepsTheCalculation", "5 + 3 C 4 =", "9", nullptr, "9"},
    // Trigonometry in degrees with the start-up value of pi, shift for one function only.
    {"Sine", "30 Sin", "0.499999999999886", nullptr, nullptr},
    {"ArcSine", ". 5 shift Sin", "30.0000000000076", nullptr, nullptr},
    {"ArcCosineOutOfRange", "2 shift Cos", "Error", nullptr, nullptr},
    {"ArcCosine", ". 5 shift Cos", "60.0000000000151", nullptr, nullptr},
    {"ShiftLastsOneFunction", ". 5 shift Sin Sin", "0.5", nullptr, nullptr},
    {"ShiftTwiceIsOff", "45 shift shift Tan", "0.999999999999603", nullptr, nullptr},
    {"ArcTangent", "1 shift Tan", "45.0000000000114", nullptr, nullptr},
    // Errors: "Error" stays on the display, the next number starts afresh; never inf or nan.
    {"DivisionByZero", "1 / 0 =", "Error", nullptr, "1"},
    {"NextCalculationAfterError", "1 / 0 = C 5 + 2 =", "7", nullptr, "7"},
    {"NumberAfterErrorStartsAfresh", "1 / 0 = 5 + 2 =", "7", nullptr, "7"},
    {"OperatorOnError", "1 / 0 = + 2 =", "2.", nullptr, "2"},
    {"RootOfNegative", "- 4 √", "Error", nullptr, "0"},
    {"RootOfNegativeKeepsTheCalculation", "3 + 4 +/- √ AC 2 + 2 =", "4", nullptr, "4"},
    {"SquareOverflow", "9 x² x² x² x² x² x² x² x² x²", "Error", nullptr, nullptr},
    {"ProductOverflow", "9 x² x² x² x² x² x² x² x² X 9 x² x² x² x² x² x² x² x² =", "Error", nullptr,
     "1.9323349832289E+244"},
    {"SignOfLoneMinus", "5 X - +/-", "Error", nullptr, "5"},
    // Memory.
    {"MemoryInAndRead", "5 Min AC MR", "5", nullptr, nullptr, true},
    {"DigitAfterMemoryAddGoesOn", "5 M+ 3", "53.", nullptr, nullptr, true},
    {"MemoryAdd", "5 M+ AC 3 M+ MR", "8", nullptr, nullptr, true},
    {"EmptyMemoryAddZeroShowsNoMark", "0 M+", "0.", nullptr, nullptr},
    {"MemoryOfError", "1 / 0 = Min", "Error", nullptr, "1"},
    // The machining functions.
    {"SpindleSpeedFirstStep", "N 150 =", "0.", "直径(mm) =", "150"},
    {"SpindleSpeed", "N 150 = 50 =", "955", "回転数(min-1) =", "955"},
    {"SpindleSpeedDiameterCalculated", "N 150 = 100 / 2 =", "955", "回転数(min-1) =", "955"},
    {"SpindleSpeedZeroDiameter", "N 150 = 0 =", "Error", "直径(mm) =", "0"},
    {"SpindleSpeedRetriedAtItsPrompt", "N 150 = 0 = 50 =", "955", "回転数(min-1) =", "955"},
    {"FinishedFunctionLeavesEquals", "N 150 = 50 = 2 X 3 =", "6", "回転数(min-1) =", "6"},
    {"CuttingSpeed", "V 1000 = 50 =", "157", "切削速度（m/min) =", "157"},
    {"FeedFromRa", "F 1 = 3.2 = 0.8 =", "0.286", "送り速度(mm/rev)=", "0.286"},
    {"FeedFromRz", "F 2 = 12.8 = 0.8 =", "0.286", "送り速度(mm/rev)=", "0.286"},
    {"FeedPrompts", "F 1 = 3.2 =", "0.", "ノーズR(mm) =", "3.2"},
    {"FeedRetryConvertsRaOnce", "F 1 = 3.2 = - 1 = 0.8 =", "0.286", "送り速度(mm/rev)=", "0.286"},
    {"TimeTenMinutes", "T 500 = 0.1 = 500 =", "00:10:00.0", "加工時間 ", "00:10:00.0"},
    {"TimeHourMinutesSeconds", "T 60 = 1 = 3725 =", "01:02:05.0", "加工時間 ", "01:02:05.0"},
    {"TimeFeedPrompt", "T 60 =", "0.", "送り速度(mm/rev) =", "60"},
    {"TimeZeroSpeed", "T 0 = 1 = 3725 =", "Error", "加工長(mm) =", "3725"},
    {"AngleDegreesPrompt", "H 30 =", "0.", "30度　分 =", "30"},
    {"AngleMinutesPrompt", "H 30 = 5 =", "0.", "30度05分  秒 =", "5"},
    {"AngleEntry", "H 30 = 15 = 36 =", "30.26", "30度15分36秒  =", "30.26"},
    {"AngleDegreesRounded", "H 1.23456 = 0 = 0 =", "1.235", "1.235度00分00秒  =", "1.235"},
    {"DegreesToMinutesAndSeconds", "30.26 shift H", "30'15'36", "30.26度  =", "30'15'36"},
    {"NegativeDegreesFloor", "- 1.5 shift H", "-2'30'0", "-1.5度  =", "-2'30'0"},
    {"DegreesOfError", "1 / 0 = shift H", "Error", nullptr, "1"},
    {"AllClearEndsTheFunction", "N 150 = AC", "0.", nullptr, "150"},
    {"FunctionHidesTheMemoryMark", "5 Min N", "0.", "切削速度（m/min) =", nullptr},
    {"AllClearShowsTheMemoryMark", "5 Min N AC", "0.", nullptr, nullptr, true},
};

void ExpectShows(const Json& j, const Row& row, const std::string& how) {
    SCOPED_TRACE(how);
    ASSERT_TRUE(j.is_object() && j.contains("texts"));
    EXPECT_EQ(j["texts"]["Readout"], row.display);
    const auto& hidden = j["hidden"];
    const bool labelHidden = std::find(hidden.begin(), hidden.end(), "Label1") != hidden.end();
    if (row.label1) {
        EXPECT_FALSE(labelHidden);
        EXPECT_EQ(j["texts"]["Label1"], row.label1);
    } else {
        EXPECT_TRUE(labelHidden);
    }
    if (row.clipboard)
        EXPECT_EQ(j["clipboard"], row.clipboard);
    else
        EXPECT_TRUE(j["clipboard"].is_null()) << j["clipboard"];
    const bool markHidden = std::find(hidden.begin(), hidden.end(), "LabelM") != hidden.end();
    EXPECT_EQ(!markHidden, row.memoryMark);
    // No text of the window ever shows an infinity or a NaN.
    for (const auto& [name, text] : j["texts"].items()) {
        std::string t = text.get<std::string>();
        for (char& c : t) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_EQ(t.find("inf"), std::string::npos) << name << ": " << t;
        EXPECT_EQ(t.find("nan"), std::string::npos) << name << ": " << t;
    }
    // The calculator never copies to the control's window by itself.
    EXPECT_EQ(j["activations"], 0);
}

class CalcCli : public ::testing::TestWithParam<Row> {};

TEST_P(CalcCli, ByClicksAndByKeys) {
    const Row& row = GetParam();
    ExpectShows(RunCli("frmCalc", ClickSteps(row.keys)), row, "clicks");
    if (const auto keys = KeySteps(row.keys)) ExpectShows(RunCli("frmCalc", *keys), row, "keys");
}

INSTANTIATE_TEST_SUITE_P(Examples, CalcCli, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

// The window as it opens: the caption, the display, the keypad's captions and its pictures,
// the focus on "=" (so that Enter always reaches it).
TEST(CalcCliLayout, OpensReady) {
    const Json j = RunCli("frmCalc", {});
    EXPECT_EQ(j["caption"], " 電卓 Ver.1.14");
    EXPECT_EQ(j["texts"]["Readout"], "0.");
    EXPECT_EQ(j["texts"]["Operator(2)"], "X");
    EXPECT_EQ(j["texts"]["swINV"], "shift");
    EXPECT_EQ(j["focus"], "Operator(4)");
    for (const char* picture : {"Command5", "Gyakusu", "Square"})
        EXPECT_GT(j["pictures"][picture].size(), 1u) << picture;
}

}  // namespace
}  // namespace quillon::testkit
