#include "albumpage/ThumbLayout.h"
#include "support/TestMain.h"

#include <QtTest>

using namespace ThumbLayout;

class ThumbLayoutTest : public QObject
{
    Q_OBJECT

private slots:
    void boxesAtDesignScale_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QSize>("natural");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<double>("centreX");
        QTest::addColumn<double>("centreY");
        QTest::newRow("square in 5") << 5 << QSize(500, 500) << 242.089 << 359.155 << 500.7915 << 705.3995;
        QTest::newRow("upright in 1") << 1 << QSize(300, 400) << 181.56675 << 359.155 << 196.9935 << 254.7545;
        QTest::newRow("wide in 4") << 4 << QSize(400, 300) << 242.089 << 269.36625 << 196.9935 << 705.3995;
        QTest::newRow("panorama in 6") << 6 << QSize(4000, 1000) << 242.089 << 89.78875 << 804.5885 << 705.3995;
        // 6.12 pixels high: still in proportion.
        QTest::newRow("25 : 1 in 2") << 2 << QSize(2500, 100) << 242.089 << 14.3662 << 500.7915 << 254.7545;
        // Thinner ones are 6 pixels across: 6 / 0.426 and 6 / 0.632 units.
        QTest::newRow("a line in 2") << 2 << QSize(1000, 1) << 242.089 << 14.0845 << 500.7915 << 254.7545;
        QTest::newRow("a column in 3") << 3 << QSize(1, 1000) << 9.4937 << 359.155 << 804.5885 << 254.7545;
    }

    void boxesAtDesignScale()
    {
        QFETCH(int, position);
        QFETCH(QSize, natural);
        QFETCH(double, width);
        QFETCH(double, height);
        QFETCH(double, centreX);
        QFETCH(double, centreY);
        const UnitRect r = thumbRect(position, natural, 1.0, 1.0);
        QVERIFY(qAbs(r.width - width) < 1e-3);
        QVERIFY(qAbs(r.height - height) < 1e-3);
        QVERIFY(qAbs(r.left + r.width / 2 - centreX) < 1e-3);
        QVERIFY(qAbs(r.top + r.height / 2 - centreY) < 1e-3);
    }

    void scaledPageKeepsProportionsAndStaysInside()
    {
        // Grown evenly, maximised on a wide screen, tall.
        for (const QSizeF &scale : {QSizeF(2.0, 2.0), QSizeF(3.0, 2.2), QSizeF(1.2, 1.9)}) {
            const QRectF page(0, 0, 1000 * scale.width() * kPixelsPerUnitX, 1000 * scale.height() * kPixelsPerUnitY);
            for (const QSize &natural : {QSize(300, 400), QSize(400, 300), QSize(50, 50)}) {
                for (int n = 1; n <= 6; ++n) {
                    const QRectF px = toPixels(thumbRect(n, natural, scale.width(), scale.height()));
                    QVERIFY2(page.contains(px), "a thumbnail left the page");
                    const double drawn = px.width() / px.height();
                    const double own = double(natural.width()) / natural.height();
                    QVERIFY2(qAbs(drawn - own) < 0.01, "a thumbnail lost its proportions");
                }
            }
        }
    }

    // A thin picture is decoded and drawn a few pixels across, at any page
    // scale, instead of 153 x 0.
    void thinPicturesStayVisible()
    {
        QCOMPARE(thumbPixelSize(QSize(1000, 1), 1.0, 1.0), QSize(153, 6));
        QCOMPARE(thumbPixelSize(QSize(1, 1000), 1.0, 1.0), QSize(6, 153));
        QCOMPARE(thumbPixelSize(QSize(1000, 1), 2.0, 2.5), QSize(306, 12));
        QCOMPARE(toPixels(thumbRect(4, QSize(1000, 1), 1.0, 1.0)).toRect(), QRect(48, 298, 153, 6));
    }

    void windowKeepsItsShapeAndMinimum_data()
    {
        QTest::addColumn<QSizeF>("outer");
        QTest::addColumn<double>("widthChange");
        QTest::addColumn<double>("heightChange");
        QTest::addColumn<QSizeF>("expected");
        // Dragging the bottom edge to 3000 twips: back to 3510, width follows.
        QTest::newRow("too low") << QSizeF(640, 200) << 0.0 << 300.0 << QSizeF(234 * 1.3559322034, 234);
        QTest::newRow("wider") << QSizeF(900, 472) << 400.0 << 0.0 << QSizeF(900, 900 * 0.7375);
        QTest::newRow("too narrow") << QSizeF(200, 472) << 600.0 << 10.0 << QSizeF(4759.0 / 15, 4759.0 / 15 * 0.7375);
        QTest::newRow("tie follows height") << QSizeF(700, 500) << 50.0 << 50.0 << QSizeF(500 * 1.3559322034, 500);
    }

    void windowKeepsItsShapeAndMinimum()
    {
        QFETCH(QSizeF, outer);
        QFETCH(double, widthChange);
        QFETCH(double, heightChange);
        QFETCH(QSizeF, expected);
        const QSizeF got = correctedOuterSize(outer, widthChange, heightChange);
        QVERIFY2(qAbs(got.width() - expected.width()) < 0.01 && qAbs(got.height() - expected.height()) < 0.01,
                 qPrintable(QStringLiteral("%1 x %2").arg(got.width()).arg(got.height())));
    }
};

KOLUMBRA_TEST(ThumbLayoutTest)
#include "ThumbLayoutTest.moc"
