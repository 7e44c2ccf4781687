// Quillon: the launcher and its tool windows.
#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTextStream>
#include <QToolBar>
#include <QWindow>
#include <cstdio>
#include <memory>

#include "form_view.h"
#include "idle_probe.h"
#include "machining/machine_table.h"
#include "platform.h"
#include "quillon_app.h"
#include "single_instance.h"
#ifdef QUILLON_SOAK
#include "soak_hooks.h"
#endif

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillon"));

    quillon::qt::StartOptions options;
    options.controlRoot = quillon::DefaultControlRoot();
    options.programFolder = QCoreApplication::applicationDirPath().toStdWString();
    options.machineTableFolders = quillon::MachineTableFolders(options.programFolder);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    if (const auto error = quillon::qt::ParseArguments(args, options)) {
        std::fprintf(stderr, "Quillon: %s\n", error->c_str());
        return 2;
    }

    // A second copy ends at once and silently; the running copy is left alone.
    quillon::qt::SingleInstance instance;
    if (!instance.First()) return 0;

#ifdef QUILLON_SOAK
    quillon::qt::InstallSoakHooks(app);
#endif
    quillon::qt::ApplyAppearance(app);
    const auto platform = quillon::qt::SystemPlatform();
    quillon::qt::QuillonApp quillon(*platform, options);
#ifdef QUILLON_SOAK
    quillon::qt::LimitSoakCopyHistory(quillon.M().copyLog);
#endif
    if (!quillon.Start()) return 1;

    // Measuring aids, off unless the environment asks (see idle_probe.h): QUILLON_OPEN_ALL=1
    // opens every built window from the toolbar, as clicks on its buttons do;
    // QUILLON_STOPWATCH=running opens the stopwatch and clicks its start button, =stopped
    // clicks it once more.
    std::unique_ptr<quillon::qt::IdleProbe> probe;
    if (const auto probeOptions = quillon::qt::IdleProbe::FromEnvironment()) {
        auto* bar = quillon.LauncherView()->findChild<QToolBar*>(QStringLiteral("Toolbar1"));
        if (bar && qEnvironmentVariableIntValue("QUILLON_OPEN_ALL") == 1)
            for (QAction* action : bar->actions())
                if (!action->isSeparator() && action->isEnabled()) action->trigger();
        auto& host = quillon.Host();
        const QByteArray watch = qgetenv("QUILLON_STOPWATCH");
        if (bar && (watch == "running" || watch == "stopped")) {
            for (QAction* action : bar->actions())
                if (action->objectName() == QStringLiteral("ストップウォッチ")) action->trigger();
            if (auto* view = host.ViewOf("frmStopWatch"))
                if (auto* start = view->findChild<QPushButton*>(QStringLiteral("Command1"))) {
                    start->click();
                    if (watch == "stopped") start->click();
                }
        }
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
