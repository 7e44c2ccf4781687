// The launcher on screen: its start-up, its toolbar (one window per class, the separator),
// its check box, and closing it from the title bar.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

#include "app/registry.h"
#include "gui_fixture.h"

using namespace quillon;
using namespace quillon::qt;

namespace {

int VisibleViews(const char* className) {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->objectName() == QLatin1String(className)) ++n;
    return n;
}

}  // namespace

class LauncherTest : public QObject {
    Q_OBJECT

private slots:
    void startsWithVersionCaptionAndOnTop() {
        GuiFixture f;
        QVERIFY(f.started);
        FormView* menu = f.Launcher();
        QVERIFY(menu && menu->isVisible());
        QCOMPARE(menu->windowTitle(), QStringLiteral(" QUILLON"));
        QCOMPARE(f.Control<QLabel>("Menu", "Ver")->text(), QStringLiteral("Ver.1.40"));
        auto* check = f.Control<QCheckBox>("Menu", "Check1");
        QVERIFY(check->isChecked());
        QCOMPARE(check->text(), QStringLiteral("手前に表示"));
        QCOMPARE(check->toolTip(),
                 QStringLiteral("[Alt]を押したまま[Tab]を押すと切替えが出来ます。"));
        QCOMPARE(f.Control<QPushButton>("Menu", "Command1")->text(), QStringLiteral("終　了"));
        QCOMPARE(f.platform.topmost.size(), size_t(1));
        QCOMPARE(f.platform.topmost[0], std::make_pair(QStringLiteral("Menu"), true));
        QVERIFY(!f.App().M().OnControl);
    }

    void isPlacedAtTheBottomRightLessItsOffsets() {
        GuiFixture f;
        FormView* menu = f.Launcher();
        QScreen* screen = menu->screen();
        const QRect area = screen->geometry();
        const int dx = qRound(1500 * screen->logicalDotsPerInchX() / 1440.0);
        const int dy = qRound(2000 * screen->logicalDotsPerInchY() / 1440.0);
        // A launcher wider than the screen (the offscreen one is small) keeps its left edge, and
        // with it the title bar, on the screen.
        QCOMPARE(menu->pos(),
                 QPoint(std::max(area.left(), area.right() + 1 - menu->width() - dx),
                        std::max(area.top(), area.bottom() + 1 - menu->height() - dy)));
    }

    void toolbarButtonsShowTheirTooltipsAndOnlyBuiltWindowsAreEnabled() {
        GuiFixture f;
        auto* bar = f.Launcher()->findChild<QToolBar*>(QStringLiteral("Toolbar1"));
        QVERIFY(bar);
        const auto& table = ToolbarWindows();
        const QList<QAction*> actions = bar->actions();
        // The table's buttons, then a separator and the drop-down button of the "more" menu.
        QCOMPARE(actions.size(), static_cast<int>(table.size()) + 2);
        QVERIFY(actions[static_cast<int>(table.size())]->isSeparator());
        QVERIFY(qobject_cast<QToolButton*>(bar->widgetForAction(actions.back())));
        for (int i = 0; i < static_cast<int>(table.size()); ++i) {
            const WindowInfo& w = table[static_cast<size_t>(i)];
            QCOMPARE(actions[i]->objectName(), QString::fromStdString(w.key));
            QCOMPARE(actions[i]->isSeparator(), w.separator);
            if (w.separator) continue;
            QCOMPARE(actions[i]->toolTip(), QString::fromStdString(w.tooltip));
            QCOMPARE(actions[i]->isEnabled(), static_cast<bool>(w.create));
            QVERIFY2(!actions[i]->icon().isNull(), w.key.c_str());
        }
    }

    void noseRTwiceOpensOneWindowAndKeepsTypedFields() {
        GuiFixture f;
        f.ClickToolbar(QStringLiteral("Nose-R"));
        FormView* first = f.View("frmNoseR");
        QVERIFY(first && first->isVisible());
        QTest::keyClicks(f.Control("frmNoseR", "Text1"), QStringLiteral("0.8"));
        f.ClickToolbar(QStringLiteral("Nose-R"));
        QCOMPARE(f.View("frmNoseR"), first);
        QCOMPARE(VisibleViews("frmNoseR"), 1);
        QCOMPARE(f.Control<QLineEdit>("frmNoseR", "Text1")->text(), QStringLiteral("0.8"));
        QCOMPARE((*first->Model())["Text1"].Text, std::string("0.8"));
    }

    void closeThenReopenShowsEmptyFields() {
        GuiFixture f;
        f.ClickToolbar(QStringLiteral("Nose-R"));
        QTest::keyClicks(f.Control("frmNoseR", "Text1"), QStringLiteral("0.8"));
        QPointer<FormView> first = f.View("frmNoseR");
        QTest::mouseClick(f.Control("frmNoseR", "Command2"), Qt::LeftButton);
        QCOMPARE(f.View("frmNoseR"), nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());
        QCOMPARE(VisibleViews("frmNoseR"), 0);
        f.ClickToolbar(QStringLiteral("Nose-R"));
        QVERIFY(f.View("frmNoseR"));
        QCOMPARE(VisibleViews("frmNoseR"), 1);
        QCOMPARE(f.Control<QLineEdit>("frmNoseR", "Text1")->text(), QString());
        QCOMPARE(f.App().Launcher().Windows().OpenWindows().size(), size_t(1));
    }

    void closingFromTheTitleBarUnloadsTheWindow() {
        GuiFixture f;
        f.ClickToolbar(QStringLiteral("Nose-R"));
        Form* model = f.View("frmNoseR")->Model();
        QVERIFY(f.View("frmNoseR")->close());
        QVERIFY(model->Unloaded());
        QCOMPARE(f.View("frmNoseR"), nullptr);
        QVERIFY(f.platform.activations.isEmpty());
    }

    void separatorDoesNothing() {
        GuiFixture f;
        QWidget* separator = f.ToolButton(QStringLiteral("Bar1"));
        QVERIFY(separator);
        const int windows = QApplication::topLevelWidgets().size();
        QTest::mouseClick(separator, Qt::LeftButton);
        QCOMPARE(QApplication::topLevelWidgets().size(), windows);
        QVERIFY(f.App().Launcher().Windows().OpenWindows().empty());
    }

    void checkBoxTakesTheLauncherOutOfTheTopBandAndBack() {
        GuiFixture f;
        f.platform.topmost.clear();
        auto* check = f.Control<QCheckBox>("Menu", "Check1");
        // On the box itself.
        const QPoint box(8, check->height() / 2);
        QTest::mouseClick(check, Qt::LeftButton, {}, box);
        QVERIFY(!check->isChecked());
        QTest::mouseClick(check, Qt::LeftButton, {}, box);
        QVERIFY(check->isChecked());
        using Call = std::pair<QString, bool>;
        QCOMPARE(f.platform.topmost, (std::vector<Call>{{QStringLiteral("Menu"), false},
                                                        {QStringLiteral("Menu"), true}}));
    }

    void closingTheLauncherLeavesToolWindowsOpen() {
        GuiFixture f;
        f.ClickToolbar(QStringLiteral("Nose-R"));
        FormView* nose = f.View("frmNoseR");
        QVERIFY(f.Launcher()->close());
        QVERIFY(f.App().Launcher().Unloaded());
        QVERIFY(!f.App().Host().EndRequested());
        QVERIFY(nose->isVisible());
        QVERIFY(!nose->Model()->Unloaded());
    }
};

QTEST_MAIN(LauncherTest)
#include "launcher_test.moc"
