// frmCalc on screen: the keyboard reaches the calculator from wherever the focus is in the
// window, exactly once per key (Enter on the focused "=" button included), and the flash of a
// pressed button never holds up the next key.
#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "gui_fixture.h"

using namespace quillon;
using namespace quillon::qt;

namespace {

QString Shown(GuiFixture& f, const char* label) {
    auto* l = f.Control<QLabel>("frmCalc", label);
    return l ? l->text() : QStringLiteral("<none>");
}

// One key as the keyboard sends it: a character, or a named key.
void Send(QWidget* to, const QString& key) {
    if (key == QLatin1String("Enter"))
        QTest::keyClick(to, Qt::Key_Return);
    else if (key == QLatin1String("Esc"))
        QTest::keyClick(to, Qt::Key_Escape);
    else if (key == QLatin1String("Backspace"))
        QTest::keyClick(to, Qt::Key_Backspace);
    else if (key == QLatin1String("Shift"))
        QTest::keyClick(to, Qt::Key_Shift);
    else
        QTest::keyClick(to, key.at(0).toLatin1());
}

}  // namespace

class CalcViewTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QGuiApplication::clipboard()->clear(); }

    // Before every key the focus is put on `focus` (empty: on no control, the window itself);
    // a key taken twice or not at all would show another display.
    void eachKeyReachesTheCalculatorOnce_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("label1");
        const QStringList precedence{"2", "+", "3", "*", "4", "Enter"};
        const QStringList spindle{"n", "1", "5", "0", "Enter"};
        const QStringList shifted{"2", "Shift", "x"};
        for (const char* focus : {"Operator(4)", "Number(7)", "Cancel", "swINV", "Command5", ""}) {
            QTest::newRow(qPrintable(QStringLiteral("2+3*4 Enter on %1").arg(focus)))
                << focus << precedence << "14"
                << "";
            // A second "=" from the focused button would take "0." as the diameter: Error.
            QTest::newRow(qPrintable(QStringLiteral("N 150 Enter on %1").arg(focus)))
                << focus << spindle << "0."
                << "直径(mm) =";
            // Shift toggles once: Shift then X is the reciprocal, not the square.
            QTest::newRow(qPrintable(QStringLiteral("2 Shift X on %1").arg(focus)))
                << focus << shifted << "0.5"
                << "";
        }
        QTest::newRow("digits, point, C and Esc")
            << "Operator(4)" << QStringList{"1", ".", "5", "Backspace", "7", "-", "Esc", "9"}
            << "9."
            << "";
    }

    void eachKeyReachesTheCalculatorOnce() {
        QFETCH(QString, focus);
        QFETCH(QStringList, keys);
        QFETCH(QString, display);
        QFETCH(QString, label1);
        GuiFixture f;
        FormView* view = f.Open(QStringLiteral("電卓"), "frmCalc");
        QVERIFY(view);
        for (const QString& key : keys) {
            QWidget* target = view;
            if (focus.isEmpty()) {
                if (QWidget* w = QApplication::focusWidget()) w->clearFocus();
            } else {
                target = f.Control("frmCalc", focus.toLatin1().constData());
                QVERIFY(target);
                target->setFocus(Qt::OtherFocusReason);
                QCOMPARE(QApplication::focusWidget(), target);
            }
            Send(target, key);
        }
        QCOMPARE(Shown(f, "Readout"), display);
        QCOMPARE(Shown(f, "Label1"), label1);
        // Every key ends with the focus back on "=".
        QCOMPARE(QApplication::focusWidget(), f.Control("frmCalc", "Operator(4)"));
    }

    // A key typed while the previous key's button is still dark is taken at once, inside
    // that flash, not after it; both buttons end light again.
    void flashNeverBlocksTheNextKey() {
        GuiFixture f;
        FormView* view = f.Open(QStringLiteral("電卓"), "frmCalc");
        QVERIFY(view);
        Form* calc = view->Model();
        QVERIFY(calc);
        bool firstStillDark = false;
        QString shownAfterSecond;
        qint64 secondTookMs = -1;
        QElapsedTimer clock;
        QTimer::singleShot(20, view, [&] {
            firstStillDark = (*calc)["Number(1)"].BackColor == colors::ButtonShadow;
            QElapsedTimer second;
            second.start();
            QTest::keyClick(QApplication::focusWidget(), '2');
            secondTookMs = second.elapsed();
            shownAfterSecond = Shown(f, "Readout");
        });
        clock.start();
        QTest::keyClick(QApplication::focusWidget(), '1');
        const qint64 bothTookMs = clock.elapsed();
        QVERIFY(firstStillDark);
        QCOMPARE(shownAfterSecond, QStringLiteral("12."));
        // The second key's own flash, not the rest of the first one, is what it waited for;
        // the first flash ends with the second (they overlap rather than queue).
        QVERIFY2(secondTookMs >= 90 && secondTookMs < 1000,
                 qPrintable(QString::number(secondTookMs)));
        QVERIFY2(bothTookMs < 1000, qPrintable(QString::number(bothTookMs)));
        QCOMPARE(Shown(f, "Readout"), QStringLiteral("12."));
        QVERIFY((*calc)["Number(1)"].BackColor == colors::ButtonFace);
        QVERIFY((*calc)["Number(2)"].BackColor == colors::ButtonFace);
    }

    // Every operator key fills the system clipboard with the NC text of the display, without
    // bringing the control's window forward, even on the control.
    void operatorCopiesWithoutActivating() {
        GuiFixture f(/*marker=*/true);
        QVERIFY(f.Open(QStringLiteral("電卓"), "frmCalc"));
        for (const char* key : {"1", "/", "3", "Enter"}) Send(QApplication::focusWidget(), key);
        QCOMPARE(Shown(f, "Readout"), QStringLiteral("0.333333333"));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("0.333"));
        QVERIFY(f.platform.activations.isEmpty());
    }
};

QTEST_MAIN(CalcViewTest)
#include "calc_view_test.moc"
