#include "icons.h"

#include <QApplication>
#include <QFile>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>
#include <map>
#include <memory>
#include <utility>

#include "shell/icon_drawing.h"

// The resources live in this static library; they must be registered before first use.
static void InitIconResources() {
    Q_INIT_RESOURCE(icons);
}

namespace quillon::qt {
namespace {

QPointF At(const IconPoint& p) {
    return {p.x, p.y};
}

QPainterPath Path(const std::vector<IconSegment>& segments) {
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (const IconSegment& s : segments) {
        switch (s.kind) {
            case IconSegment::Kind::Move:
                path.moveTo(At(s.p[0]));
                break;
            case IconSegment::Kind::Line:
                path.lineTo(At(s.p[0]));
                break;
            case IconSegment::Kind::Cubic:
                path.cubicTo(At(s.p[0]), At(s.p[1]), At(s.p[2]));
                break;
            case IconSegment::Kind::Arc: {
                // Qt counts angles anticlockwise on screen, the drawing clockwise.
                const double r = s.radius;
                path.arcTo(QRectF(s.p[0].x - r, s.p[0].y - r, 2 * r, 2 * r), -s.start, -s.sweep);
                break;
            }
            case IconSegment::Kind::Close:
                path.closeSubpath();
                break;
        }
    }
    return path;
}

QColor ToQColor(const Color& c) {
    return QColor(c.r, c.g, c.b);
}

// Paints the drawing scaled to `size` pixels wide, as the Win32 front draws it with GDI+:
// antialiased, round caps and joins, dashes in units of the stroke's width.
void Paint(QPainter& painter, const IconDrawing& drawing, int size) {
    painter.setRenderHint(QPainter::Antialiasing);
    const double k = size / drawing.width;
    painter.scale(k, k);
    for (const IconShape& shape : drawing.shapes) {
        const QPainterPath path = Path(shape.path);
        if (shape.fill) painter.fillPath(path, ToQColor(*shape.fill));
        if (shape.stroke) {
            QPen pen(ToQColor(*shape.stroke), shape.strokeWidth, Qt::SolidLine, Qt::RoundCap,
                     Qt::RoundJoin);
            if (!shape.dashes.empty()) {
                QVector<qreal> dashes;
                for (const double d : shape.dashes)
                    dashes.append(std::max(d / shape.strokeWidth, 0.1));
                pen.setDashPattern(dashes);
            }
            painter.strokePath(path, pen);
        }
    }
}

// Reads its drawing only when a size is first asked for and paints it at exactly that size:
// start-up reads and rasterises nothing, and the toolbar's one size is drawn once per icon.
class DrawingIconEngine : public QIconEngine {
public:
    explicit DrawingIconEngine(QString path) : path_(std::move(path)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        // Only disabled icons look different; active and selected ones are drawn as normal.
        const bool disabled = mode == QIcon::Disabled;
        const auto key = std::make_pair(std::make_pair(size.width(), size.height()), disabled);
        if (const auto it = cache_.find(key); it != cache_.end()) return it->second;
        QPixmap pixmap;
        if (disabled) {
            QStyleOption option;
            option.palette = QApplication::palette();
            pixmap = QApplication::style()->generatedIconPixmap(
                QIcon::Disabled, this->pixmap(size, QIcon::Normal, state), &option);
        } else {
            pixmap = QPixmap(size);
            pixmap.fill(Qt::transparent);
            if (!drawing_) {
                QFile file(path_);
                const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : "";
                drawing_ = std::make_shared<const IconDrawing>(ReadIconDrawing(
                    std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()))));
            }
            QPainter painter(&pixmap);
            Paint(painter, *drawing_, std::min(size.width(), size.height()));
        }
        cache_.emplace(key, pixmap);
        return pixmap;
    }

    QIconEngine* clone() const override { return new DrawingIconEngine(*this); }
    QString key() const override { return QStringLiteral("QuillonDrawingIconEngine"); }

private:
    QString path_;
    std::shared_ptr<const IconDrawing> drawing_;
    std::map<std::pair<std::pair<int, int>, bool>, QPixmap> cache_;
};

}  // namespace

QIcon ToolbarIcon(const QString& name) {
    static const bool registered = (InitIconResources(), true);
    (void)registered;
    const QString path = QStringLiteral(":/icons/%1.svg").arg(name);
    if (name.isEmpty() || !QFile::exists(path)) return {};
    return QIcon(new DrawingIconEngine(path));
}

}  // namespace quillon::qt
