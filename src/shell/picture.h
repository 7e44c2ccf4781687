// The drawing surface of a picture box, kept as a display list in the picture's user scale.
//
// Handlers draw in model units; the list records what a picture box would show, and the fronts
// render it (the Qt and Win32 painters map it to pixels, the command-line front prints it).
// Drawing with a non-finite coordinate or an invalid scale raises ArithmeticFault: such a
// drawing has no place on the picture, and the computation that asked for it stops.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "color.h"

namespace quillon {

enum class DrawStyle { Solid, Dot, DashDot };

struct Scale {
    double left = 0, top = 0, width = 1, height = 1;
    bool operator==(const Scale&) const = default;
};

struct ScaleOp {
    Scale scale;
};
struct LineOp {
    double x1, y1, x2, y2;
    Color color;
    DrawStyle style;
};
struct CircleOp {
    double x, y, r;
    Color color;
    DrawStyle style;
};
// The part of the circle around (x, y) of radius r from angle `start` through `sweep` more
// (degrees; the whole circle from 360 on), angles measured in picture coordinates: the point
// at angle a is (x + r cos a, y + r sin a), whichever way the scale turns the axes.
struct ArcOp {
    double x, y, r, start, sweep;
    Color color;
    DrawStyle style;
};
struct PointOp {
    double x, y;
    Color color;
};
struct PrintOp {
    double x, y;
    std::string text;
    Color color;
};

using DrawOp = std::variant<ScaleOp, LineOp, CircleOp, ArcOp, PointOp, PrintOp>;

class Picture {
public:
    // The scale a picture box has before a program sets one: its size in pixels.
    explicit Picture(double pixelWidth = 589, double pixelHeight = 325);

    // Clears the drawing and puts the current position back to (0, 0).
    void Cls();

    // Sets the user scale. A zero or non-finite width or height raises a fault.
    void SetScale(double left, double top, double width, double height);
    const Scale& GetScale() const { return scale_; }

    // Draws from (x1, y1) to (x2, y2) in the fore colour or the given one; the end becomes
    // the current position.
    void Line(double x1, double y1, double x2, double y2);
    void Line(double x1, double y1, double x2, double y2, Color color);
    // Draws a circle; its centre becomes the current position. A negative radius is a fault.
    void Circle(double x, double y, double r);
    void Circle(double x, double y, double r, Color color);
    // Draws the arc of ArcOp; its centre becomes the current position. A negative radius is
    // a fault.
    void Arc(double x, double y, double r, double start, double sweep, Color color);
    // Sets one point; it becomes the current position.
    void PSet(double x, double y);
    void PSet(double x, double y, Color color);
    // Prints text with its top-left corner at the current position in the fore colour; the
    // current position then moves to the start of the next line.
    void Print(const std::string& text);

    double CurrentX = 0, CurrentY = 0;
    Color ForeColor = colors::White;
    DrawStyle Style = DrawStyle::Solid;

    // What is drawn since the last Cls: first the scale in force after it, then every
    // operation in order, with a scale entry wherever the scale changes.
    const std::vector<DrawOp>& Ops() const { return ops_; }

    // Bumped on every change, so that a view knows when to repaint.
    unsigned Revision() const { return revision_; }

private:
    template <typename Op>
    void Record(Op op) {
        ops_.emplace_back(std::in_place_type<Op>, std::move(op));
        ++revision_;
    }

    Scale scale_;
    double pixelHeight_;
    std::vector<DrawOp> ops_;
    unsigned revision_ = 0;
};

}  // namespace quillon
