#include "geometry/frmLineAngle.h"

#include <cmath>

#include "shell/checked.h"
#include "shell/sketch.h"

namespace quillon {
namespace {

// Below this the tangent of the angle counts as zero, above its inverse as infinite: the
// 12-digit Pi leaves tan(180°) at about -7.9e-13 and tan(90°) at about 2.5e12 instead of 0
// and infinity, and a taper along (or across) the Z axis has no end position (diameter).
constexpr double kFlatTangent = 1e-9;

constexpr Field kStartX{"Text1"};
constexpr Field kStartZ{"Text2"};
constexpr Field kAngle{"Text3"};
constexpr Field kEndX{"Text4"};
constexpr Field kEndZ{"Text5"};

}  // namespace

frmLineAngle::frmLineAngle(Module1& m)
    : ToolWindow(m, "frmLineAngle", " 直線と角度", 2800, 2000, Topmost::AtLoad) {
    Label("Label6", "始点とＡ，Ｘ２，Ｚ２のいずれか２箇所を入力してください。").At(0, 0, 1, 3);
    Label("Label1", "始  点   X1").At(1, 0);
    TextBox("Text1").At(1, 1);
    Label("Label2", "　　　　　 Z1").At(2, 0);
    TextBox("Text2").At(2, 1);
    Label("Label3", "角　度   A").At(3, 0);
    TextBox("Text3").At(3, 1);
    Label("Label4", "終　点   X2").At(4, 0);
    TextBox("Text4").At(4, 1);
    Label("Label5", "　　　　   Z2").At(5, 0);
    TextBox("Text5").At(5, 1);
    PictureBox("Picture1").At(1, 2, 5, 1).Size(260, 160).NoTabStop();

    Frame("Frame1", "コピー").At(6, 0, 1, 3);
    Button("Command1", "X 2").In("Frame1").At(0, 0);
    Button("Command3", "Z 2").In("Frame1").At(0, 1);
    Button("Command4", "X2 , Z2").In("Frame1").At(0, 2);
    Button("Command5", "A").In("Frame1").At(0, 3);
    Label("Label23", "※データのコピー 後は編集画面で[貼り付け]を    行ってください。")
        .At(7, 0, 1, 3);
    Button("Command6", "クリア").At(8, 1);
    Button("Command2", "閉じる").At(8, 2);

    EnterChain({{"Text1", "Text2"},
                {"Text2", "Text3"},
                {"Text3", "Text4"},
                {"Text4", "Text5"},
                {"Text5", "Command1"}});
    On(kEndX, Event::LostFocus, [this] { Text4_LostFocus(); });
    On(kEndZ, Event::LostFocus, [this] { Text5_LostFocus(); });
    CopyButton("Command1", [this] { return "X" + Text(kEndX); });
    CopyButton("Command3", [this] { return "Z" + Text(kEndZ); });
    CopyButton("Command4", [this] { return "X" + Text(kEndX) + " Z" + Text(kEndZ); });
    CopyButton("Command5", [this] { return "A" + Text(kAngle); });
    On("Command6", Event::Click, [this] { Command6_Click(); });
    CloseButton("Command2");
    DrawSketch();
}

void frmLineAngle::DrawSketch() {
    // A rising taper from the start point to the end point over the centre line, with the
    // angle between the line and the Z direction.
    Picture& p = Pic("Picture1");
    const Control& box = (*this)["Picture1"];
    constexpr double kWidth = 13;
    p.SetScale(-1, -8.3, kWidth, kWidth * box.MinHeight / box.MinWidth);
    Sketch sketch(p);
    const double h1 = 2, v1 = 2.9, h2 = 9, v2 = 6.6;
    const double angle = exact::atan2(v2 - v1, h2 - h1);

    sketch.Line(-0.5, 1, 11.5, 1, colors::White, DrawStyle::DashDot);
    sketch.Text(11, 1.8, "Z", colors::White);
    sketch.Line(h1, v1, h2, v2, colors::Given);
    sketch.Line(h1, v1, h2 + 1.5, v1, colors::White, DrawStyle::Dot);
    sketch.Arc(h1, v1, 3.2, 0, angle, colors::White);
    sketch.Text(h1 + 3.4, v1 + 1.15, "A", colors::White);
    sketch.Cross(h1, v1, 0.3, colors::Result);
    sketch.Cross(h2, v2, 0.3, colors::Result);
    sketch.Text(h1 - 0.9, v1 - 0.35, "X1,Z1", colors::Label);
    sketch.Text(h2 - 1.2, v2 + 1.3, "X2,Z2", colors::Label);
    p.ForeColor = colors::White;
}

double frmLineAngle::Value(Field field) {
    return ReadNumber(Text(field));
}

double frmLineAngle::Slope() {
    return chk::tan(Radians(Value(kAngle)));
}

void frmLineAngle::Text4_LostFocus() {
    if (!Given({kStartX.name, kStartZ.name, kAngle.name, kEndX.name})) return;
    Trapped([this] {
        const double x1 = Value(kStartX), z1 = Value(kStartZ), x2 = Value(kEndX);
        const double t = Slope();
        // Along the Z axis every Z2 lies on the line: Z2 stays as it is.
        if (std::fabs(t) < kFlatTangent) return;
        SetText(kEndZ, ResultText(chk::add(z1, chk::div(chk::sub(x2, x1) / 2, t))));
    });
}

void frmLineAngle::Text5_LostFocus() {
    if (!Given({kStartX.name, kStartZ.name, kEndZ.name})) return;
    const bool angleGiven = Given({kAngle.name});
    if (!Given({kEndX.name}) || angleGiven) {
        if (!angleGiven) return;
        Trapped([this] {
            const double x1 = Value(kStartX), z1 = Value(kStartZ), z2 = Value(kEndZ);
            const double t = Slope();
            // Across the Z axis the line holds every diameter: X2 stays as it is.
            if (std::fabs(t) > 1 / kFlatTangent) return;
            SetText(kEndX, ResultText(chk::add(x1, chk::mul(2 * chk::sub(z2, z1), t))));
        });
        return;
    }
    // X2 given, A empty: the direction from the start point to the end point.
    Trapped([this] {
        const double x1 = Value(kStartX), z1 = Value(kStartZ);
        const double x2 = Value(kEndX), z2 = Value(kEndZ);
        double a = chk::atan(chk::div(chk::sub(x2, x1) / 2, chk::sub(z2, z1))) * 180 / Pi + 0.0001;
        if (x1 < x2 && z1 > z2) a += 180;
        if (x1 > x2 && z1 > z2) a -= 180;
        SetText(kAngle, NcNumber(a));
    });
}

void frmLineAngle::Command6_Click() {
    for (const Field& f : {kStartX, kStartZ, kAngle, kEndX, kEndZ}) SetText(f, "");
    SetFocus(kStartX);
}

}  // namespace quillon
