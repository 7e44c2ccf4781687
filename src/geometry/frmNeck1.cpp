#include "geometry/frmNeck1.h"

#include <cmath>

#include "shell/checked.h"

namespace quillon {
namespace {

// The entry fields in the order a groove is described: bottom diameter, face, corner radius,
// ramp angle, start diameter. Only a leading run of them describes a figure.
constexpr const char* kEntries[] = {"Text1", "Text2", "Text3", "Text4", "Text5"};

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
    CopyButton("Command8", [this] { return PairText("Text6", "Text7"); });
    CopyButton("Command1", [this] { return PairText("Text8", "Text9"); });
    CopyButton("Command3", [this] { return PairText("Text10", "Text11"); });
    CopyButton("Command4", [this] { return PairText("Text14", "Text15"); });
    CopyButton("Command9", [this] { return ProgramText(true); });
    CopyButton("Command5", [this] { return ProgramText(false); });
    TopmostBox("Check1");
    CloseButton("Command2");
}

frmNeck1::Corner frmNeck1::SelectedCorner() {
    if ((*this)["Option1"].Value) return {1, -1};   // "4"
    if ((*this)["Option3"].Value) return {-1, -1};  // "1"
    if ((*this)["Option4"].Value) return {-1, 1};   // "2"
    return {1, 1};                                  // "3"
}

std::string frmNeck1::ProgramText(bool forward) {
    // Arc P3 -> P1 runs clockwise where the centre lies on the same side of the bottom in X
    // as of the face in Z ("3" and "1"); the reverse arc turns the other way.
    const Corner k = SelectedCorner();
    const bool clockwise = (k.x == k.z) == forward;
    const std::string arc = clockwise ? "N000 G02 X" : "N000 G03 X";
    const std::string radius = " L" + Text("Text3");
    const std::string p1 = Text("Text6") + " Z" + Text("Text7");
    const std::string p3 = Text("Text10") + " Z" + Text("Text11");
    const std::string p4 = Text("Text14") + " Z" + Text("Text15");
    const char* eol = "\r\n";
    if (forward)
        // The second block carries no G code: the G01 of the first stays in force.
        return "N000 G01 X" + p4 + eol + "N000     X" + p3 + eol + arc + p1 + radius + eol;
    return "N000 G01 X" + p1 + eol + arc + p3 + radius + eol + "N000 G01 X" + p4 + eol;
}

void frmNeck1::Recalculate() {
    Picture& pic = Figure();
    pic.Cls();

    // How many of the entries, from the bottom diameter on, are given; a field given beyond
    // a gap leaves the groove undescribed.
    int given = 0;
    while (given < 5 && IsGiven(Text(kEntries[given]))) ++given;
    if (given == 0) return;
    for (int i = given; i < 5; ++i) {
        if (IsGiven(Text(kEntries[i]))) {
            NoSolutionText();
            return;
        }
    }

    double xb = ReadNumber(Text("Text1"));
    if (given == 1) {
        FigureScale();
        pic.Line(-10000, -xb / 2, 10000, -xb / 2, colors::Given);
        return;
    }
    double zf = ReadNumber(Text("Text2"));
    auto bottomAndFace = [&] {
        pic.Line(5000, -xb / 2, -5000, -xb / 2, colors::Given);
        pic.Line(zf, 5000, zf, -5000, colors::Given);
    };
    if (given == 2) {
        FigureScale();
        bottomAndFace();
        return;
    }

    const double r = ReadNumber(Text("Text3"));
    const Corner k = SelectedCorner();
    // Centre, and with the angle the point where the arc meets the ramp.
    double xc = 0, zc = 0, p3x = 0, p3z = 0, a = 0;
    auto centre = [&] {
        xc = chk::finite(xb + k.x * 2 * r);
        zc = chk::finite(zf + k.z * r);
    };
    auto rampStart = [&] {
        a = Radians(ReadNumber(Text("Text4")));
        const double c = chk::finite(r * chk::cos(a)), s = chk::finite(r * chk::sin(a));
        p3x = chk::finite(xc - k.x * 2 * c);
        p3z = chk::finite(zc + k.z * s);
    };
    // The corner's marks: ticks across the face at P1 and across the bottom at P2, the
    // centre, and the arc as a full circle just inside its radius.
    auto cornerMarks = [&](double tick, double centreRadius) {
        pic.Line(zc, -xb / 2 - tick, zc, -xb / 2 + tick, colors::Result);
        pic.Line(zf - tick, -xc / 2, zf + tick, -xc / 2, colors::Result);
        pic.Circle(zc, -xc / 2, centreRadius, colors::Result);
        pic.Circle(zc, -xc / 2, 0.999 * r, colors::Given);
    };

    if (given < 5) {
        // Without the start diameter: ten radii wide around the face and the bottom.
        const double width = 10 * r;
        const double height = 10 * r * kFigureHeight / kFigureWidth;
        ScaleToWidth(zf - width / 2, -height / 2 - xb / 2, width);
        if (given == 3) {
            // The corner alone: centre and touching points in plain decimal form.
            bottomAndFace();
            centre();
            SetText("Text6", PlainDecimal(xc));
            SetText("Text7", PlainDecimal(zf));
            SetText("Text8", PlainDecimal(xb));
            SetText("Text9", PlainDecimal(zc));
            cornerMarks(r / 15, width * 0.0015);
            return;
        }
        // The corner and the ramp's direction: P3 and the offsets, shifted down before the
        // rounding; the ramp is drawn ten radii along Z from P3.
        centre();
        rampStart();
        const double endZ = chk::finite(p3z + k.z * (10 * r));
        const double endX = chk::finite(p3x + k.x * (2 * 10 * r * chk::tan(a)));
        SetText("Text6", NcNumberInPlace(xc));
        SetText("Text7", NcNumberInPlace(zf));
        SetText("Text8", NcNumberInPlace(xb));
        SetText("Text9", NcNumberInPlace(zc));
        SetText("Text10", NcNumber(p3x - 0.0001));
        SetText("Text11", NcNumber(p3z - 0.0001));
        SetText("Text12", NcNumber((xc - p3x) / 2 - 0.0001));
        SetText("Text13", NcNumber(zc - p3z - 0.0001));
        cornerMarks(r / 15, width * 0.001);
        pic.Circle(p3z, -p3x / 2, width * 0.002, colors::Result);
        bottomAndFace();
        pic.Line(p3z, -p3x / 2, endZ, -endX / 2, colors::Given);
        return;
    }

    // The whole groove. The width is set first, the picture's place once P3 is known.
    double xs = ReadNumber(Text("Text5"));
    const double width = chk::finite(std::fabs(xs - xb) * 2.1);
    const double height = width * kFigureHeight / kFigureWidth;
    const Scale before = pic.GetScale();
    pic.SetScale(before.left, before.top, width, height);
    centre();
    rampStart();
    double p4z = chk::finite(p3z + k.z * chk::div(k.x * (xs - p3x) / 2, chk::tan(a)));
    const double left = k.z < 0 ? zf - width * 4 / 5 : zf - width / 5;
    const double top = k.x > 0 ? -height * 3 / 4 - p3x / 2 : -height / 4 - p3x / 2;
    pic.SetScale(left, top, width, height);

    // Each value goes on rounded as written, so the offsets and the figure agree with the
    // fields.
    SetText("Text6", NcNumberInPlace(xc));
    SetText("Text7", NcNumberInPlace(zf));
    SetText("Text8", NcNumberInPlace(xb));
    SetText("Text9", NcNumberInPlace(zc));
    SetText("Text10", NcNumberInPlace(p3x));
    SetText("Text11", NcNumberInPlace(p3z));
    SetText("Text12", NcNumber((xc - p3x) / 2));
    SetText("Text13", NcNumber(zc - p3z));
    SetText("Text14", NcNumberInPlace(xs));
    SetText("Text15", NcNumberInPlace(p4z));

    cornerMarks(r / 30, width * 0.001);
    pic.Circle(p3z, -p3x / 2, width * 0.002, colors::Result);
    pic.Circle(p4z, -xs / 2, width * 0.002, colors::Result);
    bottomAndFace();
    pic.Line(p3z, -p3x / 2, p4z, -xs / 2, colors::Given);
    pic.Line(p4z, -xs / 2, k.z * 1000, -xs / 2, colors::Given);

    pic.ForeColor = colors::Label;
    auto label = [&](double z, double x, const char* text) {
        pic.CurrentX = z;
        pic.CurrentY = -x / 2;
        pic.Print(text);
    };
    label(zf, xc, " 1");
    label(zc, xb, "2");
    label(p3z, p3x, "3");
    label(p4z, xs, "4");
}

}  // namespace quillon
