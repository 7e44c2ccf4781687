// quillon-shots: renders the launcher and every built window to PNG files, with the fields
// filled by the steps of a steps file, so that anyone can look at the windows without a
// display. Run it on the offscreen platform (tools/screenshots.sh does).
//
//   quillon-shots OUTPUT_FOLDER [STEPS_FILE]
//
// A steps file has one section per window ("[frmNoseR]") and one quillon-cli step per line
// ("set:Text1=0.8", "key:Enter", "click:Command1"); "#" starts a comment line.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QTextStream>
#include <QWidget>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "app/registry.h"
#include "cli/steps.h"
#include "form_view.h"
#include "platform.h"
#include "quillon_app.h"

namespace {

using namespace quillon;

// No always-on-top band and no other program's window to activate here.
class QuietPlatform : public qt::Platform {
public:
    void SetTopmost(QWidget&, bool) override {}
    void ActivateWindowByTitle(const QString&) override {}
};

std::map<std::string, std::vector<cli::Step>> ReadSteps(const QString& path) {
    std::map<std::string, std::vector<cli::Step>> steps;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "quillon-shots: cannot read %s\n", qPrintable(path));
        return steps;
    }
    std::string window;
    QTextStream in(&file);
    for (int number = 1; !in.atEnd(); ++number) {
        const QString line = in.readLine();
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith('#')) continue;
        if (trimmed.startsWith('[') && trimmed.endsWith(']')) {
            window = trimmed.mid(1, trimmed.size() - 2).toStdString();
            continue;
        }
        try {
            steps[window].push_back(cli::ParseStep(trimmed.toStdString()));
        } catch (const UsageError& e) {
            std::fprintf(stderr, "quillon-shots: %s:%d: %s\n", qPrintable(path), number, e.what());
        }
    }
    return steps;
}

bool Shoot(qt::QtHost& host, Form& form, const std::vector<cli::Step>& steps, const QDir& out) {
    try {
        for (const cli::Step& step : steps) {
            if (form.Unloaded()) break;
            cli::RunStep(form, step);
        }
    } catch (const UsageError& e) {
        std::fprintf(stderr, "quillon-shots: %s: %s\n", form.ClassName().c_str(), e.what());
    }
    host.AfterEvent();
    QApplication::processEvents();
    qt::FormView* view = host.ViewOf(form);
    if (!view) {
        std::fprintf(stderr, "quillon-shots: %s closed itself; no picture\n",
                     form.ClassName().c_str());
        return false;
    }
    const QString file = out.filePath(QString::fromStdString(form.ClassName()) + ".png");
    if (!view->grab().save(file)) {
        std::fprintf(stderr, "quillon-shots: cannot write %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s\n", qPrintable(file));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2 || args.size() > 3) {
        std::fprintf(stderr, "usage: quillon-shots OUTPUT_FOLDER [STEPS_FILE]\n");
        return 2;
    }
    QDir out(args[1]);
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "quillon-shots: cannot create %s\n", qPrintable(args[1]));
        return 2;
    }
    const auto steps = args.size() == 3 ? ReadSteps(args[2]) : decltype(ReadSteps({})){};
    auto stepsOf = [&steps](const std::string& window) {
        const auto it = steps.find(window);
        return it == steps.end() ? std::vector<cli::Step>{} : it->second;
    };

    qt::ApplyAppearance(app);
    QuietPlatform platform;
    qt::StartOptions options;
    options.programFolder = QCoreApplication::applicationDirPath().toStdWString();
    qt::QuillonApp quillon(platform, options);
    if (!quillon.Start()) return 1;

    int failures = 0;
    if (!Shoot(quillon.Host(), quillon.Launcher(), stepsOf(kMenuClass), out)) ++failures;
    // The toolbar's windows, then the "more" menu's.
    for (const auto* table : {&ToolbarWindows(), &MenuWindows()})
        for (const WindowInfo& info : *table) {
            if (!info.create) continue;
            Form* form = quillon.Launcher().Windows().Open(info);
            if (!form || !Shoot(quillon.Host(), *form, stepsOf(info.className), out)) ++failures;
        }
    return failures == 0 ? 0 : 1;
}
