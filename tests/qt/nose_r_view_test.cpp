// frmNoseR on screen: real key presses walk the Enter chain and compute the shifts, the copy
// buttons fill the system clipboard, and the control's window is activated only on the
// control. Result fields are grey and locked; the diagram is painted.
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QTest>

#include "gui_fixture.h"
#include "picture_view.h"

using namespace quillon;
using namespace quillon::qt;

namespace {

// Types into whatever has the focus now, as a user at the keyboard does.
void Type(const QString& text) {
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus);
    QTest::keyClicks(focus, text);
}

void Press(Qt::Key key) {
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus);
    QTest::keyClick(focus, key);
}

QString TextOf(GuiFixture& f, const char* control) {
    auto* edit = f.Control<QLineEdit>("frmNoseR", control);
    return edit ? edit->text() : QStringLiteral("<none>");
}

}  // namespace

class NoseRViewTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QGuiApplication::clipboard()->clear(); }

    void enterChainComputesTheShiftsAndReturnsToText1_data() {
        QTest::addColumn<QString>("radius");
        QTest::addColumn<QString>("angle");
        QTest::addColumn<QString>("x");
        QTest::addColumn<QString>("z");
        QTest::addColumn<QString>("z2");
        QTest::newRow("thirty degrees") << "0.8"
                                        << "30"
                                        << "0.676"
                                        << "0.586"
                                        << "1.014";
        QTest::newRow("forty-five degrees") << "0.4"
                                            << "45"
                                            << "0.469"
                                            << "0.234"
                                            << "0.566";
        QTest::newRow("no taper") << "0.8"
                                  << "0"
                                  << "0"
                                  << "0.8"
                                  << "0.8";
        QTest::newRow("negative angle") << "1.2"
                                        << "-30"
                                        << "-1.757"
                                        << "1.522"
                                        << "0.878";
    }

    void enterChainComputesTheShiftsAndReturnsToText1() {
        QFETCH(QString, radius);
        QFETCH(QString, angle);
        GuiFixture f;
        QVERIFY(f.Open(QStringLiteral("Nose-R"), "frmNoseR"));
        QCOMPARE(QApplication::focusWidget(), f.Control("frmNoseR", "Text1"));
        Type(radius);
        Press(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), f.Control("frmNoseR", "Text2"));
        Type(angle);
        Press(Qt::Key_Return);
        QTEST(TextOf(f, "Text3"), "x");
        QTEST(TextOf(f, "Text4"), "z");
        QTEST(TextOf(f, "Text5"), "z2");
        QCOMPARE(QApplication::focusWidget(), f.Control("frmNoseR", "Text1"));
        QCOMPARE(f.View("frmNoseR")->Model()->Focus(), std::string("Text1"));
        // Typing only: the Enter keys added nothing to the fields.
        QCOMPARE(TextOf(f, "Text1"), radius);
        QCOMPARE(TextOf(f, "Text2"), angle);
    }

    void tabSkipsTheResultFieldsAndLeavingAFieldComputes() {
        GuiFixture f;
        QVERIFY(f.Open(QStringLiteral("Nose-R"), "frmNoseR"));
        Type(QStringLiteral("0.4"));
        Press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f.Control("frmNoseR", "Text2"));
        Type(QStringLiteral("45"));
        QCOMPARE(TextOf(f, "Text3"), QString());  // nothing is computed while typing
        Press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f.Control("frmNoseR", "Command1"));
        QCOMPARE(TextOf(f, "Text3"), QStringLiteral("0.469"));
        // Space presses the focused copy button.
        Press(Qt::Key_Space);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("0.469"));
    }

    void copyButtonsPutTheResultOnTheClipboard_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("clipboard");
        QTest::newRow("X") << "Command1"
                           << "0.676";
        QTest::newRow("Z") << "Command3"
                           << "0.586";
        QTest::newRow("Z2") << "Command4"
                            << "1.014";
    }

    void copyButtonsPutTheResultOnTheClipboard() {
        QFETCH(QString, button);
        GuiFixture f;
        QVERIFY(f.Open(QStringLiteral("Nose-R"), "frmNoseR"));
        Type(QStringLiteral("0.8"));
        Press(Qt::Key_Return);
        Type(QStringLiteral("30"));
        Press(Qt::Key_Return);
        QTest::mouseClick(f.Control("frmNoseR", button.toLatin1().constData()), Qt::LeftButton);
        QTEST(QGuiApplication::clipboard()->text(), "clipboard");
        // On an office PC nothing is activated.
        QVERIFY(f.platform.activations.isEmpty());
    }

    void onTheControlACopyActivatesTheControlsWindow() {
        GuiFixture f(/*marker=*/true);
        QVERIFY(f.App().M().OnControl);
        QVERIFY(f.Open(QStringLiteral("Nose-R"), "frmNoseR"));
        Type(QStringLiteral("0.8"));
        Press(Qt::Key_Return);
        Type(QStringLiteral("30"));
        Press(Qt::Key_Return);
        QVERIFY(f.platform.activations.isEmpty());
        QTest::mouseClick(f.Control("frmNoseR", "Command1"), Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("0.676"));
        QCOMPARE(f.platform.activations, QStringList{QStringLiteral("OSP-P100 HMI")});
        // The close button brings the control's window forward too.
        QTest::mouseClick(f.Control("frmNoseR", "Command2"), Qt::LeftButton);
        QCOMPARE(f.platform.activations.size(), 2);
    }

    void resultFieldsAreGreyAndLocked_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("result");
        QTest::newRow("Text1 input") << "Text1" << false;
        QTest::newRow("Text2 input") << "Text2" << false;
        QTest::newRow("Text3 result") << "Text3" << true;
        QTest::newRow("Text4 result") << "Text4" << true;
        QTest::newRow("Text5 result") << "Text5" << true;
    }

    void resultFieldsAreGreyAndLocked() {
        QFETCH(QString, field);
        QFETCH(bool, result);
        GuiFixture f;
        QVERIFY(f.Open(QStringLiteral("Nose-R"), "frmNoseR"));
        auto* edit = f.Control<QLineEdit>("frmNoseR", field.toLatin1().constData());
        QVERIFY(edit);
        QCOMPARE(edit->isReadOnly(), result);
        const QColor base = edit->palette().color(QPalette::Base);
        QCOMPARE(base == QApplication::palette().color(QPalette::Button), result);
        QCOMPARE(edit->focusPolicy() == Qt::StrongFocus, !result);
        // A locked field takes no typing.
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("9"));
        QCOMPARE(edit->text().isEmpty(), result);
    }

    void labelsAndCaptionShowTheirTexts() {
        GuiFixture f;
        FormView* view = f.Open(QStringLiteral("Nose-R"), "frmNoseR");
        QVERIFY(view);
        QCOMPARE(view->windowTitle(), QStringLiteral(" テーパーのノーズＲ補正"));
        for (const auto& c : view->Model()->Controls()) {
            QWidget* w = view->Widget(c->Name());
            if (auto* label = qobject_cast<QLabel*>(w))
                QCOMPARE(label->text(), QString::fromStdString(c->Text));
            if (auto* button = qobject_cast<QPushButton*>(w))
                QCOMPARE(button->text(), QString::fromStdString(c->Text));
        }
    }

    void diagramIsPaintedOnBlack() {
        GuiFixture f;
        QVERIFY(f.Open(QStringLiteral("Nose-R"), "frmNoseR"));
        auto* picture = f.Control<PictureView>("frmNoseR", "Picture1");
        QVERIFY(picture);
        QCOMPARE(picture->cursor().shape(), Qt::ArrowCursor);  // no readout in this window
        const QImage image = picture->grab().toImage();
        QCOMPARE(image.pixelColor(1, 1), QColor(Qt::black));
        int magenta = 0, yellow = 0, green = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() > 200 && c.green() < 60 && c.blue() > 200) ++magenta;
                if (c.red() > 200 && c.green() > 200 && c.blue() < 60) ++yellow;
                if (c.red() < 60 && c.green() > 200 && c.blue() < 60) ++green;
            }
        QVERIFY2(magenta > 50, "the nose circle");
        QVERIFY2(yellow > 50, "the tapers");
        QVERIFY2(green > 20, "the shifts");
    }
};

QTEST_MAIN(NoseRViewTest)
#include "nose_r_view_test.moc"
