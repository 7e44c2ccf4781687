// Quillon: the launcher and its tool windows.
#include <QApplication>
#include <QTextStream>
#include <cstdio>

#include "platform.h"
#include "quillon_app.h"
#include "single_instance.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillon"));

    quillon::qt::StartOptions options;
    options.controlRoot = quillon::qt::DefaultControlRoot();
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
    return QApplication::exec();
}
