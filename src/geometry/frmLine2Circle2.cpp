#include "geometry/frmLine2Circle2.h"

#include <cmath>

#include "shell/checked.h"

namespace quillon {
namespace {

constexpr const char* kZNote = "※Z軸位置は接点１・接点２．接点３のいずれかを入力してください。";
constexpr const char* kXNote = "※X軸位置は接点１・接点２．接点３のいずれかを入力してください。";
constexpr Color kWindowColor = Color::Sys(Color::System::Window);

// The lines' positions, the radii and the choices.
constexpr Field kContact1X{"Text1"};
constexpr Field kContact1Z{"Text2"};
constexpr Field kRadius1{"Text3"};
constexpr Field kContact2X{"Text4"};
constexpr Field kContact2Z{"Text5"};
constexpr Field kRadius2{"Text6"};
constexpr Field kContact3X{"Text7"};
constexpr Field kContact3Z{"Text8"};
constexpr Field kCircle1First{"Option1"};
constexpr Field kVerticalLines{"Option4"};
constexpr Field kNote{"Label21"};
// The centres and their offsets from contact point 3.
constexpr Field kCentre1X{"Text9"};
constexpr Field kCentre1Z{"Text10"};
constexpr Field kCentre1I{"Text11"};
constexpr Field kCentre1K{"Text12"};
constexpr Field kCentre2X{"Text13"};
constexpr Field kCentre2Z{"Text14"};
constexpr Field kCentre2I{"Text15"};
constexpr Field kCentre2K{"Text16"};

using Direction = frmLine2Circle2::Direction;
using Tangency = frmLine2Circle2::Tangency;
using Point = frmLine2Circle2::Point;

// A position along the lines given in one field empties the two competing fields when it is
// left, so that the next pass derives them from it. Only in the direction whose fields they
// are: X positions run along vertical lines, Z positions along horizontal ones.
struct Competing {
    Field field;
    bool vertical;
    Field cleared[2];
};
constexpr Competing kCompeting[] = {
    {kContact1X, true, {kContact2X, kContact3X}},  {kContact2X, true, {kContact1X, kContact3X}},
    {kContact3X, true, {kContact1X, kContact2X}},  {kContact1Z, false, {kContact2Z, kContact3Z}},
    {kContact2Z, false, {kContact1Z, kContact3Z}}, {kContact3Z, false, {kContact1Z, kContact2Z}},
};

constexpr Direction kHorizontal{
    {kContact1X.name, kContact2X.name}, {kContact1Z.name, kContact2Z.name, kContact3Z.name}, 2, 1};
constexpr Direction kVertical{
    {kContact1Z.name, kContact2Z.name}, {kContact1X.name, kContact2X.name, kContact3X.name}, 1, 2};

// This figure's own proportion, width to height. It is close to the picture's 8835 : 4875
// but not the same, and the figure's views keep it rather than ScaleToWidth's.
constexpr double kProportion = 1.812;
// The view of one line alone: 1812 by 1000 (the proportion) around it.
constexpr double kOneLineWidth = 1812;
constexpr double kOneLineHeight = 1000;
// The lines are drawn this far each way, past the picture's edges.
constexpr double kLineReach = 1000;
// The half-length of the crosses at the points, as a share of the view's width.
constexpr double kMarkShare = 0.007;

Tangency Tangent(double r1, double r2, double h) {
    const double s = chk::add(r1, r2);
    const double d = chk::sub(s, h);  // across the lines between the centres
    const double a = chk::sqrt(chk::sub(chk::mul(s, s), chk::mul(d, d)));  // along the lines
    const double theta = chk::atan(chk::div(d, a));
    return {r1, r2, s, chk::cos(theta), chk::sin(theta)};
}

// Positions along the lines of contact points 1, 2 and 3.
struct Along {
    double p1 = 0, p2 = 0, p3 = 0;
};

// The positions along the lines from contact point `from` (0, 1 or 2) at `at`; k is the step
// from circle 1 towards circle 2 along the lines (2 per unit where the positions are X).
Along AlongLines(int from, double at, double k, const Tangency& t) {
    Along a;
    if (from == 0) {
        a.p1 = at;
        a.p2 = chk::add(a.p1, k * t.s * t.cosT);
        a.p3 = chk::add(a.p1, k * t.r1 * t.cosT);
    } else if (from == 1) {
        a.p2 = at;
        a.p1 = chk::sub(a.p2, k * t.s * t.cosT);
        a.p3 = chk::sub(a.p2, k * t.r2 * t.cosT);
    } else {
        a.p3 = at;
        a.p1 = chk::sub(a.p3, k * t.r1 * t.cosT);
        a.p2 = chk::add(a.p3, k * t.r2 * t.cosT);
    }
    return a;
}

// Across the lines: each centre on the side of its line that faces the other line, and
// contact point 3 between the centres.
struct Across {
    double c1, c2, q3;
};

Across AcrossLines(double l1, double l2, double unit, const Tangency& t) {
    const double q = (l1 > l2 ? -1 : 1) * unit;
    const double c1 = chk::add(l1, q * t.r1), c2 = chk::sub(l2, q * t.r2);
    const double q3 = chk::sub(c1, q * t.r1 * t.sinT);
    return {c1, c2, q3};
}

}  // namespace

frmLine2Circle2::frmLine2Circle2(Module1& m)
    : FigureWindow(m, "frmLine2Circle2", " 2直線と2円の接点", 1450, 950, Topmost::AtLoad) {
    // Contact points 1 and 2 with the radii, contact point 3, then the two centres (grey
    // results); the choices, the topmost box and the close button on the right, the figure
    // below.
    Label("Label1", "線と円の接点1 X").At(0, 0);
    TextBox("Text1").At(0, 1);
    Label("Label2", "Z").At(0, 2);
    TextBox("Text2").At(0, 3);
    Label("Label3", "R").At(0, 4);
    TextBox("Text3").At(0, 5);
    Button("Command1", "X Z コピー").At(0, 8);

    Label("Label4", "線と円の接点2 X").At(1, 0);
    TextBox("Text4").At(1, 1);
    Label("Label5", "Z").At(1, 2);
    TextBox("Text5").At(1, 3);
    Label("Label7", "R").At(1, 4);
    TextBox("Text6").At(1, 5);
    Button("Command3", "X Z コピー").At(1, 8);

    Label("Label8", "円と円の接点3 X").At(2, 0);
    TextBox("Text7").At(2, 1);
    Label("Label9", "Z").At(2, 2);
    TextBox("Text8").At(2, 3);
    Button("Command4", "X Z コピー").At(2, 8);

    Label("Label10", "第１円の中心  X").At(3, 0);
    TextBox("Text9").At(3, 1).Result();
    Label("Label11", "Z").At(3, 2);
    TextBox("Text10").At(3, 3).Result();
    Label("Label12", "I").At(3, 4);
    TextBox("Text11").At(3, 5).Result();
    Label("Label13", "K").At(3, 6);
    TextBox("Text12").At(3, 7).Result();

    Label("Label14", "第２円の中心  X").At(4, 0);
    TextBox("Text13").At(4, 1).Result();
    Label("Label15", "Z").At(4, 2);
    TextBox("Text14").At(4, 3).Result();
    Label("Label16", "I").At(4, 4);
    TextBox("Text15").At(4, 5).Result();
    Label("Label18", "K").At(4, 6);
    TextBox("Text16").At(4, 7).Result();

    Frame("Frame1", "円の位置").At(0, 9, 2, 1);
    Option("Option1", "1", true).In("Frame1").At(0, 0);
    Option("Option2", "2").In("Frame1").At(1, 0);
    Frame("Frame2", "線の方向").At(2, 9, 2, 1);
    Option("Option3", "水平", true).In("Frame2").At(0, 0);
    Option("Option4", "垂直").In("Frame2").At(1, 0);
    Check("Check1", "手前に表示", true).At(3, 8);
    Button("Command2", "閉じる").At(4, 8);

    auto figure = DeclareFigure("Label17");
    figure.picture.At(5, 0, 1, 10);
    Label("Label6(1)", "※データのコピー 後は編集画面で[貼り付け]を行ってください。").At(6, 0, 1, 7);
    figure.readout.At(6, 7, 1, 3);
    figure.note.At(7, 0, 1, 10);
    Label("Label21", kZNote).At(8, 0, 1, 10);
    ContactThreeRoles(true);

    EnterChain({{"Text1", "Text2"},
                {"Text2", "Text3"},
                {"Text3", "Text4"},
                {"Text4", "Text5"},
                {"Text5", "Text6"},
                {"Text6", "Text8"},
                {"Text8", "Text1"},
                {"Text7", "Text1"}});
    for (const Competing& c : kCompeting) {
        On(c.field, Event::LostFocus, [this, c] {
            if ((*this)[kVerticalLines].Value == c.vertical && Given({c.field.name}))
                for (const Field& other : c.cleared) SetText(other, "");
            RunRecalculate();
        });
    }
    RecalculateOnLeave({"Text3", "Text6"});
    RecalculateOnClick({"Option1", "Option2"});
    On("Option3", Event::Click, [this] { LineDirection(true); });
    On("Option4", Event::Click, [this] { LineDirection(false); });
    // The copies always name Z: this window has no X-Y plane.
    CopyButton("Command1", [this] { return PairText(kContact1X, kContact1Z); });
    CopyButton("Command3", [this] { return PairText(kContact2X, kContact2Z); });
    CopyButton("Command4", [this] { return PairText(kContact3X, kContact3Z); });
    TopmostBox("Check1");
    CloseButton("Command2");
}

void frmLine2Circle2::ContactThreeRoles(bool horizontal) {
    auto role = [this](const Field& field, bool typed) {
        Control& c = (*this)[field];
        c.Locked = !typed;
        c.BackColor = typed ? kWindowColor : colors::ButtonFace;
        c.TabStop = typed;
    };
    role(kContact3X, !horizontal);
    role(kContact3Z, horizontal);
    (*this)[kNote].Text = horizontal ? kZNote : kXNote;
}

void frmLine2Circle2::LineDirection(bool horizontal) {
    ContactThreeRoles(horizontal);
    SetFocus(kContact1X);
    RunRecalculate();
}

void frmLine2Circle2::Form_Load() {
    ContactThreeRoles(true);
    FigureWindow::Form_Load();
}

void frmLine2Circle2::Recalculate() {
    Figure().Cls();
    const bool vertical = (*this)[kVerticalLines].Value;
    const Direction& dir = vertical ? kVertical : kHorizontal;
    if (!Given({dir.lines[0]}) && !Given({dir.lines[1]})) return;
    const double l1 = ReadNumber(Text(dir.lines[0])), l2 = ReadNumber(Text(dir.lines[1]));
    const double h = std::fabs(chk::sub(l1, l2)) / dir.acrossUnit;
    if (!Given({dir.lines[0], dir.lines[1]}))
        ShowOneLine(vertical, Given({dir.lines[1]}) ? l2 : l1);
    else if (!Given({kRadius1.name, kRadius2.name}))
        ShowTwoLines(vertical, l1, l2, h);
    else
        ShowCircles(dir, vertical, l1, l2, h);
}

void frmLine2Circle2::DrawLine(bool vertical, double position) {
    if (vertical)
        ModelLine(position, kLineReach, position, -kLineReach, colors::Given);
    else
        ModelLine(-kLineReach, position / 2, kLineReach, position / 2, colors::Given);
}

void frmLine2Circle2::ShowOneLine(bool vertical, double l) {
    Picture& pic = Figure();
    if (vertical)
        pic.SetScale(-kOneLineWidth / 2 + l, -kOneLineHeight / 2, kOneLineWidth, kOneLineHeight);
    else
        pic.SetScale(-kOneLineWidth / 2, (-kOneLineHeight - l) / 2, kOneLineWidth, kOneLineHeight);
    DrawLine(vertical, l);
}

void frmLine2Circle2::ShowTwoLines(bool vertical, double l1, double l2, double h) {
    // The distance between the lines fills half the picture's height.
    Picture& pic = Figure();
    const double w = 2 * h * kProportion, height = 2 * h;
    if (vertical)
        pic.SetScale(-w / 2 + (l1 + l2) / 2, height / 2, w, height);
    else
        pic.SetScale(-w / 2, (-2 * h - (l1 + l2) / 2) / 2, w, height);
    DrawLine(vertical, l1);
    DrawLine(vertical, l2);
}

void frmLine2Circle2::ShowCircles(const Direction& dir, bool vertical, double l1, double l2,
                                  double h) {
    const Tangency t = Tangent(ReadNumber(Text(kRadius1)), ReadNumber(Text(kRadius2)), h);
    // Along the lines: contact points 1, 2 and 3 from the first of their fields that is given
    // (all at 0 when none is). Option1 puts circle 1 before circle 2 (towards -Z, or the
    // smaller diameter), Option2 after it.
    const double k = ((*this)[kCircle1First].Value ? 1 : -1) * dir.alongUnit;
    Along along;
    for (int i = 0; i < 3; ++i)
        if (Given({dir.along[i]})) {
            along = AlongLines(i, ReadNumber(Text(dir.along[i])), k, t);
            break;
        }
    const Across across = AcrossLines(l1, l2, dir.acrossUnit, t);

    auto point = [vertical](double acrossAt, double alongAt) {
        return vertical ? Point{alongAt, acrossAt} : Point{acrossAt, alongAt};
    };
    Solution p;
    p.centre1 = point(across.c1, along.p1);
    p.centre2 = point(across.c2, along.p2);
    p.contact3 = point(across.q3, along.p3);
    // Contact points 1 and 2 go on with their positions along the lines as written.
    SetText(dir.along[0], NcNumberInPlace(along.p1));
    SetText(dir.along[1], NcNumberInPlace(along.p2));
    p.contact1 = point(l1, along.p1);
    p.contact2 = point(l2, along.p2);

    // K of both centres from contact point 3 as computed, written before the view is set for
    // horizontal lines and after it for vertical ones.
    if (!vertical) WriteOffsetsK(p);
    ScaleAroundContacts(vertical, h, p);
    DrawLine(vertical, l1);
    DrawLine(vertical, l2);
    if (vertical) WriteOffsetsK(p);
    WriteCentres(p);
    DrawCircles(t, p);
}

void frmLine2Circle2::WriteOffsetsK(const Solution& p) {
    SetText(kCentre1K, NcNumber(p.centre1.z - p.contact3.z));
    SetText(kCentre2K, NcNumber(p.centre2.z - p.contact3.z));
}

void frmLine2Circle2::ScaleAroundContacts(bool vertical, double h, const Solution& p) {
    // Four times the lines' distance high (horizontal lines) or five times it wide (vertical
    // lines), around the middle of contact points 1 and 2.
    const double w = vertical ? 5 * h : 4 * h * kProportion;
    Figure().SetScale(-w / 2 + (p.contact1.z + p.contact2.z) / 2,
                      (-(vertical ? 2 : 4) * h - (p.contact1.x + p.contact2.x) / 2) / 2, w,
                      vertical ? w / kProportion : 4 * h);
}

void frmLine2Circle2::WriteCentres(Solution& p) {
    // Each value is written rounded and goes on rounded: I of both centres from the rounded
    // centres and contact point 3.
    SetText(kContact3X, NcNumberInPlace(p.contact3.x));
    SetText(kContact3Z, NcNumberInPlace(p.contact3.z));
    SetText(kCentre1X, NcNumberInPlace(p.centre1.x));
    SetText(kCentre1Z, NcNumberInPlace(p.centre1.z));
    SetText(kCentre1I, NcNumber((p.centre1.x - p.contact3.x) / 2));
    SetText(kCentre2X, NcNumberInPlace(p.centre2.x));
    SetText(kCentre2Z, NcNumberInPlace(p.centre2.z));
    SetText(kCentre2I, NcNumber((p.centre2.x - p.contact3.x) / 2));
}

void frmLine2Circle2::DrawCircles(const Tangency& t, const Solution& p) {
    ModelCircle(p.centre1.z, p.centre1.x / 2, t.r1, colors::Given);
    ModelCircle(p.centre2.z, p.centre2.x / 2, t.r2, colors::Given);
    // Crosses at the three contact points and the two centres: the five horizontal strokes
    // first, then the five vertical ones.
    const double m = Figure().GetScale().width * kMarkShare;
    const Point marks[5] = {p.contact1, p.contact2, p.contact3, p.centre1, p.centre2};
    for (const Point& q : marks) ModelLine(q.z - m, q.x / 2, q.z + m, q.x / 2, colors::Result);
    for (const Point& q : marks) ModelLine(q.z, q.x / 2 + m, q.z, q.x / 2 - m, colors::Result);
    const char* labels[3] = {"1", "2", "3"};
    for (int i = 0; i < 3; ++i) ModelLabel(marks[i].z, marks[i].x / 2, labels[i], colors::Label);
}

}  // namespace quillon
