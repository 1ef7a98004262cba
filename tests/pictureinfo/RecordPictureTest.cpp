#include "pictureinfo/RecordPicture.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"

#include <QtTest>

// The picture beside a description: which file of the position it is, and
// where in the window's square it is drawn.
class RecordPictureTest : public QObject
{
    Q_OBJECT

private slots:
    void fittedIntoTheSquare_data()
    {
        QTest::addColumn<QSize>("natural");
        QTest::addColumn<QRectF>("twips");
        QTest::addColumn<QRect>("pixels");
        QTest::newRow("200 wide, 100 high") << QSize(200, 100) << QRectF(630, 3210 + 686.25, 2745, 1372.5)
                                            << QRect(42, 260, 183, 91);
        QTest::newRow("100 wide, 200 high") << QSize(100, 200) << QRectF(630 + 686.25, 3210, 1372.5, 2745)
                                            << QRect(88, 214, 91, 183);
        QTest::newRow("square") << QSize(640, 640) << QRectF(630, 3210, 2745, 2745) << QRect(42, 214, 183, 183);
        QTest::newRow("a sliver stays visible") << QSize(1, 5000) << QRectF(630 + 1372.2255, 3210, 0.549, 2745)
                                                << QRect(133, 214, 1, 183);
        QTest::newRow("no size") << QSize() << QRectF(630, 3210, 2745, 2745) << QRect(42, 214, 183, 183);
    }

    void fittedIntoTheSquare()
    {
        QFETCH(QSize, natural);
        QFETCH(QRectF, twips);
        QFETCH(QRect, pixels);
        const QRectF fitted = RecordPicture::fitted(natural);
        QVERIFY2(qAbs(fitted.left() - twips.left()) < 1e-9 && qAbs(fitted.top() - twips.top()) < 1e-9
                     && qAbs(fitted.width() - twips.width()) < 1e-9 && qAbs(fitted.height() - twips.height()) < 1e-9,
                 qPrintable(QStringLiteral("%1,%2 %3x%4")
                                .arg(fitted.left())
                                .arg(fitted.top())
                                .arg(fitted.width())
                                .arg(fitted.height())));
        QCOMPARE(RecordPicture::toPixels(fitted), pixels);
    }

    // The picture of a position is the one the album page shows for it.
    void thePositionsPictureIsTheOneTheAlbumShows_data()
    {
        QTest::addColumn<QStringList>("files");  // extension, "!" before it for a damaged file
        QTest::addColumn<QString>("shown");
        QTest::newRow("jpg only") << QStringList{".jpg"} << ".jpg";
        QTest::newRow("JPG only") << QStringList{".JPG"} << ".JPG";
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
            QVERIFY(QFileInfo(path).completeBaseName() == QLatin1String("P3I1"));
        const DecodedPicture picture = RecordPicture::load(candidates, QSize(183, 183));
        if (shown.isEmpty()) {
            QVERIFY(picture.isNull());
            return;
        }
        QVERIFY(!picture.isNull());
        QCOMPARE(picture.path, env.store.picturePath(album, 3, 2, shown));
        QCOMPARE(picture.naturalSize, QSize(40, 30));
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
        QTest::newRow("no album") << "" << "1" << "1";
        QTest::newRow("page as words") << "Summer" << "one" << "1";
        QTest::newRow("page with a path") << "Summer" << "1/../1" << "1";
        QTest::newRow("picture 0") << "Summer" << "1" << "0";
        QTest::newRow("no picture number") << "Summer" << "1" << "";
    }

    void fieldsThatNameNoPositionHaveNoPicture()
    {
        QFETCH(QString, album);
        QFETCH(QString, page);
        QFETCH(QString, picture);
        TestEnvironment env;
        QVERIFY(RecordPicture::candidates(env.store, album, page, picture).isEmpty());
        QVERIFY(!RecordPicture::candidates(env.store, QStringLiteral("Summer"), QStringLiteral("1"),
                                           QStringLiteral("1"))
                     .isEmpty());
    }
};

KOLUMBRA_TEST(RecordPictureTest)
#include "RecordPictureTest.moc"
