#include "geometry/frmNoseR.h"

#include "shell/checked.h"

namespace quillon {

frmNoseR::frmNoseR(Module1& m)
    : ToolWindow(m, "frmNoseR", " テーパーのノーズＲ補正", 2800, 2000, Topmost::EachActivation) {
    Label("Label1", "ノーズR").At(0, 0);
    TextBox("Text1").At(0, 1);
    Label("Label2", "角　　度").At(1, 0);
    TextBox("Text2").At(1, 1);
    Label("Label3", "補正量 Ｘ").At(2, 0);
    TextBox("Text3").At(2, 1).Result();
    Label("Label4", "　　　　　Ｚ").At(3, 0);
    TextBox("Text4").At(3, 1).Result();
    Label("Label5", "下　り　Ｚ2").At(4, 0);
    TextBox("Text5").At(4, 1).Result();
    Frame("Frame1", "コピー").At(5, 0, 1, 2);
    Button("Command1", "X").In("Frame1").At(0, 0);
    Button("Command3", "Z").In("Frame1").At(0, 1);
    Button("Command4", "Z2").In("Frame1").At(0, 2);
    Button("Command2", "閉じる").At(5, 2);
    PictureBox("Picture1").At(0, 2, 5, 1).Size(240, 200).NoTabStop();

    EnterChain({{"Text1", "Text2"}, {"Text2", "Text1"}});
    On("Text1", Event::LostFocus, [this] { Text1_LostFocus(); });
    On("Text2", Event::LostFocus, [this] { Text2_LostFocus(); });
    // The copies are the bare result texts, without an address letter.
    CopyButton("Command1", [this] { return Text("Text3"); });
    CopyButton("Command3", [this] { return Text("Text4"); });
    CopyButton("Command4", [this] { return Text("Text5"); });
    CloseButton("Command2");
}

void frmNoseR::Compute() {
    if (Text("Text1").empty() || Text("Text2").empty()) return;
    Trapped([this] {
        const double rn = ReadNumber(Text("Text1"));
        const double a = Radians(ReadNumber(Text("Text2")));
        const double u = chk::tan(a / 2);
        const double z = chk::mul(rn, 1 - u);
        const double z2 = chk::mul(rn, 1 + u);
        const double x = chk::mul(2 * chk::tan(a), z);
        SetText("Text3", NcNumber(x));
        SetText("Text4", NcNumber(z));
        SetText("Text5", NcNumber(z2));
    });
}

}  // namespace quillon
