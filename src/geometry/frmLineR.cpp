#include "geometry/frmLineR.h"

#include <cmath>

#include "shell/checked.h"

namespace quillon {
namespace {

constexpr Field kLineX{"Text1"};
constexpr Field kLineZ{"Text2"};
constexpr Field kLineAngle{"Text3"};
constexpr Field kCentreX{"Text4"};
constexpr Field kCentreZ{"Text5"};
constexpr Field kRadius{"Text6"};
constexpr Field kPoint1X{"Text7"};
constexpr Field kPoint1Z{"Text8"};
constexpr Field kPoint1I{"Text9"};
constexpr Field kPoint1K{"Text10"};
constexpr Field kPoint2X{"Text11"};
constexpr Field kPoint2Z{"Text12"};
constexpr Field kPoint2I{"Text13"};
constexpr Field kPoint2K{"Text14"};

}  // namespace

frmLineR::frmLineR(Module1& m)
    : FigureWindow(m, "frmLineR", " 直線と円の交点", 1450, 950, Topmost::AtLoad) {
    // Four rows of fields, each ending with its copy button: the line and the circle as
    // typed, then the two intersection points (grey results). The plane, the topmost box and
    // the close button stand to the right; the figure spans the window below.
    Label("Label1", "直 線 　    X").At(0, 0);
    TextBox("Text1").At(0, 1);
    Label("Label2", "Z").At(0, 2);
    TextBox("Text2").At(0, 3);
    Label("Label3", "A").At(0, 4);
    TextBox("Text3").At(0, 5);
    Button("Command1", "X Z コピー").At(0, 8);

    Label("Label4", "円の中心  X").At(1, 0);
    TextBox("Text4").At(1, 1);
    Label("Label5", "Z").At(1, 2);
    TextBox("Text5").At(1, 3);
    Label("Label6", "R").At(1, 4);
    TextBox("Text6").At(1, 5);
    Button("Command3", "X Z コピー").At(1, 8);

    Label("Label7", "交 点 1     X").At(2, 0);
    TextBox("Text7").At(2, 1).Result();
    Label("Label8", "Z").At(2, 2);
    TextBox("Text8").At(2, 3).Result();
    Label("Label9", "I").At(2, 4);
    TextBox("Text9").At(2, 5).Result();
    Label("Label10", "K").At(2, 6);
    TextBox("Text10").At(2, 7).Result();
    Button("Command4", "X Z コピー").At(2, 8);

    Label("Label11", "交 点 2     X").At(3, 0);
    TextBox("Text11").At(3, 1).Result();
    Label("Label12", "Z").At(3, 2);
    TextBox("Text12").At(3, 3).Result();
    Label("Label13", "I").At(3, 4);
    TextBox("Text13").At(3, 5).Result();
    Label("Label14", "K").At(3, 6);
    TextBox("Text14").At(3, 7).Result();
    Button("Command5", "X Z コピー").At(3, 8);

    PlaneOptions("Frame1", true).At(0, 9, 2, 1);
    Check("Check1", "手前に表示", true).At(2, 9);
    Button("Command2", "閉じる").At(3, 9);

    auto figure = DeclareFigure("Label16");
    figure.picture.At(4, 0, 1, 10).Size(593, 329);  // 8895 x 4935 twips
    Label("Label15", "※データのコピー 後は編集画面で[貼り付け]を行ってください。").At(5, 0, 1, 7);
    figure.readout.At(5, 7, 1, 3);
    figure.note.At(6, 0, 1, 10);

    EnterChain({{"Text1", "Text2"},
                {"Text2", "Text3"},
                {"Text3", "Text4"},
                {"Text4", "Text5"},
                {"Text5", "Text6"},
                {"Text6", "Command1"}});
    RecalculateOnLeave({"Text1", "Text2", "Text3", "Text4", "Text5", "Text6"});
    RedrawOnPictureFocus();
    PlaneSwitch({"Label2", "Label5", "Label8", "Label12", "Label10", "Label14", "Command1",
                 "Command3", "Command4", "Command5"},
                nullptr, [this] { RunRecalculate(); });
    CopyButton("Command1", [this] { return PairText(kLineX, kLineZ); });
    CopyButton("Command3", [this] { return PairText(kCentreX, kCentreZ); });
    CopyButton("Command4", [this] { return PairText(kPoint1X, kPoint1Z); });
    CopyButton("Command5", [this] { return PairText(kPoint2X, kPoint2Z); });
    TopmostBox("Check1");
    CloseButton("Command2");
}

void frmLineR::Recalculate() {
    if (!Given({kLineX.name, kLineZ.name, kLineAngle.name})) return;
    const ModelPoint p = ReadModelPoint(kLineX, kLineZ);
    const double theta = Radians(ReadNumber(Text(kLineAngle)));
    Figure().Cls();
    if (!Given({kCentreX.name, kCentreZ.name, kRadius.name})) {
        LinePreview(theta);
        return;
    }
    const ModelPoint c = ReadModelPoint(kCentreX, kCentreZ);
    const double r = ReadNumber(Text(kRadius));

    // Signed distance of the centre from the line (positive to the left of its direction), as
    // a share of the radius; a line that misses or only touches the circle has no two points.
    const double cosT = chk::cos(theta), sinT = chk::sin(theta);
    const double s = chk::div(
        chk::sub(chk::mul(chk::sub(c.v, p.v), cosT), chk::mul(chk::sub(c.h, p.h), sinT)), r);
    if (!(std::fabs(s) < 1)) throw ArithmeticFault("the line does not cut the circle");
    const double alpha = chk::acos(s);
    // Directions of the two points seen from the centre: point 1 comes first along the line.
    const double beta1 = theta - Pi / 2 - alpha;
    const double beta2 = theta - Pi / 2 + alpha;
    const ModelPoint p1{chk::add(c.h, chk::mul(r, chk::cos(beta1))),
                        chk::add(c.v, chk::mul(r, chk::sin(beta1)))};
    const ModelPoint p2{chk::add(c.h, chk::mul(r, chk::cos(beta2))),
                        chk::add(c.v, chk::mul(r, chk::sin(beta2)))};
    const auto [i1, k1] = ArcOffsets(c, p1);
    const auto [i2, k2] = ArcOffsets(c, p2);

    SetText(kPoint1I, ResultText(i1));
    SetText(kPoint2I, ResultText(i2));
    SetText(kPoint1X, ResultText(XOf(p1)));
    SetText(kPoint1Z, ResultText(SecondOf(p1)));
    SetText(kPoint1K, ResultText(k1));
    SetText(kPoint2X, ResultText(XOf(p2)));
    SetText(kPoint2Z, ResultText(SecondOf(p2)));
    SetText(kPoint2K, ResultText(k2));

    // The figure fits the line point and the circle; the points lie inside the circle's box.
    const double w = FitScale({p.h, c.h + r, c.h - r}, {p.v, c.v + r, c.v - r}, 1.2, 0.1);
    Figure().ForeColor = colors::Label;
    // The line runs from the typed point through point 2 and on out of the picture.
    const double sh = p2.h > p.h ? 1 : -1;
    const double sv = p2.v > p.v ? 1 : -1;
    ModelLine(p.h, p.v, p.h + sh * std::fabs(cosT) * w, p.v + sv * std::fabs(sinT) * w,
              colors::Given);
    ModelCircle(c.h, c.v, std::fabs(r), colors::Given);
    ModelCircle(p1.h, p1.v, w * 0.001, colors::Result);
    ModelCircle(c.h, c.v, w * 0.001, colors::Result);
    ModelCircle(p2.h, p2.v, w * 0.001, colors::Result);
    ModelLabel(p1.h, p1.v, "1", colors::Label);
    ModelLabel(p2.h, p2.v, "2", colors::Label);
}

}  // namespace quillon
