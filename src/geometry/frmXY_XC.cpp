#include "geometry/frmXY_XC.h"

#include <cmath>

#include "shell/checked.h"
#include "shell/readout.h"
#include "shell/single.h"
#include "shell/utf8.h"

namespace quillon {
namespace {

// The fixed scale of the figure: 500 wide, the picture's 8835 : 5535 high, (0, 0) in the
// middle.
constexpr double kScaleWidth = 500;
constexpr double kScaleHeight = 2767500.0 / 8835;
// The figure's size in pixels (8835 x 5535 twips) and the height of a line of captions.
constexpr struct { int w, h; } kFigurePixels{589, 369};
constexpr int kCaptionPixels = 18;

constexpr Color kPoint1 = colors::Result;           // red
constexpr Color kPoint2 = Color::Rgb(255, 128, 0);  // orange
constexpr Color kSegment = colors::Given;           // light yellow
constexpr Color kCentreLine = colors::Blue;         // the Y-axis centre line
constexpr Color kWindow = Color::Sys(Color::System::Window);

// The direction of (x, y) seen from the centre, from +X towards +Y, in the quadrant of the
// point: between -90 and 270 degrees (-Pi/2 and 3 Pi/2 radians). atan(y / x) alone would turn
// a point left of the Y axis to the opposite side.
double DirectionDegrees(double x, double y) {
    if (x == 0) return y >= 0 ? 90 : 270;
    const double a = chk::atan(chk::div(y, x)) * 180 / Pi;
    return x < 0 ? a + 180 : a;
}

double DirectionRadians(double x, double y) {
    if (x == 0) return y >= 0 ? Pi / 2 : 3 * Pi / 2;
    const double a = chk::atan(chk::div(y, x));
    return x < 0 ? a + Pi : a;
}

constexpr Field kX1{"Text1"};
constexpr Field kY1{"Text2"};
constexpr Field kDiameter1{"Text3"};
constexpr Field kC1{"Text4"};
constexpr Field kX2{"Text5"};
constexpr Field kY2{"Text6"};
constexpr Field kDiameter2{"Text7"};
constexpr Field kC2{"Text8"};
constexpr Field kLineAngle{"Text9"};
constexpr Field kLineLength{"Text10"};
constexpr Field kCentreLineC{"Text11"};
constexpr Field kTurned1X{"Text12"};
constexpr Field kTurned1Y{"Text13"};
constexpr Field kTurned2X{"Text14"};
constexpr Field kTurned2Y{"Text15"};
constexpr Field kCartesian{"OptionXY"};
constexpr Field kPolarReadout{"Picture5"};

// The entry pairs of the two ways to give the points.
constexpr Field kCartesianFields[] = {kX1, kY1, kX2, kY2};
constexpr Field kPolarFields[] = {kDiameter1, kC1, kDiameter2, kC2};

}  // namespace

frmXY_XC::frmXY_XC(Module1& m)
    : FigureWindow(m, "frmXY_XC", " XY-XC 座標変換", 1450, 950, Topmost::AtLoad) {
    // Each point's row: the Cartesian pair, its copy, the polar pair, its copy, its colour.
    struct PointRow {
        const char* caption;
        // The labels of X, Y, the diameter and C; the fields; the copy buttons; the colour key.
        const char *xLabel, *yLabel, *dLabel, *cLabel;
        Field x, y;
        const char* copyXY;
        Field d, c;
        const char *copyXC, *key;
        Color color;
    };
    const PointRow points[] = {
        {"ポイント1 X", "Label1", "Label2", "Label3", "Label4", kX1, kY1, "Command1", kDiameter1,
         kC1, "Command5", "Label21", kPoint1},
        {"ポイント2 X", "Label6", "Label7", "Label8", "Label17", kX2, kY2, "Command3", kDiameter2,
         kC2, "Command4", "Label22", kPoint2},
    };
    int row = 0;
    for (const PointRow& p : points) {
        ++row;
        Label(p.xLabel, p.caption).At(row, 0);
        TextBox(p.x).At(row, 1);
        Label(p.yLabel, "Y").At(row, 2);
        TextBox(p.y).At(row, 3);
        Button(p.copyXY, "XYコピー").At(row, 4);
        Label(p.dLabel, "X").At(row, 5);
        TextBox(p.d).At(row, 6);
        Label(p.cLabel, "C").At(row, 7);
        TextBox(p.c).At(row, 8);
        Button(p.copyXC, "X Cコピー").At(row, 9);
        Label(p.key, "◆").At(row, 10).ForeColor = p.color;
    }
    // The input form: Cartesian points (X-Y) or polar ones (X-C). This OptionXY is no plane
    // switch; the window works in the milling plane throughout.
    Frame("Frame3", "座標").At(0, 0, 1, 4);
    Option("OptionXY", "Ｘ-Y", true).In("Frame3").At(0, 0);
    Option("OptionXC", "Ｘ－C").In("Frame3").At(0, 1);
    Check("Check1", "手前に表示", true).At(0, 8, 1, 2);

    Label("Label9", "直線長さ L").At(3, 0);
    TextBox("Text10").At(3, 1).Result();
    Button("Command7", " L  コピー").At(3, 2, 1, 2);
    Label("Label10", "直線角度 A").At(3, 5);
    TextBox("Text9").At(3, 6).Result();
    Button("Command6", " A コピー").At(3, 8);
    Label("Label23", "◆").At(3, 10).ForeColor = Color::Rgb(255, 255, 0);
    Label("Label11", "基準角度 C").At(4, 0);
    TextBox("Text11").At(4, 1).Result();
    Button("Command8", " C コピー").At(4, 2, 1, 2);
    Label("Label24", "◆").At(4, 4).ForeColor = kCentreLine;
    Label("Label25", "Y軸中心線").At(4, 5, 1, 2);

    Label("Label12", "基準角度CのY軸モード中　ポイント1 X").At(5, 0, 1, 6);
    TextBox("Text12").At(5, 6).Result();
    Label("Label13", "Y").At(5, 7);
    TextBox("Text13").At(5, 8).Result();
    Button("Command11", "XYコピー").At(5, 9);
    Label("Label14", "ポイント2 X").At(6, 5);
    TextBox("Text14").At(6, 6).Result();
    Label("Label15", "Y").At(6, 7);
    TextBox("Text15").At(6, 8).Result();
    Button("Command13", "XYコピー").At(6, 9);
    Label("Label5", "※Y軸モード中の値は絶対値です。符号を考慮してプログラムして下さい。")
        .At(7, 0, 1, 10);

    // The figure, a strip above it with the caption of the vertical axis and a strip at its
    // right with the caption of the X axis (C 0); the two readouts below it.
    auto figure = DeclareFigure("Label16");
    auto box = [this](const std::string& name, int w, int h) -> Control& {
        Control& c = PictureBox(name).Size(w, h);
        c.Pic = std::make_unique<Picture>(w, h);
        return c;
    };
    box("Picture2", kFigurePixels.w, kCaptionPixels).At(8, 0, 1, 7);
    figure.picture.At(9, 0, 1, 7).Size(kFigurePixels.w, kFigurePixels.h);
    box("Picture4", 3 * kCaptionPixels, kFigurePixels.h).At(9, 7, 1, 2);
    figure.readout.At(10, 0, 1, 4);
    Control& polar = box(kPolarReadout, 200, 18).At(10, 4, 1, 3);
    polar.Fixed = true;
    polar.Visible = false;
    Label("Label20", "※データのコピー 後は編集画面で[貼り付け]を行ってください。").At(11, 0, 1, 8);
    figure.note.At(12, 0, 1, 8);
    Button("Command2", "閉じる").At(12, 9);

    OpenEntryFields(true);
    EnterChain({{"Text1", "Text2"},
                {"Text2", "Text5"},
                {"Text5", "Text6"},
                {"Text6", "Text1"},
                {"Text3", "Text4"},
                {"Text4", "Text7"},
                {"Text7", "Text8"},
                {"Text8", "Text3"}});
    RecalculateOnLeave({"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Text8"});
    // A point field with text selects all of it on getting the focus, to be typed over.
    for (const Field f : {kX1, kY1, kDiameter1, kC1, kX2, kY2, kDiameter2, kC2}) {
        On(f, Event::GotFocus, [this, f] {
            Control& c = (*this)[f];
            if (c.Text.empty()) return;
            c.SelStart = 0;
            c.SelLength = static_cast<int>(utf8::Length(c.Text));
        });
    }
    On(kCartesian, Event::Click, [this] { OptionXY_Click(); });
    On("OptionXC", Event::Click, [this] { OptionXC_Click(); });
    OnMouse(kForm, [this](const MouseArgs&) { (*this)[kPolarReadout].Visible = false; });
    CopyButton("Command1", [this] { return "X" + Text(kX1) + " Y" + Text(kY1); });
    CopyButton("Command3", [this] { return "X" + Text(kX2) + " Y" + Text(kY2); });
    CopyButton("Command5", [this] { return "C" + Text(kC1) + " X" + Text(kDiameter1); });
    CopyButton("Command4", [this] { return "C" + Text(kC2) + " X" + Text(kDiameter2); });
    CopyButton("Command7", [this] { return "L" + Text(kLineLength); });
    CopyButton("Command6", [this] { return "A" + Text(kLineAngle); });
    CopyButton("Command8", [this] { return "C" + Text(kCentreLineC); });
    CopyButton("Command11", [this] { return "X" + Text(kTurned1X) + " Y" + Text(kTurned1Y); });
    CopyButton("Command13", [this] { return "X" + Text(kTurned2X) + " Y" + Text(kTurned2Y); });
    TopmostBox("Check1");
    CloseButton("Command2");
}

void frmXY_XC::Form_Load() {
    Figure().SetScale(-kScaleWidth / 2, -kScaleHeight / 2, kScaleWidth, kScaleHeight);
    DrawAxes();
    FigureWindow::Form_Load();
}

void frmXY_XC::OpenEntryFields(bool cartesian) {
    auto open = [this](const Field(&fields)[4], bool entries) {
        for (const Field& f : fields) {
            Control& c = (*this)[f];
            c.Locked = !entries;
            c.BackColor = entries ? kWindow : colors::ButtonFace;
            c.TabStop = entries;
        }
    };
    open(kCartesianFields, cartesian);
    open(kPolarFields, !cartesian);
}

void frmXY_XC::OptionXY_Click() {
    OpenEntryFields(true);
    SetFocus(kX1);
}

void frmXY_XC::OptionXC_Click() {
    OpenEntryFields(false);
    SetFocus(kDiameter1);
}

void frmXY_XC::DrawAxes() {
    const double w = Figure().GetScale().width;
    ModelLine(w / 2, 0, -w / 2, 0, colors::ButtonShadow);
    ModelLine(0, -w / 2, 0, w / 2, colors::ButtonShadow);
}

void frmXY_XC::Recalculate() {
    Picture& pic = Figure();
    pic.Cls();
    const bool cartesian = (*this)[kCartesian].Value;

    // A point whose entry pair is not complete stays at the centre.
    struct Point {
        double x = 0, y = 0, r = 0;
    };
    Point p1, p2;
    struct Fields {
        Field x, y, d, c;
    };
    const Fields f1{kX1, kY1, kDiameter1, kC1}, f2{kX2, kY2, kDiameter2, kC2};
    for (auto [p, f] : {std::pair{&p1, f1}, std::pair{&p2, f2}}) {
        if (cartesian) {
            if (!Given({f.x.name, f.y.name})) continue;
            p->x = ReadNumber(Text(f.x));
            p->y = ReadNumber(Text(f.y));
            p->r = chk::sqrt(chk::add(chk::mul(p->x, p->x), chk::mul(p->y, p->y)));
            const double c = DirectionDegrees(p->x, p->y);
            SetText(f.d, NcNumber(2 * p->r));
            SetText(f.c, NcNumber(c + 0.001));
        } else {
            if (!Given({f.d.name, f.c.name})) continue;
            p->r = ReadNumber(Text(f.d)) / 2;
            const double c = chk::finite(ReadNumber(Text(f.c)) / 180 * Pi);
            p->x = chk::mul(p->r, chk::cos(c));
            p->y = chk::mul(p->r, chk::sin(c));
            // The line below goes on with the coordinates as they were written.
            SetText(f.x, NcNumberInPlace(p->x));
            SetText(f.y, NcNumberInPlace(p->y));
        }
    }

    DrawAxes();
    ModelCross(p1.x, p1.y, 3, kPoint1);
    ModelCross(p2.x, p2.y, 3, kPoint2);
    ModelLine(p1.x, p1.y, p2.x, p2.y, kSegment);
    ModelLabel(p1.x, p1.y, "1", colors::Label);
    ModelLabel(p2.x, p2.y, "2", colors::Label);

    // The line needs both points as entered: in the polar form both polar pairs, since a
    // missing one would leave its point at the centre while its old coordinates still show.
    const bool complete = cartesian ? Given({kX1.name, kY1.name, kX2.name, kY2.name})
                                    : Given({kDiameter1.name, kC1.name, kDiameter2.name, kC2.name});
    if (!complete) return;
    const double dx = chk::sub(p2.x, p1.x), dy = chk::sub(p2.y, p1.y);
    const double length = chk::sqrt(chk::add(chk::mul(dy, dy), chk::mul(dx, dx)));
    const double t = chk::atan(chk::div(dy, dx));
    // Where the line crosses the Y axis: above the centre, its nearest point lies a quarter
    // turn ahead of the line's direction, below the centre three quarters.
    const double b = chk::sub(p1.y, chk::mul(p1.x, chk::tan(t)));
    SetText(kLineAngle, NcNumber(t * 180 / Pi + 0.001));
    SetText(kLineLength, NcNumber(length));
    const double cr = b > 0 ? t + Pi / 2 : t + 3 * Pi / 2;
    SetText(kCentreLineC, NcNumber(cr * 180 / Pi + 0.001));
    const double w = pic.GetScale().width;
    ModelLine(0, 0, w * exact::cos(cr), w * exact::sin(cr), kCentreLine);
    ModelLine(0, 0, -w * exact::cos(cr), -w * exact::sin(cr), kCentreLine);

    // Both points turned by the reference angle, as distances from the axes.
    const double d1 = cr - DirectionRadians(p1.x, p1.y);
    SetText(kTurned1X, NcNumber(std::fabs(p1.r * exact::cos(d1))));
    SetText(kTurned1Y, NcNumber(std::fabs(p1.r * exact::sin(d1))));
    // Both points lie the same distance from the centre line's perpendicular.
    SetText(kTurned2X, Text(kTurned1X));
    const double d2 = cr - DirectionRadians(p2.x, p2.y);
    SetText(kTurned2Y, NcNumber(std::fabs(p2.r * exact::sin(d2))));
}

void frmXY_XC::CoordinateReadout(double x, double y) {
    (*this)["Picture1"].CrossPointer = true;
    const double xs = ToSingle(x), ys = ToSingle(y);
    ShowReadout((*this)["Picture3"], ReadoutLine("X", xs, " Y", -ys));
    // The polar position: C from the X axis (C 0) counterclockwise, 0 to 360.
    ShowReadout((*this)[kPolarReadout], PolarReadoutLine(xs, ys));
    // The captions at the ends of the axes: "Y" just right of the vertical axis, "X C0" on
    // the level of the horizontal one.
    struct Caption {
        const char* picture;
        double x, y;
        const char* text;
    };
    for (const Caption& c :
         {Caption{"Picture2", kFigurePixels.w / 2.0 + 4, 2, "Y"},
          Caption{"Picture4", 3, (kFigurePixels.h - kCaptionPixels) / 2.0, "X C0"}}) {
        Picture& p = Pic(c.picture);
        p.Cls();
        p.CurrentX = c.x;
        p.CurrentY = c.y;
        p.Print(c.text);
    }
}

}  // namespace quillon
