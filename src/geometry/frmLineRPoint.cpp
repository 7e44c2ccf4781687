#include "geometry/frmLineRPoint.h"

#include <cmath>

#include "shell/checked.h"

namespace quillon {
namespace {

constexpr Field kLineX{"Text1"};
constexpr Field kLineZ{"Text2"};
constexpr Field kLineAngle{"Text3"};
constexpr Field kEndX{"Text4"};
constexpr Field kEndZ{"Text5"};
constexpr Field kCentreX{"Text6"};
constexpr Field kCentreZ{"Text7"};
constexpr Field kRadius{"Text8"};
constexpr Field kStartX{"Text9"};
constexpr Field kStartZ{"Text10"};
constexpr Field kStartI{"Text11"};
constexpr Field kStartK{"Text12"};
constexpr Field kCircle1{"Option1"};

// The centre seen from the end point, in the mirrored frame: R from the line and R from the
// end point. q and w are the legs of the right triangle between the end point and the centre,
// sA the end point's side of the line, th the line's angle; `first` chooses circle "1".
struct Offset {
    double dh = 0, dv = 0;
};
Offset CentreFromEnd(double q, double w, double r, double sA, double th, bool first) {
    double dh = 0, dv = 0;
    if (q <= 0) {
        const double g = chk::atan(chk::div(-q, w));
        if (first) {
            const double gamma = g + sA * th;
            dh = -r * chk::cos(gamma);
            dv = -sA * r * chk::sin(gamma);
        } else {
            const double gamma = Pi / 2 - g + sA * th;
            dh = r * chk::sin(gamma);
            dv = -sA * r * chk::cos(gamma);
        }
    } else {
        const double g = chk::atan(chk::div(w, q));
        if (first) {
            const double gamma = g + sA * th;
            dh = -r * chk::sin(gamma);
            dv = sA * r * chk::cos(gamma);
        } else {
            const double gamma = Pi / 2 - g + sA * th;
            dh = r * chk::cos(gamma);
            dv = sA * r * chk::sin(gamma);
        }
    }
    return {dh, dv};
}

}  // namespace

frmLineRPoint::frmLineRPoint(Module1& m)
    : FigureWindow(m, "frmLineRPoint", " 1点を通り直線と接する円", 1450, 950, Topmost::AtLoad) {
    // Four rows, each ending with its copy button: the line and the end point as typed, the
    // centre (results) beside the radius to type, and the start point of the arc (results).
    Label("Label1", "直 線       X").At(0, 0);
    TextBox("Text1").At(0, 1);
    Label("Label2", "Z").At(0, 2);
    TextBox("Text2").At(0, 3);
    Label("Label3", "A").At(0, 4);
    TextBox("Text3").At(0, 5);
    Button("Command1", "X Z コピー").At(0, 8);

    Label("Label4", "終 点       X").At(1, 0);
    TextBox("Text4").At(1, 1);
    Label("Label5", "Z").At(1, 2);
    TextBox("Text5").At(1, 3);
    Button("Command3", "X Z コピー").At(1, 8);

    Label("Label6", "円の中心CX").At(2, 0);
    TextBox("Text6").At(2, 1).Result();
    Label("Label7", "CZ").At(2, 2);
    TextBox("Text7").At(2, 3).Result();
    Label("Label8", "R").At(2, 4);
    TextBox("Text8").At(2, 5);
    Button("Command4", "X Z コピー").At(2, 8);

    Label("Label9", "円の始点  X").At(3, 0);
    TextBox("Text9").At(3, 1).Result();
    Label("Label10", "Z").At(3, 2);
    TextBox("Text10").At(3, 3).Result();
    Label("Label11", "I").At(3, 4);
    TextBox("Text11").At(3, 5).Result();
    Label("Label12", "K").At(3, 6);
    TextBox("Text12").At(3, 7).Result();
    Button("Command5", "X Z コピー").At(3, 8);

    PlaneOptions("Frame2", true).At(0, 9, 2, 1);
    Frame("Frame1", "円の位置").At(2, 9);
    Option("Option1", "1", true).In("Frame1").At(0, 0);
    Option("Option2", "2").In("Frame1").At(0, 1);
    Check("Check1", "手前に表示", true).At(3, 9);

    auto figure = DeclareFigure("Label14");
    figure.picture.At(4, 0, 1, 10).Size(593, 329);
    Label("Label13", "※データのコピー 後は編集画面で[貼り付け]を行ってください。").At(5, 0, 1, 7);
    figure.readout.At(5, 7, 1, 2);
    Button("Command2", "閉じる").At(5, 9);
    figure.note.At(6, 0, 1, 10);

    EnterChain({{"Text1", "Text2"},
                {"Text2", "Text3"},
                {"Text3", "Text4"},
                {"Text4", "Text5"},
                {"Text5", "Text8"},
                {"Text8", "Command1"},
                {"Text6", "Text9"}});
    RecalculateOnLeave({"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text8"});
    RecalculateOnClick({"Option1", "Option2"});
    PlaneSwitch({"Label2", "Label5", "Label10", "Label7", "Label12", "Command1", "Command3",
                 "Command4", "Command5"},
                nullptr, [this] { RunRecalculate(); });
    CopyButton("Command1", [this] { return PairText(kLineX, kLineZ); });
    CopyButton("Command3", [this] { return PairText(kEndX, kEndZ); });
    CopyButton("Command4", [this] { return PairText(kCentreX, kCentreZ); });
    CopyButton("Command5", [this] { return PairText(kStartX, kStartZ); });
    TopmostBox("Check1");
    CloseButton("Command2");
}

double frmLineRPoint::LineAngle(double degrees) {
    // Whole half turns leave the line as it is. A huge angle is first reduced exactly, since
    // stepping by 180 would never reach the range once 180 is below its precision.
    if (std::fabs(degrees) > 1e6) degrees = std::fmod(degrees, 180.0);
    while (degrees > 90) degrees -= 180;
    while (degrees <= -90) degrees += 180;
    return degrees == 90 ? 89.9999 : degrees;
}

void frmLineRPoint::Recalculate() {
    if (!Given({kLineX.name, kLineZ.name, kLineAngle.name})) return;
    const ModelPoint p = ReadModelPoint(kLineX, kLineZ);
    const double theta = Radians(LineAngle(ReadNumber(Text(kLineAngle))));
    Figure().Cls();
    if (!Given({kEndX.name, kEndZ.name, kRadius.name})) {
        LinePreview(theta);
        return;
    }
    const ModelPoint e = ReadModelPoint(kEndX, kEndZ);
    const double r = ReadNumber(Text(kRadius));

    // Work in a frame mirrored so that the end point lies up and to the right of the line
    // point, which is its origin.
    const double sH = e.h > p.h ? 1 : -1;
    const double sV = e.v > p.v ? 1 : -1;
    const double eh = std::fabs(chk::sub(e.h, p.h));
    const double ev = std::fabs(chk::sub(e.v, p.v));
    const double th = sH * sV * theta;
    const double cosT = chk::cos(th), sinT = chk::sin(th);

    // Height of the end point above the line, its side of the line, and its distance.
    const double height = chk::sub(ev, chk::mul(eh, chk::tan(th)));
    const double sA = height > 0 ? 1 : -1;
    const double dist = chk::mul(height, cosT);
    // The centre lies R from the line and R from the end point: q and w are the legs of the
    // right triangle between the end point and the centre.
    const double q = chk::sub(r, std::fabs(dist));
    const double w = chk::sqrt(chk::sub(chk::mul(r, r), chk::mul(q, q)));

    const auto [dh, dv] = CentreFromEnd(q, w, r, sA, th, (*this)[kCircle1].Value);
    const double ch = eh + dh, cv = ev + dv;
    // The circle touches the line at the foot of the perpendicular from its centre.
    const double th_ = ch + sA * r * sinT, tv = cv - sA * r * cosT;

    const ModelPoint c{chk::finite(p.h + sH * ch), chk::finite(p.v + sV * cv)};
    const ModelPoint t{chk::finite(p.h + sH * th_), chk::finite(p.v + sV * tv)};
    const auto [i, k] = ArcOffsets(c, t);

    SetText(kCentreX, ResultText(XOf(c)));
    SetText(kCentreZ, ResultText(SecondOf(c)));
    SetText(kStartX, ResultText(XOf(t)));
    SetText(kStartZ, ResultText(SecondOf(t)));
    SetText(kStartI, ResultText(i));
    SetText(kStartK, ResultText(k));

    const double width = FitScale({p.h, e.h + sH * r, t.h}, {p.v, e.v + sV * r, t.v}, 1.2, 0.1);
    ModelLine(t.h, t.v, p.h, p.v, colors::Given);
    ModelCircle(c.h, c.v, r, colors::Given);
    ModelCircle(p.h, p.v, 0.001 * width, colors::Result);
    ModelCircle(e.h, e.v, 0.001 * width, colors::Result);
    ModelCircle(e.h, e.v, 0.0015 * width, colors::Result);
    ModelCircle(c.h, c.v, 0.001 * width, colors::Result);
    ModelCircle(t.h, t.v, 0.001 * width, colors::Result);
    ModelCircle(t.h, t.v, 0.0015 * width, colors::Result);
    // The contour goes on from the end point, away from the line point's side of the centre.
    const double run = p.h < c.h ? 100 : -100;
    ModelLine(e.h, e.v, e.h + run, e.v, colors::Given);
}

}  // namespace quillon
