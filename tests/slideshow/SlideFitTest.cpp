#include "slideshow/SlideFit.h"
#include "support/TestMain.h"

#include <QtTest>

// Where each picture goes on the screen: filling it in one direction,
// centred in the other, never running off it.
class SlideFitTest : public QObject
{
    Q_OBJECT

private slots:
    void slideRect_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("natural");
        QTest::addColumn<QRect>("expected");

        const QSize landscape(1024, 768);
        QTest::newRow("square fills the height, centred across") << landscape << QSize(500, 500)
                                                                 << QRect(128, 0, 768, 768);
        QTest::newRow("panorama fills the width, centred down") << landscape << QSize(4000, 1000)
                                                                << QRect(0, 256, 1024, 256);
        QTest::newRow("portrait fills the height") << landscape << QSize(600, 800) << QRect(224, 0, 576, 768);
        QTest::newRow("screen-shaped fills it all") << landscape << QSize(800, 600) << QRect(0, 0, 1024, 768);
        QTest::newRow("wide but not wide enough fits the height")
            << QSize(1920, 1080) << QSize(1000, 900) << QRect(360, 0, 1200, 1080);
        QTest::newRow("small picture is enlarged") << QSize(1920, 1080) << QSize(64, 48) << QRect(240, 0, 1440, 1080);
        QTest::newRow("large photo is reduced") << QSize(1920, 1080) << QSize(6000, 4000)
                                                << QRect(150, 0, 1620, 1080);
        QTest::newRow("square on an upright screen fills the width")
            << QSize(768, 1024) << QSize(500, 500) << QRect(0, 128, 768, 768);
        QTest::newRow("portrait on an upright screen") << QSize(768, 1024) << QSize(3000, 4000)
                                                       << QRect(0, 0, 768, 1024);
        QTest::newRow("one-pixel line stays visible") << landscape << QSize(5000, 1) << QRect(0, 383, 1024, 1);
        QTest::newRow("no picture fills the screen") << landscape << QSize() << QRect(0, 0, 1024, 768);
    }

    void slideRect()
    {
        QFETCH(QSize, screen);
        QFETCH(QSize, natural);
        QFETCH(QRect, expected);
        const QRect r = SlideFit::slideRect(natural, screen);
        QCOMPARE(r, expected);
        QVERIFY(QRect(QPoint(0, 0), screen).contains(r));
    }
};

KOLUMBRA_TEST(SlideFitTest)
#include "SlideFitTest.moc"
