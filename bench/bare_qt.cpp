// The yardstick of the start-up, memory and idle benchmarks: the least a Japanese Qt Widgets
// program does, one window with a line of text in Japanese (so that it opens a Japanese font,
// as every such program must), built with the same compiler, flags and Qt as Quillon
// and measured the same way (QUILLON_EXIT_WHEN_IDLE, QUILLON_IDLE_SECONDS; see idle_probe.h).
#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>
#include <memory>

#include "idle_probe.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare"));
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("QUILLON 手前に表示 終了"), &window));
    window.show();

    std::unique_ptr<quillon::qt::IdleProbe> probe;
    if (const auto options = quillon::qt::IdleProbe::FromEnvironment())
        probe = std::make_unique<quillon::qt::IdleProbe>(*options, [&window] {
            return window.isVisible() && window.windowHandle() &&
                   window.windowHandle()->isExposed();
        });
    return QApplication::exec();
}
