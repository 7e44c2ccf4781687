#include "picture_view.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <algorithm>
#include <cmath>
#include <type_traits>
#include <variant>

#include "shell/picture_map.h"

namespace quillon::qt {
namespace {

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

QPointF Q(DevicePoint p) {
    return {p.x, p.y};
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
    return PictureMapping(s, width(), height()).PixelsPerUnit();
}

QPointF PictureView::ToWidget(const Scale& s, double x, double y) const {
    return Q(PictureMapping(s, width(), height()).ToDevice(x, y));
}

QPointF PictureView::ToPicture(const Scale& s, QPointF pos) const {
    return Q(PictureMapping(s, width(), height()).ToPicture(pos.x(), pos.y()));
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
    const QFontMetricsF metrics(font());
    for (const DeviceOp& op : MapToDevice(*picture_, width(), height())) {
        std::visit(
            [&](const auto& o) {
                using T = std::decay_t<decltype(o)>;
                if constexpr (std::is_same_v<T, DeviceLine>) {
                    p.setPen(Pen(o.color, o.style));
                    p.drawLine(Q(o.a), Q(o.b));
                } else if constexpr (std::is_same_v<T, DeviceCircle>) {
                    p.setPen(Pen(o.color, o.style));
                    p.setBrush(Qt::NoBrush);
                    p.drawEllipse(Q(o.centre), o.r, o.r);
                } else if constexpr (std::is_same_v<T, DeviceArc>) {
                    // A path keeps fractions of a degree, which drawArc's sixteenths lose.
                    const QRectF box(o.centre.x - o.r, o.centre.y - o.r, 2 * o.r, 2 * o.r);
                    QPainterPath path;
                    path.arcMoveTo(box, o.start);
                    path.arcTo(box, o.start, o.sweep);
                    p.setPen(Pen(o.color, o.style));
                    p.setBrush(Qt::NoBrush);
                    p.drawPath(path);
                } else if constexpr (std::is_same_v<T, DeviceDot>) {
                    p.setPen(Pen(o.color, DrawStyle::Solid));
                    p.drawPoint(Q(o.at));
                } else {
                    p.setPen(ToQColor(o.color));
                    // The text's top-left corner lies at the point.
                    p.drawText(Q(o.at) + QPointF(0, metrics.ascent()),
                               QString::fromStdString(o.text));
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
