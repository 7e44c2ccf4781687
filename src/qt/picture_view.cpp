#include "picture_view.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <cmath>
#include <type_traits>
#include <variant>

namespace quillon::qt {
namespace {

// A circle wider than this (pixels) is not drawn: on screen it is indistinguishable from the
// lines around it, and rasterising it would take ages.
constexpr double kLargestRadius = 1e5;

Qt::PenStyle PenStyle(DrawStyle style) {
    switch (style) {
        case DrawStyle::Dot:
            return Qt::DotLine;
        case DrawStyle::DashDot:
            return Qt::DashDotLine;
        case DrawStyle::Solid:
            break;
    }
    return Qt::SolidLine;
}

QPen Pen(const Color& color, DrawStyle style) {
    QPen pen(ToQColor(color));
    pen.setCosmetic(true);
    pen.setWidth(1);
    pen.setStyle(PenStyle(style));
    return pen;
}

// Clips the segment a-b to the rectangle r (Liang-Barsky); false when nothing is inside.
bool Clip(const QRectF& r, QPointF& a, QPointF& b) {
    double t0 = 0, t1 = 1;
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    const QPointF start = a;
    a = start + QPointF(dx * t0, dy * t0);
    b = start + QPointF(dx * t1, dy * t1);
    return true;
}

}  // namespace

QColor ToQColor(const Color& color) {
    const QPalette pal = QApplication::palette();
    switch (color.system) {
        case Color::System::ButtonFace:
            return pal.color(QPalette::Button);
        case Color::System::ButtonShadow:
            return pal.color(QPalette::Dark);
        case Color::System::GrayText:
            return pal.color(QPalette::Disabled, QPalette::Text);
        case Color::System::Window:
            return pal.color(QPalette::Base);
        case Color::System::WindowText:
            return pal.color(QPalette::Text);
        case Color::System::None:
            break;
    }
    return QColor(color.r, color.g, color.b);
}

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void PictureView::SetPicture(const Picture* picture) {
    picture_ = picture;
    revision_ = picture ? picture->Revision() : 0;
    update();
}

void PictureView::SetBackground(const QColor& color) {
    if (color == background_) return;
    background_ = color;
    update();
}

void PictureView::Refresh() {
    if (picture_ && picture_->Revision() != revision_) {
        revision_ = picture_->Revision();
        update();
    }
}

void PictureView::OnMouseMove(std::function<void(double, double)> handler) {
    mouseMove_ = std::move(handler);
}

double PictureView::PixelsPerUnit(const Scale& s) const {
    return std::min(width() / std::fabs(s.width), height() / std::fabs(s.height));
}

QPointF PictureView::ToWidget(const Scale& s, double x, double y) const {
    const double k = PixelsPerUnit(s);
    const double dw = std::fabs(s.width) * k, dh = std::fabs(s.height) * k;
    const double ox = (width() - dw) / 2, oy = (height() - dh) / 2;
    return {ox + (x - s.left) / s.width * dw, oy + (y - s.top) / s.height * dh};
}

QPointF PictureView::ToPicture(const Scale& s, QPointF pos) const {
    const double k = PixelsPerUnit(s);
    const double dw = std::fabs(s.width) * k, dh = std::fabs(s.height) * k;
    const double ox = (width() - dw) / 2, oy = (height() - dh) / 2;
    return {s.left + (pos.x() - ox) / dw * s.width, s.top + (pos.y() - oy) / dh * s.height};
}

QSize PictureView::sizeHint() const {
    const QSize min = minimumSize();
    return min.isEmpty() ? QSize(120, 80) : min;
}

void PictureView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), background_);
    if (!picture_ || picture_->Ops().empty()) return;
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    const QRectF bounds = QRectF(rect()).adjusted(-2, -2, 2, 2);
    const QFontMetricsF metrics(font());
    Scale scale = picture_->GetScale();
    for (const DrawOp& op : picture_->Ops()) {
        std::visit(
            [&](const auto& o) {
                using T = std::decay_t<decltype(o)>;
                if constexpr (std::is_same_v<T, ScaleOp>) {
                    scale = o.scale;
                } else if constexpr (std::is_same_v<T, LineOp>) {
                    QPointF a = ToWidget(scale, o.x1, o.y1), b = ToWidget(scale, o.x2, o.y2);
                    if (!Clip(bounds, a, b)) return;
                    p.setPen(Pen(o.color, o.style));
                    p.drawLine(a, b);
                } else if constexpr (std::is_same_v<T, CircleOp>) {
                    const double r = o.r * PixelsPerUnit(scale);
                    if (!(r <= kLargestRadius)) return;
                    p.setPen(Pen(o.color, o.style));
                    p.setBrush(Qt::NoBrush);
                    p.drawEllipse(ToWidget(scale, o.x, o.y), r, r);
                } else if constexpr (std::is_same_v<T, PointOp>) {
                    const QPointF at = ToWidget(scale, o.x, o.y);
                    if (!bounds.contains(at)) return;
                    p.setPen(Pen(o.color, DrawStyle::Solid));
                    p.drawPoint(at);
                } else {
                    const QPointF at = ToWidget(scale, o.x, o.y);
                    if (!bounds.adjusted(-1e4, -1e4, 0, 0).contains(at)) return;
                    p.setPen(ToQColor(o.color));
                    // The text's top-left corner lies at the point.
                    p.drawText(at + QPointF(0, metrics.ascent()), QString::fromStdString(o.text));
                }
            },
            op);
    }
}

void PictureView::mouseMoveEvent(QMouseEvent* event) {
    if (mouseMove_ && picture_) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
        const QPointF pos = event->position();
#else
        const QPointF pos = event->localPos();
#endif
        const QPointF at = ToPicture(picture_->GetScale(), pos);
        mouseMove_(at.x(), at.y());
    }
    event->accept();
}

}  // namespace quillon::qt
