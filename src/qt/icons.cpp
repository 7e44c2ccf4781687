#include "icons.h"

#include <QApplication>
#include <QFile>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>
#include <map>
#include <memory>
#include <utility>

// The resources live in this static library; they must be registered before first use.
static void InitIconResources() {
    Q_INIT_RESOURCE(icons);
}

namespace quillon::qt {
namespace {

// Renders its SVG only when a size is first asked for, at exactly that size: start-up parses
// and rasterises nothing, and the toolbar's one size is drawn once per icon.
class SvgIconEngine : public QIconEngine {
public:
    explicit SvgIconEngine(QString path) : path_(std::move(path)) {}

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
            if (!renderer_) renderer_ = std::make_shared<QSvgRenderer>(path_);
            QPainter painter(&pixmap);
            renderer_->render(&painter);
        }
        cache_.emplace(key, pixmap);
        return pixmap;
    }

    QIconEngine* clone() const override { return new SvgIconEngine(*this); }
    QString key() const override { return QStringLiteral("QuillonSvgIconEngine"); }

private:
    QString path_;
    std::shared_ptr<QSvgRenderer> renderer_;
    std::map<std::pair<std::pair<int, int>, bool>, QPixmap> cache_;
};

}  // namespace

QIcon ToolbarIcon(const QString& name) {
    static const bool registered = (InitIconResources(), true);
    (void)registered;
    const QString path = QStringLiteral(":/icons/%1.svg").arg(name);
    if (name.isEmpty() || !QFile::exists(path)) return {};
    return QIcon(new SvgIconEngine(path));
}

}  // namespace quillon::qt
