// The generic view with a window made for the test: keys go to the window first and a
// cancelled key never reaches the field, the window's focus and state show on screen, mouse
// moves over a picture arrive in picture coordinates, and waiting lets events run without
// spinning.
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <ctime>

#include "gui_fixture.h"
#include "picture_view.h"
#include "shell/tool_window.h"

using namespace quillon;
using namespace quillon::qt;

namespace {

// Types text as key presses that carry it, as an input method or a Japanese keyboard does
// (QTest only types ASCII).
void TypeText(QWidget* widget, const QString& text) {
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &release);
    }
}

class frmProbe : public ToolWindow {
public:
    explicit frmProbe(Module1& m)
        : ToolWindow(m, "frmProbe", " probe", 2800, 2000, Topmost::AtLoad) {
        TextBox("Text1").At(0, 0);
        TextBox("Text2").At(1, 0);
        Label("Label1", "").At(2, 0);
        Option("Option1", "one", true).At(3, 0);
        Option("Option2", "two").At(3, 1);
        Check("Check1", "check").At(4, 0);
        Add("List1", ControlKind::ListBox).At(5, 0);
        (*this)["List1"].Items = {"a", "b", "c"};
        Add("Combo1", ControlKind::ComboBox).At(5, 1);
        (*this)["Combo1"].Items = {"M6", "M8"};
        Add("Combo2", ControlKind::ComboBox).At(6, 1).Locked = true;  // a drop-down list
        (*this)["Combo2"].Items = {"V8", "V12"};
        Button("Command1", "go").At(6, 0);
        PictureBox("Picture1").At(7, 0, 1, 2).Size(200, 100);
        // Text1 refuses digits; Enter in it moves to Text2.
        OnKey("Text1", Event::KeyPress, [](KeyArgs& k) {
            if (k.keyAscii >= '0' && k.keyAscii <= '9') k.keyAscii = 0;
        });
        EnterChain({{"Text1", "Text2"}});
        On("Command1", Event::Click, [this] {
            (*this)["Label1"].Text = "clicked";
            (*this)["Text2"].BackColor = colors::ButtonShadow;
            (*this)["Check1"].Enabled = false;
            SetValue("Option2", true);
            SetFocus("Text1");
        });
        On("List1", Event::Click, [this] {
            (*this)["Label1"].Text = "row " + std::to_string((*this)["List1"].ListIndex);
        });
        On("Combo2", Event::Click, [this] {
            (*this)["Label1"].Text = "pick " + std::to_string((*this)["Combo2"].ListIndex);
        });
        OnMouse("Picture1", [this](const MouseArgs& a) { mouse.emplace_back(a.x, a.y); });
    }
    std::vector<std::pair<double, double>> mouse;

protected:
    void Form_Load() override {
        ToolWindow::Form_Load();
        Pic("Picture1").SetScale(-10, 5, 20, -10);  // y grows upwards
    }
};

struct Probe {
    GuiFixture f;
    frmProbe* form = nullptr;
    FormView* view = nullptr;
    Probe() {
        static const WindowInfo info{"frmProbe", "Probe", "", "",
                                     [](Module1& m) { return std::make_unique<frmProbe>(m); }};
        form = static_cast<frmProbe*>(f.App().Launcher().Windows().Open(info));
        view = form ? f.App().Host().ViewOf(*form) : nullptr;
        if (view) {
            view->activateWindow();
            if (!QTest::qWaitForWindowActive(view)) view = nullptr;
        }
    }
    template <typename W = QWidget>
    W* Widget(const char* name) {
        return qobject_cast<W*>(view->Widget(name));
    }
};

}  // namespace

class FormViewTest : public QObject {
    Q_OBJECT

private slots:
    void aCancelledKeyNeverReachesTheField() {
        Probe p;
        QVERIFY(p.view);
        QCOMPARE(QApplication::focusWidget(), p.Widget("Text1"));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("a1b2c"));
        QCOMPARE(p.Widget<QLineEdit>("Text1")->text(), QStringLiteral("abc"));
        QCOMPARE((*p.form)["Text1"].Text, std::string("abc"));
    }

    void typingInTheMiddleKeepsTheCaretWhereItIs() {
        Probe p;
        QVERIFY(p.view);
        auto* edit = p.Widget<QLineEdit>("Text1");
        QTest::keyClicks(edit, QStringLiteral("ac"));
        QTest::keyClick(edit, Qt::Key_Left);
        QTest::keyClicks(edit, QStringLiteral("b"));
        QCOMPARE(edit->text(), QStringLiteral("abc"));
        QCOMPARE(edit->cursorPosition(), 2);
        QCOMPARE((*p.form)["Text1"].SelStart, 2);
    }

    void fullWidthTextArrivesIntact() {
        Probe p;
        QVERIFY(p.view);
        TypeText(p.Widget("Text2"), QStringLiteral("角　度Ｘ"));
        QCOMPARE((*p.form)["Text2"].Text, std::string("角　度Ｘ"));
    }

    void theWindowsStateShowsAfterAClick() {
        Probe p;
        QVERIFY(p.view);
        p.Widget("Text2")->setFocus();
        QTest::mouseClick(p.Widget("Command1"), Qt::LeftButton);
        QCOMPARE(p.Widget<QLabel>("Label1")->text(), QStringLiteral("clicked"));
        QVERIFY(!p.Widget("Check1")->isEnabled());
        QVERIFY(!p.Widget<QRadioButton>("Option1")->isChecked());
        QVERIFY(p.Widget<QRadioButton>("Option2")->isChecked());
        QCOMPARE(p.Widget("Text2")->palette().color(QPalette::Base),
                 QApplication::palette().color(QPalette::Dark));
        // The focus the handler set is where the keyboard goes.
        QCOMPARE(QApplication::focusWidget(), p.Widget("Text1"));
    }

    void clickingASelectedOptionKeepsItSelected() {
        Probe p;
        QVERIFY(p.view);
        QTest::mouseClick(p.Widget("Option1"), Qt::LeftButton);
        QVERIFY(p.Widget<QRadioButton>("Option1")->isChecked());
        QVERIFY((*p.form)["Option1"].Value);
        QTest::mouseClick(p.Widget("Check1"), Qt::LeftButton);
        QVERIFY((*p.form)["Check1"].Value);
        QVERIFY(p.Widget<QCheckBox>("Check1")->isChecked());
    }

    void listAndComboPicksReachTheWindow() {
        Probe p;
        QVERIFY(p.view);
        auto* list = p.Widget<QListWidget>("List1");
        QCOMPARE(list->count(), 3);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(1)).center());
        QCOMPARE((*p.form)["List1"].ListIndex, 1);
        QCOMPARE(p.Widget<QLabel>("Label1")->text(), QStringLiteral("row 1"));
        auto* combo = p.Widget<QComboBox>("Combo1");
        QCOMPARE(combo->count(), 2);
        QCOMPARE(combo->itemText(1), QStringLiteral("M8"));
    }

    void aLockedComboIsADropDownListThatStillPicks() {
        Probe p;
        QVERIFY(p.view);
        QVERIFY(p.Widget<QComboBox>("Combo1")->isEditable());
        auto* list = p.Widget<QComboBox>("Combo2");
        QVERIFY(!list->isEditable());
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);  // from no entry to the first
        QCOMPARE((*p.form)["Combo2"].ListIndex, 0);
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE((*p.form)["Combo2"].ListIndex, 1);
        QCOMPARE((*p.form)["Combo2"].Text, std::string("V12"));
        QCOMPARE(p.Widget<QLabel>("Label1")->text(), QStringLiteral("pick 1"));
    }

    void mouseMovesArriveInPictureCoordinatesUnderACrossHair() {
        Probe p;
        QVERIFY(p.view);
        auto* pic = p.Widget<PictureView>("Picture1");
        QVERIFY(pic);
        QCOMPARE(pic->cursor().shape(), Qt::CrossCursor);
        const Scale scale = (*p.form)["Picture1"].Pic->GetScale();
        // The middle of the picture is (0, 0); its top-left corner of the drawn area
        // (-10, 5) and y grows upwards.
        for (const QPointF at : {QPointF(0, 0), QPointF(-10, 5), QPointF(7.5, -2.5)}) {
            const QPointF pos = pic->ToWidget(scale, at.x(), at.y());
            QMouseEvent move(QEvent::MouseMove, pos, QPointF(pic->mapToGlobal(pos.toPoint())),
                             Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(pic, &move);
            QVERIFY(!p.form->mouse.empty());
            QVERIFY(std::abs(p.form->mouse.back().first - at.x()) < 1e-9);
            QVERIFY(std::abs(p.form->mouse.back().second - at.y()) < 1e-9);
        }
        QCOMPARE(pic->ToWidget(scale, 0, 0), QPointF(pic->width() / 2.0, pic->height() / 2.0));
    }

    void waitingLetsEventsRunWithoutSpinning() {
        Probe p;
        QVERIFY(p.view);
        bool ran = false;
        QTimer::singleShot(50, [&ran] { ran = true; });
        QElapsedTimer wall;
        wall.start();
        const std::clock_t cpu = std::clock();
        p.f.App().Host().Wait(0.3);
        const double cpuSeconds = double(std::clock() - cpu) / CLOCKS_PER_SEC;
        QVERIFY(ran);
        QVERIFY(wall.elapsed() >= 290);
        QVERIFY2(cpuSeconds < 0.15, qPrintable(QString::number(cpuSeconds)));
    }

    void theClockCountsSecondsSinceMidnight() {
        Probe p;
        const double now = p.f.App().Host().Clock();
        const double expected = QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
        QVERIFY(now >= 0 && now < 86400);
        QVERIFY(std::abs(now - expected) < 1.0);
    }
};

QTEST_MAIN(FormViewTest)
#include "form_view_test.moc"
