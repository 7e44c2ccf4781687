// Quillon: the launcher and its tool windows.
#include <QAction>
#include <QApplication>
#include <QTextStream>
#include <QToolBar>
#include <QWindow>
#include <cstdio>
#include <memory>

#include "form_view.h"
#include "idle_probe.h"
#include "platform.h"
#include "quillon_app.h"
#include "single_instance.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillon"));

    quillon::qt::StartOptions options;
    options.controlRoot = quillon::DefaultControlRoot();
    options.programFolder = QCoreApplication::applicationDirPath().toStdWString();
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    if (const auto error = quillon::qt::ParseArguments(args, options)) {
        std::fprintf(stderr, "Quillon: %s\n", error->c_str());
        return 2;
    }

    // A second copy ends at once and silently; the running copy is left alone.
    quillon::qt::SingleInstance instance;
    if (!instance.First()) return 0;

    quillon::qt::ApplyAppearance(app);
    const auto platform = quillon::qt::SystemPlatform();
    quillon::qt::QuillonApp quillon(*platform, options);
    if (!quillon.Start()) return 1;

    // Measuring aids, off unless the environment asks (see idle_probe.h): QUILLON_OPEN_ALL=1
    // opens every built window from the toolbar, as clicks on its buttons do.
    std::unique_ptr<quillon::qt::IdleProbe> probe;
    if (const auto probeOptions = quillon::qt::IdleProbe::FromEnvironment()) {
        if (qEnvironmentVariableIntValue("QUILLON_OPEN_ALL") == 1)
            if (auto* bar =
                    quillon.LauncherView()->findChild<QToolBar*>(QStringLiteral("Toolbar1")))
                for (QAction* action : bar->actions())
                    if (!action->isSeparator() && action->isEnabled()) action->trigger();
        auto& host = quillon.Host();
        // Ready when the launcher and every window opened are on screen.
        probe = std::make_unique<quillon::qt::IdleProbe>(*probeOptions, [&host] {
            const QWidget* launcher = host.ViewOf(quillon::kMenuClass);
            if (!launcher || !launcher->isVisible()) return false;
            for (const QWidget* window : QApplication::topLevelWidgets())
                if (qobject_cast<const quillon::qt::FormView*>(window) && window->isVisible() &&
                    !(window->windowHandle() && window->windowHandle()->isExposed()))
                    return false;
            return true;
        });
    }
    return QApplication::exec();
}
