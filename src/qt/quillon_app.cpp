#include "quillon_app.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QStyleFactory>

#include "form_view.h"

namespace quillon::qt {

std::optional<std::string> ParseArguments(const QStringList& args, StartOptions& options) {
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--control-root")) {
            if (i + 1 >= args.size()) return "--control-root needs a folder";
            options.controlRoot = std::filesystem::path(args[++i].toStdWString());
        } else {
            return "unknown argument " + args[i].toStdString() +
                   "; usage: Quillon [--control-root DIR]";
        }
    }
    return std::nullopt;
}

void ApplyAppearance(QApplication& app) {
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) app.setStyle(fusion);
#ifndef _WIN32
    // Prefer a Japanese face, so that kanji take their Japanese forms.
    const QStringList families =
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
        QFontDatabase::families();
#else
        QFontDatabase().families();
#endif
    for (const char* face :
         {"Noto Sans CJK JP", "IPAexGothic", "IPAGothic", "TakaoGothic", "VL Gothic"}) {
        if (families.contains(QLatin1String(face))) {
            QFont font = QApplication::font();
            font.setFamily(QLatin1String(face));
            QApplication::setFont(font);
            break;
        }
    }
#endif
}

QuillonApp::QuillonApp(Platform& platform, const StartOptions& options)
    : host_(platform), m_(host_, files_), menu_(m_) {
    m_.ControlRoot = options.controlRoot;
    m_.ProgramFolder = options.programFolder;
    m_.MachineTableFolders = options.machineTableFolders;
    host_.SetWindows(&menu_.Windows());
    menu_.Windows().SetFront(&host_);
}

QuillonApp::~QuillonApp() {
    // Views go first: the windows they show are destroyed with the launcher.
    host_.SetWindows(nullptr);
    host_.CloseAll();
}

bool QuillonApp::Start() {
    const bool started = StartWindow(menu_, &host_);
    if (started) host_.AfterEvent();
    return started;
}

FormView* QuillonApp::LauncherView() const {
    return host_.ViewOf(menu_);
}

}  // namespace quillon::qt
