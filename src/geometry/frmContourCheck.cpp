#include "geometry/frmContourCheck.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace quillon {
namespace {

const Field kBlocks{"Text1"};
const Field kBlocksCaption{"Label2"};
const Field kCheck{"Command1"};
const Field kSummary{"Label1"};
const Field kResults{"List1"};
const Field kTopmost{"Check1"};
const Field kClose{"Command2"};

constexpr Color kFeed = colors::Given;             // G01, G02, G03
constexpr Color kRapid = Color::Rgb(0, 255, 255);  // G00, dotted
constexpr Color kFault = colors::Result;           // red
constexpr Color kEndMark = colors::White;          // each end point
constexpr Color kStartMark = colors::Label;        // the start point, green
// The figure fits the contour with this share of its extent to spare, and never narrower
// than kSmallestWidth (mm): a lone point or a tiny contour still gets a scale.
constexpr double kMargin = 1.15;
constexpr double kSmallestWidth = 0.01;
// An arc whose radius exceeds this many widths of the figure shows as its chord: it bends by
// less than a pixel there, and the painters leave circles that large out.
constexpr double kStraightArc = 100;

// The picture box in twips: 8835 x 4875 at 96 dots per inch.
constexpr int kFigureWidthPixels = 589, kFigureHeightPixels = 325;

}  // namespace

frmContourCheck::frmContourCheck(Module1& m)
    : FigureWindow(m, "frmContourCheck", " 形状チェック", 1450, 950, Topmost::AtLoad) {
    // The blocks at the left, the figure at the right; the summary and the list below both.
    Label(kBlocksCaption, "NCブロック（貼り付け）").At(0, 0);
    Check(kTopmost, "手前に表示", true).At(0, 3);
    Control& blocks = TextBox(kBlocks).At(1, 0, 2, 1).Size(240, kFigureHeightPixels);
    blocks.Multiline = true;
    blocks.Fixed = true;
    // The figure and the coordinate readout of the figure windows, without their redraw note:
    // this figure redraws with every check.
    Control& figure = PictureBox("Picture1").At(1, 1, 1, 3);
    figure.Size(kFigureWidthPixels, kFigureHeightPixels);
    figure.ForeColor = colors::White;
    Control& readout = PictureBox("Picture3").At(2, 1, 1, 2).Size(200, 18);
    readout.Fixed = true;
    readout.Visible = false;
    readout.Pic = std::make_unique<Picture>(200, 18);
    OnMouse("Picture1", [this](const MouseArgs& a) { CoordinateReadout(a.x, a.y); });
    OnMouse(kForm, [this](const MouseArgs&) { (*this)["Picture3"].Visible = false; });
    Button(kCheck, "チェック").At(3, 0);
    Label(kSummary, "").At(3, 1, 1, 2);
    Button(kClose, "閉じる").At(3, 3);
    Add(kResults, ControlKind::ListBox).At(4, 0, 1, 4).Size(835, 180).Fixed = true;

    RecalculateOnClick({kCheck.name});
    RecalculateOnLeave({kBlocks.name});
    TopmostBox(kTopmost);
    CloseButton(kClose);
}

void frmContourCheck::Form_Load() {
    FigureWindow::Form_Load();
    RunRecalculate();
}

void frmContourCheck::Recalculate() {
    const contour::Result result = contour::Check(Text(kBlocks));
    Control& list = (*this)[kResults];
    list.Items = result.list;
    list.ListIndex = -1;
    (*this)[kSummary].Text = result.Summary();
    DrawContour(result);
}

void frmContourCheck::DrawContour(const contour::Result& result) {
    Picture& pic = Figure();
    pic.Cls();
    pic.Style = DrawStyle::Solid;
    if (!result.startPoint) {
        FigureScale();
        return;
    }

    // The extent in picture coordinates (h = z, v = -r): every end point, and each arc's
    // points furthest out on the axes within its sweep.
    double hMin = result.startPoint->z, hMax = hMin;
    double vMin = -result.startPoint->r, vMax = vMin;
    auto take = [&](double h, double v) {
        hMin = std::min(hMin, h), hMax = std::max(hMax, h);
        vMin = std::min(vMin, v), vMax = std::max(vMax, v);
    };
    for (const contour::Move& m : result.drawn) {
        take(m.to.z, -m.to.r);
        if (!m.arc) continue;
        const double from = m.sweep < 0 ? m.start + m.sweep : m.start;
        const double span = std::fabs(m.sweep);
        for (int quarter = -6; quarter <= 6; ++quarter) {
            const double a = 90.0 * quarter;
            if (a < from || a > from + span) continue;
            const int q = ((quarter % 4) + 4) % 4;
            const double dz = q == 0 ? m.radius : q == 2 ? -m.radius : 0;
            const double dr = q == 1 ? m.radius : q == 3 ? -m.radius : 0;
            take(m.centre.z + dz, -(m.centre.r + dr));
        }
    }
    const double aspect = kFigureWidth / kFigureHeight;
    const double width =
        std::max({kMargin * (hMax - hMin), kMargin * (vMax - vMin) * aspect, kSmallestWidth});
    const double height = width / aspect;
    // Set directly: ScaleToWidth's width * 4875 would overflow for the largest contours.
    pic.SetScale(hMin / 2 + hMax / 2 - width / 2, vMin / 2 + vMax / 2 - height / 2, width, height);

    const double mark = width * 0.008;
    for (const contour::Move& m : result.drawn) {
        const Color color = m.fault ? kFault : m.mode == 0 ? kRapid : kFeed;
        pic.Style = m.mode == 0 ? DrawStyle::Dot : DrawStyle::Solid;
        if (m.arc && m.radius <= kStraightArc * width)
            // Model angles turn the other way in picture coordinates (v = -r).
            pic.Arc(m.centre.z, -m.centre.r, m.radius, -m.start, -m.sweep, color);
        else if (!(m.from == m.to))
            ModelLine(m.from.z, m.from.r, m.to.z, m.to.r, color);
        pic.Style = DrawStyle::Solid;
        ModelCross(m.to.z, m.to.r, mark, kEndMark);
    }
    ModelCircle(result.startPoint->z, result.startPoint->r, 1.5 * mark, kStartMark);
}

}  // namespace quillon
