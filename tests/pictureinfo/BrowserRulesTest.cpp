#include "pictureinfo/AddNewChecks.h"
#include "pictureinfo/RecordPicture.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"

#include <QtTest>

Q_DECLARE_METATYPE(AddNewChecks::Answer::Kind)

// The browser's rules that need no window: which answers give a position, and
// which picture is drawn where beside a row. The window's own tests walk the
// common cases; these are the edges. Which of a position's files is shown is
// the album page's rule, tested with the album store.
class BrowserRulesTest : public QObject
{
    Q_OBJECT

private slots:
    void positionAnswers_data()
    {
        using Kind = AddNewChecks::Answer::Kind;
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("highest");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<int>("number");
        QTest::newRow("10") << "10" << 10 << Kind::Accepted << 10;
        QTest::newRow("many zeros") << "0000000000000000000006" << 6 << Kind::Accepted << 6;
        QTest::newRow("7 of 6") << "7" << 6 << Kind::OutOfRange << 0;
        QTest::newRow("plus") << "+5" << 10 << Kind::OutOfRange << 0;
        QTest::newRow("blank before") << " 5" << 10 << Kind::OutOfRange << 0;
        QTest::newRow("too many digits") << "99999999999999999999" << 10 << Kind::OutOfRange << 0;
        QTest::newRow("other digits") << QString::fromUtf8("٥") << 10 << Kind::OutOfRange << 0;
    }

    void positionAnswers()
    {
        QFETCH(QString, typed);
        QFETCH(int, highest);
        QFETCH(AddNewChecks::Answer::Kind, kind);
        QFETCH(int, number);
        const AddNewChecks::Answer answer = AddNewChecks::check(typed, highest);
        QCOMPARE(answer.kind, kind);
        QCOMPARE(answer.number, number);
    }

    // In pixels of the window's square, beside the two the window shows.
    void fittedIntoTheSquare_data()
    {
        QTest::addColumn<QSize>("natural");
        QTest::addColumn<QRect>("pixels");
        QTest::newRow("square") << QSize(640, 640) << QRect(42, 214, 183, 183);
        QTest::newRow("a sliver stays visible") << QSize(1, 5000) << QRect(133, 214, 1, 183);
        QTest::newRow("no size") << QSize() << QRect(42, 214, 183, 183);
    }

    void fittedIntoTheSquare()
    {
        QFETCH(QSize, natural);
        QFETCH(QRect, pixels);
        QCOMPARE(RecordPicture::toPixels(RecordPicture::fitted(natural)), pixels);
    }

    // The fields come from the table, which any program may have written.
    void fieldsThatNameNoPositionHaveNoPicture_data()
    {
        QTest::addColumn<QString>("album");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("picture");
        QTest::newRow("parent folder") << ".." << "1" << "1";
        QTest::newRow("a path") << "../Summer" << "1" << "1";
        QTest::newRow("backslash") << "x\\..\\Summer" << "1" << "1";
        QTest::newRow("page with a path") << "Summer" << "1/../1" << "1";
        QTest::newRow("picture 0") << "Summer" << "1" << "0";
    }

    void fieldsThatNameNoPositionHaveNoPicture()
    {
        QFETCH(QString, album);
        QFETCH(QString, page);
        QFETCH(QString, picture);
        TestEnvironment env;
        QVERIFY(RecordPicture::candidates(env.store, album, page, picture).isEmpty());
        // A position is looked up under the album page's names, in its order.
        QCOMPARE(RecordPicture::candidates(env.store, QStringLiteral("Summer"), QStringLiteral("3"), QStringLiteral("2")),
                 env.store.candidatePaths(QStringLiteral("Summer"), 3, 2));
    }
};

KOLUMBRA_TEST(BrowserRulesTest)
#include "BrowserRulesTest.moc"
