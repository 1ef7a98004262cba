#include "slideshow/SlideFit.h"
#include "slideshow/SlideTime.h"
#include "support/TestMain.h"

#include <QtTest>

#include <climits>

// The arithmetic behind the show: how the typed "Time" is read, and where
// each picture goes on the screen.
class SlideRulesTest : public QObject
{
    Q_OBJECT

private slots:
    void timeReading_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("acceptable");
        QTest::addColumn<int>("intervalMs");

        QTest::newRow("standard") << "5" << 5 << true << 5000;
        QTest::newRow("over the old ceiling") << "100" << 100 << true << 100000;
        QTest::newRow("with a word") << "7 seconds" << 7 << true << 7000;
        QTest::newRow("blanks and a sign") << "  +9" << 9 << true << 9000;
        QTest::newRow("exponent is not read") << "1e3" << 1 << true << 1000;
        QTest::newRow("zero") << "0" << 0 << false << 5000;
        QTest::newRow("negative") << "-3" << -3 << false << 5000;
        QTest::newRow("empty") << "" << 0 << false << 5000;
        QTest::newRow("no number") << "abc" << 0 << false << 5000;
        QTest::newRow("number later") << "about 8" << 0 << false << 5000;
        QTest::newRow("other digits") << QStringLiteral("\u0663") << 0 << false << 5000;
        QTest::newRow("huge") << "99999999999999999999" << INT_MAX << true << SlideTime::kMaxSeconds * 1000;
        QTest::newRow("hugely negative") << "-99999999999999999999" << INT_MIN << false << 5000;
    }

    void timeReading()
    {
        QFETCH(QString, text);
        QFETCH(int, number);
        QFETCH(bool, acceptable);
        QFETCH(int, intervalMs);
        QCOMPARE(SlideTime::leadingNumber(text), number);
        QCOMPARE(SlideTime::isAcceptableReply(text), acceptable);
        QCOMPARE(SlideTime::intervalMs(text), intervalMs);
    }

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
        QTest::newRow("wide but not wide enough fits the height")
            << QSize(1920, 1080) << QSize(1000, 900) << QRect(360, 0, 1200, 1080);
        QTest::newRow("square on an upright screen fills the width")
            << QSize(768, 1024) << QSize(500, 500) << QRect(0, 128, 768, 768);
        QTest::newRow("one-pixel line stays visible") << landscape << QSize(5000, 1) << QRect(0, 383, 1024, 1);
        QTest::newRow("no picture fills the screen") << landscape << QSize() << QRect(0, 0, 1024, 768);
    }

    void slideRect()
    {
        QFETCH(QSize, screen);
        QFETCH(QSize, natural);
        QFETCH(QRect, expected);
        QCOMPARE(SlideFit::slideRect(natural, screen), expected);
    }
};

KOLUMBRA_TEST(SlideRulesTest)
#include "SlideRulesTest.moc"
