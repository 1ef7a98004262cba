#include "albumstore/AlbumStore.h"
#include "albumstore/PictureLoader.h"
#include "albumstore/Placeholder.h"
#include "albumstore/ProgramFolder.h"
#include "albumstore/ThumbnailCache.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtTest>

namespace {

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

} // namespace

class TestAlbumStore : public QObject
{
    Q_OBJECT

private slots:
    void pictureNamesFollowPageAndIndex()
    {
        AlbumStore store(QStringLiteral("/pf"));
        QCOMPARE(AlbumStore::pictureFileName(10, 1, QStringLiteral(".jpg")), QStringLiteral("P10I0.jpg"));
        QCOMPARE(AlbumStore::pictureFileName(2, 6, QStringLiteral(".bmp")), QStringLiteral("P2I5.bmp"));
        QCOMPARE(store.candidatePaths(QStringLiteral("A"), 10, 1),
                 QStringList({QStringLiteral("/pf/A/P10I0.jpg"), QStringLiteral("/pf/A/P10I0.JPG"),
                              QStringLiteral("/pf/A/P10I0.BMP"), QStringLiteral("/pf/A/P10I0.bmp")}));
        QCOMPARE(AlbumStore(QStringLiteral("/")).picturePath(QStringLiteral("A"), 1, 1, QStringLiteral(".jpg")),
                 QStringLiteral("/A/P1I0.jpg"));
    }

    void laterNameThatLoadsWins()
    {
        TestEnvironment env;
        const QString jpg = env.putPicture(QStringLiteral("A"), 2, 4, QStringLiteral(".jpg"), QSize(40, 30));
        const QString bmp = env.putPicture(QStringLiteral("A"), 2, 4, QStringLiteral(".bmp"), QSize(30, 40));
        const QStringList candidates = env.store.candidatePaths(QStringLiteral("A"), 2, 4);
        QCOMPARE(PictureLoader::decodeLastThatLoads(candidates).path, bmp);

        // A later name that does not decode leaves the earlier picture shown.
        QFile broken(bmp);
        QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
        broken.write("not a picture");
        broken.close();
        const DecodedPicture shown = PictureLoader::decodeLastThatLoads(candidates);
        QCOMPARE(shown.path, jpg);
        QCOMPARE(shown.naturalSize, QSize(40, 30));

        // Only the upper-case extension: found under its own name.
        const QString upper = env.putPicture(QStringLiteral("A"), 3, 1, QStringLiteral(".JPG"), QSize(20, 20));
        QCOMPARE(PictureLoader::decodeLastThatLoads(env.store.candidatePaths(QStringLiteral("A"), 3, 1)).path, upper);
    }

    void albumWithOnlyATextFileIsTenEmptyPages()
    {
        TestEnvironment env;
        QFile text(QDir(env.makeAlbum(QStringLiteral("Notes"))).filePath(QStringLiteral("P1I0.txt")));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("hello");
        text.close();
        for (int page = 1; page <= AlbumStore::kPages; ++page)
            for (int n = 1; n <= AlbumStore::kPicturesPerPage; ++n)
                QVERIFY(PictureLoader::decodeLastThatLoads(env.store.candidatePaths(QStringLiteral("Notes"), page, n))
                            .isNull());
    }

    void pictureRecognisedByContentNotExtension()
    {
        TestEnvironment env;
        // A JPEG stored under a bitmap name, as pictures added from disk are.
        const QString path = env.putPicture(QStringLiteral("A"), 1, 1, QStringLiteral(".bmp"), QSize(64, 48),
                                            Qt::red, "JPEG");
        const DecodedPicture picture = PictureLoader::decode(path);
        QVERIFY(!picture.isNull());
        QCOMPARE(picture.naturalSize, QSize(64, 48));
    }

    void albumNamesSortIgnoringCaseAndSkipFiles()
    {
        TestEnvironment env;
        for (const char *name : {"beta", "Alpha", "gamma", ".hidden"})
            env.makeAlbum(QLatin1String(name));
        QStringList names = env.store.albumNames();
        names.removeAll(AlbumStore::demoAlbumName());
        QCOMPARE(names, QStringList({QStringLiteral("Alpha"), QStringLiteral("beta"), QStringLiteral("gamma")}));
    }

    void demoAlbumHoldsTheSixPicturesAndKeepsTheUsersOwn()
    {
        TestEnvironment env;
        env.store.installDemoAlbum();
        QStringList files = QDir(env.store.demoAlbumFolder()).entryList(QDir::Files, QDir::Name);
        QCOMPARE(files, QStringList({QStringLiteral("P1I0.jpg"), QStringLiteral("P1I1.jpg"), QStringLiteral("P1I2.jpg"),
                                     QStringLiteral("P1I3.jpg"), QStringLiteral("P1I4.jpg"), QStringLiteral("P1I5.jpg")}));
        // A picture of the user's in that place is never overwritten.
        const QString own = env.putPicture(AlbumStore::demoAlbumName(), 1, 1, QStringLiteral(".jpg"), QSize(7, 5));
        env.store.installDemoAlbum();
        QCOMPARE(PictureLoader::naturalSize(own), QSize(7, 5));
    }

    void programFolderGetsMissingDeliveredFilesOnly()
    {
        QTemporaryDir dir;
        const QString folder = QDir(dir.path()).filePath(QStringLiteral("new/home"));
        QFile::remove(QDir(folder).filePath(QStringLiteral("x")));
        QVERIFY(ProgramFolder::prepare(folder, QStringLiteral(KOLUMBRA_DATA)));
        for (const QString &name : AlbumStore::deliveredFiles())
            QVERIFY2(QFileInfo::exists(QDir(folder).filePath(name)), qPrintable(name));
        QVERIFY(QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());

        QFile own(QDir(folder).filePath(AlbumStore::helpFileName()));
        QVERIFY(own.open(QIODevice::WriteOnly | QIODevice::Truncate));
        own.write("mine");
        own.close();
        QVERIFY(ProgramFolder::prepare(folder, QStringLiteral(KOLUMBRA_DATA)));
        QVERIFY(own.open(QIODevice::ReadOnly));
        QCOMPARE(own.readAll(), QByteArray("mine"));
    }

    void programFolderChoice()
    {
        QTemporaryDir exe;
        QTemporaryDir user;
        QCOMPARE(ProgramFolder::choose(QStringLiteral("/some/where"), exe.path(), user.path()),
                 QStringLiteral("/some/where"));
        QCOMPARE(ProgramFolder::choose(QString(), exe.path(), user.path()), user.path());
        QFile::copy(TestEnvironment::deliveredData(AlbumStore::placeholderName()),
                    QDir(exe.path()).filePath(AlbumStore::placeholderName()));
        QCOMPARE(ProgramFolder::choose(QString(), exe.path(), user.path()), exe.path());
        QCOMPARE(ProgramFolder::installationDir(exe.path()), exe.path());
    }

    void orientationIsApplied_data()
    {
        QTest::addColumn<int>("orientation");
        for (int o = 2; o <= 8; ++o)
            QTest::addRow("exif %d", o) << o;
    }

    void orientationIsApplied()
    {
        QFETCH(int, orientation);
        const QImage upright = PictureLoader::decode(TestEnvironment::testData(
                                                         QStringLiteral("pillow-hopper-samples/hopper.jpg")))
                                   .image;
        const QString turned =
            TestEnvironment::testData(QStringLiteral("pillow-hopper-samples/hopper_orientation_%1.jpg").arg(orientation));
        const QImage raw = QImage(turned);
        const DecodedPicture fixed = PictureLoader::decode(turned);
        QVERIFY(!fixed.isNull());
        QVERIFY2(meanDifference(fixed.image, upright) < 8.0, "orientation not applied");
        QVERIFY(meanDifference(raw, upright) > meanDifference(fixed.image, upright));
    }

    void sidewaysPhotoReportsUprightSizeAndScalesUpright()
    {
        // A wide picture stored with "turn 90 degrees" is upright for the user.
        QTemporaryDir dir;
        QImage wide(400, 200, QImage::Format_RGB32);
        wide.fill(Qt::blue);
        const QString path = dir.filePath(QStringLiteral("turned.jpg"));
        QImageWriter writer(path, "jpeg");
        writer.setTransformation(QImageIOHandler::TransformationRotate90);
        QVERIFY(writer.write(wide));
        QCOMPARE(PictureLoader::naturalSize(path), QSize(200, 400));
        const DecodedPicture small = PictureLoader::decodeFitted(path, QSize(50, 100));
        QCOMPARE(small.naturalSize, QSize(200, 400));
        QVERIFY(small.image.width() < small.image.height());
        QVERIFY(small.image.height() <= 100);
    }

    void bigPictureDecodesAtTheAskedSize()
    {
        QTemporaryDir dir;
        QImage big(3000, 2000, QImage::Format_RGB32);
        big.fill(Qt::green);
        const QString path = dir.filePath(QStringLiteral("big.jpg"));
        QVERIFY(big.save(path, "JPEG", 90));
        const DecodedPicture thumb = PictureLoader::decodeFitted(path, QSize(153, 153));
        QCOMPARE(thumb.naturalSize, QSize(3000, 2000));
        QVERIFY(thumb.image.width() <= 153);
        QVERIFY(thumb.image.height() <= 153);
        // Never enlarged at decoding: a small picture keeps its own size.
        QCOMPARE(PictureLoader::decodeFitted(path, QSize(5000, 5000)).image.size(), QSize(3000, 2000));
    }

    void absurdHeaderIsRefusedFast_data()
    {
        QTest::addColumn<QString>("path");
        for (const char *name : {"huge-header-60000.bmp", "huge-header-60000-palette.bmp", "huge-header-60000.jpg"})
            QTest::newRow(name) << QDir(QStringLiteral(KOLUMBRA_CRASHERS)).filePath(QLatin1String(name));
    }

    void absurdHeaderIsRefusedFast()
    {
        QFETCH(QString, path);
        QVERIFY(QFileInfo::exists(path));
        QVERIFY(PictureLoader::decode(path).isNull());
        QVERIFY(PictureLoader::decodeFitted(path, QSize(153, 153)).isNull());
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(PictureLoader::decodeData(f.readAll()).isNull());
    }

    void brokenFilesNeverCrash()
    {
        QStringList files;
        for (const QString &root : {TestEnvironment::testData(QString()), QStringLiteral(KOLUMBRA_CRASHERS)}) {
            QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext())
                files << it.next();
        }
        int tried = 0;
        for (const QString &path : files) {
            const DecodedPicture full = PictureLoader::decode(path);
            const DecodedPicture thumb = PictureLoader::decodeFitted(path, QSize(153, 153));
            if (!full.isNull())
                QVERIFY(full.naturalSize.isValid());
            if (!thumb.isNull())
                QVERIFY(thumb.image.width() <= 153 && thumb.image.height() <= 153);
            ++tried;
        }
        QVERIFY(tried > 100);
        // The good bitmaps of the suite must all load.
        QDirIterator good(TestEnvironment::testData(QStringLiteral("bmpsuite-2.8/g")), {QStringLiteral("*.bmp")});
        while (good.hasNext()) {
            const QString path = good.next();
            QVERIFY2(!PictureLoader::decode(path).isNull(), qPrintable(path));
        }
    }

    void placeholderFallsBackWhenMissing()
    {
        const DecodedPicture missing = Placeholder::load(QStringLiteral("/nonexistent/EMPTY.BMP"));
        QVERIFY(!missing.isNull());
        QCOMPARE(missing.naturalSize, missing.image.size());
        const DecodedPicture delivered = Placeholder::load(TestEnvironment::deliveredData(AlbumStore::placeholderName()));
        QVERIFY(!delivered.path.isEmpty());
    }

    void cacheKeyChangesWhenAFileChanges()
    {
        TestEnvironment env;
        const QString path = env.putPicture(QStringLiteral("A"), 1, 1, QStringLiteral(".jpg"), QSize(10, 10));
        const QStringList candidates = env.store.candidatePaths(QStringLiteral("A"), 1, 1);
        const QString before = ThumbnailCache::keyFor(candidates, QStringLiteral("1x1"));
        QVERIFY(!before.isEmpty());
        QCOMPARE(ThumbnailCache::keyFor(candidates, QStringLiteral("1x1")), before);
        QVERIFY(ThumbnailCache::keyFor(candidates, QStringLiteral("2x2")) != before);
        env.putPicture(QStringLiteral("A"), 1, 1, QStringLiteral(".bmp"), QSize(10, 10));
        QVERIFY(ThumbnailCache::keyFor(candidates, QStringLiteral("1x1")) != before);
        QVERIFY(ThumbnailCache::keyFor(env.store.candidatePaths(QStringLiteral("A"), 9, 9), QStringLiteral("1x1"))
                    .isEmpty());
    }
};

KOLUMBRA_TEST(TestAlbumStore)
#include "AlbumStoreTest.moc"
