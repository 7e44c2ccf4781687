#include "geometry/frmCircleCircle.h"

#include <algorithm>
#include <cmath>

#include "shell/checked.h"

namespace quillon {
namespace {

// A centre cross in red: a vertical stroke of `arm` up and down, then a horizontal stroke from
// `rightArm` right of the centre to `arm` left of it (picture coordinates of the point (h, v)).
void CentreCross(Picture& pic, double h, double v, double arm, double rightArm) {
    pic.Line(h, -v + arm, h, -v - arm, colors::Result);
    pic.Line(h + rightArm, -v, h - arm, -v, colors::Result);
}

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
            (*this)["Command1"].Text = caption;
            (*this)["Command3"].Text = caption;
        },
        [this] { RunRecalculate(); });
    CopyButton("Command1", [this] { return PairText("Text7", "Text8"); });
    CopyButton("Command3", [this] { return PairText("Text11", "Text12"); });
    TopmostBox("Check1");
    CloseButton("Command2");
}

void frmCircleCircle::Preview(const char* xField, const char* secondField, const char* rField) {
    const ModelPoint c = ReadModelPoint(xField, secondField);
    const double r = ReadNumber(Text(rField));
    const double w = chk::mul(10, r), height = chk::finite(w * kFigureHeight / kFigureWidth);
    Picture& pic = Figure();
    pic.SetScale(c.h - w / 2, -c.v - height / 2, w, height);
    CentreCross(pic, c.h, c.v, r / 15, r / 15);
    ModelCircle(c.h, c.v, r, colors::Given);
}

void frmCircleCircle::Recalculate() {
    Picture& pic = Figure();
    pic.Cls();
    const bool first = Given({"Text1", "Text2", "Text3"});
    const bool second = Given({"Text4", "Text5", "Text6"});
    if (!first || !second) {
        if (first)
            Preview("Text1", "Text2", "Text3");
        else if (second)
            Preview("Text4", "Text5", "Text6");
        return;
    }

    const ModelPoint c1 = ReadModelPoint("Text1", "Text2");
    const ModelPoint c2 = ReadModelPoint("Text4", "Text5");
    const double r1 = ReadNumber(Text("Text3")), r2 = ReadNumber(Text("Text6"));

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
    SetText("Text7", NcNumber(XOf(p1)));
    SetText("Text8", NcNumber(SecondOf(p1)));
    SetText("Text11", NcNumber(XOf(p2)));
    SetText("Text12", NcNumber(SecondOf(p2)));

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
    CentreCross(pic, c1.h, c1.v, k / 70, k / 80);
    ModelCircle(c1.h, c1.v, r1, colors::Given);
    CentreCross(pic, c2.h, c2.v, k / 70, k / 70);
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
