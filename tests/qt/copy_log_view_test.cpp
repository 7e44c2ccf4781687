// The copy history on screen: the launcher's "more" menu (its drop-down button, a right click,
// Ctrl+H) opens it; a copy made in another window shows in the open history at once; a double
// click on a line copies that entry again onto the system clipboard.
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "app/menu.h"
#include "gui_fixture.h"
#include "shell/copy_log.h"
#include "shell/module1.h"

using namespace quillon;
using namespace quillon::qt;

namespace {

QToolButton* MoreButton(GuiFixture& f) {
    return f.Launcher()->findChild<QToolButton*>(QStringLiteral("MoreMenu"));
}

// Opens frmRPM, types V and D and presses its N copy button.
void CopyFromRpm(GuiFixture& f, const QString& v, const QString& d) {
    QVERIFY(f.Open(QStringLiteral("回転数"), "frmRPM"));
    QTest::keyClicks(f.Control("frmRPM", "Text1"), v);
    QTest::keyClick(f.Control("frmRPM", "Text1"), Qt::Key_Return);
    QTest::keyClicks(f.Control("frmRPM", "Text2"), d);
    QTest::keyClick(f.Control("frmRPM", "Text2"), Qt::Key_Return);
    QTest::mouseClick(f.Control("frmRPM", "Command4"), Qt::LeftButton);
}

QStringList Lines(QListWidget* list) {
    QStringList lines;
    for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
    return lines;
}

}  // namespace

class CopyLogViewTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QGuiApplication::clipboard()->clear(); }

    void launcherShowsTheMoreMenuWithItsEntries() {
        GuiFixture f;
        QToolButton* more = MoreButton(f);
        QVERIFY(more && more->isVisible());
        QCOMPARE(more->toolTip(), QStringLiteral("その他"));
        QCOMPARE(more->popupMode(), QToolButton::InstantPopup);
        QVERIFY(more->menu());
        const std::vector<std::string>& entries = f.App().Launcher().MenuEntries;
        QVERIFY(!entries.empty());
        QCOMPARE(entries.front(), std::string("コピー履歴"));
        const QList<QAction*> actions = more->menu()->actions();
        QCOMPARE(actions.size(), static_cast<int>(entries.size()));
        for (int i = 0; i < actions.size(); ++i)
            QCOMPARE(actions[i]->text(), QString::fromStdString(entries[static_cast<size_t>(i)]));
    }

    // Each way of reaching the history from the launcher opens one history window.
    void eachWayOpensTheHistory_data() {
        QTest::addColumn<QString>("way");
        QTest::newRow("menu entry") << "menu";
        QTest::newRow("right click") << "context";
        QTest::newRow("Ctrl+H") << "ctrl-h";
    }

    void eachWayOpensTheHistory() {
        QFETCH(QString, way);
        GuiFixture f;
        QCOMPARE(f.View("frmCopyLog"), nullptr);
        FormView* launcher = f.Launcher();
        if (way == QLatin1String("menu")) {
            MoreButton(f)->menu()->actions().front()->trigger();
        } else if (way == QLatin1String("context")) {
            // A right click on the launcher's check box reaches the window's menu.
            QWidget* check = f.Control("Menu", "Check1");
            QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(4, 4),
                                    check->mapToGlobal(QPoint(4, 4)));
            QApplication::sendEvent(check, &event);
            auto* menu = launcher->findChild<QMenu*>(QStringLiteral("Menu"));
            QVERIFY(menu && menu->isVisible());
            QCOMPARE(f.View("frmCopyLog"), nullptr);  // shown, not yet picked
            menu->actions().front()->trigger();
            menu->hide();
        } else {
            launcher->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(launcher));
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : launcher,
                            Qt::Key_H, Qt::ControlModifier);
        }
        FormView* history = f.View("frmCopyLog");
        QVERIFY(history && history->isVisible());
        QCOMPARE(history->windowTitle(), QStringLiteral(" コピー履歴"));
    }

    void copyInAnotherWindowShowsAtOnceAndDoubleClickCopiesAgain() {
        GuiFixture f;
        MoreButton(f)->menu()->actions().front()->trigger();
        auto* list = f.Control<QListWidget>("frmCopyLog", "List1");
        QVERIFY(list);
        QCOMPARE(list->count(), 0);

        CopyFromRpm(f, QStringLiteral("100"), QStringLiteral("50"));
        const QString first = QGuiApplication::clipboard()->text();
        QVERIFY(first.startsWith(QLatin1Char('S')));
        // No event of the history window ran; it shows the copy anyway.
        QCOMPARE(list->count(), 1);
        QVERIFY2(list->item(0)->text().endsWith(QStringLiteral("  ") + first),
                 qPrintable(list->item(0)->text()));

        QTest::mouseClick(f.Control("frmRPM", "Command3"), Qt::LeftButton);  // V
        const QString second = QGuiApplication::clipboard()->text();
        QVERIFY(second != first);
        QCOMPARE(list->count(), 2);
        QVERIFY(Lines(list)[0].endsWith(second));  // newest first
        QVERIFY(Lines(list)[1].endsWith(first));

        // A double click on the older line puts its text back on the clipboard and records
        // the copy again at the top.
        QGuiApplication::clipboard()->clear();
        const QRect rect = list->visualItemRect(list->item(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(QGuiApplication::clipboard()->text(), first);
        QCOMPARE(list->count(), 3);
        QVERIFY(Lines(list)[0].endsWith(first));
        QVERIFY(Lines(list)[0].contains(QStringLiteral("周速 ⇔ 回転数")));
    }

    // A copy recorded outside every view's events (no view mirrors after it) reaches the open
    // history through its change listener alone; so does emptying the history.
    void historyFollowsCopiesRecordedOutsideItsEvents() {
        GuiFixture f;
        MoreButton(f)->menu()->actions().front()->trigger();
        auto* list = f.Control<QListWidget>("frmCopyLog", "List1");
        QVERIFY(list);
        CopyEntry entry;
        entry.window = "frmRPM";
        entry.caption = " 周速 ⇔ 回転数";
        entry.button = "Command4";
        entry.buttonCaption = "N";
        entry.text = "S640";
        entry.time = {2026, 12, 8, 15, 4, 5};
        f.App().M().copyLog.Add(entry);
        QCOMPARE(Lines(list), QStringList{QStringLiteral("15:04:05  周速 ⇔ 回転数  S640")});
        f.App().M().copyLog.Clear();
        QCOMPARE(list->count(), 0);
    }
};

QTEST_MAIN(CopyLogViewTest)
#include "copy_log_view_test.moc"
