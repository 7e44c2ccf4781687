// frmComment on screen: the drop-down's arrow keys choose a phrase, → leaves it for typing on,
// Enter copies it in the chosen brackets; the language button switches the list and the
// field's input method (half-width Latin for English, Japanese input opened for Japanese).
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "gui_fixture.h"

using namespace quillon;
using namespace quillon::qt;

class CommentViewTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QGuiApplication::clipboard()->clear(); }

    void arrowKeysChooseAndEnterCopies() {
        GuiFixture f;
        QVERIFY(f.started);
        QVERIFY(f.Open(QStringLiteral("コメント入力"), "frmComment"));
        auto* combo = f.Control<QComboBox>("frmComment", "Comment1");
        QVERIFY(combo);
        QTRY_VERIFY(combo->hasFocus());
        for (int i = 0; i < 5; ++i) QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(combo->currentText(), QStringLiteral("OD.GROOVE W"));
        QTest::keyClick(combo, Qt::Key_Right);
        QTest::keyClicks(combo, QStringLiteral("3"));
        QCOMPARE(combo->currentText(), QStringLiteral("OD.GROOVE W3"));
        QTest::keyClick(combo, Qt::Key_Return);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("(-----< OD.GROOVE W3 >-----)"));
    }

    void languageSwitchesTheInputMethod() {
        GuiFixture f;
        QVERIFY(f.started);
        QVERIFY(f.Open(QStringLiteral("コメント入力"), "frmComment"));
        auto* combo = f.Control<QComboBox>("frmComment", "Comment1");
        QVERIFY(combo->inputMethodHints() & Qt::ImhPreferLatin);
        QTest::mouseClick(f.Control<QPushButton>("frmComment", "Command2"), Qt::LeftButton);
        QCOMPARE(combo->itemText(0), QStringLiteral("外径荒引き"));
        QCOMPARE(combo->inputMethodHints(), Qt::ImhNone);
        QCOMPARE(f.View("frmComment")->windowTitle(), QStringLiteral("コメント (全角入力)"));
        const std::vector<std::pair<QString, bool>> expected = {{"Comment1", false},
                                                                {"Comment1", true}};
        QCOMPARE(f.platform.inputOpen, expected);
    }
};

QTEST_MAIN(CommentViewTest)
#include "comment_view_test.moc"
