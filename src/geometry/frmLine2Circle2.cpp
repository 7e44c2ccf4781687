#include "geometry/frmLine2Circle2.h"

#include <cmath>
#include <tuple>

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

// The two circles between lines `h` apart (across the lines, as a radius in X): S the sum of
// the radii, and theta the slope of the line of centres against the lines.
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

// Positions along the lines of contact points 1, 2 and 3.
struct Along {
    double p1 = 0, p2 = 0, p3 = 0;
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
            if ((*this)["Option4"].Value == c.vertical && IsGiven(Text(c.field)))
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
    // Option1 puts circle 1 on the -Z side of circle 2 (horizontal lines), at the smaller
    // diameter (vertical lines); Option2 on the other side.
    const double side = (*this)["Option1"].Value ? 1 : -1;
    auto given = [this](const char* f) { return IsGiven(Text(f)); };
    auto read = [this](const char* f) { return ReadNumber(Text(f)); };
    // The lines in picture coordinates (Z across, -X/2 up), far past the picture's edges.
    auto horizontalLine = [&](double x) { pic.Line(-1000, -x / 2, 1000, -x / 2, colors::Given); };
    auto verticalLine = [&](double z) { pic.Line(z, -1000, z, 1000, colors::Given); };
    // The contact points along the lines from the first of three fields that is given, each
    // circle's extent along the lines being `unit` times its radius (2 for X diameters).
    auto along = [&](const char* f1, const char* f2, const char* f3, const Tangency& t,
                     double unit) {
        const double k = side * unit;
        Along p;
        if (given(f1)) {
            p.p1 = read(f1);
            p.p2 = chk::add(p.p1, k * t.s * t.cosT);
            p.p3 = chk::add(p.p1, k * t.r1 * t.cosT);
        } else if (given(f2)) {
            p.p2 = read(f2);
            p.p1 = chk::sub(p.p2, k * t.s * t.cosT);
            p.p3 = chk::sub(p.p2, k * t.r2 * t.cosT);
        } else if (given(f3)) {
            p.p3 = read(f3);
            p.p1 = chk::sub(p.p3, k * t.r1 * t.cosT);
            p.p2 = chk::add(p.p3, k * t.r2 * t.cosT);
        }
        return p;
    };

    double x1 = 0, x2 = 0, x3 = 0, z1 = 0, z2 = 0, z3 = 0, xc1 = 0, xc2 = 0, zc1 = 0, zc2 = 0;
    double r1 = 0, r2 = 0;
    // The centres lie across from their lines, each on the side facing the other line, and
    // contact point 3 between them: l1, l2 the line positions, `unit` as above.
    auto across = [&](double l1, double l2, const Tangency& t, double unit, double& c1, double& c2,
                      double& p3) {
        const double k = (l1 > l2 ? -1 : 1) * unit;
        c1 = chk::add(l1, k * t.r1);
        c2 = chk::sub(l2, k * t.r2);
        p3 = chk::sub(c1, k * t.r1 * t.sinT);
    };

    if (!vertical) {
        if (!given("Text1") && !given("Text4")) return;
        x1 = read("Text1");
        x2 = read("Text4");
        const double h = std::fabs(chk::sub(x1, x2)) / 2;
        if (!given("Text4") || !given("Text1")) {
            const double x = given("Text4") ? x2 : x1;
            pic.SetScale(-906, (-1000 - x) / 2, 1812, 1000);
            horizontalLine(x);
            return;
        }
        if (!given("Text3") || !given("Text6")) {
            const double w = 2 * h * 1.812;
            pic.SetScale(-w / 2, (-2 * h - (x1 + x2) / 2) / 2, w, 2 * h);
            horizontalLine(x1);
            horizontalLine(x2);
            return;
        }
        r1 = read("Text3");
        r2 = read("Text6");
        const Tangency t = Tangent(r1, r2, h);
        const Along z = along("Text2", "Text5", "Text8", t, 1);
        z1 = z.p1, z2 = z.p2, z3 = z.p3;
        across(x1, x2, t, 2, xc1, xc2, x3);
        zc1 = z1;
        zc2 = z2;
        // From here on Z1 and Z2 are the values as written.
        SetText("Text2", NcNumberInPlace(z1));
        SetText("Text5", NcNumberInPlace(z2));
        SetText("Text12", NcNumber(zc1 - z3));
        SetText("Text16", NcNumber(zc2 - z3));
        const double w = 4 * h * 1.812;
        pic.SetScale(-w / 2 + (z1 + z2) / 2, (-4 * h - (x1 + x2) / 2) / 2, w, 4 * h);
        horizontalLine(x1);
        horizontalLine(x2);
    } else {
        if (!given("Text2") && !given("Text5")) return;
        z1 = read("Text2");
        z2 = read("Text5");
        const double h = std::fabs(chk::sub(z1, z2));
        if (!given("Text5") || !given("Text2")) {
            const double z = given("Text5") ? z2 : z1;
            pic.SetScale(-906 + z, -500, 1812, 1000);
            verticalLine(z);
            return;
        }
        if (!given("Text3") || !given("Text6")) {
            const double w = 2 * h * 1.812, height = 2 * h;
            pic.SetScale(-w / 2 + (z1 + z2) / 2, height / 2, w, height);
            verticalLine(z1);
            verticalLine(z2);
            return;
        }
        r1 = read("Text3");
        r2 = read("Text6");
        const Tangency t = Tangent(r1, r2, h);
        const Along x = along("Text1", "Text4", "Text7", t, 2);
        x1 = x.p1, x2 = x.p2, x3 = x.p3;
        across(z1, z2, t, 1, zc1, zc2, z3);
        xc1 = x1;
        xc2 = x2;
        // From here on X1 and X2 are the values as written.
        SetText("Text1", NcNumberInPlace(x1));
        SetText("Text4", NcNumberInPlace(x2));
        const double w = 5 * h;
        pic.SetScale(-w / 2 + (z1 + z2) / 2, (-2 * h - (x1 + x2) / 2) / 2, w, w / 1.812);
        verticalLine(z1);
        verticalLine(z2);
        SetText("Text12", NcNumber(zc1 - z3));
        SetText("Text16", NcNumber(zc2 - z3));
    }

    // Each value goes on with its rounding once written; the offsets from contact point 3 are
    // taken from the rounded values.
    SetText("Text7", NcNumberInPlace(x3));
    SetText("Text8", NcNumberInPlace(z3));
    SetText("Text9", NcNumberInPlace(xc1));
    SetText("Text10", NcNumberInPlace(zc1));
    SetText("Text11", NcNumber((xc1 - x3) / 2));
    SetText("Text13", NcNumberInPlace(xc2));
    SetText("Text14", NcNumberInPlace(zc2));
    SetText("Text15", NcNumber((xc2 - x3) / 2));

    ModelCircle(zc1, xc1 / 2, r1, colors::Given);
    ModelCircle(zc2, xc2 / 2, r2, colors::Given);
    // Crosses at the three contact points and the two centres: the five horizontal strokes
    // first, then the five vertical ones.
    const double m = pic.GetScale().width * 0.007;
    const double marks[5][2] = {{z1, x1}, {z2, x2}, {z3, x3}, {zc1, xc1}, {zc2, xc2}};
    for (const auto& [z, x] : marks) pic.Line(z - m, -x / 2, z + m, -x / 2, colors::Result);
    for (const auto& [z, x] : marks) pic.Line(z, -x / 2 - m, z, -x / 2 + m, colors::Result);
    pic.ForeColor = colors::Label;
    for (const auto& [label, z, x] :
         {std::tuple{"1", z1, x1}, std::tuple{"2", z2, x2}, std::tuple{"3", z3, x3}}) {
        pic.CurrentX = z;
        pic.CurrentY = -x / 2;
        pic.Print(label);
    }
}

}  // namespace quillon
