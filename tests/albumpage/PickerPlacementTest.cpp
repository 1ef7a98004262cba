#include "albumpage/PickerPlacement.h"
#include "support/TestMain.h"

#include <QtTest>

// The picker (640 x 410 here) goes beside the album page where the screen
// has room, and otherwise covers as little of the page as it can.
class PickerPlacementTest : public QObject
{
    Q_OBJECT

private slots:
    void besideThePage_data()
    {
        QTest::addColumn<QRect>("page");
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("room on the right") << QRect(644, 316, 632, 447) << QRect(0, 0, 1920, 1080) << QPoint(1276, 316);
        QTest::newRow("page at the right edge: left")
            << QRect(1288, 100, 632, 447) << QRect(0, 0, 1920, 1080) << QPoint(648, 100);
        QTest::newRow("tall screen: below") << QRect(0, 0, 800, 447) << QRect(0, 0, 800, 1280) << QPoint(0, 447);
        QTest::newRow("page low on a tall screen: above")
            << QRect(0, 800, 800, 447) << QRect(0, 0, 800, 1280) << QPoint(0, 390);
        QTest::newRow("panel at the top: within the free part")
            << QRect(0, 40, 632, 447) << QRect(0, 32, 1280, 992) << QPoint(632, 40);
        QTest::newRow("no room: the corner hiding least")
            << QRect(196, 160, 632, 447) << QRect(0, 0, 1024, 768) << QPoint(0, 358);
    }

    void besideThePage()
    {
        QFETCH(QRect, page);
        QFETCH(QRect, screen);
        QFETCH(QPoint, expected);
        const QPoint at = PickerPlacement::beside(page, QSize(640, 410), screen);
        QCOMPARE(at, expected);
        QVERIFY(screen.contains(QRect(at, QSize(640, 410))));
    }
};

KOLUMBRA_TEST(PickerPlacementTest)
#include "PickerPlacementTest.moc"
