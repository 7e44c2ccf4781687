// Orbane: registers a program on the control's vertical function keys, or removes it. Built
// twice from this source: `Orbane` registers Quillon, `Orbane Calculator` (ORBANE_CALCULATOR)
// registers "Calculator.exe".
#include <QApplication>
#include <cstdio>

#include "fkeyreg/Orbane.h"
#include "platform.h"
#include "qt_host.h"
#include "quillon_app.h"
#include "shell/disk_files.h"
#include "shell/module1.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
#ifdef ORBANE_CALCULATOR
    using Window = quillon::OrbaneCalculator;
    QApplication::setApplicationName(QStringLiteral("Orbane Calculator"));
#else
    using Window = quillon::Orbane;
    QApplication::setApplicationName(QStringLiteral("Orbane"));
#endif

    quillon::qt::StartOptions options;
    options.controlRoot = quillon::DefaultControlRoot();
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    if (const auto error = quillon::qt::ParseArguments(args, options)) {
        std::fprintf(stderr, "Orbane: %s\n", error->c_str());
        return 2;
    }
    quillon::qt::ApplyAppearance(app);

    const auto platform = quillon::qt::SystemPlatform();
    quillon::qt::QtHost host(*platform);
    quillon::DiskFiles files;
    quillon::Module1 m(host, files);
    m.ControlRoot = options.controlRoot;
    m.ProgramFolder = QCoreApplication::applicationDirPath().toStdWString();

    Window window(m);
    host.Created(window);
    window.Load();  // the start checks; a failed one has shown its message and ends here
    if (window.Unloaded() || host.EndRequested()) return 0;
    host.Show(window);
    window.Activate();
    host.AfterEvent();
    const int status = QApplication::exec();
    host.CloseAll();  // the views go before the window they show
    return status;
}
