#include "geometry/frmBoltCircle.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "shell/checked.h"
#include "shell/numtext.h"
#include "shell/readout.h"

namespace quillon {
namespace {

// The fields by their role.
const Field kDiameter{"Text1"};  // the pitch-circle diameter
const Field kCount{"Text2"};     // the number of holes
const Field kStart{"Text3"};     // the angle of hole 1, degrees from +X towards +Y
const Field kCentreX{"Text4"};   // the pattern's centre in the milling plane
const Field kCentreY{"Text5"};
const Field kHeading{"Text6"};  // the list's column heading
const Field kHoles{"List1"};
const Field kCopyXY{"Command1"};
const Field kCopyXC{"Command2"};
const Field kCopySelected{"Command3"};
const Field kClose{"Command4"};
const Field kOnTop{"Check1"};
const Field kPolarReadout{"Picture5"};

constexpr int kMaxHoles = 360;
// The columns of a list line, in characters; the heading's in display cells (a Japanese
// character takes two).
constexpr int kNumberColumn = 3;
constexpr int kValueColumn = 11;
constexpr int kAngleColumn = 10;
constexpr const char* kHeadingText = "No.          X          Y    X(直径)         C";
constexpr const char* kPrompt = "P.C.D.と穴数を入力してください";

// Degrees to radians with the double nearest pi, so that a quarter turn's sine is exactly 1.
constexpr double kRadiansPerDegree = std::numbers::pi / 180;

// The figure's scale: the pitch circle and the centre of rotation, with room around them.
constexpr double kFigureRoom = 1.25;
// Sizes on the figure as shares of the scale's width: a hole, the centre cross, the gap
// between a hole and its number.
constexpr double kHoleShare = 1.0 / 90;
constexpr double kCrossShare = 1.0 / 50;
constexpr double kLabelGapShare = 1.0 / 100;
// The figure's width in pixels, and a number's size on it, in pixels per character and per line.
constexpr double kFigurePixelWidth = 589;
constexpr double kDigitPixels = 7;
constexpr double kLinePixels = 12;

constexpr Color kAxis = colors::ButtonShadow;
constexpr Color kPitchCircle = colors::Given;
constexpr Color kFirstHole = colors::Result;
constexpr Color kHole = colors::Label;
constexpr Color kNumber = colors::White;
constexpr Color kPatternCentre = colors::Magenta;

std::string RightAligned(const std::string& text, int width) {
    const size_t w = static_cast<size_t>(width);
    return text.size() >= w ? text : std::string(w - text.size(), ' ') + text;
}

// One hole computed: its position and its texts.
struct HolePoint {
    double x = 0, y = 0, angle = 0;  // angle: its direction from the pattern centre, radians
    frmBoltCircle::Hole texts;
};

}  // namespace

frmBoltCircle::frmBoltCircle(Module1& m)
    : FigureWindow(m, "frmBoltCircle", " 穴位置 P.C.D.", 1450, 950, Topmost::AtLoad) {
    // The fields on top; the heading, the list, the copy buttons, the topmost box and the
    // close button under them at the left; the figure at the right, its readouts under it.
    Label("Label1", "P.C.D.").At(0, 0);
    TextBox(kDiameter).At(0, 1);
    Label("Label2", "穴数").At(0, 2);
    TextBox(kCount).At(0, 3);
    Label("Label3", "開始角度").At(0, 4);
    TextBox(kStart).At(0, 5);
    Label("Label4", "中心 X").At(1, 0);
    TextBox(kCentreX).At(1, 1);
    Label("Label5", "Y").At(1, 2);
    TextBox(kCentreY).At(1, 3);
    Control& heading = TextBox(kHeading).At(2, 0, 1, 6).NoTabStop();
    heading.Locked = true;
    heading.Fixed = true;
    heading.Text = kHeadingText;
    Add(kHoles, ControlKind::ListBox).At(3, 0, 1, 6).Size(380, 250).Fixed = true;
    Button(kCopyXY, "XY 全穴コピー").At(4, 0, 1, 2);
    Button(kCopyXC, "XC 全穴コピー").At(4, 2, 1, 2);
    Button(kCopySelected, "選択穴 XC コピー").At(4, 4, 1, 2);

    auto figure = DeclareFigure("Label7");
    figure.picture.At(0, 6, 5, 2);
    figure.readout.At(5, 6);
    Control& polar = PictureBox(kPolarReadout).Size(200, 18).At(5, 7);
    polar.Pic = std::make_unique<Picture>(200, 18);
    polar.Fixed = true;
    polar.Visible = false;
    Check(kOnTop, "手前に表示", true).At(5, 0, 1, 2);
    Button(kClose, "閉じる").At(5, 4, 1, 2);
    figure.note.At(6, 0, 1, 6);

    EnterChain({{kDiameter.name, kCount.name},
                {kCount.name, kStart.name},
                {kStart.name, kCentreX.name},
                {kCentreX.name, kCentreY.name},
                {kCentreY.name, kDiameter.name}});
    RecalculateOnLeave({kDiameter.name, kCount.name, kStart.name, kCentreX.name, kCentreY.name});
    OnMouse(kForm, [this](const MouseArgs&) { (*this)[kPolarReadout].Visible = false; });

    // The copies take the holes as listed; while the pattern is invalid they copy nothing.
    On(kCopyXY, Event::Click, [this] {
        if (holes_.empty()) return;
        std::string text;
        for (const Hole& h : holes_) text += "X" + h.x + " Y" + h.y + "\r\n";
        CopyToClipboard(text);
    });
    On(kCopyXC, Event::Click, [this] {
        if (holes_.empty()) return;
        std::string text;
        for (const Hole& h : holes_) text += "C" + h.c + " X" + h.diameter + "\r\n";
        CopyToClipboard(text);
    });
    On(kCopySelected, Event::Click, [this] { CopySelectedHole(); });
    OnKey(kHoles, Event::KeyPress, [this](KeyArgs& k) {
        if (k.keyAscii == keys::Enter) CopySelectedHole();
    });
    On(kHoles, Event::DblClick, [this] { CopySelectedHole(); });
    TopmostBox(kOnTop);
    CloseButton(kClose);
}

void frmBoltCircle::Form_Load() {
    FigureWindow::Form_Load();
    RunRecalculate();
}

void frmBoltCircle::Form_Paint() {
    repainting_ = true;
    RunRecalculate();
    repainting_ = false;
}

std::string frmBoltCircle::ListLine(int number, const Hole& hole) {
    return RightAligned(std::to_string(number), kNumberColumn) +
           RightAligned(hole.x, kValueColumn) + RightAligned(hole.y, kValueColumn) +
           RightAligned(hole.diameter, kValueColumn) + RightAligned(hole.c, kAngleColumn);
}

void frmBoltCircle::CopySelectedHole() {
    if (holes_.empty()) return;
    const int selected = (*this)[kHoles].ListIndex;
    const size_t i = selected >= 0 && static_cast<size_t>(selected) < holes_.size()
                         ? static_cast<size_t>(selected)
                         : 0;
    CopyToClipboard("C" + holes_[i].c + " X" + holes_[i].diameter);
}

void frmBoltCircle::NoSolutionText() {
    holes_.clear();
    Control& list = (*this)[kHoles];
    list.Items.clear();
    list.ListIndex = -1;
    Picture& p = Figure();
    p.Cls();
    FigureScale();
    const Scale& s = p.GetScale();
    p.ForeColor = colors::Result;
    p.CurrentX = s.left + s.width / 50;
    p.CurrentY = s.top + s.height / 20;
    p.Print(kPrompt);
}

void frmBoltCircle::Recalculate() {
    // Everything is computed before anything is shown: a fault anywhere leaves the window
    // invalid as a whole (NoSolutionText), never half listed.
    if (!Given({kDiameter.name, kCount.name})) throw ArithmeticFault("no pattern");
    const double diameter = ReadNumber(Text(kDiameter));
    const double count = ReadNumber(Text(kCount));
    if (!(diameter > 0) || count != std::floor(count) || count < 1 || count > kMaxHoles)
        throw ArithmeticFault("no pattern");
    const double start = ReadNumber(Text(kStart));
    const double xc = ReadNumber(Text(kCentreX)), yc = ReadNumber(Text(kCentreY));
    const double r = diameter / 2;
    const int n = static_cast<int>(count);

    std::vector<HolePoint> points;
    points.reserve(static_cast<size_t>(n));
    for (int i = 1; i <= n; ++i) {
        double theta = std::fmod(chk::add(start, (i - 1) * 360.0 / n), 360);
        if (theta < 0) theta += 360;
        const double a = theta * kRadiansPerDegree;
        HolePoint p;
        p.angle = a;
        p.x = chk::add(xc, chk::mul(r, chk::cos(a)));
        p.y = chk::add(yc, chk::mul(r, chk::sin(a)));
        const double x = chk::mul(2, chk::hypot(p.x, p.y));
        double c = chk::atan2(p.y, p.x) / kRadiansPerDegree;
        if (c < 0) c += 360;
        p.texts = {NcNumber(p.x), NcNumber(p.y), NcNumber(x), NcNumber(c)};
        // C 360 is C 0; a hole on the centre of rotation has no angle.
        if (p.texts.c == "360" || p.texts.diameter == "0") p.texts.c = "0";
        points.push_back(std::move(p));
    }

    // The scale: equal on both axes, around the pitch circle and the centre of rotation.
    const double left = std::min(chk::sub(xc, r), 0.0), right = std::max(chk::add(xc, r), 0.0);
    const double bottom = std::min(chk::sub(yc, r), 0.0), top = std::max(chk::add(yc, r), 0.0);
    const double aspect = kFigureWidth / kFigureHeight;
    const double width = chk::mul(
        kFigureRoom, std::max(chk::sub(right, left), chk::mul(chk::sub(top, bottom), aspect)));
    const double height = width / aspect;
    const double midH = chk::add(left / 2, right / 2), midV = chk::add(bottom / 2, top / 2);
    const double scaleLeft = chk::sub(midH, width / 2), scaleTop = chk::sub(-midV, height / 2);
    if (!(width > 0 && height > 0)) throw ArithmeticFault("no scale");

    // The results shown: the list (a recalculation clears the selection; a repaint keeps it
    // while the holes are the same) and the copies.
    std::vector<std::string> lines;
    lines.reserve(points.size());
    for (size_t i = 0; i < points.size(); ++i)
        lines.push_back(ListLine(static_cast<int>(i) + 1, points[i].texts));
    Control& list = (*this)[kHoles];
    if (!repainting_ || list.Items != lines) list.ListIndex = -1;
    list.Items = std::move(lines);
    holes_.clear();
    for (const HolePoint& p : points) holes_.push_back(p.texts);

    Picture& pic = Figure();
    pic.Cls();
    pic.SetScale(scaleLeft, scaleTop, width, height);
    pic.Line(scaleLeft, 0, scaleLeft + width, 0, kAxis);
    pic.Line(0, scaleTop, 0, scaleTop + height, kAxis);
    ModelCircle(xc, yc, r, kPitchCircle);
    ModelCross(xc, yc, width * kCrossShare, kPatternCentre);
    // Holes as small circles (smaller where they crowd the pitch circle), each numbered just
    // outside it, away from the pattern's centre.
    const double spacing = chk::mul(std::numbers::pi, diameter) / n;
    const double hole = std::min(width * kHoleShare, spacing * 0.4);
    const double unitsPerPixel = width / kFigurePixelWidth;
    for (size_t i = 0; i < points.size(); ++i) {
        const HolePoint& p = points[i];
        ModelCircle(p.x, p.y, hole, i == 0 ? kFirstHole : kHole);
        const std::string number = std::to_string(i + 1);
        const double c = exact::cos(p.angle), s = exact::sin(p.angle);
        const double gap = hole + width * kLabelGapShare;
        const double textW = kDigitPixels * static_cast<double>(number.size()) * unitsPerPixel;
        const double textH = kLinePixels * unitsPerPixel;
        // The label's top-left corner, so that the text sits on the far side of the hole.
        const double h = p.x + gap * c - (c < -0.3 ? textW : (c < 0.3 ? textW / 2 : 0));
        const double v = p.y + gap * s + (s > 0.3 ? textH : (s > -0.3 ? textH / 2 : 0));
        ModelLabel(h, v, number, i == 0 ? kFirstHole : kNumber);
    }
}

void frmBoltCircle::CoordinateReadout(double x, double y) {
    (*this)["Picture1"].CrossPointer = true;
    ShowReadout((*this)["Picture3"], ReadoutLine("X", x, " Y", -y));
    ShowReadout((*this)[kPolarReadout], PolarReadoutLine(x, y));
}

}  // namespace quillon
