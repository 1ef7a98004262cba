#include "albumstore/AlbumStore.h"
#include "albumstore/PictureLoader.h"
#include "albumstore/ProgramFolder.h"
#include "albumstore/RecentThumbnails.h"
#include "support/ReadOnlyPath.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kAlbum = QStringLiteral("A");

double meanDifference(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32).scaled(32, 32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32).scaled(32, 32);
    double sum = 0;
    for (int j = 0; j < 32; ++j)
        for (int i = 0; i < 32; ++i)
            sum += std::abs(qGray(x.pixel(i, j)) - qGray(y.pixel(i, j)));
    return sum / (32 * 32);
}

DecodedPicture shownAt(const TestEnvironment &env, const QString &album, int page, int picture)
{
    return PictureLoader::decodeLastThatLoads(env.store.candidatePaths(album, page, picture));
}

}  // namespace

class TestAlbumStore : public QObject
{
    Q_OBJECT

private slots:
    void pictureNamesFollowPageAndIndex()
    {
        QCOMPARE(AlbumStore::pictureFileName(2, 6, QStringLiteral(".bmp")), QStringLiteral("P2I5.bmp"));
        const QStringList expected{"/pf/A/P10I0.jpg", "/pf/A/P10I0.JPG", "/pf/A/P10I0.BMP", "/pf/A/P10I0.bmp"};
        QCOMPARE(AlbumStore(QStringLiteral("/pf")).candidatePaths(kAlbum, 10, 1), expected);
    }

    // The later of the four names wins when it loads; pictures are read by
    // content, so a JPEG under a bitmap name (as pictures added from disk
    // are stored) loads as well.
    void laterNameThatLoadsWins()
    {
        TestEnvironment env;
        const QString jpg = env.putPicture(kAlbum, QStringLiteral("P2I3.jpg"), QSize(40, 30));
        const QString bmp = env.putPicture(kAlbum, QStringLiteral("P2I3.bmp"), QSize(30, 40), Qt::red, "JPEG");
        QCOMPARE(shownAt(env, kAlbum, 2, 4).path, bmp);

        // A later name that does not decode leaves the earlier picture shown.
        QFile broken(bmp);
        QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
        broken.write("not a picture");
        broken.close();
        QCOMPARE(shownAt(env, kAlbum, 2, 4).path, jpg);
    }

    // Albums are listed ignoring letter case (sorted by case, "Banana" would
    // come first); one holding only a text file is ten pages of empty
    // positions.
    void albumFolders()
    {
        TestEnvironment env;
        for (const char *name : {"cherry", "Banana", ".hidden", "apple"})
            env.makeAlbum(QLatin1String(name));
        QCOMPARE(env.store.albumNames(), QStringList({"apple", "Banana", "cherry"}));

        QFile text(env.albumFile(QStringLiteral("Banana"), QStringLiteral("P1I0.txt")));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("hello");
        text.close();
        for (int page = 1; page <= AlbumStore::kPages; ++page)
            for (int n = 1; n <= AlbumStore::kPicturesPerPage; ++n)
                QVERIFY(shownAt(env, QStringLiteral("Banana"), page, n).isNull());
    }

    // Neither the demo album nor the delivered files ever replace a file of
    // the user's.
    void deliveredFilesKeepTheUsersOwn()
    {
        TestEnvironment env;
        env.store.installDemoAlbum();
        const QStringList demo{"P1I0.jpg", "P1I1.jpg", "P1I2.jpg", "P1I3.jpg", "P1I4.jpg", "P1I5.jpg"};
        QCOMPARE(QDir(env.programFolder() + QStringLiteral("/Demo Album")).entryList(QDir::Files, QDir::Name), demo);
        const QString own = env.putPicture(QStringLiteral("Demo Album"), QStringLiteral("P1I0.jpg"), QSize(7, 5));
        env.store.installDemoAlbum();
        QCOMPARE(PictureLoader::naturalSize(own), QSize(7, 5));

        QTemporaryDir dir;
        const QString folder = QDir(dir.path()).filePath(QStringLiteral("new/home"));
        QVERIFY(ProgramFolder::prepare(folder, QStringLiteral(KOLUMBRA_DATA)));
        const QStringList delivered{"EMPTY.BMP", "KoLumbraHelp.html", "P1I0.jpg", "P1I1.jpg",
                                    "P1I2.jpg",  "P1I3.jpg",          "P1I4.jpg", "P1I5.jpg"};
        QCOMPARE(QDir(folder).entryList(QDir::Files, QDir::Name), delivered);
        QFile help(QDir(folder).filePath(QStringLiteral("KoLumbraHelp.html")));
        QVERIFY(help.open(QIODevice::WriteOnly | QIODevice::Truncate));
        help.write("mine");
        help.close();
        QVERIFY(ProgramFolder::prepare(folder, QStringLiteral(KOLUMBRA_DATA)));
        QVERIFY(help.open(QIODevice::ReadOnly));
        QCOMPARE(help.readAll(), QByteArray("mine"));
    }

    void programFolderChoice()
    {
        QTemporaryDir exe;
        QTemporaryDir user;
        QCOMPARE(ProgramFolder::choose(QStringLiteral("/x"), exe.path(), user.path()), QStringLiteral("/x"));
        QCOMPARE(ProgramFolder::choose(QString(), exe.path(), user.path()), user.path());
        QFile::copy(TestEnvironment::deliveredData(QStringLiteral("EMPTY.BMP")),
                    QDir(exe.path()).filePath(QStringLiteral("EMPTY.BMP")));
        QCOMPARE(ProgramFolder::choose(QString(), exe.path(), user.path()), exe.path());

        // Not a folder it cannot write to, placeholder or not.
        const ReadOnlyPath locked(exe.path());
        if (!locked.isActive())
            QSKIP("cannot make a folder read-only here");
        QCOMPARE(ProgramFolder::choose(QString(), exe.path(), user.path()), user.path());
    }

    void orientationIsApplied()
    {
        const QString hopper = TestEnvironment::testData(QStringLiteral("pillow-hopper-samples/hopper%1.jpg"));
        const QImage upright = PictureLoader::decode(hopper.arg(QString())).image;
        for (int o = 2; o <= 8; ++o) {
            const QString turned = hopper.arg(QStringLiteral("_orientation_%1").arg(o));
            const DecodedPicture fixed = PictureLoader::decode(turned);
            QVERIFY2(meanDifference(fixed.image, upright) < 8.0, qPrintable(turned));
            QVERIFY(meanDifference(QImage(turned), upright) > meanDifference(fixed.image, upright));
        }
    }

    // Decoded at the asked size, with the natural size taken
    // upright (a wide picture stored "turned 90 degrees" is upright).
    void decodeAtTheAskedSize_data()
    {
        QTest::addColumn<QSize>("stored");
        QTest::addColumn<bool>("turned");
        QTest::addColumn<QSize>("asked");
        QTest::addColumn<QSize>("natural");
        QTest::addColumn<QSize>("decoded");
        QTest::newRow("big") << QSize(3000, 2000) << false << QSize(153, 153) << QSize(3000, 2000) << QSize(153, 102);
        QTest::newRow("sideways") << QSize(400, 200) << true << QSize(50, 100) << QSize(200, 400) << QSize(50, 100);
        // A small picture comes at its own size, whatever the rounding of the bound.
        QTest::newRow("small") << QSize(72, 23) << false << QSize(153, 153) << QSize(72, 23) << QSize(72, 23);
        // Thin pictures come out a few pixels across, so that they are seen.
        QTest::newRow("a line") << QSize(1000, 1) << false << QSize(183, 183) << QSize(1000, 1) << QSize(183, 6);
        QTest::newRow("a column, turned")
            << QSize(1000, 1) << true << QSize(183, 183) << QSize(1, 1000) << QSize(6, 183);
        QTest::newRow("a short line") << QSize(100, 1) << false << QSize(183, 183) << QSize(100, 1) << QSize(183, 6);
        QTest::newRow("a thick line") << QSize(3000, 10) << false << QSize(300, 300) << QSize(3000, 10)
                                      << QSize(300, 6);
        QTest::newRow("thinner room") << QSize(1000, 1) << false << QSize(100, 3) << QSize(1000, 1) << QSize(100, 3);
    }

    void decodeAtTheAskedSize()
    {
        QFETCH(QSize, stored);
        QFETCH(bool, turned);
        QFETCH(QSize, asked);
        QFETCH(QSize, natural);
        QFETCH(QSize, decoded);
        QTemporaryDir dir;
        QImage picture(stored, QImage::Format_RGB32);
        picture.fill(Qt::green);
        const QString path = dir.filePath(QStringLiteral("picture.jpg"));
        QImageWriter writer(path, "jpeg");
        if (turned)
            writer.setTransformation(QImageIOHandler::TransformationRotate90);
        QVERIFY(writer.write(picture));
        QCOMPARE(PictureLoader::naturalSize(path), natural);
        const DecodedPicture fitted = PictureLoader::decodeFitted(path, asked);
        QCOMPARE(fitted.naturalSize, natural);
        QCOMPARE(fitted.image.size(), decoded);
    }

    // Nothing in the corpus crashes or comes out larger than asked; headers
    // claiming 60000 x 60000 pixels are refused; the good bitmaps all load.
    void brokenFilesNeverCrash()
    {
        int tried = 0;
        int huge = 0;
        for (const QString &root : {TestEnvironment::testData(QString()), QStringLiteral(KOLUMBRA_CRASHERS)}) {
            QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString path = it.next();
                const DecodedPicture full = PictureLoader::decode(path);
                const DecodedPicture thumb = PictureLoader::decodeFitted(path, QSize(153, 153));
                QVERIFY(full.isNull() || full.naturalSize.isValid());
                QVERIFY(thumb.image.width() <= 153 && thumb.image.height() <= 153);
                if (path.contains(QLatin1String("huge-header-60000"))) {
                    QVERIFY2(full.isNull() && thumb.isNull(), qPrintable(path));
                    ++huge;
                }
                const bool good = path.contains(QLatin1String("bmpsuite-2.8/g/")) && path.endsWith(".bmp");
                QVERIFY2(!good || !full.isNull(), qPrintable(path));
                ++tried;
            }
        }
        QCOMPARE(huge, 3);
        QVERIFY(tried > 100);
    }

    // A thumbnail kept from before is never shown for a file that changed.
    void cacheKeyChangesWhenAFileChanges()
    {
        TestEnvironment env;
        env.putPicture(kAlbum, QStringLiteral("P1I0.jpg"), QSize(10, 10));
        const QStringList candidates = env.store.candidatePaths(kAlbum, 1, 1);
        const QString before = RecentThumbnails::keyFor(candidates, QStringLiteral("1x1"));
        env.putPicture(kAlbum, QStringLiteral("P1I0.bmp"), QSize(10, 10));
        QVERIFY(RecentThumbnails::keyFor(candidates, QStringLiteral("1x1")) != before);
    }
};

KOLUMBRA_TEST(TestAlbumStore)
#include "AlbumStoreTest.moc"
