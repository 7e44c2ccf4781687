// The figure view of the geometry windows: Picture1 holds the construction drawn to scale,
// Picture3 the coordinates under the mouse, and a fixed note asks to click the launcher bar to
// redraw. Every redraw is a run of the window's Recalculate; a fault in it ends the run with
// the red no-solution text.
#pragma once

#include <initializer_list>
#include <string>
#include <utility>

#include "tool_window.h"

namespace quillon {

// The default scale of Picture1: the picture's middle is (0, 0). Its aspect 8835 : 4875 is
// the picture's, and every fitted scale keeps it.
inline constexpr double kFigureWidth = 8835;
inline constexpr double kFigureHeight = 4875;
inline constexpr const char* kRedrawNote = "※画面の再表示は[QUILLON]のバーをクリックしてください。";
inline constexpr const char* kNoSolution = "交点が求まりません!!";

class FigureWindow : public ToolWindow {
public:
    using ToolWindow::ToolWindow;

    // The window's computation and drawing, run under the fault trap by RunRecalculate.
    virtual void Recalculate() = 0;
    // Runs Recalculate; a fault ends it with NoSolutionText.
    void RunRecalculate();

protected:
    // Declares Picture1 (the figure), Picture3 (the readout) and the note label, wires the
    // readout to mouse moves, hides it for moves elsewhere and redraws on paint. Place them
    // with the returned controls' At()/In().
    struct FigureControls {
        Control& picture;
        Control& readout;
        Control& note;
    };
    FigureControls DeclareFigure(const std::string& noteName);
    // Runs Recalculate when Picture1 gets the focus (for the windows that do so).
    void RedrawOnPictureFocus();
    // Runs Recalculate when any of these controls loses the focus or is clicked.
    void RecalculateOnLeave(std::initializer_list<const char*> fields);
    void RecalculateOnClick(std::initializer_list<const char*> controls);

    // Every geometry window takes its numbers into Text1 and redraws when it is repainted.
    void Form_GotFocus() override { SetFocus("Text1"); }
    void Form_Paint() override { RunRecalculate(); }

    Picture& Figure() { return Pic("Picture1"); }
    // Sets the default scale on Picture1.
    void FigureScale();
    // Fits a scale of the picture's aspect to width w (height follows) / height h (width
    // follows).
    void ScaleToWidth(double left, double top, double w);
    void ScaleToHeight(double left, double top, double h);
    // Fits a scale of the picture's aspect around the horizontal values hs and the vertical
    // values vs (model units): `factor` times the extent that fills the picture first, the
    // figure centred horizontally with `marginShare` of that extent above its highest point.
    // Returns the scale width.
    double FitScale(std::initializer_list<double> hs, std::initializer_list<double> vs,
                    double factor, double marginShare);
    // Red "交点が求まりません!!" at (0, 0) of the current scale. A window that prints it
    // elsewhere overrides it.
    virtual void NoSolutionText();
    // The coordinate readout for a mouse position in picture coordinates. The position is
    // taken in single precision, as mouse coordinates are; absurd values show as "Inf" rather
    // than failing. A window with a readout of its own overrides it.
    virtual void CoordinateReadout(double x, double y);

    // The working frame of the construction: h = Z, v = X / 2 in the X-Z plane (X fields hold
    // diameters), h = X, v = Y in the X-Y plane.
    struct ModelPoint {
        double h = 0, v = 0;
    };
    // The point of X (a diameter in X-Z) and Z (or Y) in the working frame.
    ModelPoint ModelOf(double x, double second) const {
        return InXY() ? ModelPoint{x, second} : ModelPoint{second, x / 2};
    }
    // The point typed as X in `xField` and Z (or Y) in `secondField`.
    ModelPoint ReadModelPoint(const std::string& xField, const std::string& secondField);
    // The X (a diameter in X-Z) and the Z (or Y) value of a point of the working frame.
    double XOf(ModelPoint p) const { return InXY() ? p.h : 2 * p.v; }
    double SecondOf(ModelPoint p) const { return InXY() ? p.v : p.h; }
    // The arc-centre offsets I and K (J) from `point` to `centre`: the centre minus the point,
    // I as a radius value in the X-Z plane.
    std::pair<double, double> ArcOffsets(ModelPoint centre, ModelPoint point) const;
    // The default scale and a line through the picture's middle at angle theta (radians): what
    // a window shows while only its line is given.
    void LinePreview(double theta);

    // Drawing in model coordinates (h, v), drawn at picture coordinates (h, -v).
    void ModelLine(double h1, double v1, double h2, double v2, Color c);
    void ModelCircle(double h, double v, double r, Color c);
    // A cross of a horizontal and a vertical stroke of the given half-length.
    void ModelCross(double h, double v, double halfLength, Color c);
    // Text with its top-left corner at the point.
    void ModelLabel(double h, double v, const std::string& text, Color c);
};

}  // namespace quillon
