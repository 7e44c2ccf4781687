#include "geometry/frmCirclePoint.h"

#include "shell/checked.h"

namespace quillon {
namespace {

// This window's own value of a whole turn in radians.
constexpr double kTurn = 6.28318530796;

constexpr Field kCentreX{"Text1"};
constexpr Field kCentreZ{"Text2"};
constexpr Field kRadius{"Text3"};
constexpr Field kAngle{"Text4"};
constexpr Field kSide1{"Option1"};
constexpr Field kTouchX{"Text5"};
constexpr Field kTouchZ{"Text6"};
constexpr Field kOffsetI{"Text7"};
constexpr Field kOffsetK{"Text8"};

}  // namespace

frmCirclePoint::frmCirclePoint(Module1& m)
    : FigureWindow(m, "frmCirclePoint", " 円に接する線", 1450, 950, Topmost::AtLoad) {
    // Inputs in the first two rows with the choices beside the angle, the result row below.
    Label("Label1", "円の中心 X").At(0, 0, 1, 2);
    TextBox("Text1").At(0, 2);
    Label("Label2", "Z").At(0, 3);
    TextBox("Text2").At(0, 4);
    Label("Label3", "R").At(0, 5);
    TextBox("Text3").At(0, 6);
    Label("Label4", "接する角度").At(1, 0);
    Label("Label5", "A").At(1, 1);
    TextBox("Text4").At(1, 2);

    Frame("Frame1", "接する位置").At(1, 3, 1, 4);
    Option("Option1", "1", true).In("Frame1").At(0, 0);
    Option("Option2", "2").In("Frame1").At(0, 1);
    PlaneOptions("Frame2", false).At(1, 7, 1, 3);

    Label("Label6", "接　　点    X").At(2, 0, 1, 2);
    TextBox("Text5").At(2, 2).Result();
    Label("Label7", "Z").At(2, 3);
    TextBox("Text6").At(2, 4).Result();
    Label("Label8", "I").At(2, 5);
    TextBox("Text7").At(2, 6).Result();
    Label("Label9", "K").At(2, 7);
    TextBox("Text8").At(2, 8).Result();
    Button("Command1", "X Z コピー").At(2, 9);

    auto figure = DeclareFigure("Label11");
    figure.picture.At(3, 0, 1, 10);
    figure.picture.ForeColor = colors::Result;
    Figure().ForeColor = colors::Result;
    Label("Label10", "※データのコピー 後は編集画面で[貼り付け]を行ってください。").At(4, 0, 1, 7);
    figure.readout.At(4, 7, 1, 3);
    figure.note.At(5, 0, 1, 7);
    Check("Check1", "手前に表示", true).At(0, 7, 1, 3);
    Button("Command2", "閉じる").At(5, 9);

    EnterChain({{"Text1", "Text2"}, {"Text2", "Text3"}, {"Text3", "Text4"}, {"Text4", "Command1"}});
    RecalculateOnLeave({"Text1", "Text2", "Text3", "Text4"});
    RecalculateOnClick({"Option1", "Option2"});
    RedrawOnPictureFocus();
    PlaneSwitch({"Label2", "Label7", "Label9", "Command1"}, nullptr, [this] { RunRecalculate(); });
    CopyButton("Command1", [this] { return PairText(kTouchX, kTouchZ); });
    CloseButton("Command2");
    TopmostBox("Check1");
}

void frmCirclePoint::Recalculate() {
    const bool xy = InXY();
    Picture& pic = Figure();

    if (!Given({kCentreX.name, kCentreZ.name, kRadius.name})) return;
    const double xc = ReadNumber(Text(kCentreX));
    const double zc = ReadNumber(Text(kCentreZ));  // Y in the X-Y plane
    const double r = ReadNumber(Text(kRadius));
    const ModelPoint c = ModelOf(xc, zc);

    // The circle fills a fifth of the picture's width, centred.
    pic.Cls();
    const double w = chk::finite(5 * r);
    ScaleToWidth(c.h - w / 2, -c.v - chk::finite(w * kFigureHeight / kFigureWidth) / 2, w);
    ModelCircle(c.h, c.v, r, colors::Given);

    if (!Given({kAngle.name})) return;
    const double theta = chk::finite(ReadNumber(Text(kAngle)) * kTurn / 360);
    const double s = (*this)[kSide1].Value ? 1 : -1;
    const double cosT = chk::cos(theta), sinT = chk::sin(theta);

    // The touching point lies a quarter turn from the line's direction, seen from the centre;
    // I and K (J) lead from it back to the centre.
    struct Touch {
        double x, second, i, k;
    };
    const Touch t =
        xy ? Touch{xc + s * r * sinT, zc - s * r * cosT, -s * r * sinT, s * r * cosT}
           : Touch{xc - 2 * s * r * cosT, zc + s * r * sinT, s * r * cosT, -s * r * sinT};
    // Plain rounding here: this window adds no shift before it.
    SetText(kOffsetI, NcNumber(t.i));
    SetText(kOffsetK, NcNumber(t.k));
    SetText(kTouchX, NcNumber(t.x));
    SetText(kTouchZ, NcNumber(t.second));

    const ModelPoint p = ModelOf(t.x, t.second);
    const double half = w / 2;
    ModelLine(p.h, p.v, p.h + half * cosT, p.v + half * sinT, colors::Given);
    ModelLine(p.h, p.v, p.h - half * cosT, p.v - half * sinT, colors::Given);
    ModelCircle(c.h, c.v, 0.001 * w, colors::Result);
    ModelCircle(p.h, p.v, 0.001 * w, colors::Result);
    ModelCircle(p.h, p.v, 0.002 * w, colors::Result);
}

void frmCirclePoint::NoSolutionText() {
    Picture& pic = Figure();
    pic.Print(kNoSolution);
}

}  // namespace quillon
