// Every window at the screen scale CTest runs this with (QT_SCALE_FACTOR 1.25, 1.5, 2, and
// 1.75 with QT_SCALE_FACTOR_ROUNDING_POLICY=PassThrough; 1 when unset): the window renders at
// its logical size times the scale, and no control's text is cut by the control's box.
#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QTest>
#include <cmath>

#include "app/registry.h"
#include "gui_fixture.h"

using namespace quillon;
using namespace quillon::qt;

namespace {

double ScaleFactor() {
    bool ok = false;
    const double factor = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
    return ok && factor > 0 ? factor : 1.0;
}

// The room a control gives its text, and the text, in logical pixels; an empty text when the
// control shows none (a picture button, an empty field).
struct TextRoom {
    QRect room;
    QString text;
    int flags = Qt::TextSingleLine;
};

TextRoom RoomOf(QWidget& w) {
    QStyle* style = w.style();
    if (auto* label = qobject_cast<QLabel*>(&w)) {
        const int inset = label->margin() + std::max(label->indent(), 0);
        return {label->contentsRect().adjusted(inset, inset, -inset, -inset), label->text(),
                label->wordWrap() ? Qt::TextWordWrap : 0};
    }
    if (auto* edit = qobject_cast<QLineEdit*>(&w)) {
        QStyleOptionFrame option;
        option.initFrom(edit);
        option.lineWidth = edit->hasFrame() ? style->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
        // QLineEdit keeps 2 pixels beside its text and 1 above and below.
        const QMargins m = edit->textMargins();
        const QRect r = style->subElementRect(QStyle::SE_LineEditContents, &option, edit)
                            .adjusted(m.left() + 2, m.top() + 1, -m.right() - 2, -m.bottom() - 1);
        return {r, edit->text()};
    }
    auto* button = qobject_cast<QAbstractButton*>(&w);
    if (!button) return {};
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    option.icon = button->icon();
    option.iconSize = button->iconSize();
    QStyle::SubElement contents = QStyle::SE_PushButtonContents;
    if (qobject_cast<QCheckBox*>(button)) contents = QStyle::SE_CheckBoxContents;
    if (qobject_cast<QRadioButton*>(button)) contents = QStyle::SE_RadioButtonContents;
    return {style->subElementRect(contents, &option, button), button->text(),
            Qt::TextSingleLine | Qt::TextShowMnemonic};
}

}  // namespace

class ScaleTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        fixture_ = std::make_unique<GuiFixture>();
        QVERIFY(fixture_->started);
    }
    void cleanupTestCase() { fixture_.reset(); }

    void everyWindowRendersAtTheScaleWithItsTextsWhole_data() {
        QTest::addColumn<QString>("className");
        QTest::newRow("Menu") << QStringLiteral("Menu");
        for (const auto* list : {&ToolbarWindows(), &MenuWindows()})
            for (const WindowInfo& info : *list)
                if (info.create)
                    QTest::newRow(info.className.c_str()) << QString::fromStdString(info.className);
    }
    void everyWindowRendersAtTheScaleWithItsTextsWhole() {
        QFETCH(QString, className);
        const std::string name = className.toStdString();
        FormView* view = fixture_->View(name.c_str());
        if (!view) {
            Form* form = fixture_->App().Launcher().Windows().Open(*FindWindowInfo(name));
            QVERIFY(form);
            fixture_->App().Host().AfterEvent();
            view = fixture_->View(name.c_str());
        }
        QVERIFY(view && view->isVisible());
        QApplication::processEvents();

        const double factor = ScaleFactor();
        QCOMPARE(view->devicePixelRatioF(), factor);
        const QPixmap picture = view->grab();
        QVERIFY2(std::abs(picture.width() - view->width() * factor) <= 1 &&
                     std::abs(picture.height() - view->height() * factor) <= 1,
                 qPrintable(QStringLiteral("%1 x %2 rendered as %3 x %4")
                                .arg(view->width())
                                .arg(view->height())
                                .arg(picture.width())
                                .arg(picture.height())));

        int texts = 0;
        QStringList cut;
        for (const auto& control : view->Model()->Controls()) {
            QWidget* w = view->Widget(control->Name());
            if (!w || !w->isVisible()) continue;
            const TextRoom t = RoomOf(*w);
            if (t.text.isEmpty()) continue;
            ++texts;
            const QSize need = w->fontMetrics().boundingRect(t.room, t.flags, t.text).size();
            if (need.width() > t.room.width() || need.height() > t.room.height())
                cut << QStringLiteral("%1 \"%2\" needs %3 x %4 in %5 x %6")
                           .arg(QString::fromStdString(control->Name()), t.text)
                           .arg(need.width())
                           .arg(need.height())
                           .arg(t.room.width())
                           .arg(t.room.height());
        }
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
        QVERIFY(texts > 0);
    }

private:
    std::unique_ptr<GuiFixture> fixture_;
};

QTEST_MAIN(ScaleTest)
#include "scale_test.moc"
