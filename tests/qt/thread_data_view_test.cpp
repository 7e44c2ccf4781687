// frmThreadData on screen: the nine tabs are shown above the list, the arrow keys on the tabs
// switch the table, and the header lines up with the list's columns in the fixed font.
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QListWidget>
#include <QTabBar>
#include <QTest>

#include "gui_fixture.h"

using namespace quillon;
using namespace quillon::qt;

class ThreadDataViewTest : public QObject {
    Q_OBJECT

private slots:
    void tabsSwitchTheTable() {
        GuiFixture f;
        QVERIFY(f.started);
        QVERIFY(f.Open(QStringLiteral("ThreadData"), "frmThreadData"));
        auto* tabs = f.Control<QTabBar>("frmThreadData", "TabStrip1");
        QVERIFY(tabs);
        QCOMPARE(tabs->count(), 9);
        QVERIFY(tabs->isVisible());

        QVERIFY(tabs->height() > 10);
        QCOMPARE(tabs->tabText(8), QStringLiteral("アメリカ管用ネジ(NPSF)"));
        auto* list = f.Control<QListWidget>("frmThreadData", "List1");
        QCOMPARE(list->count(), 15);
        tabs->setFocus();
        QTRY_VERIFY(tabs->hasFocus());
        QTest::keyClick(tabs, Qt::Key_Right);
        QCOMPARE(tabs->currentIndex(), 1);
        QCOMPARE(list->count(), 17);
        QCOMPARE(f.Control<QLineEdit>("frmThreadData", "Text3")->text(),
                 QStringLiteral("刃先角 60°"));

        // "呼び径" takes the width of six blanks: the header's columns stand over the list's
        // (where a fixed font with Japanese glyphs is installed at all).
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
        const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
#else
        const QStringList japanese = QFontDatabase().families(QFontDatabase::Japanese);
#endif
        if (!japanese.contains(QFontInfo(list->font()).family()))
            QSKIP("no fixed-pitch font with Japanese glyphs installed");
        // Within a pixel: Qt 5 positions glyphs at subpixels and rounds their advances apart.
        const QFontMetricsF metrics(list->font());
        const qreal japanese3 = metrics.horizontalAdvance(QStringLiteral("呼び径"));
        const qreal blanks6 = metrics.horizontalAdvance(QStringLiteral("      "));
        QVERIFY2(qAbs(japanese3 - blanks6) < 1.0,
                 qPrintable(QStringLiteral("%1 against %2").arg(japanese3).arg(blanks6)));
    }
};

QTEST_MAIN(ThreadDataViewTest)
#include "thread_data_view_test.moc"
