#include "machining/frmCalc.h"

#include <cmath>
#include <optional>

#include "shell/checked.h"
#include "shell/flash.h"

namespace quillon {
namespace {

constexpr const char* kEquals = "Operator(4)";

// The keypad, row by row from the top, five keys a row, left to right. A key without a
// caption shows a picture.
struct PadKey {
    const char* name;
    const char* caption;
    const char* tip;
    void (frmCalc::*click)() = nullptr;
    void (frmCalc::*indexed)(int) = nullptr;  // the control arrays Number and Operator
    int index = 0;
};

#define DIGIT(i) \
    { "Number(" #i ")", #i, "", nullptr, &frmCalc::Number_Click, i }
#define OPERATOR(i, caption, tip) \
    { "Operator(" #i ")", caption, tip, nullptr, &frmCalc::Operator_Click, i }

const PadKey kPad[] = {
    {"Command1", "N", "回転数[N]", &frmCalc::Command1_Click},
    {"Command2", "V", "切削速度[V]", &frmCalc::Command2_Click},
    {"Command3", "F", "面粗さから送り速度[F]", &frmCalc::Command3_Click},
    {"Command4", "T", "加工時間 [G]", &frmCalc::Command4_Click},
    {"Command5", nullptr, "60進数[H] ，10進数[shift]+[H]", &frmCalc::Command5_Click},
    {"MS", "Min", "[M]", &frmCalc::MS_Click},
    {"MRead", "MR", "[Shift]->[M]", &frmCalc::MRead_Click},
    {"MP", "M+", "", &frmCalc::MP_Click},
    {"Gyakusu", nullptr, "", &frmCalc::Gyakusu_Click},
    {"Square", nullptr, "[X]", &frmCalc::Square_Click},
    {"swINV", "shift", "[Shift]", &frmCalc::swINV_Click},
    {"swSIN", "Sin", "[S]", &frmCalc::swSIN_Click},
    {"swCOS", "Cos", "[C]", &frmCalc::swCOS_Click},
    {"swTAN", "Tan", "[T]", &frmCalc::swTAN_Click},
    {"SQRT", "√", "[R]", &frmCalc::SQRT_Click},
    DIGIT(7),
    DIGIT(8),
    DIGIT(9),
    {"CancelEntry", "C", "[BS]", &frmCalc::CancelEntry_Click},
    {"Cancel", "AC", "[Esc]", &frmCalc::Cancel_Click},
    DIGIT(4),
    DIGIT(5),
    DIGIT(6),
    OPERATOR(2, "X", ""),
    OPERATOR(0, "/", ""),
    DIGIT(1),
    DIGIT(2),
    DIGIT(3),
    OPERATOR(1, "+", ""),
    OPERATOR(3, "-", ""),
    DIGIT(0),
    {"Decima", ".", "", &frmCalc::Decima_Click},
    {"Pai", "PI", "[P] π=3.14", &frmCalc::Pai_Click},
    {"PlasMuns", "+/-", "", &frmCalc::PlasMuns_Click},
    OPERATOR(4, "=", "[Enter]または[=]です。値がクリップボードにコピーされます。"),
};

#undef DIGIT
#undef OPERATOR

constexpr int kPadColumns = 5;
constexpr int kPadTop = 2;  // the prompt line and the display sit above the keypad

// Keys by key code (letters as upper case, so both cases are the same key); `shifted` is the
// key in shift mode where it differs.
struct CodeKey {
    int code;
    const char* key;
    const char* shifted;
};
const CodeKey kCodeKeys[] = {
    {keys::Shift, "swINV", nullptr}, {keys::Enter, kEquals, nullptr},
    {'S', "swSIN", nullptr},         {'C', "swCOS", nullptr},
    {'T', "swTAN", nullptr},         {'R', "SQRT", nullptr},
    {'P', "Pai", nullptr},           {'M', "MS", "MRead"},
    {'X', "Square", "Gyakusu"},      {'N', "Command1", nullptr},
    {'V', "Command2", nullptr},      {'F', "Command3", nullptr},
    {'G', "Command4", nullptr},      {'H', "Command5", nullptr},
};

// Keys by character.
struct CharKey {
    int ascii;
    const char* key;
};
const CharKey kCharKeys[] = {
    {keys::EscChar, "Cancel"}, {keys::BackspaceChar, "CancelEntry"},
    {'.', "Decima"},           {'/', "Operator(0)"},
    {'+', "Operator(1)"},      {'*', "Operator(2)"},
    {'-', "Operator(3)"},      {'=', "Operator(4)"},
};

const PadKey* FindPadKey(const std::string& name) {
    for (const PadKey& k : kPad)
        if (name == k.name) return &k;
    return nullptr;
}

std::string ArrayName(const char* array, int index) {
    return std::string(array) + "(" + std::to_string(index) + ")";
}

// Degrees to radians as the trigonometric keys convert: x * (Pi / 180).
double DegreesToRadians(double x) {
    return chk::mul(x, Pi / 180);
}
double ToDegrees(double radians) {
    return radians / Pi * 180;
}

// The pictures of the keys without a caption, drawn in black on the button's face; the
// texts keep the font's size, so they stand apart by more than their width.
Picture& Face(Picture& p) {
    p.SetScale(0, 0, 60, 20);
    p.ForeColor = colors::Black;
    return p;
}

void PrintAt(Picture& p, double x, double y, const char* text) {
    p.CurrentX = x;
    p.CurrentY = y;
    p.Print(text);
}

void DrawSquare(Picture& p) {
    PrintAt(Face(p), 23, 4, "x");
    PrintAt(p, 31, -1, "2");
}

void DrawReciprocal(Picture& p) {
    PrintAt(Face(p), 18, 1, "1");
    p.Line(27, 18, 33, 2, colors::Black);
    PrintAt(p, 34, 4, "x");
}

void DrawDegreesMinutesSeconds(Picture& p) {
    // Degrees, minutes and seconds marks beside a dial: the sexagesimal conversion.
    PrintAt(Face(p), 10, 2, "°");
    PrintAt(p, 19, 2, "′");
    PrintAt(p, 27, 2, "″");
    p.Circle(46, 10, 7, colors::Black);
    p.Line(46, 10, 46, 5, colors::Black);
    p.Line(46, 10, 50, 10, colors::Black);
}

constexpr Field kPrompt{"Label1"};
constexpr Field kMemoryMark{"LabelM"};
constexpr Field kReadout{"Readout"};
// The machining functions' buttons, in the order of calc::Function.
constexpr Field kFunctionButtons[] = {
    {"Command1"}, {"Command2"}, {"Command3"}, {"Command4"}, {"Command5"}};

}  // namespace

frmCalc::frmCalc(Module1& m)
    : ToolWindow(m, "frmCalc", " 電卓 Ver.1.14", 2800, 2000, Topmost::EachActivation) {
    Control& label1 = Label("Label1", "Label1").At(0, 0, 1, kPadColumns - 1);
    label1.BackColor = colors::White;
    label1.Visible = false;
    Control& mark = Label("LabelM", "M").At(0, kPadColumns - 1);
    mark.Visible = false;
    Label("Readout", "0.").At(1, 0, 1, kPadColumns).BackColor = colors::White;

    for (size_t i = 0; i < std::size(kPad); ++i) {
        const PadKey& k = kPad[i];
        const int row = kPadTop + static_cast<int>(i) / kPadColumns;
        const int col = static_cast<int>(i) % kPadColumns;
        Control& c = Button(k.name, k.caption ? k.caption : "").At(row, col).Tip(k.tip);
        if (!k.caption) c.Pic = std::make_unique<Picture>(60, 20);
        const std::string name = k.name;
        On(name, Event::Click, [this, name] { Press(name); });
    }
    DrawDegreesMinutesSeconds(*(*this)["Command5"].Pic);
    DrawReciprocal(*(*this)["Gyakusu"].Pic);
    DrawSquare(*(*this)["Square"].Pic);

    KeyPreview = true;
    OnKey(kForm, Event::KeyDown, [this](KeyArgs& k) { Form_KeyDown(k); });
    OnKey(kForm, Event::KeyPress, [this](KeyArgs& k) { Form_KeyPress(k); });
}

void frmCalc::Press(const std::string& control) {
    const PadKey* k = FindPadKey(control);
    if (!k) return;
    if (k->indexed)
        (this->*k->indexed)(k->index);
    else
        (this->*k->click)();
}

// ---- the keyboard ----

void frmCalc::Form_KeyDown(KeyArgs& k) {
    for (const CodeKey& c : kCodeKeys)
        if (c.code == k.keyCode) {
            Press(ShiftOn && c.shifted ? c.shifted : c.key);
            return;
        }
}

void frmCalc::Form_KeyPress(KeyArgs& k) {
    const int ascii = k.keyAscii;
    // Every character is the calculator's: none reaches the focused button as well (Enter
    // would press "=" a second time, a blank the focused key).
    k.keyAscii = 0;
    if (ascii >= '0' && ascii <= '9') {
        Press(ArrayName("Number", ascii - '0'));
        return;
    }
    for (const CharKey& c : kCharKeys)
        if (c.ascii == ascii) {
            Press(c.key);
            return;
        }
}

// ---- lifecycle ----

void frmCalc::Form_Load() {
    ToolWindow::Form_Load();
    DecimalEntered = false;
    ShiftOn = false;
    OperandCount = 0;
    LastInputKind = "NONE";
    PendingOperator = " ";
    HeldOperator = " ";
    Show("0.");
}

void frmCalc::Form_Activate() {
    ToolWindow::Form_Activate();
    Cancel_Click();
}

void frmCalc::Form_Unload() {
    M().ActivateControlWindow();
}

// ---- shared steps ----

const std::string& frmCalc::Display() {
    return Text(kReadout);
}

void frmCalc::Show(const std::string& text) {
    (*this)[kReadout].Text = text;
}

void frmCalc::ShowMemoryMark() {
    (*this)[kMemoryMark].Visible = memoryValue_ != 0;
}

double frmCalc::X() {
    return StrictNumber(Display());
}

void frmCalc::CopyValue(const std::string& text) {
    PutOnClipboard(text, false, nullptr);
}

void frmCalc::ClearShift() {
    ShiftOn = false;
    (*this)["swINV"].BackColor = colors::ButtonFace;
}

void frmCalc::Done(const std::string& button, bool flash, bool focusEquals) {
    if (flash) FlashButton(*this, button);
    if (focusEquals) SetFocus(kEquals);
}

void frmCalc::ResetCalculation() {
    FirstOperand = SecondOperand = HeldOperand = 0;
    DecimalEntered = false;
    OperandCount = 0;
    LastInputKind = "NONE";
    PendingOperator = " ";
    HeldOperator = " ";
    ClearShift();
}

// ---- number entry ----

void frmCalc::Number_Click(int Index) {
    const std::string name = ArrayName("Number", Index);
    ClearShift();
    SetFocus(name);
    const bool ok = Trapped([&] {
        if (LastInputKind != "NUMS") {
            Show(".");
            DecimalEntered = false;
        }
        const std::string digit = std::to_string(Index);
        if (DecimalEntered) {
            Show(Display() + digit);
        } else {
            // Whole numbers keep their trailing point: the digit goes in before it.
            const size_t point = Display().find('.');
            if (point == std::string::npos) throw ArithmeticFault("no point to type before");
            Show(Display().substr(0, point) + digit + ".");
        }
        if (LastInputKind == "NEG") Show("-" + Display());
        LastInputKind = "NUMS";
    });
    if (!ok) {
        Show("Error");
        (*this)[name].BackColor = colors::ButtonFace;
        SetFocus(kEquals);
        return;
    }
    Done(name);
}

void frmCalc::Decima_Click() {
    if (LastInputKind == "NEG")
        Show("-0.");
    else if (LastInputKind != "NUMS")
        Show("0.");
    DecimalEntered = true;
    LastInputKind = "NUMS";
    Done("Decima");
}

// ---- operators ----

void frmCalc::Evaluate(const std::string& op) {
    double& F = FirstOperand;
    const double S = SecondOperand;
    const bool high = op == "X" || op == "/";
    const auto release = [&] {
        if (HeldOperator == "+")
            F = chk::add(HeldOperand, F);
        else if (HeldOperator == "-")
            F = chk::sub(HeldOperand, F);
        HeldOperator = " ";
    };
    if (PendingOperator == "+" || PendingOperator == "-") {
        if (high) {
            // Multiplication and division go first: the addition waits.
            HeldOperand = F;
            F = S;
            HeldOperator = PendingOperator;
        } else {
            F = PendingOperator == "+" ? chk::add(F, S) : chk::sub(F, S);
        }
    } else if (PendingOperator == "X" || PendingOperator == "/") {
        F = PendingOperator == "X" ? chk::mul(F, S) : chk::div(F, S);
        if (!high) release();
    } else if (PendingOperator == "=") {
        // A number typed after "=" starts the next calculation, whatever operator follows it;
        // before "X" or "/" a held addition stays held.
        F = S;
        if (!high) release();
    }
}

void frmCalc::Operator_Click(int Index) {
    const std::string name = ArrayName("Operator", Index);
    const std::string op = (*this)[name].Text;
    const bool ok = Trapped([&] {
        ClearShift();
        SetFocus(name);
        EnteredText = Display();
        if (LastInputKind == "NUMS") ++OperandCount;
        if (OperandCount == 0) {
            // A leading minus for the first operand.
            if (op == "-" && LastInputKind != "NEG") {
                Show("-" + Display());
                LastInputKind = "NEG";
            }
        } else if (OperandCount == 1) {
            // A minus typed before the second operand is no operand itself.
            if (!LoneMinus()) FirstOperand = X();
            if (op == "-" && LastInputKind != "NUMS" && PendingOperator != "=") {
                Show("-");
                LastInputKind = "NEG";
            }
        } else {
            SecondOperand = StrictNumber(EnteredText);
            Evaluate(op);
            Show(NumberText(std::nearbyint(chk::mul(FirstOperand, 1e9)) / 1e9));
            OperandCount = 1;
        }
        if (LastInputKind != "NEG") {
            LastInputKind = "OPS";
            PendingOperator = op;
        }
        // A lone minus is no value to copy: the clipboard keeps what it had.
        if (!LoneMinus()) CopyValue(NcNumber(X()));
        // The running machining function takes its value before the flash, so that a key
        // pressed while the button is dark comes after it.
        if (Index == 4) AdvanceFunctions();
    });
    if (!ok) {
        // The error stays on the display; the next number starts a new calculation (the
        // memory and a running machining function stay, at the step that failed).
        Show("Error");
        (*this)[name].BackColor = colors::ButtonFace;
        ResetCalculation();
        SetFocus(kEquals);
        return;
    }
    Done(name);
}

// ---- clearing ----

void frmCalc::Cancel_Click() {
    SetFocus("Cancel");
    Show("0.");
    ResetCalculation();
    // The prompt line and the machining functions go before the flash, so that a key
    // pressed while the button is dark finds them cleared.
    Control& label1 = (*this)[kPrompt];
    label1.BackColor = colors::White;
    label1.Text = "";
    label1.Visible = false;
    steps_.fill(0);
    for (const Field& button : kFunctionButtons) (*this)[button].BackColor = colors::ButtonFace;
    ShowMemoryMark();
    Done("Cancel");
}

void frmCalc::CancelEntry_Click() {
    SetFocus("CancelEntry");
    Show("0.");
    DecimalEntered = false;
    LastInputKind = "CE";
    ClearShift();
    Done("CancelEntry");
}

// ---- functions ----

void frmCalc::Function(const std::string& button, double (*fn)(double), bool flash,
                       bool focusEquals) {
    const bool ok = Trapped([&] { Show(NumberText(fn(X()))); });
    if (!ok) {
        Show("Error");
        SetFocus(kEquals);
        return;
    }
    ClearShift();
    Done(button, flash, focusEquals);
}

void frmCalc::swSIN_Click() {
    if (ShiftOn)
        Function("swSIN", [](double x) {
            return ToDegrees(chk::atan(chk::div(x, chk::sqrt(1 - chk::mul(x, x)))));
        });
    else
        Function("swSIN", [](double x) { return chk::sin(DegreesToRadians(x)); });
}

void frmCalc::swCOS_Click() {
    if (ShiftOn)
        Function("swCOS", [](double x) {
            return ToDegrees(chk::atan(chk::div(-x, chk::sqrt(1 - chk::mul(x, x)))) +
                             2 * chk::atan(1.0));
        });
    else
        Function("swCOS", [](double x) { return chk::cos(DegreesToRadians(x)); });
}

void frmCalc::swTAN_Click() {
    if (ShiftOn)
        Function("swTAN", [](double x) { return ToDegrees(chk::atan(x)); });
    else
        Function("swTAN", [](double x) { return chk::tan(DegreesToRadians(x)); });
}

void frmCalc::SQRT_Click() {
    Function("SQRT", [](double x) { return chk::sqrt(x); });
}

void frmCalc::Square_Click() {
    Function(
        "Square", [](double x) { return chk::mul(x, x); }, true, false);
}

void frmCalc::Gyakusu_Click() {
    // The reciprocal of 0 leaves the display as it is.
    std::optional<double> x;
    Trapped([&] { x = X(); });
    if (x && *x == 0) {
        ClearShift();
        Done("Gyakusu");
        return;
    }
    Function("Gyakusu", [](double x) { return chk::div(1, x); });
}

void frmCalc::PlasMuns_Click() {
    Function(
        "PlasMuns", [](double x) { return x * -1; }, false, true);
}

void frmCalc::Pai_Click() {
    Show(NumberText(Pi));
    LastInputKind = "NUMS";
    ClearShift();
    Done("Pai");
}

void frmCalc::swINV_Click() {
    SetFocus("swINV");
    ShiftOn = !ShiftOn;
    (*this)["swINV"].BackColor = ShiftOn ? colors::ButtonShadow : colors::ButtonFace;
    SetFocus(kEquals);
}

// ---- memory ----

void frmCalc::MS_Click() {
    ClearShift();
    SetFocus("MS");
    if (!Trapped([this] { memoryValue_ = X(); })) {
        Cancel_Click();
        Show("Error");
        Done("MS");
        return;
    }
    ShowMemoryMark();
    Done("MS");
}

void frmCalc::MRead_Click() {
    SetFocus("MRead");
    Show(NumberText(memoryValue_));
    LastInputKind = "NUMS";
    ClearShift();
    Done("MRead");
}

void frmCalc::MP_Click() {
    ClearShift();
    SetFocus("MP");
    if (!Trapped([this] { memoryValue_ = chk::add(X(), memoryValue_); })) {
        Show("Error");
        SetFocus(kEquals);
        return;
    }
    ShowMemoryMark();
    Done("MP");
}

// ---- machining functions ----

namespace {
Field FunctionButton(calc::Function f) {
    return kFunctionButtons[static_cast<int>(f)];
}
}  // namespace

void frmCalc::ShowPrompt(const std::string& prompt) {
    Control& label1 = (*this)[kPrompt];
    label1.Text = prompt;
    label1.Visible = true;
}

void frmCalc::StartFunction(calc::Function f) {
    const auto i = static_cast<size_t>(f);
    Cancel_Click();
    (*this)[kMemoryMark].Visible = false;
    values_[i].clear();
    ShowPrompt(calc::Prompt(f, values_[i]));
    steps_[i] = 1;
    ClearShift();
    // The button stays dark while its function runs.
    (*this)[FunctionButton(f)].BackColor = colors::ButtonShadow;
}

void frmCalc::AdvanceFunctions() {
    for (int i = 0; i < calc::kFunctionCount; ++i) {
        const auto f = static_cast<calc::Function>(i);
        int& step = steps_[static_cast<size_t>(i)];
        const int count = calc::ValueCount(f);
        if (step == 0 || step > count) continue;
        // Each step takes a number: a display that is not one fails here, at its prompt.
        std::vector<double> values = values_[static_cast<size_t>(i)];
        values.resize(static_cast<size_t>(step - 1));
        values.push_back(calc::Taken(f, values.size(), X()));
        if (step < count) {
            ShowPrompt(calc::Prompt(f, values));
            Show("0.");
        } else {
            const calc::Result r = calc::Finish(f, values);
            ShowPrompt(r.label);
            Show(r.display);
            CopyValue(r.clipboard);
        }
        values_[static_cast<size_t>(i)] = std::move(values);
        ++step;
    }
}

void frmCalc::Command5_Click() {
    if (ShiftOn)
        ConvertToDegreesMinutesSeconds();
    else
        StartFunction(calc::Function::Angle);
}

void frmCalc::ConvertToDegreesMinutesSeconds() {
    FlashButton(*this, "Command5");
    const bool ok = Trapped([this] {
        const std::string x = Display();
        const std::string dms = calc::DegreesMinutesSeconds(StrictNumber(x));
        (*this)[kMemoryMark].Visible = false;
        ShowPrompt(x + "度  =");
        Show(dms);
        CopyValue(dms);
        ClearShift();
    });
    if (!ok) {
        Show("Error");
        SetFocus(kEquals);
    }
}

}  // namespace quillon
