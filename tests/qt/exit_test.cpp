// The launcher's exit button ends the program: the launcher unloads, the control's window is
// activated (on the control), and the open tool windows go with the process without their
// close buttons. Its own executable: ending asks the application to quit.
#include <QSignalSpy>
#include <QTest>

#include "gui_fixture.h"

using namespace quillon;
using namespace quillon::qt;

class ExitTest : public QObject {
    Q_OBJECT

  private slots:
    void exitButtonEndsTheProgramWithItsWindows() {
        GuiFixture f(/*marker=*/true);
        f.ClickToolbar(QStringLiteral("Nose-R"));
        Form* nose = f.View("frmNoseR")->Model();
        QTest::mouseClick(f.Control("Menu", "Command1"), Qt::LeftButton);
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
