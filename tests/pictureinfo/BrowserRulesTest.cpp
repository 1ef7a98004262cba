#include "pictureinfo/AddNewChecks.h"
#include "pictureinfo/RecordPicture.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"

#include <QtTest>

Q_DECLARE_METATYPE(AddNewChecks::Answer::Kind)

// The browser's rules that need no window: which answers give a position, and
// which picture is drawn where beside a row. The window's own tests walk the
// common cases; these are the edges.
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

    // The picture of a position is the one the album page shows for it.
    void thePositionsPictureIsTheOneTheAlbumShows_data()
    {
        QTest::addColumn<QStringList>("files");  // extension, "!" before it for a damaged file
        QTest::addColumn<QString>("shown");
        QTest::newRow("BMP only") << QStringList{".BMP"} << ".BMP";
        QTest::newRow("a replacement bitmap beside the jpg") << QStringList{".jpg", ".bmp"} << ".bmp";
        QTest::newRow("bmp before BMP") << QStringList{".BMP", ".bmp"} << ".bmp";
        QTest::newRow("JPG before jpg") << QStringList{".jpg", ".JPG"} << ".JPG";
        QTest::newRow("damaged bitmap, whole jpg") << QStringList{".jpg", "!.bmp"} << ".jpg";
        QTest::newRow("only a damaged file") << QStringList{"!.jpg"} << "";
        QTest::newRow("none") << QStringList{} << "";
    }

    void thePositionsPictureIsTheOneTheAlbumShows()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, shown);
        TestEnvironment env;
        const QString album = QStringLiteral("Summer");
        env.makeAlbum(album);
        for (QString extension : files) {
            if (extension.startsWith(QLatin1Char('!'))) {
                QFile file(env.store.picturePath(album, 3, 2, extension.mid(1)));
                QVERIFY(file.open(QIODevice::WriteOnly));
                file.write("\xff\xd8\xff not a picture");
                continue;
            }
            env.putPicture(album, 3, 2, extension, QSize(40, 30));
        }
        // Page text 3 and picture number 2: the files P3I1 with an extension.
        const QStringList candidates =
            RecordPicture::candidates(env.store, album, QStringLiteral("3"), QStringLiteral("2"));
        QCOMPARE(candidates.size(), 4);
        for (const QString &path : candidates)
            QCOMPARE(QFileInfo(path).completeBaseName(), QStringLiteral("P3I1"));
        const DecodedPicture picture = RecordPicture::load(candidates, QSize(183, 183));
        QCOMPARE(picture.isNull(), shown.isEmpty());
        if (!shown.isEmpty()) {
            QCOMPARE(picture.path, env.store.picturePath(album, 3, 2, shown));
            QCOMPARE(picture.naturalSize, QSize(40, 30));
        }
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
        QCOMPARE(RecordPicture::candidates(env.store, QStringLiteral("Summer"), QStringLiteral("1"), QStringLiteral("1"))
                     .size(), 4);
    }
};

KOLUMBRA_TEST(BrowserRulesTest)
#include "BrowserRulesTest.moc"
