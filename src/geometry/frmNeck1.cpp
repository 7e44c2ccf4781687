#include "geometry/frmNeck1.h"

#include <cmath>
#include <optional>

#include "shell/checked.h"

namespace quillon {
namespace {

// The groove's data.
constexpr Field kBottomX{"Text1"};
constexpr Field kFaceZ{"Text2"};
constexpr Field kRadius{"Text3"};
constexpr Field kAngle{"Text4"};
constexpr Field kStartX{"Text5"};
// The profile points P1 (on the face) to P4 (on the start diameter) and the arc centre's
// offsets from P3.
constexpr Field kP1X{"Text6"};
constexpr Field kP1Z{"Text7"};
constexpr Field kP2X{"Text8"};
constexpr Field kP2Z{"Text9"};
constexpr Field kP3X{"Text10"};
constexpr Field kP3Z{"Text11"};
constexpr Field kCentreI{"Text12"};
constexpr Field kCentreK{"Text13"};
constexpr Field kP4X{"Text14"};
constexpr Field kP4Z{"Text15"};
// The corner choices other than the default "3".
constexpr Field kCorner4{"Option1"};
constexpr Field kCorner1{"Option3"};
constexpr Field kCorner2{"Option4"};

// The entry fields in the order a groove is described. Only a leading run of them describes a
// figure.
constexpr Field kEntries[] = {kBottomX, kFaceZ, kRadius, kAngle, kStartX};
constexpr int kEntryCount = 5;

// Without the start diameter the view is ten radii wide, and the ramp, whose end is not known,
// is drawn ten radii along Z from P3.
constexpr double kCornerViewRadii = 10;
constexpr double kRampPreviewRadii = 10;
// With it, the view is 2.1 times the difference of the start and bottom diameters wide.
constexpr double kGrooveViewShare = 2.1;
// The arc is drawn as a full circle just inside its radius.
constexpr double kArcInside = 0.999;
// The provisional values shown without the start diameter are shifted down by this before the
// rounding.
constexpr double kProvisionalShift = 0.0001;

// The arc's centre: R from the face in Z and R from the bottom across it (2R as a diameter),
// on the sides of the selected corner.
frmNeck1::CornerCentre CentreOf(double xb, double zf, double r, frmNeck1::Corner k) {
    const double xc = chk::finite(xb + k.x * 2 * r);
    const double zc = chk::finite(zf + k.z * r);
    return {xc, zc};
}

// P3, where the arc meets the ramp at angle a (radians).
frmNeck1::RampStart RampStartOf(const frmNeck1::CornerCentre& c, double r, double a,
                                frmNeck1::Corner k) {
    const double cs = chk::finite(r * chk::cos(a)), sn = chk::finite(r * chk::sin(a));
    const double x = chk::finite(c.x - k.x * 2 * cs);
    const double z = chk::finite(c.z + k.z * sn);
    return {a, x, z};
}

}  // namespace

frmNeck1::frmNeck1(Module1& m)
    : FigureWindow(m, "frmNeck1", " ヌスミ形状 1", 1450, 950, Topmost::AtLoad) {
    // The groove's data on the left, the four points beside them, each row with its copy
    // button at the right end.
    Label("Label1", "底径　X").At(0, 0);
    TextBox("Text1").At(0, 1);
    Label("Label2", "端面　Z").At(1, 0);
    TextBox("Text2").At(1, 1);
    Label("Label3", "R").At(2, 0);
    TextBox("Text3").At(2, 1);
    Label("Label4", "角度　A").At(3, 0);
    TextBox("Text4").At(3, 1);
    Label("Label5", "始点　X").At(4, 0);
    TextBox("Text5").At(4, 1);

    Label("Label7", "P 1　  X").At(0, 2);
    TextBox("Text6").At(0, 3).Result();
    Label("Label8", "Z").At(0, 4);
    TextBox("Text7").At(0, 5).Result();
    Button("Command8", "X Z コピー").At(0, 10);
    Label("Label9", "P 2　  X").At(1, 2);
    TextBox("Text8").At(1, 3).Result();
    Label("Label10", "Z").At(1, 4);
    TextBox("Text9").At(1, 5).Result();
    Button("Command1", "X Z コピー").At(1, 10);
    Label("Label12", "P 3　  X").At(2, 2);
    TextBox("Text10").At(2, 3).Result();
    Label("Label13", "Z").At(2, 4);
    TextBox("Text11").At(2, 5).Result();
    Label("Label14", "I").At(2, 6);
    TextBox("Text12").At(2, 7).Result();
    Label("Label15", "K").At(2, 8);
    TextBox("Text13").At(2, 9).Result();
    Button("Command3", "X Z コピー").At(2, 10);
    Label("Label16", "P 4　  X").At(3, 2);
    TextBox("Text14").At(3, 3).Result();
    Label("Label17", "Z").At(3, 4);
    TextBox("Text15").At(3, 5).Result();
    Button("Command4", "X Z コピー").At(3, 10);

    // The corners sit as they lie around the face: the outer grooves on top, the -Z side left.
    Frame("Frame1", "円の位置").At(4, 2, 2, 2);
    Option("Option1", "4").In("Frame1").At(0, 0);
    Option("Option2", "3", true).In("Frame1").At(0, 1);
    Option("Option3", "1").In("Frame1").At(1, 0);
    Option("Option4", "2").In("Frame1").At(1, 1);
    Frame("Frame2", "一括コピー").At(4, 4, 2, 4);
    Button("Command9", "正方向").In("Frame2").At(0, 0);
    Button("Command5", "逆方向").In("Frame2").At(0, 1);
    Check("Check1", "手前に表示", true).At(4, 8, 1, 3);
    Button("Command2", "閉じる").At(5, 10);

    Label("Label20", "※底径が分からない場合は『２直線に接する円』を使用してください。")
        .At(6, 0, 1, 11);
    auto figure = DeclareFigure("Label6");
    figure.picture.At(7, 0, 1, 11);
    Label("Label11", "※データのコピー 後は編集画面で[貼り付け]を行ってください。").At(8, 0, 1, 8);
    figure.readout.At(8, 8, 1, 3);
    figure.note.At(9, 0, 1, 11);

    EnterChain({{"Text1", "Text2"},
                {"Text2", "Text3"},
                {"Text3", "Text4"},
                {"Text4", "Text5"},
                {"Text5", "Command8"}});
    RecalculateOnLeave({"Text1", "Text2", "Text3", "Text4", "Text5"});
    RecalculateOnClick({"Option1", "Option2", "Option3", "Option4"});
    RedrawOnPictureFocus();
    CopyButton("Command8", [this] { return PairText(kP1X, kP1Z); });
    CopyButton("Command1", [this] { return PairText(kP2X, kP2Z); });
    CopyButton("Command3", [this] { return PairText(kP3X, kP3Z); });
    CopyButton("Command4", [this] { return PairText(kP4X, kP4Z); });
    CopyButton("Command9", [this] { return ProgramText(true); });
    CopyButton("Command5", [this] { return ProgramText(false); });
    TopmostBox("Check1");
    CloseButton("Command2");
}

frmNeck1::Corner frmNeck1::SelectedCorner() {
    if ((*this)[kCorner4].Value) return {1, -1};
    if ((*this)[kCorner1].Value) return {-1, -1};
    if ((*this)[kCorner2].Value) return {-1, 1};
    return {1, 1};  // "3"
}

std::string frmNeck1::ProgramText(bool forward) {
    // Arc P3 -> P1 runs clockwise where the centre lies on the same side of the bottom in X
    // as of the face in Z ("3" and "1"); the reverse arc turns the other way.
    const Corner k = SelectedCorner();
    const bool clockwise = (k.x == k.z) == forward;
    const std::string arc = clockwise ? "N000 G02 X" : "N000 G03 X";
    const std::string radius = " L" + Text(kRadius);
    const std::string p1 = Text(kP1X) + " Z" + Text(kP1Z);
    const std::string p3 = Text(kP3X) + " Z" + Text(kP3Z);
    const std::string p4 = Text(kP4X) + " Z" + Text(kP4Z);
    const char* eol = "\r\n";
    if (forward)
        // The second block carries no G code: the G01 of the first stays in force.
        return "N000 G01 X" + p4 + eol + "N000     X" + p3 + eol + arc + p1 + radius + eol;
    return "N000 G01 X" + p1 + eol + arc + p3 + radius + eol + "N000 G01 X" + p4 + eol;
}

std::optional<int> frmNeck1::GivenEntries() {
    int given = 0;
    while (given < kEntryCount && IsGiven(Text(kEntries[given]))) ++given;
    if (given == 0) return 0;
    for (int i = given; i < kEntryCount; ++i)
        if (IsGiven(Text(kEntries[i]))) return std::nullopt;
    return given;
}

void frmNeck1::Recalculate() {
    Figure().Cls();
    const std::optional<int> given = GivenEntries();
    if (!given) {
        NoSolutionText();
        return;
    }
    if (*given == 0) return;
    const double xb = ReadNumber(Text(kBottomX));
    if (*given == 1) {
        FigureScale();
        ModelLine(-10000, xb / 2, 10000, xb / 2, colors::Given);
        return;
    }
    const double zf = ReadNumber(Text(kFaceZ));
    if (*given == 2) {
        FigureScale();
        DrawBottomAndFace(xb, zf);
        return;
    }
    const double r = ReadNumber(Text(kRadius));
    if (*given == 3)
        ShowCorner(xb, zf, r);
    else if (*given == 4)
        ShowCornerAndRamp(xb, zf, r);
    else
        ShowGroove(xb, zf, r);
}

void frmNeck1::DrawBottomAndFace(double xb, double zf) {
    ModelLine(5000, xb / 2, -5000, xb / 2, colors::Given);
    ModelLine(zf, -5000, zf, 5000, colors::Given);
}

void frmNeck1::DrawCornerMarks(double xb, double zf, double r, const CornerCentre& c, double tick,
                               double centreRadius) {
    ModelLine(c.z, xb / 2 + tick, c.z, xb / 2 - tick, colors::Result);
    ModelLine(zf - tick, c.x / 2, zf + tick, c.x / 2, colors::Result);
    ModelCircle(c.z, c.x / 2, centreRadius, colors::Result);
    ModelCircle(c.z, c.x / 2, kArcInside * r, colors::Given);
}

double frmNeck1::ScaleAroundCorner(double xb, double zf, double r) {
    const double width = kCornerViewRadii * r;
    const double height = kCornerViewRadii * r * kFigureHeight / kFigureWidth;
    ScaleToWidth(zf - width / 2, -height / 2 - xb / 2, width);
    return width;
}

void frmNeck1::ShowCorner(double xb, double zf, double r) {
    // The corner alone: centre and touching points in plain decimal form.
    const double width = ScaleAroundCorner(xb, zf, r);
    DrawBottomAndFace(xb, zf);
    const CornerCentre c = CentreOf(xb, zf, r, SelectedCorner());
    SetText(kP1X, PlainDecimal(c.x));
    SetText(kP1Z, PlainDecimal(zf));
    SetText(kP2X, PlainDecimal(xb));
    SetText(kP2Z, PlainDecimal(c.z));
    DrawCornerMarks(xb, zf, r, c, r / 15, width * 0.0015);
}

void frmNeck1::ShowCornerAndRamp(double xb, double zf, double r) {
    // The corner and the ramp's direction: the ramp's end is not known yet, so it is drawn
    // a fixed length along Z from P3.
    const double width = ScaleAroundCorner(xb, zf, r);
    const Corner k = SelectedCorner();
    CornerCentre c = CentreOf(xb, zf, r, k);
    const RampStart p3 = RampStartOf(c, r, Radians(ReadNumber(Text(kAngle))), k);
    const double endZ = chk::finite(p3.z + k.z * (kRampPreviewRadii * r));
    const double endX = chk::finite(p3.x + k.x * (2 * kRampPreviewRadii * r * chk::tan(p3.a)));
    SetText(kP1X, NcNumberInPlace(c.x));
    SetText(kP1Z, NcNumberInPlace(zf));
    SetText(kP2X, NcNumberInPlace(xb));
    SetText(kP2Z, NcNumberInPlace(c.z));
    // These values are provisional until the start diameter is given: shifted down before
    // the rounding, a value halfway between two thousandths shows the lower one.
    SetText(kP3X, NcNumber(p3.x - kProvisionalShift));
    SetText(kP3Z, NcNumber(p3.z - kProvisionalShift));
    SetText(kCentreI, NcNumber((c.x - p3.x) / 2 - kProvisionalShift));
    SetText(kCentreK, NcNumber(c.z - p3.z - kProvisionalShift));
    DrawCornerMarks(xb, zf, r, c, r / 15, width * 0.001);
    ModelCircle(p3.z, p3.x / 2, width * 0.002, colors::Result);
    DrawBottomAndFace(xb, zf);
    ModelLine(p3.z, p3.x / 2, endZ, endX / 2, colors::Given);
}

void frmNeck1::ShowGroove(double xb, double zf, double r) {
    // The whole groove. The width is set first, the picture's place once P3 is known.
    Picture& pic = Figure();
    double xs = ReadNumber(Text(kStartX));
    const double width = chk::finite(std::fabs(xs - xb) * kGrooveViewShare);
    const double height = width * kFigureHeight / kFigureWidth;
    const Scale before = pic.GetScale();
    pic.SetScale(before.left, before.top, width, height);
    const Corner k = SelectedCorner();
    CornerCentre c = CentreOf(xb, zf, r, k);
    RampStart p3 = RampStartOf(c, r, Radians(ReadNumber(Text(kAngle))), k);
    double p4z = chk::finite(p3.z + k.z * chk::div(k.x * (xs - p3.x) / 2, chk::tan(p3.a)));
    // The face a fifth of the width from the side the groove lies on, the bottom a quarter of
    // the height from it.
    const double left = k.z < 0 ? zf - width * 4 / 5 : zf - width / 5;
    const double top = k.x > 0 ? -height * 3 / 4 - p3.x / 2 : -height / 4 - p3.x / 2;
    pic.SetScale(left, top, width, height);

    // Each value goes on rounded as written, so the offsets and the figure agree with the
    // fields.
    SetText(kP1X, NcNumberInPlace(c.x));
    SetText(kP1Z, NcNumberInPlace(zf));
    SetText(kP2X, NcNumberInPlace(xb));
    SetText(kP2Z, NcNumberInPlace(c.z));
    SetText(kP3X, NcNumberInPlace(p3.x));
    SetText(kP3Z, NcNumberInPlace(p3.z));
    SetText(kCentreI, NcNumber((c.x - p3.x) / 2));
    SetText(kCentreK, NcNumber(c.z - p3.z));
    SetText(kP4X, NcNumberInPlace(xs));
    SetText(kP4Z, NcNumberInPlace(p4z));

    DrawCornerMarks(xb, zf, r, c, r / 30, width * 0.001);
    ModelCircle(p3.z, p3.x / 2, width * 0.002, colors::Result);
    ModelCircle(p4z, xs / 2, width * 0.002, colors::Result);
    DrawBottomAndFace(xb, zf);
    ModelLine(p3.z, p3.x / 2, p4z, xs / 2, colors::Given);
    ModelLine(p4z, xs / 2, k.z * 1000, xs / 2, colors::Given);

    ModelLabel(zf, c.x / 2, " 1", colors::Label);
    ModelLabel(c.z, xb / 2, "2", colors::Label);
    ModelLabel(p3.z, p3.x / 2, "3", colors::Label);
    ModelLabel(p4z, xs / 2, "4", colors::Label);
}

}  // namespace quillon
