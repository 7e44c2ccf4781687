#include "geometry/frmNoseR.h"

#include <cmath>

#include "shell/checked.h"
#include "shell/sketch.h"

namespace quillon {
namespace {

constexpr Field kNoseRadius{"Text1"};
constexpr Field kAngle{"Text2"};
constexpr Field kOffsetX{"Text3"};
constexpr Field kOffsetZ{"Text4"};
constexpr Field kDescentZ2{"Text5"};

}  // namespace

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
    PictureBox("Picture1").At(0, 2, 5, 1).Size(300, 250).NoTabStop();

    EnterChain({{"Text1", "Text2"}, {"Text2", "Text1"}});
    On(kNoseRadius, Event::LostFocus, [this] { Text1_LostFocus(); });
    On(kAngle, Event::LostFocus, [this] { Text2_LostFocus(); });
    // The copies are the bare result texts, without an address letter.
    CopyButton("Command1", [this] { return Text(kOffsetX); });
    CopyButton("Command3", [this] { return Text(kOffsetZ); });
    CopyButton("Command4", [this] { return Text(kDescentZ2); });
    CloseButton("Command2");
    DrawDiagram();
}

void frmNoseR::DrawDiagram() {
    // A V of a descending and a rising taper of 30 degrees with the nose circle (radius 1)
    // resting in it. The imaginary tip T lies at the corner of the square around the circle;
    // Z and Z2 are the horizontal distances from the rising and the descending taper to T,
    // X/2 the vertical distance from T to the rising taper. Model (h, v) is drawn at (h, -v).
    Picture& p = Pic("Picture1");
    p.SetScale(-2.7, -1.45, 5.4, 4.5);
    const double a = 30 * Pi / 180, t = exact::tan(a);
    const double bottom = -1 / exact::cos(a);  // where the two tapers meet, below the centre
    const double zRise = (-1 - bottom) / t;    // the rising taper at the tip's height
    const double vRise = bottom + t;           // the rising taper above the tip
    Sketch sketch(p);
    const Color dim = colors::Label;
    const Color white = colors::White;

    // The tapers and the angle's horizontal reference.
    sketch.Line(-2.5, bottom + 2.5 * t, 0, bottom, colors::Given);
    sketch.Line(0, bottom, 2.5, bottom + 2.5 * t, colors::Given);
    sketch.Line(0, bottom, 2.5, bottom, white, DrawStyle::Dot);
    sketch.Text(1.85, bottom + 0.37, "角度", white);

    // The nose circle, its centre, its radius. The circles are centred on the origin, where
    // model and picture coordinates agree.
    p.Circle(0, 0, 1, colors::Magenta);
    p.Circle(0, 0, 0.04, colors::Result);
    sketch.Line(0, 0, -std::sqrt(0.5), std::sqrt(0.5), white);
    sketch.Text(-0.3, 0.75, "R", white);

    // The imaginary tip at the corner of the circle's square.
    sketch.Line(-0.2, -1, 1, -1, white, DrawStyle::Dot);
    sketch.Line(1, 0.2, 1, -1, white, DrawStyle::Dot);
    sketch.Line(0.9, -1, 1.1, -1, colors::Result);
    sketch.Line(1, -0.9, 1, -1.1, colors::Result);

    // X/2: from the tip up to the rising taper.
    sketch.Line(1, -1, 1, vRise, dim);
    sketch.Text(1.08, vRise - 0.1, "X/2", dim);
    // Z: from the rising taper across to the tip, measured below the figure.
    sketch.Line(zRise, -1, zRise, -2.0, dim, DrawStyle::Dot);
    sketch.Line(1, -1, 1, -2.6, dim, DrawStyle::Dot);
    sketch.Line(zRise, -1.9, 1, -1.9, dim);
    sketch.Text((zRise + 1) / 2 - 0.05, -1.95, "Z", dim);
    // Z2: from the descending taper across to the tip.
    sketch.Line(-zRise, -1, -zRise, -2.6, dim, DrawStyle::Dot);
    sketch.Line(-zRise, -2.5, 1, -2.5, dim);
    sketch.Text((1 - zRise) / 2 - 0.1, -2.55, "Z2", dim);
    p.ForeColor = white;
}

void frmNoseR::Compute() {
    if (!Given({kNoseRadius.name, kAngle.name})) return;
    Trapped([this] {
        const double rn = ReadNumber(Text(kNoseRadius));
        const double a = Radians(ReadNumber(Text(kAngle)));
        const double u = chk::tan(a / 2);
        const double z = chk::mul(rn, 1 - u);
        const double z2 = chk::mul(rn, 1 + u);
        const double x = chk::mul(2 * chk::tan(a), z);
        SetText(kOffsetX, NcNumber(x));
        SetText(kOffsetZ, NcNumber(z));
        SetText(kDescentZ2, NcNumber(z2));
    });
}

}  // namespace quillon
