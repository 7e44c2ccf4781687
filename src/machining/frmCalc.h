// The calculator: the four basic operations (multiplication and division before addition and
// subtraction), a one-value memory, trigonometric functions in degrees and their inverses,
// square root, square, reciprocal, sign change and pi. Every operator key puts the displayed
// value on the clipboard as NC number text. The top row runs the machining functions
// (spindle speed, cutting speed, feed from roughness, machining time, angle entry) as prompted
// sequences confirmed with "=". Driven by its buttons and the keyboard; it has no field.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "machining/calc_functions.h"
#include "shell/tool_window.h"

namespace quillon {

class frmCalc : public ToolWindow {
public:
    explicit frmCalc(Module1& m);

    // Presses a key of the keypad by its control name, as a click or the keyboard does: the
    // one path every key takes.
    void Press(const std::string& control);

    void Number_Click(int Index);
    void Decima_Click();
    void Operator_Click(int Index);
    void Cancel_Click();
    void CancelEntry_Click();
    void swINV_Click();
    void swSIN_Click();
    void swCOS_Click();
    void swTAN_Click();
    void SQRT_Click();
    void Square_Click();
    void Gyakusu_Click();
    void PlasMuns_Click();
    void Pai_Click();
    void MS_Click();
    void MRead_Click();
    void MP_Click();
    void Command1_Click() { StartFunction(calc::Function::N); }
    void Command2_Click() { StartFunction(calc::Function::V); }
    void Command3_Click() { StartFunction(calc::Function::F); }
    void Command4_Click() { StartFunction(calc::Function::T); }
    void Command5_Click();
    void Form_KeyDown(KeyArgs& k);
    void Form_KeyPress(KeyArgs& k);
    void ClearShift();

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload() override;

private:
    const std::string& Display();
    void Show(const std::string& text);
    // The display as a number; a text that is not one raises a fault.
    double X();
    // True while the display holds only the minus sign typed before a number.
    bool LoneMinus() { return Display() == "-"; }
    // The clipboard gets a value without the control's window coming forward.
    void CopyValue(const std::string& text);
    // Clears the calculation: operands, operators and the input state.
    void ResetCalculation();
    // The evaluation of the pending operator when `op` brings the second operand.
    void Evaluate(const std::string& op);
    // The end of a key's work: its flash, then the focus back on "=".
    void Done(const std::string& button, bool flash = true, bool focusEquals = true);
    // A function key: `fn` maps the display's number to the new one (or leaves the display
    // as it is). A failure shows "Error" and keeps the state and the shift mode.
    void Function(const std::string& button, double (*fn)(double x), bool flash = true,
                  bool focusEquals = true);
    void ShowMemoryMark();

    // The machining functions.
    void StartFunction(calc::Function f);
    // After "=": the running function takes the display at its step.
    void AdvanceFunctions();
    void ShowPrompt(const std::string& prompt);
    void ConvertToDegreesMinutesSeconds();

    // The calculation.
    double FirstOperand = 0;   // left operand and running result
    double SecondOperand = 0;  // right operand of the pending operation
    double HeldOperand = 0;    // left operand of a held addition or subtraction
    bool DecimalEntered = false;
    short OperandCount = 0;
    std::string LastInputKind = "NONE";  // NONE, NUMS, OPS, NEG or CE
    std::string PendingOperator = " ";
    std::string HeldOperator = " ";
    std::string EnteredText;
    bool ShiftOn = false;
    double memoryValue_ = 0;

    // Per machining function: its step (0: not running) and the values taken so far.
    std::array<int, calc::kFunctionCount> steps_{};
    std::array<std::vector<double>, calc::kFunctionCount> values_;
};

}  // namespace quillon
