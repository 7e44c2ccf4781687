#include "picture.h"

#include <cmath>

#include "checked.h"

namespace quillon {
namespace {

void CheckFinite(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v)) throw ArithmeticFault("invalid drawing coordinate");
}

// Height of one printed line in pixels. Only a second Print without positioning depends on it.
constexpr double kLinePixels = 12.0;

}  // namespace

Picture::Picture(double pixelWidth, double pixelHeight)
    : scale_{0, 0, pixelWidth, pixelHeight}, pixelHeight_(pixelHeight) {
    ops_.emplace_back(std::in_place_type<ScaleOp>, ScaleOp{scale_});
}

void Picture::Cls() {
    ops_.clear();
    ops_.emplace_back(std::in_place_type<ScaleOp>, ScaleOp{scale_});
    CurrentX = 0;
    CurrentY = 0;
    ++revision_;
}

void Picture::SetScale(double left, double top, double width, double height) {
    CheckFinite({left, top, width, height});
    if (width == 0 || height == 0) throw ArithmeticFault("invalid picture scale");
    const Scale s{left, top, width, height};
    if (s == scale_) return;
    scale_ = s;
    // A scale set before anything is drawn replaces the one noted at the clear.
    if (ops_.size() == 1 && std::holds_alternative<ScaleOp>(ops_.front()))
        ops_.front().emplace<ScaleOp>(ScaleOp{scale_});
    else
        Record(ScaleOp{scale_});
    ++revision_;
}

void Picture::Line(double x1, double y1, double x2, double y2) {
    Line(x1, y1, x2, y2, ForeColor);
}

void Picture::Line(double x1, double y1, double x2, double y2, Color color) {
    CheckFinite({x1, y1, x2, y2});
    Record(LineOp{x1, y1, x2, y2, color, Style});
    CurrentX = x2;
    CurrentY = y2;
}

void Picture::Circle(double x, double y, double r) {
    Circle(x, y, r, ForeColor);
}

void Picture::Circle(double x, double y, double r, Color color) {
    CheckFinite({x, y, r});
    if (r < 0) throw ArithmeticFault("negative radius");
    Record(CircleOp{x, y, r, color, Style});
    CurrentX = x;
    CurrentY = y;
}

void Picture::Arc(double x, double y, double r, double start, double sweep, Color color) {
    CheckFinite({x, y, r, start, sweep});
    if (r < 0) throw ArithmeticFault("negative radius");
    Record(ArcOp{x, y, r, start, sweep, color, Style});
    CurrentX = x;
    CurrentY = y;
}

void Picture::PSet(double x, double y) {
    PSet(x, y, ForeColor);
}

void Picture::PSet(double x, double y, Color color) {
    CheckFinite({x, y});
    Record(PointOp{x, y, color});
    CurrentX = x;
    CurrentY = y;
}

void Picture::Print(const std::string& text) {
    CheckFinite({CurrentX, CurrentY});
    Record(PrintOp{CurrentX, CurrentY, text, ForeColor});
    CurrentX = scale_.left;
    CurrentY += scale_.height * kLinePixels / pixelHeight_;
}

}  // namespace quillon
