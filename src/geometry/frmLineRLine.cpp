#include "geometry/frmLineRLine.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "shell/checked.h"

namespace quillon {
namespace {

// The circle of radius r in one of the four corners of two lines through the origin with
// angles a1, a2 (radians; A1, A2 the same in degrees): centre and tangent points as offsets
// from the lines' intersection in the working frame.
struct Corner {
    double ch, cv;    // centre
    double t1h, t1v;  // tangent point on line 1
    double t2h, t2v;  // tangent point on line 2
};

Corner CornerCircle(double a1, double a2, double A1, double A2, double r, int position) {
    const double s = a1 < a2 ? 1 : -1;
    const bool acute = position <= 2;
    const double q = acute ? std::fabs(a1 - a2) / 2 : (Pi - std::fabs(a1 - a2)) / 2;
    const double b = acute ? (a1 + a2) / 2 : (Pi - a1 - a2) / 2;
    const double t = chk::div(r, chk::tan(q));
    const double d = chk::sqrt(chk::add(chk::mul(t, t), r * r));
    const double c1 = chk::cos(a1), s1 = chk::sin(a1), c2 = chk::cos(a2), s2 = chk::sin(a2);
    const double cb = chk::cos(b), sb = chk::sin(b);

    // Signs of the centre's offset along (cos b, sin b) and of the tangent lengths.
    double kh = 1, kv = 1, k1 = 1, k2 = 1;
    switch (position) {
        case 1:
            break;
        case 2:
            kh = kv = k1 = k2 = -1;
            break;
        case 3:
            kh = -1, k1 = -s, k2 = s;
            break;
        default:
            kv = -1, k1 = s, k2 = -s;
            break;
    }
    Corner c{kh * d * cb, kv * d * sb, k1 * t * c1, k1 * t * s1, k2 * t * c2, k2 * t * s2};

    // Beyond half a turn between the angles (a whole turn in positions 1 and 2) the signed
    // tangent lengths put the points on the wrong side of the intersection, away from the
    // circle. The centre is still right; the tangent points are then the feet of the
    // perpendiculars from it to the lines.
    const double limit = acute ? 360 : 180;
    if (std::fabs(A1 - A2) > limit) {
        const double f1 = c.ch * c1 + c.cv * s1;
        const double f2 = c.ch * c2 + c.cv * s2;
        c.t1h = f1 * c1, c.t1v = f1 * s1;
        c.t2h = f2 * c2, c.t2v = f2 * s2;
    }
    return c;
}

// Imaginary tool tip minus nose centre for the directions "1" to "8", in nose radii:
// X (on diameter, so twice) and Z.
constexpr int kTipX[8] = {2, 2, -2, -2, 0, 2, 0, -2};
constexpr int kTipZ[8] = {1, -1, -1, 1, 1, 0, -1, 0};

std::string NoseName(int i) {
    return "NosePN(" + std::to_string(i) + ")";
}

constexpr Field kLine1X{"Text1"};
constexpr Field kLine1Z{"Text2"};
constexpr Field kLine1Angle{"Text3"};
constexpr Field kLine2X{"Text4"};
constexpr Field kLine2Z{"Text5"};
constexpr Field kLine2Angle{"Text6"};
constexpr Field kRadius{"Text9"};
constexpr Field kNoseR{"Text20"};
constexpr Field kCrossX{"Text7"};
constexpr Field kCrossZ{"Text8"};
constexpr Field kCentreX{"Text10"};
constexpr Field kCentreZ{"Text11"};
constexpr Field kTangent1X{"Text12"};
constexpr Field kTangent1Z{"Text13"};
constexpr Field kTangent1I{"Text16"};
constexpr Field kTangent1K{"Text17"};
constexpr Field kTangent2X{"Text14"};
constexpr Field kTangent2Z{"Text15"};
constexpr Field kTangent2I{"Text18"};
constexpr Field kTangent2K{"Text19"};
constexpr Field kNose1CX{"Text21"};
constexpr Field kNose1CZ{"Text22"};
constexpr Field kNose1R{"Text23"};
constexpr Field kTip1X{"Text24"};
constexpr Field kTip1Z{"Text25"};
constexpr Field kNose1I{"Text26"};
constexpr Field kNose1K{"Text27"};
constexpr Field kNose2CX{"Text28"};
constexpr Field kNose2CZ{"Text29"};
constexpr Field kNose2R{"Text30"};
constexpr Field kTip2X{"Text31"};
constexpr Field kTip2Z{"Text32"};
constexpr Field kNose2I{"Text33"};
constexpr Field kNose2K{"Text34"};
constexpr Field kZoom{"Check1"};
constexpr Field kOutside{"Option5"};
// The corner of the two lines the circle lies in, by its position 1 to 4.
constexpr Field kCornerPositions[] = {{"Option1"}, {"Option2"}, {"Option3"}, {"Option4"}};
constexpr Field kNoseFrame{"Frame4"};

}  // namespace

frmLineRLine::frmLineRLine(Module1& m)
    : FigureWindow(m, "frmLineRLine", " 2直線と接する円", 1450, 950, Topmost::AtLoad) {
    // Inputs on the left: the two lines, R and the nose radius, and the choices.
    Label("Label1", "直 線 １    X").At(0, 0);
    TextBox("Text1").At(0, 1);
    Label("Label2", "Z").At(0, 2);
    TextBox("Text2").At(0, 3);
    Label("Label3", "A").At(0, 4);
    TextBox("Text3").At(0, 5).Tip("直線1の角度");
    Label("Label4", "直 線 ２    X").At(1, 0);
    TextBox("Text4").At(1, 1);
    Label("Label5", "Z").At(1, 2);
    TextBox("Text5").At(1, 3);
    Label("Label7", "A").At(1, 4);
    TextBox("Text6").At(1, 5).Tip("直線2の角度");
    Label("Label9", "R").At(2, 0);
    TextBox("Text9").At(2, 1).Tip("接する円の半径");
    Label("Label20", "NR").At(2, 2);
    TextBox("Text20").At(2, 3).Tip("ノーズR");
    Check("Check1", "円の基準表示").At(2, 4, 1, 2).Enabled = false;

    Frame("Frame1", "円の位置").At(3, 0, 2, 4);
    for (int i = 1; i <= 4; ++i)
        Option("Option" + std::to_string(i), std::to_string(i), i == 1).In("Frame1").At(0, i - 1);
    Frame("Frame3", "ノーズの位置").At(3, 4, 2, 2);
    Option("Option5", "外", true).In("Frame3").At(0, 0);
    Option("Option6", "内").In("Frame3").At(0, 1);

    // The tool-tip directions sit where they point: the place of a number in the grid is the
    // direction from the tool tip to the nose centre, X up and Z to the right, around a small
    // cross of the two axes.
    Frame("Frame4", "補正位置").At(5, 0, 3, 2);
    static constexpr Cell kNoseCells[8] = {{2, 0}, {2, 2}, {0, 2}, {0, 0},
                                           {1, 0}, {2, 1}, {1, 2}, {0, 1}};
    for (int i = 0; i < 8; ++i)
        Option(NoseName(i), std::to_string(i + 1), i == 2)
            .In(kNoseFrame)
            .At(kNoseCells[i].row, kNoseCells[i].col);
    Control& axes = PictureBox("Picture2").In("Frame4").At(1, 1).Size(20, 20).NoTabStop();
    axes.BackColor = colors::ButtonFace;
    axes.Pic = std::make_unique<Picture>(20, 20);
    axes.Pic->SetScale(-10, -10, 20, 20);
    axes.Pic->Line(0, -6, 0, 6, colors::Blue);
    axes.Pic->Line(-6, 0, 6, 0, colors::Blue);

    PlaneOptions("Frame2", false).At(5, 2, 2, 4);
    Check("Check2", "手前に表示", true).At(7, 2, 1, 2);
    Button("Command2", "閉じる").At(7, 4, 1, 2);

    // Results on the right, one point per row with its copy button.
    Label("Label8", "線の交点  X").At(0, 6);
    TextBox("Text7").At(0, 7).Result();
    Label("Label6", "Z").At(0, 8);
    TextBox("Text8").At(0, 9).Result();
    Button("Command4", "X Z コピー").At(0, 14);
    Label("Label10", "接する円 CX").At(1, 6);
    TextBox("Text10").At(1, 7).Result().Tip("接する円の中心位置");
    Label("Label11", "CZ").At(1, 8);
    TextBox("Text11").At(1, 9).Result().Tip("接する円の中心位置");
    Button("Command5", "X Z コピー").At(1, 14);
    Label("Label12", "接 点 １    X").At(2, 6);
    TextBox("Text12").At(2, 7).Result();
    Label("Label14", "Z").At(2, 8);
    TextBox("Text13").At(2, 9).Result();
    Label("Label16", "I").At(2, 10);
    TextBox("Text16").At(2, 11).Result();
    Label("Label18", "K").At(2, 12);
    TextBox("Text17").At(2, 13).Result();
    Button("Command8", "X Z コピー").At(2, 14);
    Label("Label13", "接 点 ２    X").At(3, 6);
    TextBox("Text14").At(3, 7).Result();
    Label("Label15", "Z").At(3, 8);
    TextBox("Text15").At(3, 9).Result();
    Label("Label17", "I").At(3, 10);
    TextBox("Text18").At(3, 11).Result();
    Label("Label19", "K").At(3, 12);
    TextBox("Text19").At(3, 13).Result();
    Button("Command9", "X Z コピー").At(3, 14);

    Label("Label23", "刃 先  1　CX").At(4, 6);
    TextBox("Text21").At(4, 7).Result().Tip("ノーズRの中心位置");
    Label("Label24", "CZ").At(4, 8);
    TextBox("Text22").At(4, 9).Result().Tip("ノーズRの中心位置");
    Label("Label25", "R").At(4, 10);
    TextBox("Text23").At(4, 11).Result().Tip("ノーズRを含んだ半径");
    Label("Label26", "X").At(5, 6);
    TextBox("Text24").At(5, 7).Result();
    Label("Label28", "Z").At(5, 8);
    TextBox("Text25").At(5, 9).Result();
    Label("Label29", "I").At(5, 10);
    TextBox("Text26").At(5, 11).Result();
    Label("Label30", "K").At(5, 12);
    TextBox("Text27").At(5, 13).Result();
    Label("Label27", "刃 先  ２  CX").At(6, 6);
    TextBox("Text28").At(6, 7).Result().Tip("ノーズRの中心位置");
    Label("Label31", "CZ").At(6, 8);
    TextBox("Text29").At(6, 9).Result().Tip("ノーズRの中心位置");
    Label("Label32", "R").At(6, 10);
    TextBox("Text30").At(6, 11).Result().Tip("ノーズRを含んだ半径");
    Label("Label35", "X").At(7, 6);
    TextBox("Text31").At(7, 7).Result();
    Label("Label33", "Z").At(7, 8);
    TextBox("Text32").At(7, 9).Result();
    Label("Label36", "I").At(7, 10);
    TextBox("Text33").At(7, 11).Result();
    Label("Label34", "K").At(7, 12);
    TextBox("Text34").At(7, 13).Result();

    // The figure below, the readout beside its note.
    auto figure = DeclareFigure("Label22");
    figure.picture.At(8, 0, 1, 15);
    figure.note.At(9, 0, 1, 9);
    figure.readout.At(9, 9, 1, 6);
    Label("Label21",
          "※直線２の開始点が直線１上にあるときは腺が交差するように0.0001ずらしてください。")
        .At(10, 0, 1, 15);

    EnterChain({{"Text1", "Text2"},
                {"Text2", "Text3"},
                {"Text3", "Text4"},
                {"Text4", "Text5"},
                {"Text5", "Text6"},
                {"Text6", "Text9"},
                {"Text9", "Option1"},
                {"Text20", "Option5"}});
    RecalculateOnLeave({"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text9", "Text20"});
    RecalculateOnClick(
        {"Option1", "Option2", "Option3", "Option4", "Option5", "Option6", "Check1"});
    for (int i = 0; i < 8; ++i) On(NoseName(i), Event::Click, [this] { RunRecalculate(); });
    PlaneSwitch(
        {"Label2", "Label5", "Label6", "Label14", "Label15", "Label28", "Label33", "Label11",
         "Label18", "Label19", "Label30", "Label34", "Command4", "Command5", "Command8",
         "Command9"},
        [this](bool xy) { (*this)[kNoseFrame].Enabled = !xy; }, [this] { RunRecalculate(); });
    CopyButton("Command4", [this] { return PairText(kCrossX, kCrossZ); });
    CopyButton("Command5", [this] { return PairText(kCentreX, kCentreZ); });
    CopyButton("Command8", [this] { return PairText(kTangent1X, kTangent1Z); });
    CopyButton("Command9", [this] { return PairText(kTangent2X, kTangent2Z); });
    CloseButton("Command2");
    TopmostBox("Check2");
}

void frmLineRLine::Recalculate() {
    if (!Given({kLine1X.name, kLine1Z.name, kLine1Angle.name})) return;
    const Line l1 = ReadLine(kLine1X, kLine1Z, kLine1Angle);
    Figure().Cls();
    // Without line 2, line 1 alone through the middle of the default picture.
    if (!Given({kLine2X.name, kLine2Z.name, kLine2Angle.name})) return LinePreview(l1.a);
    const Line l2 = ReadLine(kLine2X, kLine2Z, kLine2Angle);

    const ModelPoint cross = Intersection(l1, l2);
    // Scale fitted to the two given points and the intersection, centred horizontally with a
    // margin above.
    const double sw = FitScale({l1.at.h, l2.at.h, cross.h}, {l1.at.v, l2.at.v, cross.v}, 1.4, 0.2);
    const Rays rays{Ray(l1, cross, sw), Ray(l2, cross, sw)};
    DrawRays(rays);

    if (!Given({kRadius.name})) {
        (*this)[kZoom].Enabled = false;
        return;
    }
    (*this)[kZoom].Enabled = true;
    const double r = ReadNumber(Text(kRadius));
    const ModelPoint centre = TangentCircle(l1, l2, cross, r);
    DrawTangentCircle(rays, centre, r, sw);
    if (!Given({kNoseR.name})) return;
    NoseCompensation(centre, r);
}

frmLineRLine::Line frmLineRLine::ReadLine(Field x, Field second, Field angle) {
    Line l;
    l.x = ReadNumber(Text(x));
    l.second = ReadNumber(Text(second));
    l.A = ReadNumber(Text(angle));
    l.a = Radians(l.A);
    l.at = ModelOf(l.x, l.second);
    return l;
}

FigureWindow::ModelPoint frmLineRLine::Intersection(const Line& l1, const Line& l2) {
    const double t1 = chk::tan(l1.a), t2 = chk::tan(l2.a);
    double xc, zc;  // zc is Y in the X-Y plane
    if (InXY()) {
        xc = chk::div(chk::finite((l2.second - l1.second) + l1.x * t1 - l2.x * t2), t1 - t2);
        zc = chk::finite(l1.second + (xc - l1.x) * t1);
    } else {
        zc = chk::div(chk::finite((l2.x - l1.x) / 2 + l1.second * t1 - l2.second * t2), t1 - t2);
        xc = chk::finite(l1.x + 2 * (zc - l1.second) * t1);
    }
    SetText(kCrossX, ResultText(xc));
    SetText(kCrossZ, ResultText(zc));
    return ModelOf(xc, zc);
}

frmLineRLine::Segment frmLineRLine::Ray(const Line& l, ModelPoint cross, double length) {
    // From the line's point towards (and past) the intersection.
    const double sgnH = cross.h > l.at.h ? 1 : -1, sgnV = cross.v > l.at.v ? 1 : -1;
    return {l.at,
            {l.at.h + sgnH * std::fabs(chk::cos(l.a)) * length,
             l.at.v + sgnV * std::fabs(chk::sin(l.a)) * length}};
}

void frmLineRLine::DrawRays(const Rays& rays) {
    for (const Segment& s : rays) ModelLine(s.from.h, s.from.v, s.to.h, s.to.v, colors::Given);
}

FigureWindow::ModelPoint frmLineRLine::TangentCircle(const Line& l1, const Line& l2,
                                                     ModelPoint cross, double r) {
    int position = 1;
    for (int i = 2; i <= 4; ++i)
        if ((*this)[kCornerPositions[i - 1]].Value) position = i;
    const Corner c = CornerCircle(l1.a, l2.a, l1.A, l2.A, r, position);
    const ModelPoint centre{cross.h + c.ch, cross.v + c.cv};
    tangent1_ = {cross.h + c.t1h, cross.v + c.t1v};
    tangent2_ = {cross.h + c.t2h, cross.v + c.t2v};
    const double cx = chk::finite(XOf(centre)), cz = chk::finite(SecondOf(centre));
    SetText(kCentreX, ResultText(cx));
    SetText(kCentreZ, ResultText(cz));
    SetText(kTangent1X, ResultText(XOf(tangent1_)));
    SetText(kTangent1Z, ResultText(SecondOf(tangent1_)));
    const auto [i1, k1] = ArcOffsets(centre, tangent1_);
    SetText(kTangent1K, ResultText(k1));
    SetText(kTangent2X, ResultText(XOf(tangent2_)));
    SetText(kTangent2Z, ResultText(SecondOf(tangent2_)));
    const auto [i2, k2] = ArcOffsets(centre, tangent2_);
    SetText(kTangent2K, ResultText(k2));
    SetText(kTangent1I, ResultText(i1));
    SetText(kTangent2I, ResultText(i2));
    return centre;
}

void frmLineRLine::DrawTangentCircle(const Rays& rays, ModelPoint centre, double r, double sw) {
    if ((*this)[kZoom].Value) {
        // Zoomed onto the circle; the rays keep their ends.
        Figure().Cls();
        sw = 5 * r;
        ScaleToWidth(centre.h - sw / 2, -centre.v - sw * kFigureHeight / kFigureWidth / 2, sw);
        DrawRays(rays);
    }
    ModelCircle(centre.h, centre.v, r, colors::Given);
    ModelCircle(centre.h, centre.v, 0.001 * sw, colors::Result);
    ModelCross(tangent1_.h, tangent1_.v, 0.006 * sw, colors::Result);
    ModelCross(tangent2_.h, tangent2_.v, 0.006 * sw, colors::Result);
    ModelLabel(tangent1_.h, tangent1_.v, "1", colors::Label);
    ModelLabel(tangent2_.h, tangent2_.v, "2", colors::Label);
}

void frmLineRLine::NoseCompensation(ModelPoint centre, double r) {
    // The nose centre runs on the arc of radius R + rn (outside) or R - rn (inside) around the
    // same centre.
    const bool xy = InXY();
    const double cx = XOf(centre), cz = SecondOf(centre);
    const double rn = ReadNumber(Text(kNoseR));
    const double p = (*this)[kOutside].Value ? 1 : -1;
    SetText(kNose1R, NcNumber(r + p * rn));
    SetText(kNose2R, Text(kNose1R));
    auto scaled = [&](Field field) {
        const double inc = ReadNumber(Text(field));
        return NcNumber(chk::finite(inc + chk::div(p * inc * rn, r)));
    };
    SetText(kNose1I, scaled(kTangent1I));
    SetText(kNose1K, scaled(kTangent1K));
    SetText(kNose2I, scaled(kTangent2I));
    SetText(kNose2K, scaled(kTangent2K));
    const double xFactor = xy ? 1 : 2;
    SetText(kNose1CX, NcNumber(cx - xFactor * ReadNumber(Text(kNose1I))));
    SetText(kNose1CZ, NcNumber(cz - ReadNumber(Text(kNose1K))));
    SetText(kNose2CX, NcNumber(cx - xFactor * ReadNumber(Text(kNose2I))));
    SetText(kNose2CZ, NcNumber(cz - ReadNumber(Text(kNose2K))));
    const double n1x = ReadNumber(Text(kNose1CX)), n1z = ReadNumber(Text(kNose1CZ));
    const double n2x = ReadNumber(Text(kNose2CX)), n2z = ReadNumber(Text(kNose2CZ));
    const ModelPoint n1 = ModelOf(n1x, n1z), n2 = ModelOf(n2x, n2z);
    ModelCircle(n1.h, n1.v, rn, colors::Magenta);
    ModelCircle(n2.h, n2.v, rn, colors::Magenta);

    // Imaginary tool tips, turning only.
    if (xy) {
        for (const Field& f : {kTip1X, kTip1Z, kTip2X, kTip2Z}) SetText(f, "");
        return;
    }
    int dir = 0;
    for (int i = 0; i < 8; ++i)
        if ((*this)[NoseName(i)].Value) dir = i;
    SetText(kTip1X, PlainDecimal(n1x + kTipX[dir] * rn));
    SetText(kTip1Z, PlainDecimal(n1z + kTipZ[dir] * rn));
    SetText(kTip2X, PlainDecimal(n2x + kTipX[dir] * rn));
    SetText(kTip2Z, PlainDecimal(n2z + kTipZ[dir] * rn));
    // From each tip, one stroke along X to the nose centre's X and one along Z to its Z.
    auto strokes = [&](Field tipX, Field tipZ, double nx, double nz) {
        const double tx = ReadNumber(Text(tipX)), tz = ReadNumber(Text(tipZ));
        ModelLine(tz, tx / 2, tz, nx / 2, colors::ButtonShadow);
        ModelLine(tz, tx / 2, nz, tx / 2, colors::ButtonShadow);
    };
    strokes(kTip1X, kTip1Z, n1x, n1z);
    strokes(kTip2X, kTip2Z, n2x, n2z);
}

}  // namespace quillon
