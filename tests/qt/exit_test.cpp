// The launcher's exit button ends the program: the launcher unloads, the control's window is
// activated (on the control), and the open tool windows go with the process without their
// close buttons. Its own executable: ending asks the application to quit.
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "gui_fixture.h"

using namespace quillon;
using namespace quillon::qt;

class ExitTest : public QObject {
    Q_OBJECT

private slots:
    // First: the exit button below asks the application to quit.
    void closingTheLauncherLeavesToolsAndTheProcessEndsWithTheLastWindow() {
        GuiFixture f;
        f.ClickToolbar(QStringLiteral("Nose-R"));
        QPointer<FormView> nose = f.View("frmNoseR");
        QVERIFY(nose);
        bool toolStayed = false;
        QTimer closeLauncher, closeTool, watchdog;
        for (QTimer* t : {&closeLauncher, &closeTool, &watchdog}) t->setSingleShot(true);
        connect(&closeLauncher, &QTimer::timeout, [&] { f.Launcher()->close(); });
        connect(&closeTool, &QTimer::timeout, [&] {
            toolStayed = nose && nose->isVisible() && f.Launcher() == nullptr;
            if (nose) nose->close();
        });
        connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        closeLauncher.start(50);
        closeTool.start(250);
        watchdog.start(10000);
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(toolStayed);
        QVERIFY(!f.App().Host().EndRequested());
    }

    void exitButtonEndsTheProgramWithItsWindows() {
        GuiFixture f(/*marker=*/true);
        f.ClickToolbar(QStringLiteral("Nose-R"));
        Form* nose = f.View("frmNoseR")->Model();
        // The program ends with the tool window still open.
        QTimer click, watchdog;
        click.setSingleShot(true);
        watchdog.setSingleShot(true);
        connect(&click, &QTimer::timeout,
                [&] { QTest::mouseClick(f.Control("Menu", "Command1"), Qt::LeftButton); });
        connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        click.start(50);
        watchdog.start(10000);
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(f.App().Launcher().Unloaded());
        QVERIFY(f.App().Host().EndRequested());
        QCOMPARE(f.Launcher(), nullptr);
        // One activation: the exit button's; the tool window's close button did not run.
        QCOMPARE(f.platform.activations, QStringList{QStringLiteral("OSP-P100 HMI")});
        QVERIFY(!nose->Unloaded());
    }
};

QTEST_MAIN(ExitTest)
#include "exit_test.moc"
