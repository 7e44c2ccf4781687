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
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>
#include <QWidget>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "app/registry.h"
#include "app/steps.h"
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

bool Shoot(qt::QtHost& host, Form& form, const std::vector<Step>& steps, const QDir& out) {
    try {
        for (const Step& step : steps) {
            if (form.Unloaded()) break;
            RunStep(form, step);
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

// The launcher with its "more" menu dropped down, as one picture: the menu is a window of its
// own, drawn over the launcher where it shows.
bool ShootMenu(qt::QtHost& host, Form& launcher, const QDir& out) {
    qt::FormView* view = host.ViewOf(launcher);
    auto* more = view ? view->findChild<QToolButton*>(QStringLiteral("MoreMenu")) : nullptr;
    if (!more || !more->menu()) {
        std::fprintf(stderr, "quillon-shots: the launcher has no menu button\n");
        return false;
    }
    QMenu* menu = more->menu();
    view->show();
    QApplication::processEvents();
    menu->popup(more->mapToGlobal(QPoint(0, more->height())));
    QApplication::processEvents();
    const QRect launcherRect(view->mapToGlobal(QPoint(0, 0)), view->size());
    const QRect menuRect(menu->pos(), menu->size());
    const QRect all = launcherRect.united(menuRect);
    QPixmap picture(all.size());
    picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        painter.drawPixmap(launcherRect.topLeft() - all.topLeft(), view->grab());
        painter.drawPixmap(menuRect.topLeft() - all.topLeft(), menu->grab());
    }
    menu->hide();
    const QString file = out.filePath(QStringLiteral("Menu-more.png"));
    if (!picture.save(file)) {
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
    StepsByWindow steps;
    if (args.size() == 3) {
#ifdef _WIN32
        const std::filesystem::path file = args[2].toStdWString();
#else
        const std::filesystem::path file = QFile::encodeName(args[2]).toStdString();
#endif
        steps = ReadStepsFile(file, "quillon-shots", std::cerr).value_or(StepsByWindow{});
    }

    qt::ApplyAppearance(app);
    QuietPlatform platform;
    qt::StartOptions options;
    options.programFolder = QCoreApplication::applicationDirPath().toStdWString();
    qt::QuillonApp quillon(platform, options);
    if (!quillon.Start()) return 1;

    int failures = 0;
    if (!Shoot(quillon.Host(), quillon.Launcher(), StepsOf(steps, kMenuClass), out)) ++failures;
    if (!ShootMenu(quillon.Host(), quillon.Launcher(), out)) ++failures;
    // The menu's windows last: the copy history then holds the copies the steps made.
    for (const auto* list : {&ToolbarWindows(), &MenuWindows()})
        for (const WindowInfo& info : *list) {
            if (!info.create) continue;
            Form* form = quillon.Launcher().Windows().Open(info);
            if (!form || !Shoot(quillon.Host(), *form, StepsOf(steps, info.className), out))
                ++failures;
        }
    return failures == 0 ? 0 : 1;
}
