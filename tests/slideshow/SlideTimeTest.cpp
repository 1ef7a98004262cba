#include "slideshow/SlideTime.h"
#include "support/TestMain.h"

#include <QtTest>

#include <climits>

// The "Time" setting as typed by the user: what the chooser accepts and how
// long the player shows each picture.
class SlideTimeTest : public QObject
{
    Q_OBJECT

private slots:
    void reading_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("acceptable");
        QTest::addColumn<int>("intervalMs");

        QTest::newRow("standard") << "5" << 5 << true << 5000;
        QTest::newRow("twelve") << "12" << 12 << true << 12000;
        QTest::newRow("one") << "1" << 1 << true << 1000;
        QTest::newRow("over the old ceiling") << "100" << 100 << true << 100000;
        QTest::newRow("ninety") << "90" << 90 << true << 90000;
        QTest::newRow("with a word") << "7 seconds" << 7 << true << 7000;
        QTest::newRow("leading blanks") << "  9" << 9 << true << 9000;
        QTest::newRow("plus sign") << "+4" << 4 << true << 4000;
        QTest::newRow("fraction") << "12.9" << 12 << true << 12000;
        QTest::newRow("exponent is not read") << "1e3" << 1 << true << 1000;
        QTest::newRow("zero") << "0" << 0 << false << 5000;
        QTest::newRow("below one") << "0.5" << 0 << false << 5000;
        QTest::newRow("negative") << "-3" << -3 << false << 5000;
        QTest::newRow("empty") << "" << 0 << false << 5000;
        QTest::newRow("no number") << "abc" << 0 << false << 5000;
        QTest::newRow("number later") << "about 8" << 0 << false << 5000;
        QTest::newRow("sign alone") << "-" << 0 << false << 5000;
        QTest::newRow("other digits") << QStringLiteral("\u0663") << 0 << false << 5000;
        QTest::newRow("huge") << "99999999999999999999" << INT_MAX << true << SlideTime::kMaxSeconds * 1000;
        QTest::newRow("hugely negative") << "-99999999999999999999" << INT_MIN << false << 5000;
    }

    void reading()
    {
        QFETCH(QString, text);
        QFETCH(int, number);
        QFETCH(bool, acceptable);
        QFETCH(int, intervalMs);
        QCOMPARE(SlideTime::leadingNumber(text), number);
        QCOMPARE(SlideTime::isAcceptableReply(text), acceptable);
        QCOMPARE(SlideTime::intervalMs(text), intervalMs);
    }
};

KOLUMBRA_TEST(SlideTimeTest)
#include "SlideTimeTest.moc"
