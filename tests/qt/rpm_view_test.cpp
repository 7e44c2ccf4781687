// frmRPM on screen: real Enter keys walk Text1 -> Text2 -> Text3 -> Text1, and every field the
// focus leaves recomputes the third value from the two that are filled; "クリア" empties the
// fields, and a copy of an empty field puts "S0" on the system clipboard.
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "gui_fixture.h"

using namespace quillon;
using namespace quillon::qt;

namespace {

// The three fields as the user sees them: "V|D|N".
QString Fields(GuiFixture& f) {
    QStringList texts;
    for (const char* field : {"Text1", "Text2", "Text3"}) {
        auto* edit = f.Control<QLineEdit>("frmRPM", field);
        texts << (edit ? edit->text() : QStringLiteral("<none>"));
    }
    return texts.join(QLatin1Char('|'));
}

}  // namespace

class RpmViewTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QGuiApplication::clipboard()->clear(); }

    // Each row types into the focused field and presses Enter, four times round the chain
    // (Text1, Text2, Text3, Text1); "after" holds the fields once each Enter has left its field.
    void enterChainRecomputesOnEachLeave_data() {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("V and D give N; leaving N gives V; leaving V again gives N")
            << QStringList{"100", "50", "", ""}
            << QStringList{"100||", "100|50|636", "99|50|636", "99|50|630"};
        QTest::newRow("D and N give V; leaving V gives N")
            << QStringList{"", "50", "1000", ""}
            << QStringList{"||", "|50|", "157|50|1000", "157|50|999"};
        QTest::newRow("V and N give D to three decimals; leaving V gives N from its text")
            << QStringList{"100", "", "500", ""}
            << QStringList{"100||", "100||", "100|63.662|500", "100|63.662|499"};
        QTest::newRow("a zero diameter computes nothing")
            << QStringList{"100", "0", "", ""}
            << QStringList{"100||", "100|0|", "100|0|", "100|0|"};
        QTest::newRow("one field filled computes nothing")
            << QStringList{"", "", "636", ""} << QStringList{"||", "||", "||636", "||636"};
    }

    void enterChainRecomputesOnEachLeave() {
        QFETCH(QStringList, typed);
        QFETCH(QStringList, after);
        GuiFixture f;
        QVERIFY(f.Open(QStringLiteral("回転数"), "frmRPM"));
        const char* chain[] = {"Text1", "Text2", "Text3", "Text1", "Text2"};
        for (int i = 0; i < typed.size(); ++i) {
            QWidget* focus = QApplication::focusWidget();
            QCOMPARE(focus, f.Control("frmRPM", chain[i]));
            QTest::keyClicks(focus, typed[i]);
            QCOMPARE(Fields(f).count(QLatin1Char('|')), 2);  // nothing computed while typing
            QTest::keyClick(focus, Qt::Key_Return);
            QCOMPARE(Fields(f), after[i]);
            QCOMPARE(QApplication::focusWidget(), f.Control("frmRPM", chain[i + 1]));
            QCOMPARE(f.View("frmRPM")->Model()->Focus(), std::string(chain[i + 1]));
        }
    }

    void clearThenCopyPutsS0OnTheClipboard_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("V") << "Command3";
        QTest::newRow("N") << "Command4";
    }

    void clearThenCopyPutsS0OnTheClipboard() {
        QFETCH(QString, button);
        GuiFixture f;
        QVERIFY(f.Open(QStringLiteral("回転数"), "frmRPM"));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("100"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("50"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(Fields(f), QStringLiteral("100|50|636"));

        auto* clear = f.Control<QPushButton>("frmRPM", "Command2");
        QVERIFY(clear);
        QCOMPARE(clear->text(), QStringLiteral("クリア"));
        QTest::mouseClick(clear, Qt::LeftButton);
        QCOMPARE(Fields(f), QStringLiteral("||"));
        QCOMPARE(QApplication::focusWidget(), f.Control("frmRPM", "Text1"));

        QTest::mouseClick(f.Control("frmRPM", button.toLatin1().constData()), Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("S0"));
        // On an office PC nothing is activated after the copy.
        QVERIFY(f.platform.activations.isEmpty());
    }
};

QTEST_MAIN(RpmViewTest)
#include "rpm_view_test.moc"
