#include "geometry/frmCircleCircle.h"

#include <algorithm>
#include <cmath>

#include "shell/checked.h"

namespace quillon {
namespace {

constexpr Field kCentre1X{"Text1"};
constexpr Field kCentre1Z{"Text2"};
constexpr Field kRadius1{"Text3"};
constexpr Field kCentre2X{"Text4"};
constexpr Field kCentre2Z{"Text5"};
constexpr Field kRadius2{"Text6"};
constexpr Field kPoint1X{"Text7"};
constexpr Field kPoint1Z{"Text8"};
constexpr Field kPoint2X{"Text11"};
constexpr Field kPoint2Z{"Text12"};
constexpr Field kCopy1{"Command1"};
constexpr Field kCopy2{"Command3"};

}  // namespace

frmCircleCircle::frmCircleCircle(Module1& m)
    : FigureWindow(m, "frmCircleCircle", " 2円の交点", 1450, 950, Topmost::AtLoad) {
    // The two circles as typed, then the two crossing points (grey results) with their copy
    // buttons; the plane, the topmost box and the close button stand to the right, the figure
    // spans the window below.
    Label("Label1", "第1円の中心  X").At(0, 0);
    TextBox("Text1").At(0, 1);
    Label("Label2", "Z").At(0, 2);
    TextBox("Text2").At(0, 3);
    Label("Label3", "R").At(0, 4);
    TextBox("Text3").At(0, 5);

    Label("Label4", "第2円の中心　X").At(1, 0);
    TextBox("Text4").At(1, 1);
    Label("Label5", "Z").At(1, 2);
    TextBox("Text5").At(1, 3);
    Label("Label6", "R").At(1, 4);
    TextBox("Text6").At(1, 5);

    Label("Label7", "交点  P 1　    X").At(2, 0);
    TextBox("Text7").At(2, 1).Result();
    Label("Label8", "Z").At(2, 2);
    TextBox("Text8").At(2, 3).Result();
    Button("Command1", "X Z コピー").At(2, 5);

    Label("Label9", "交点　P 2　    X").At(3, 0);
    TextBox("Text11").At(3, 1).Result();
    Label("Label10", "Z").At(3, 2);
    TextBox("Text12").At(3, 3).Result();
    Button("Command3", "X Z コピー").At(3, 5);

    PlaneOptions("Frame1", true).At(0, 6, 2, 1);
    Check("Check1", "手前に表示", true).At(2, 6);
    Button("Command2", "閉じる").At(3, 6);

    auto figure = DeclareFigure("Label12");
    figure.picture.At(4, 0, 1, 7);
    Label("Label11", "※データのコピー 後は編集画面で[貼り付け]を行ってください。").At(5, 0, 1, 5);
    figure.readout.At(5, 5, 1, 2);
    figure.note.At(6, 0, 1, 7);

    EnterChain({{"Text1", "Text2"},
                {"Text2", "Text3"},
                {"Text3", "Text4"},
                {"Text4", "Text5"},
                {"Text5", "Text6"},
                {"Text6", "Command1"}});
    RecalculateOnLeave({"Text1", "Text2", "Text3", "Text4", "Text5", "Text6"});
    RedrawOnPictureFocus();
    // After a switch the copy buttons read "挿入" in either plane; they copy all the same.
    PlaneSwitch(
        {"Label2", "Label5", "Label8", "Label10"},
        [this](bool xy) {
            const char* caption = xy ? "X Y 挿入" : "X Z 挿入";
            (*this)[kCopy1].Text = caption;
            (*this)[kCopy2].Text = caption;
        },
        [this] { RunRecalculate(); });
    CopyButton(kCopy1, [this] { return PairText(kPoint1X, kPoint1Z); });
    CopyButton(kCopy2, [this] { return PairText(kPoint2X, kPoint2Z); });
    TopmostBox("Check1");
    CloseButton("Command2");
}

void frmCircleCircle::CentreCross(ModelPoint c, double arm, double rightArm) {
    ModelLine(c.h, c.v - arm, c.h, c.v + arm, colors::Result);
    ModelLine(c.h + rightArm, c.v, c.h - arm, c.v, colors::Result);
}

void frmCircleCircle::Preview(Field xField, Field secondField, Field rField) {
    const ModelPoint c = ReadModelPoint(xField, secondField);
    const double r = ReadNumber(Text(rField));
    const double w = chk::mul(10, r), height = chk::finite(w * kFigureHeight / kFigureWidth);
    Picture& pic = Figure();
    pic.SetScale(c.h - w / 2, -c.v - height / 2, w, height);
    CentreCross(c, r / 15, r / 15);
    ModelCircle(c.h, c.v, r, colors::Given);
}

void frmCircleCircle::Recalculate() {
    Picture& pic = Figure();
    pic.Cls();
    const bool first = Given({kCentre1X.name, kCentre1Z.name, kRadius1.name});
    const bool second = Given({kCentre2X.name, kCentre2Z.name, kRadius2.name});
    if (!first || !second) {
        if (first)
            Preview(kCentre1X, kCentre1Z, kRadius1);
        else if (second)
            Preview(kCentre2X, kCentre2Z, kRadius2);
        return;
    }

    const ModelPoint c1 = ReadModelPoint(kCentre1X, kCentre1Z);
    const ModelPoint c2 = ReadModelPoint(kCentre2X, kCentre2Z);
    const double r1 = ReadNumber(Text(kRadius1)), r2 = ReadNumber(Text(kRadius2));

    // Direction psi of the second centre seen from the first; concentric circles end here.
    const double dh = chk::sub(c2.h, c1.h), dv = chk::sub(c2.v, c1.v);
    const double d = chk::sqrt(chk::add(chk::mul(dh, dh), chk::mul(dv, dv)));
    const double c = chk::div(dh, d);
    double psi = c == 1 ? 0 : c == -1 ? Pi : chk::acos(c);
    if (dv < 0) psi = -psi;
    // The angle at the first centre between the centres and a crossing point; circles that
    // miss each other or only touch have none.
    const double a = chk::div(chk::finite(d * d + r1 * r1 - r2 * r2), chk::finite(2 * r1 * d));
    if (!(std::fabs(a) < 1)) throw ArithmeticFault("the circles do not cross");
    const double alpha = chk::acos(a);
    // Point 1 lies to the left of the way from the first centre to the second, point 2 to the
    // right.
    const ModelPoint p1{chk::add(c1.h, r1 * chk::cos(psi + alpha)),
                        chk::add(c1.v, r1 * chk::sin(psi + alpha))};
    const ModelPoint p2{chk::add(c1.h, r1 * chk::cos(psi - alpha)),
                        chk::add(c1.v, r1 * chk::sin(psi - alpha))};
    // Plain rounding: this window adds no shift.
    SetText(kPoint1X, NcNumber(XOf(p1)));
    SetText(kPoint1Z, NcNumber(SecondOf(p1)));
    SetText(kPoint2X, NcNumber(XOf(p2)));
    SetText(kPoint2Z, NcNumber(SecondOf(p2)));

    // Fitted around both circles, the vertical extent taken in the values as typed (diameters
    // in X-Z), centred on the middle of the centres.
    const bool xy = InXY();
    const double e1 = xy ? c1.v : XOf(c1), e2 = xy ? c2.v : XOf(c2);
    const double wH = chk::finite(std::max(c1.h + r1, c2.h + r2) - std::min(c1.h - r1, c2.h - r2));
    const double wV = chk::finite(std::max(e1 + r1, e2 + r2) - std::min(e1 - r1, e2 - r2));
    const double k = std::max(wH * kFigureHeight / kFigureWidth, wV);
    const double w = chk::mul(2, k), height = w * kFigureHeight / kFigureWidth;
    pic.SetScale((c1.h + c2.h) / 2 - w / 2, -(c1.v + c2.v) / 2 - height / 2, w, height);
    pic.ForeColor = colors::Label;

    // The first cross is shorter to the right.
    CentreCross(c1, k / 70, k / 80);
    ModelCircle(c1.h, c1.v, r1, colors::Given);
    CentreCross(c2, k / 70, k / 70);
    ModelCircle(c2.h, c2.v, r2, colors::Given);

    ModelCircle(p1.h, p1.v, 0.001 * w, colors::Result);
    ModelCircle(p2.h, p2.v, 0.001 * w, colors::Result);
    ModelCircle(p1.h, p1.v, 0.002 * w, colors::Result);
    ModelCircle(p2.h, p2.v, 0.002 * w, colors::Result);
    ModelLabel(p1.h, p1.v, " 1", colors::Label);
    ModelLabel(p2.h, p2.v, "2", colors::Label);
}

void frmCircleCircle::NoSolutionText() {
    Picture& pic = Figure();
    pic.ForeColor = colors::Result;
    pic.Print(kNoSolution);
}

}  // namespace quillon
