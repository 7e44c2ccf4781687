#include "figure_window.h"

#include <algorithm>
#include <cmath>

#include "checked.h"
#include "readout.h"

namespace quillon {

FigureWindow::FigureControls FigureWindow::DeclareFigure(const std::string& noteName) {
    Control& picture = PictureBox("Picture1");
    picture.Size(589, 325);  // 8835 x 4875 twips at 96 dots per inch
    picture.ForeColor = colors::White;
    Control& readout = PictureBox("Picture3");
    readout.Size(200, 18);
    readout.Fixed = true;
    readout.Visible = false;
    readout.Pic = std::make_unique<Picture>(200, 18);
    Control& note = Label(noteName, kRedrawNote);
    OnMouse("Picture1", [this](const MouseArgs& a) { CoordinateReadout(a.x, a.y); });
    OnMouse(kForm, [this](const MouseArgs&) { (*this)["Picture3"].Visible = false; });
    return {picture, readout, note};
}

void FigureWindow::RedrawOnPictureFocus() {
    On("Picture1", Event::GotFocus, [this] { RunRecalculate(); });
}

void FigureWindow::RecalculateOnLeave(std::initializer_list<const char*> fields) {
    for (const char* f : fields) On(f, Event::LostFocus, [this] { RunRecalculate(); });
}

void FigureWindow::RecalculateOnClick(std::initializer_list<const char*> controls) {
    for (const char* c : controls) On(c, Event::Click, [this] { RunRecalculate(); });
}

void FigureWindow::RunRecalculate() {
    if (!Trapped([this] { Recalculate(); })) Trapped([this] { NoSolutionText(); });
}

void FigureWindow::FigureScale() {
    Figure().SetScale(-kFigureWidth / 2, -kFigureHeight / 2, kFigureWidth, kFigureHeight);
}

void FigureWindow::ScaleToWidth(double left, double top, double w) {
    Figure().SetScale(left, top, w, w * kFigureHeight / kFigureWidth);
}

void FigureWindow::ScaleToHeight(double left, double top, double h) {
    Figure().SetScale(left, top, h * kFigureWidth / kFigureHeight, h);
}

double FigureWindow::FitScale(std::initializer_list<double> hs, std::initializer_list<double> vs,
                              double factor, double marginShare) {
    const auto [hMin, hMax] = std::minmax(hs);
    const auto [vMin, vMax] = std::minmax(vs);
    const double w = hMax - hMin, t = vMax - vMin;
    if (w > t * kFigureWidth / kFigureHeight) {
        const double width = factor * w;
        ScaleToWidth(hMin - (width - w) / 2, -vMax - marginShare * w, width);
        return width;
    }
    const double width = factor * t * kFigureWidth / kFigureHeight;
    ScaleToHeight(hMin - (width - w) / 2, -vMax - marginShare * t, factor * t);
    return width;
}

FigureWindow::ModelPoint FigureWindow::ReadModelPoint(const std::string& xField,
                                                      const std::string& secondField) {
    const double x = ReadNumber(Text(xField));
    const double second = ReadNumber(Text(secondField));
    return ModelOf(x, second);
}

std::pair<double, double> FigureWindow::ArcOffsets(ModelPoint centre, ModelPoint point) const {
    const double i = chk::sub(XOf(centre), XOf(point));
    return {InXY() ? i : i / 2, chk::sub(SecondOf(centre), SecondOf(point))};
}

void FigureWindow::LinePreview(double theta) {
    FigureScale();
    const double c = chk::cos(theta), s = chk::sin(theta);
    Figure().Line(10000 * c, -10000 * s, -10000 * c, 10000 * s, colors::Given);
}

void FigureWindow::NoSolutionText() {
    Picture& p = Figure();
    p.ForeColor = colors::Result;
    p.CurrentX = 0;
    p.CurrentY = 0;
    p.Print(kNoSolution);
}

void FigureWindow::CoordinateReadout(double x, double y) {
    (*this)["Picture1"].CrossPointer = true;
    // X is a diameter in the X-Z plane.
    ShowReadout((*this)["Picture3"],
                InXY() ? ReadoutLine("X", x, " Y", -y) : ReadoutLine("X", -2 * y, " Z", x));
}

void FigureWindow::ModelLine(double h1, double v1, double h2, double v2, Color c) {
    Figure().Line(h1, -v1, h2, -v2, c);
}

void FigureWindow::ModelCircle(double h, double v, double r, Color c) {
    Figure().Circle(h, -v, r, c);
}

void FigureWindow::ModelCross(double h, double v, double halfLength, Color c) {
    ModelLine(h - halfLength, v, h + halfLength, v, c);
    ModelLine(h, v - halfLength, h, v + halfLength, c);
}

void FigureWindow::ModelLabel(double h, double v, const std::string& text, Color c) {
    Picture& p = Figure();
    const Color keep = p.ForeColor;
    p.ForeColor = c;
    p.CurrentX = h;
    p.CurrentY = -v;
    p.Print(text);
    p.ForeColor = keep;
}

}  // namespace quillon
