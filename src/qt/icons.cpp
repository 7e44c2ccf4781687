#include "icons.h"

#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// The resources live in this static library; they must be registered before first use.
static void InitIconResources() {
    Q_INIT_RESOURCE(icons);
}

namespace quillon::qt {

QIcon ToolbarIcon(const QString& name) {
    static const bool registered = (InitIconResources(), true);
    (void)registered;
    const QString path = QStringLiteral(":/icons/%1.svg").arg(name);
    if (name.isEmpty() || !QFile::exists(path)) return {};
    QSvgRenderer renderer(path);
    if (!renderer.isValid()) return {};
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace quillon::qt
