// The toolbar icons as the Qt front paints them: every drawing at exactly the size asked for,
// transparent where nothing is drawn, with its fills, strokes and dashes where the drawing puts
// them, and a disabled look of its own.
#include <QApplication>
#include <QDirIterator>
#include <QImage>
#include <QTest>

#include "icons.h"

using namespace quillon::qt;

namespace {

QImage Paint(const QString& name, int size, QIcon::Mode mode = QIcon::Normal) {
    return ToolbarIcon(name).pixmap(QSize(size, size), mode).toImage();
}

}  // namespace

class IconsTest : public QObject {
    Q_OBJECT

private slots:
    void everyDrawingAtEverySize() {
        ToolbarIcon(QString());  // registers the resources
        QStringList names;
        QDirIterator it(QStringLiteral(":/icons"));
        while (it.hasNext()) names << it.next().section('/', -1).section('.', 0, 0);
        QVERIFY(names.size() >= 16);
        for (const QString& name : names) {
            for (const int size : {16, 24, 37, 64}) {
                const QImage image = Paint(name, size);
                QCOMPARE(image.size(), QSize(size, size));
                int inked = 0;
                for (int y = 0; y < size; ++y)
                    for (int x = 0; x < size; ++x) inked += qAlpha(image.pixel(x, y)) > 0;
                QVERIFY2(inked > size * size / 10, qPrintable(name));
                QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
                QCOMPARE(qAlpha(image.pixel(size - 1, size - 1)), 0);
            }
        }
    }

    // rpm: a ring of radius 11 (stroke 2.5) around a dot of radius 3, both #1f3a93, at 16,16.
    void fillsAndStrokesWhereTheDrawingPutsThem() {
        const QImage image = Paint(QStringLiteral("rpm"), 64);  // two pixels a unit
        QCOMPARE(image.pixel(32, 32), qRgb(0x1f, 0x3a, 0x93));  // the dot
        QCOMPARE(image.pixel(10, 32), qRgb(0x1f, 0x3a, 0x93));  // the ring at x = 5
        QCOMPARE(qAlpha(image.pixel(20, 32)), 0);               // between them
        QCOMPARE(qAlpha(image.pixel(4, 32)), 0);                // outside the ring
    }

    // neck1: a dashed line at y = 28, width 1.2, dashes "3 2" from x = 2 with round caps:
    // ink from 1.4 to 5.6, none from 5.6 to 6.4, as SVG draws it.
    void dashesInTheDrawingsUnits() {
        const QImage image = Paint(QStringLiteral("neck1"), 128);  // four pixels a unit
        QCOMPARE(qAlpha(image.pixel(14, 112)), 255);               // x = 3.5, in the first dash
        QCOMPARE(qAlpha(image.pixel(24, 112)), 0);                 // x = 6.1, in the first gap
        QCOMPARE(qAlpha(image.pixel(34, 112)), 255);               // x = 8.6, in the second dash
    }

    void disabledLooksDifferent() {
        const QImage normal = Paint(QStringLiteral("rpm"), 24);
        const QImage disabled = Paint(QStringLiteral("rpm"), 24, QIcon::Disabled);
        QCOMPARE(disabled.size(), normal.size());
        QVERIFY(disabled != normal);
    }

    void noIconWithoutDrawing() {
        QVERIFY(ToolbarIcon(QString()).isNull());
        QVERIFY(ToolbarIcon(QStringLiteral("no_such_drawing")).isNull());
    }
};

QTEST_MAIN(IconsTest)
#include "icons_test.moc"
