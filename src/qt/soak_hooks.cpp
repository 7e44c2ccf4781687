#include "soak_hooks.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmapCache>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "picture_view.h"
#include "shell/copy_log.h"

namespace quillon::qt {
namespace {

enum class Fault { None, Leak, Hang, Crash };

// The last block the leak fault took; every earlier one is lost.
char* volatile lastLost = nullptr;

// The kind of control as the driver acts on it, or nullptr for one it leaves alone.
const char* KindOf(const QWidget* w) {
    if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QTextEdit*>(w) ||
        qobject_cast<const QPlainTextEdit*>(w))
        return "edit";
    if (qobject_cast<const QComboBox*>(w)) return "combo";
    if (qobject_cast<const QListWidget*>(w)) return "list";
    if (qobject_cast<const PictureView*>(w)) return "picture";
    if (qobject_cast<const QToolButton*>(w) && qobject_cast<const QToolBar*>(w->parentWidget()))
        return "tool";
    if (w->inherits("QCheckBox") || w->inherits("QRadioButton")) return "check";
    if (qobject_cast<const QAbstractButton*>(w)) return "button";
    return nullptr;
}

// One line a field, tab-separated, the names last since they may hold blanks:
//   window <x11 id> <width> <height> <object name or -> <title>
//   control <x11 id of its window> <kind> <x> <y> <width> <height> <object name> <text>
// Coordinates are relative to the window's client area.
void WriteMap(const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return;
    QByteArray out;
    const auto field = [](QString s) {
        return s.replace(QLatin1Char('\t'), QLatin1Char(' '))
            .replace(QLatin1Char('\n'), QLatin1Char(' '))
            .toUtf8();
    };
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible()) continue;
        const QByteArray id = QByteArray::number(static_cast<qulonglong>(top->winId()));
        out += "window\t" + id + '\t' + QByteArray::number(top->width()) + '\t' +
               QByteArray::number(top->height()) + '\t' +
               (top->objectName().isEmpty() ? QByteArray("-") : field(top->objectName())) + '\t' +
               field(top->windowTitle()) + '\n';
        for (QWidget* w : top->findChildren<QWidget*>()) {
            const char* kind = KindOf(w);
            if (!kind || !w->isVisibleTo(top) || w->window() != top) continue;
            const QPoint at = w->mapTo(top, QPoint(0, 0));
            QString text;
            QString name = w->objectName();
            if (auto* b = qobject_cast<QAbstractButton*>(w)) {
                text = b->text();
                if (auto* t = qobject_cast<QToolButton*>(w); t && t->defaultAction())
                    name = t->defaultAction()->objectName();
            }
            out += "control\t" + id + '\t' + kind + '\t' + QByteArray::number(at.x()) + '\t' +
                   QByteArray::number(at.y()) + '\t' + QByteArray::number(w->width()) + '\t' +
                   QByteArray::number(w->height()) + '\t' + field(name) + '\t' + field(text) + '\n';
        }
    }
    file.write(out);
    file.commit();
}

class SoakHooks : public QObject {
public:
    SoakHooks(QString mapPath, Fault fault, int after)
        : mapPath_(std::move(mapPath)), fault_(fault), after_(after) {
        mapTimer_.setSingleShot(true);
        mapTimer_.setInterval(100);
        connect(&mapTimer_, &QTimer::timeout, this, [this] { WriteMap(mapPath_); });
        // Every copy to the clipboard, counted in FILE.copies.
        if (!mapPath_.isEmpty())
            connect(QApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
                QSaveFile file(mapPath_ + QStringLiteral(".copies"));
                if (file.open(QIODevice::WriteOnly)) {
                    file.write(QByteArray::number(++copies_) + '\n');
                    file.commit();
                }
            });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto type = event->type();
        if (!mapPath_.isEmpty() && (type == QEvent::Show || type == QEvent::Hide) &&
            watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow())
            mapTimer_.start();
        // A key press reaches the filter once for each widget it is offered to; count it once,
        // at the widget that has the focus.
        if (type == QEvent::KeyPress && fault_ != Fault::None &&
            watched == QApplication::focusWidget() && ++keys_ >= after_)
            Inject();
        return false;
    }

private:
    void Inject() {
        switch (fault_) {
            case Fault::Leak: {
                // Touched, so that it counts in the resident memory, and lost at the next key.
                auto* block = static_cast<char*>(std::malloc(64 * 1024));
                if (block) std::memset(block, 0x5a, 64 * 1024);
                lastLost = block;
                break;
            }
            case Fault::Hang:
                for (;;) std::this_thread::sleep_for(std::chrono::seconds(1));
            case Fault::Crash:
                std::abort();
            case Fault::None:
                break;
        }
    }

    QString mapPath_;
    QTimer mapTimer_;
    Fault fault_;
    int after_;
    int keys_ = 0;
    int copies_ = 0;
};

}  // namespace

void LimitSoakCopyHistory(CopyLog& log) {
    bool set = false;
    const int limit = qEnvironmentVariableIntValue("QUILLON_SOAK_COPY_LOG_LIMIT", &set);
    if (set && limit > 0) log.SetLimit(static_cast<size_t>(limit));
}

void InstallSoakHooks(QApplication& app) {
    bool limitSet = false;
    const int cacheKb = qEnvironmentVariableIntValue("QUILLON_SOAK_PIXMAP_CACHE_KB", &limitSet);
    if (limitSet && cacheKb >= 0) QPixmapCache::setCacheLimit(cacheKb);
    const QString mapPath = qEnvironmentVariable("QUILLON_SOAK_MAP");
    const QByteArray name = qgetenv("QUILLON_SOAK_FAULT");
    Fault fault = Fault::None;
    if (name == "leak") fault = Fault::Leak;
    if (name == "hang") fault = Fault::Hang;
    if (name == "crash") fault = Fault::Crash;
    bool ok = false;
    int after = qEnvironmentVariableIntValue("QUILLON_SOAK_FAULT_AFTER", &ok);
    if (!ok || after < 1) after = 200;
    if (mapPath.isEmpty() && fault == Fault::None) return;
    auto* hooks = new SoakHooks(mapPath, fault, after);
    hooks->setParent(&app);
    app.installEventFilter(hooks);
}

}  // namespace quillon::qt
