#include "machining/frmRPM.h"

#include <cmath>

#include "shell/checked.h"

namespace quillon {
namespace {

constexpr Field kCuttingSpeed{"Text1"};
constexpr Field kDiameter{"Text2"};
constexpr Field kSpindleSpeed{"Text3"};

}  // namespace

frmRPM::frmRPM(Module1& m)
    : ToolWindow(m, "frmRPM", " 周速 ⇔ 回転数", 2800, 2000, Topmost::EachActivation) {
    // The three quantities one below the other, name, letter, field and unit; the copy
    // buttons beside them; the instruction and the two window buttons below. Declared in the
    // window's tab order: Text1, Text2, Text3, Command3, Command4, Command2, Command1.
    Label("Label1", "切削速度").At(0, 0);
    Label("Label3", "V").At(0, 1);
    TextBox("Text1").At(0, 2).Tip("mm/min");
    Label("Label5", "(m/min)").At(0, 3);
    Label("Label2", "直　径").At(1, 0);
    Label("Label4", "D").At(1, 1);
    TextBox("Text2").At(1, 2).Tip("mm");
    Label("Label6", "(mm)").At(1, 3);
    Label("Label9", "回 転 数").At(2, 0);
    Label("Label8", "N").At(2, 1);
    TextBox("Text3").At(2, 2).Tip("min-1");
    Label("Label7", "(min-1)").At(2, 3);

    Frame("Frame1", "コピー").At(0, 4, 3, 1);
    Button("Command3", "V").In("Frame1").At(0, 0);
    Button("Command4", "N").In("Frame1").At(1, 0);
    Label("Label11", "コピー値は丸めてあります。").At(3, 4);
    Label("Label10", "計算したい所を空白して2箇所を入力して下さい。").At(3, 0, 1, 4);
    Button("Command2", "クリア").At(4, 2);
    Button("Command1", "閉じる").At(4, 4);

    EnterChain({{"Text1", "Text2"}, {"Text2", "Text3"}, {"Text3", "Text1"}});
    On(kCuttingSpeed, Event::LostFocus, [this] { Text1_LostFocus(); });
    On(kDiameter, Event::LostFocus, [this] { Text2_LostFocus(); });
    On(kSpindleSpeed, Event::LostFocus, [this] { Text3_LostFocus(); });
    On("Command2", Event::Click, [this] { Command2_Click(); });
    CopyButton("Command3", [this] { return SpindleWord(kCuttingSpeed); });
    CopyButton("Command4", [this] { return SpindleWord(kSpindleSpeed); });
    CloseButton("Command1");
}

// With all three fields filled, leaving V or D recomputes N and leaving N recomputes V.
void frmRPM::Text1_LostFocus() {
    Trapped([this] {
        if (Given({kCuttingSpeed.name, kDiameter.name}))
            SpindleSpeed();
        else if (Given({kCuttingSpeed.name, kSpindleSpeed.name}))
            Diameter();
    });
}

void frmRPM::Text2_LostFocus() {
    Trapped([this] {
        if (Given({kCuttingSpeed.name, kDiameter.name}))
            SpindleSpeed();
        else if (Given({kDiameter.name, kSpindleSpeed.name}))
            CuttingSpeed();
    });
}

void frmRPM::Text3_LostFocus() {
    Trapped([this] {
        if (Given({kDiameter.name, kSpindleSpeed.name}))
            CuttingSpeed();
        else if (Given({kCuttingSpeed.name, kSpindleSpeed.name}))
            Diameter();
    });
}

void frmRPM::SpindleSpeed() {
    v_ = ReadNumber(Text(kCuttingSpeed));
    d_ = ReadNumber(Text(kDiameter));
    n_ = std::floor(chk::div(chk::div(chk::mul(1000, v_), Pi), d_));
    SetText(kSpindleSpeed, NcNumberInPlace(n_));
}

void frmRPM::CuttingSpeed() {
    d_ = ReadNumber(Text(kDiameter));
    n_ = ReadNumber(Text(kSpindleSpeed));
    v_ = std::floor(chk::div(chk::mul(d_, chk::mul(Pi, n_)), 1000));
    SetText(kCuttingSpeed, NcNumberInPlace(v_));
}

void frmRPM::Diameter() {
    v_ = ReadNumber(Text(kCuttingSpeed));
    n_ = ReadNumber(Text(kSpindleSpeed));
    // The diameter is not truncated; its NC text leaves the kept value rounded.
    d_ = chk::div(chk::div(chk::mul(1000, v_), Pi), n_);
    SetText(kDiameter, NcNumberInPlace(d_));
}

void frmRPM::Command2_Click() {
    // The kept values stay; only the fields are emptied.
    SetText(kCuttingSpeed, "");
    SetText(kDiameter, "");
    SetText(kSpindleSpeed, "");
    SetFocus(kCuttingSpeed);
}

std::string frmRPM::SpindleWord(Field field) {
    // nearbyint rounds halves to the even neighbour: 1275 gives 1280, 1265 gives 1260.
    const double tens = chk::finite(std::nearbyint(ReadNumber(Text(field)) / 10) * 10);
    return "S" + NcNumber(tens);
}

}  // namespace quillon
