// frmStopWatch on screen: its 50 ms timer runs only while the watch runs; the list shows its
// lines one under the other, and a selection made with the mouse or keyboard in the list is
// what the copy button copies, line breaks as the list holds them; Enter in the list presses
// the default button.
#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "gui_fixture.h"

using namespace quillon;
using namespace quillon::qt;

namespace {

FormView* OpenStopWatch(GuiFixture& f) {
    return f.Open(QStringLiteral("ストップウォッチ"), "frmStopWatch");
}

}  // namespace

class StopWatchViewTest : public QObject {
    Q_OBJECT

private slots:
    // Opened, driven and closed again and again, the watch leaves nothing behind: no widget
    // outlives its window, and a run's picture holds only what it shows.
    void cyclesLeaveNothingBehind_data() {
        QTest::addColumn<QString>("steps");  // button numbers; 'w' waits for a few ticks
        QTest::newRow("start, stop") << QStringLiteral("1w1");
        QTest::newRow("start, splits, stop, copy, reset") << QStringLiteral("1w2w2w153");
        QTest::newRow("closed while running") << QStringLiteral("1w2w");
        QTest::newRow("stop, resume, stop") << QStringLiteral("1w11w1");
    }

    void cyclesLeaveNothingBehind() {
        QFETCH(QString, steps);
        GuiFixture f;
        QVERIFY(f.started);
        qsizetype widgets = -1;
        for (int cycle = 0; cycle < 4; ++cycle) {
            FormView* view = OpenStopWatch(f);
            QVERIFY(view);
            for (const QChar step : steps) {
                if (step == QLatin1Char('w')) {
                    QTest::qWait(120);
                    continue;
                }
                const QByteArray name = "Command" + QByteArray(1, step.toLatin1());
                auto* button = f.Control<QPushButton>("frmStopWatch", name.constData());
                QVERIFY(button);
                QTest::mouseClick(button, Qt::LeftButton);
            }
            Form* form = view->Model();
            QVERIFY(form);
            // The display is cleared before every time it shows: one scale and one text.
            QCOMPARE((*form)["Picture1"].Pic->Ops().size(), size_t{2});
            view->close();
            QTRY_VERIFY(!f.View("frmStopWatch"));
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            const qsizetype now = QApplication::allWidgets().size();
            if (widgets < 0) widgets = now;
            QCOMPARE(now, widgets);
        }
    }

    void timerRunsOnlyWhileRunning() {
        GuiFixture f;
        QVERIFY(f.started);
        FormView* view = OpenStopWatch(f);
        QVERIFY(view);
        auto* timer = view->findChild<QTimer*>(QStringLiteral("Timer1"));
        QVERIFY(timer);
        QVERIFY(!timer->isActive());
        auto* start = f.Control<QPushButton>("frmStopWatch", "Command1");
        QTest::mouseClick(start, Qt::LeftButton);
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 50);
        QTest::mouseClick(start, Qt::LeftButton);  // stop
        QVERIFY(!timer->isActive());
        QTest::mouseClick(start, Qt::LeftButton);  // resume
        QVERIFY(timer->isActive());
        QTest::mouseClick(f.Control<QPushButton>("frmStopWatch", "Command4"), Qt::LeftButton);
        QTRY_VERIFY(!f.View("frmStopWatch"));
    }

    void copiesTheSelectionOfTheList() {
        GuiFixture f;
        QVERIFY(f.started);
        FormView* view = OpenStopWatch(f);
        QVERIFY(view);
        auto* start = f.Control<QPushButton>("frmStopWatch", "Command1");
        QTest::mouseClick(start, Qt::LeftButton);  // start
        QTest::mouseClick(f.Control<QPushButton>("frmStopWatch", "Command2"),
                          Qt::LeftButton);         // split
        QTest::mouseClick(start, Qt::LeftButton);  // stop
        auto* list = f.Control<QPlainTextEdit>("frmStopWatch", "Text1");
        QVERIFY(list);
        QCOMPARE(list->blockCount(), 3);  // two lines and the empty one after the last break
        const QString held = QString::fromStdString((*view->Model())["Text1"].Text);
        QVERIFY(held.contains(QStringLiteral("\r\n02  ")));

        // The whole list selected: the copy is the list as held, with its CR LF breaks.
        list->setFocus();
        list->selectAll();
        QTest::mouseClick(f.Control<QPushButton>("frmStopWatch", "Command5"), Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), held);

        // The second line alone, selected from its start to its end.
        QTextCursor cursor = list->textCursor();
        cursor.movePosition(QTextCursor::Start);
        cursor.movePosition(QTextCursor::NextBlock);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        list->setTextCursor(cursor);
        QTest::mouseClick(f.Control<QPushButton>("frmStopWatch", "Command5"), Qt::LeftButton);
        QCOMPARE(
            QGuiApplication::clipboard()->text(),
            held.mid(held.indexOf(QStringLiteral("02"))).section(QStringLiteral("\r\n"), 0, 0));

        // Nothing selected: the tab list.
        cursor.clearSelection();
        list->setTextCursor(cursor);
        QTest::mouseClick(f.Control<QPushButton>("frmStopWatch", "Command5"), Qt::LeftButton);
        QVERIFY(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("01\t ")));
    }

    void enterInTheListPressesStart() {
        GuiFixture f;
        QVERIFY(f.started);
        FormView* view = OpenStopWatch(f);
        QVERIFY(view);
        auto* list = f.Control<QPlainTextEdit>("frmStopWatch", "Text1");
        list->setFocus();
        QTRY_VERIFY(list->hasFocus());
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(f.Control<QPushButton>("frmStopWatch", "Command1")->text(),
                 QStringLiteral("停止"));
        QVERIFY(view->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
    }
};

QTEST_MAIN(StopWatchViewTest)
#include "stopwatch_view_test.moc"
