#include "geometry/frmLine2Circle2.h"

#include <cmath>

#include "shell/checked.h"

namespace quillon {
namespace {

constexpr const char* kZNote = "※Z軸位置は接点１・接点２．接点３のいずれかを入力してください。";
constexpr const char* kXNote = "※X軸位置は接点１・接点２．接点３のいずれかを入力してください。";
constexpr Color kWindowColor = Color::Sys(Color::System::Window);

// A position along the lines given in one field empties the two competing fields when it is
// left, so that the next pass derives them from it. Only in the direction whose fields they
// are: X positions run along vertical lines, Z positions along horizontal ones.
struct Competing {
    const char* field;
    bool vertical;
    const char* cleared[2];
};
constexpr Competing kCompeting[] = {
    {"Text1", true, {"Text4", "Text7"}},  {"Text4", true, {"Text1", "Text7"}},
    {"Text7", true, {"Text1", "Text4"}},  {"Text2", false, {"Text5", "Text8"}},
    {"Text5", false, {"Text2", "Text8"}}, {"Text8", false, {"Text2", "Text5"}},
};

// The two directions of the lines. Across them lie the lines' positions and the centres; along
// them the positions of the contact points, found from whichever of three fields is given.
// A unit is 2 where the value is an X (a diameter), 1 where it is a Z.
struct Direction {
    const char* lines[2];  // the positions of line 1 and line 2
    const char* along[3];  // contact points 1, 2 and 3 along the lines
    double acrossUnit, alongUnit;
};
constexpr Direction kHorizontal{{"Text1", "Text4"}, {"Text2", "Text5", "Text8"}, 2, 1};
constexpr Direction kVertical{{"Text2", "Text5"}, {"Text1", "Text4", "Text7"}, 1, 2};

// The two circles between lines `h` apart (as a radius across X): S the sum of the radii, and
// theta the slope of the line of centres against the lines.
struct Tangency {
    double r1, r2, s, cosT, sinT;
};

Tangency Tangent(double r1, double r2, double h) {
    const double s = chk::add(r1, r2);
    const double d = chk::sub(s, h);  // across the lines between the centres
    const double a = chk::sqrt(chk::sub(chk::mul(s, s), chk::mul(d, d)));  // along the lines
    const double theta = chk::atan(chk::div(d, a));
    return {r1, r2, s, chk::cos(theta), chk::sin(theta)};
}

// A point of the figure: X (a diameter) and Z.
struct Point {
    double x = 0, z = 0;
};

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
            if ((*this)["Option4"].Value == c.vertical && Given({c.field}))
                for (const char* other : c.cleared) SetText(other, "");
            RunRecalculate();
        });
    }
    RecalculateOnLeave({"Text3", "Text6"});
    RecalculateOnClick({"Option1", "Option2"});
    On("Option3", Event::Click, [this] { LineDirection(true); });
    On("Option4", Event::Click, [this] { LineDirection(false); });
    // The copies always name Z: this window has no X-Y plane.
    CopyButton("Command1", [this] { return PairText("Text1", "Text2"); });
    CopyButton("Command3", [this] { return PairText("Text4", "Text5"); });
    CopyButton("Command4", [this] { return PairText("Text7", "Text8"); });
    TopmostBox("Check1");
    CloseButton("Command2");
}

void frmLine2Circle2::ContactThreeRoles(bool horizontal) {
    auto role = [this](const char* name, bool typed) {
        Control& c = (*this)[name];
        c.Locked = !typed;
        c.BackColor = typed ? kWindowColor : colors::ButtonFace;
        c.TabStop = typed;
    };
    role("Text7", !horizontal);
    role("Text8", horizontal);
    (*this)["Label21"].Text = horizontal ? kZNote : kXNote;
}

void frmLine2Circle2::LineDirection(bool horizontal) {
    ContactThreeRoles(horizontal);
    SetFocus("Text1");
    RunRecalculate();
}

void frmLine2Circle2::Form_Load() {
    ContactThreeRoles(true);
    FigureWindow::Form_Load();
}

void frmLine2Circle2::Recalculate() {
    Picture& pic = Figure();
    pic.Cls();
    const bool vertical = (*this)["Option4"].Value;
    const Direction& dir = vertical ? kVertical : kHorizontal;
    auto read = [this](const char* f) { return ReadNumber(Text(f)); };
    // A line in picture coordinates (Z across, -X/2 up), far past the picture's edges.
    auto line = [&](double position) {
        if (vertical)
            pic.Line(position, -1000, position, 1000, colors::Given);
        else
            pic.Line(-1000, -position / 2, 1000, -position / 2, colors::Given);
    };
    // A point from its positions across and along the lines.
    auto point = [&](double across, double along) {
        return vertical ? Point{along, across} : Point{across, along};
    };

    if (!Given({dir.lines[0]}) && !Given({dir.lines[1]})) return;
    const double l1 = read(dir.lines[0]), l2 = read(dir.lines[1]);
    const double h = std::fabs(chk::sub(l1, l2)) / dir.acrossUnit;
    // One line alone in a picture of 1812 by 1000 around it; both lines without the radii
    // with the distance between them filling half the picture's height.
    if (!Given({dir.lines[0], dir.lines[1]})) {
        const double l = Given({dir.lines[1]}) ? l2 : l1;
        if (vertical)
            pic.SetScale(-906 + l, -500, 1812, 1000);
        else
            pic.SetScale(-906, (-1000 - l) / 2, 1812, 1000);
        line(l);
        return;
    }
    if (!Given({"Text3", "Text6"})) {
        const double w = 2 * h * 1.812, height = 2 * h;
        if (vertical)
            pic.SetScale(-w / 2 + (l1 + l2) / 2, height / 2, w, height);
        else
            pic.SetScale(-w / 2, (-2 * h - (l1 + l2) / 2) / 2, w, height);
        line(l1);
        line(l2);
        return;
    }

    const Tangency t = Tangent(read("Text3"), read("Text6"), h);
    // Along the lines: contact points 1, 2 and 3 from the first of their fields that is given
    // (all at 0 when none is). Option1 puts circle 1 before circle 2 (towards -Z, or the
    // smaller diameter), Option2 after it.
    const double k = ((*this)["Option1"].Value ? 1 : -1) * dir.alongUnit;
    double p1 = 0, p2 = 0, p3 = 0;
    if (Given({dir.along[0]})) {
        p1 = read(dir.along[0]);
        p2 = chk::add(p1, k * t.s * t.cosT);
        p3 = chk::add(p1, k * t.r1 * t.cosT);
    } else if (Given({dir.along[1]})) {
        p2 = read(dir.along[1]);
        p1 = chk::sub(p2, k * t.s * t.cosT);
        p3 = chk::sub(p2, k * t.r2 * t.cosT);
    } else if (Given({dir.along[2]})) {
        p3 = read(dir.along[2]);
        p1 = chk::sub(p3, k * t.r1 * t.cosT);
        p2 = chk::add(p3, k * t.r2 * t.cosT);
    }
    // Across the lines: each centre on the side of its line that faces the other line, and
    // contact point 3 between the centres.
    const double q = (l1 > l2 ? -1 : 1) * dir.acrossUnit;
    const double c1 = chk::add(l1, q * t.r1), c2 = chk::sub(l2, q * t.r2);
    const double q3 = chk::sub(c1, q * t.r1 * t.sinT);

    Point centre1 = point(c1, p1), centre2 = point(c2, p2), contact3 = point(q3, p3);
    // Contact points 1 and 2 go on with their positions along the lines as written.
    SetText(dir.along[0], NcNumberInPlace(p1));
    SetText(dir.along[1], NcNumberInPlace(p2));
    const Point contact1 = point(l1, p1), contact2 = point(l2, p2);
    // K of both centres from contact point 3 as computed, written before the view is set for
    // horizontal lines and after it for vertical ones.
    auto offsetsK = [&] {
        SetText("Text12", NcNumber(centre1.z - contact3.z));
        SetText("Text16", NcNumber(centre2.z - contact3.z));
    };
    if (!vertical) offsetsK();
    // The view: four times the lines' distance high (horizontal lines) or five times it wide
    // (vertical lines), around the middle of contact points 1 and 2.
    const double w = vertical ? 5 * h : 4 * h * 1.812;
    pic.SetScale(-w / 2 + (contact1.z + contact2.z) / 2,
                 (-(vertical ? 2 : 4) * h - (contact1.x + contact2.x) / 2) / 2, w,
                 vertical ? w / 1.812 : 4 * h);
    line(l1);
    line(l2);
    if (vertical) offsetsK();

    // Each value is written rounded and goes on rounded: I of both centres from the rounded
    // centres and contact point 3.
    SetText("Text7", NcNumberInPlace(contact3.x));
    SetText("Text8", NcNumberInPlace(contact3.z));
    SetText("Text9", NcNumberInPlace(centre1.x));
    SetText("Text10", NcNumberInPlace(centre1.z));
    SetText("Text11", NcNumber((centre1.x - contact3.x) / 2));
    SetText("Text13", NcNumberInPlace(centre2.x));
    SetText("Text14", NcNumberInPlace(centre2.z));
    SetText("Text15", NcNumber((centre2.x - contact3.x) / 2));

    ModelCircle(centre1.z, centre1.x / 2, t.r1, colors::Given);
    ModelCircle(centre2.z, centre2.x / 2, t.r2, colors::Given);
    // Crosses at the three contact points and the two centres: the five horizontal strokes
    // first, then the five vertical ones.
    const double m = pic.GetScale().width * 0.007;
    const Point marks[5] = {contact1, contact2, contact3, centre1, centre2};
    for (const Point& p : marks) pic.Line(p.z - m, -p.x / 2, p.z + m, -p.x / 2, colors::Result);
    for (const Point& p : marks) pic.Line(p.z, -p.x / 2 - m, p.z, -p.x / 2 + m, colors::Result);
    pic.ForeColor = colors::Label;
    const char* labels[3] = {"1", "2", "3"};
    for (int i = 0; i < 3; ++i) {
        pic.CurrentX = marks[i].z;
        pic.CurrentY = -marks[i].x / 2;
        pic.Print(labels[i]);
    }
}

}  // namespace quillon
