#include "albums/BatchFiles.h"

#include "albumpage/PictureFiles.h"
#include "albums/BatchMove.h"
#include "albums/FileOperations.h"
#include "albumstore/AlbumStore.h"
#include "albumstore/PartFiles.h"
#include "support/OddPictures.h"
#include "support/StaleThumbnails.h"
#include "support/TestMain.h"

#include <QFileInfo>
#include <QImage>
#include <QScopeGuard>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

Q_DECLARE_METATYPE(BatchMove::LeftFile)

namespace {

using Error = FileOperations::Error;
using Outcome = BatchMove::Outcome;

// The disk, with one step failing for one file (the "victim"); the rows of
// failuresLoseNoFile tell what each break does. Sources may also be made to
// look as if they were on another file system, so that the copy path runs
// within one temporary folder.
class BreakingOperations : public FileOperations
{
public:
    enum class Break {
        None,
        Rename,
        Copy,
        CopyShort,
        SourceChanges,
        RenameIntoPlace,
        Sync,
        SourceChangesLater,
        RemoveSource,
        RemoveSourceButGone,
        RemoveSourceAndUndo
    };

    Break what = Break::None;
    bool otherDevice = true;
    QString victim = QStringLiteral("b.jpg");
    QString victimTarget = QStringLiteral("P1I1.jpg");
    QString sourceFolder;

    Status rename(const QString &from, const QString &to) override
    {
        if (isSource(from)) {
            if (what == Break::Rename && isVictim(from))
                return failure(Error::Other, QStringLiteral("Device or resource busy"));
            if (otherDevice)
                return failure(Error::OtherDevice, QStringLiteral("Invalid cross-device link"));
        } else if (what == Break::RenameIntoPlace && isVictim(to, true)) {
            return failure(Error::Other, QStringLiteral("Input/output error"));
        }
        return FileOperations::rename(from, to);
    }

    Status copyNew(const QString &from, const QString &to, const Progress &progress) override
    {
        if (isVictim(from) && (what == Break::Copy || what == Break::CopyShort)) {
            QFile out(to);
            out.open(QIODevice::WriteOnly | QIODevice::NewOnly);
            const QByteArray whole = BatchFiles::content(victim);
            out.write(whole.left(whole.size() / 2));
            if (what == Break::Copy)
                return failure(Error::Other, QStringLiteral("No space left on device"));
            return {};
        }
        const Status copied = FileOperations::copyNew(from, to, progress);
        if (isVictim(from) && what == Break::SourceChanges)
            BatchFiles::write(sourceFolder, victim, victim.toUtf8() + " grown");
        return copied;
    }

    Status syncFiles(const QStringList &paths, const QString &folder) override
    {
        const bool victimAmong =
            std::any_of(paths.cbegin(), paths.cend(), [this](const QString &path) { return isVictim(path, true); });
        if (victimAmong && what == Break::Sync)
            return failure(Error::Other, QStringLiteral("Input/output error"));
        if (victimAmong && what == Break::SourceChangesLater)
            BatchFiles::write(sourceFolder, victim, victim.toUtf8() + " changed after");
        return FileOperations::syncFiles(paths, folder);
    }

    Status remove(const QString &path) override
    {
        if (isSource(path) && isVictim(path)) {
            if (what == Break::RemoveSourceButGone)
                FileOperations::remove(path);
            if (what == Break::RemoveSource || what == Break::RemoveSourceAndUndo || what == Break::RemoveSourceButGone)
                return failure(Error::Other, QStringLiteral("Read-only file system"));
        }
        if (!isSource(path) && isVictim(path, true) && what == Break::RemoveSourceAndUndo)
            return failure(Error::Other, QStringLiteral("Permission denied"));
        return FileOperations::remove(path);
    }

private:
    bool isSource(const QString &path) const { return QFileInfo(path).absolutePath() == sourceFolder; }
    bool isVictim(const QString &path, bool inAlbum = false) const
    {
        return QFileInfo(path).fileName() == (inAlbum ? victimTarget : victim);
    }
};

using Break = BreakingOperations::Break;

void setModified(const QString &folder, const QString &name, int secondsFromNow)
{
    QFile file(QDir(folder).filePath(name));
    if (!file.open(QIODevice::ReadWrite)
        || !file.setFileTime(QDateTime::currentDateTime().addSecs(secondsFromNow), QFileDevice::FileModificationTime))
        qFatal("cannot date %s", qPrintable(file.fileName()));
}

// A run from a folder of files (made in reverse, so that the order of making
// cannot pass for the order of name) into an empty album.
struct Run
{
    QTemporaryDir source;
    QTemporaryDir album;
    BreakingOperations ops;
    BatchMove move{ops};
    QStringList names;
    int page = 1;
    int picture = 1;

    explicit Run(const QStringList &files, bool otherDevice = true, Break what = Break::None)
        : names(files)
    {
        for (auto it = names.crbegin(); it != names.crend(); ++it)
            BatchFiles::make(source.path(), {*it});
        ops.otherDevice = otherDevice;
        ops.what = what;
        ops.sourceFolder = QDir(source.path()).absolutePath();
    }

    Outcome go() { return move.run(source.path(), BatchMove::sourceFiles(source.path()), album.path(), page, picture); }
    QStringList inAlbum() const { return BatchFiles::all(album.path()); }
    QStringList inSource() const { return BatchFiles::all(source.path()); }

    // Every file is in the album or in its folder with its own content; one
    // changed while or after it was copied still counts as itself.
    void checkNothingLost() const
    {
        QByteArray everything;
        for (const QString &n : inAlbum())
            everything += BatchFiles::read(album.path(), n) + '|';
        for (const QString &n : inSource())
            everything += BatchFiles::read(source.path(), n) + '|';
        for (const QString &name : names)
            QVERIFY2(everything.contains(name.toUtf8()), qPrintable(name + QStringLiteral(" is lost")));
    }
};

}  // namespace

class BatchMoveTest : public QObject
{
    Q_OBJECT

private slots:
    // Named by content, in capitals when the file's own extension is.
    void targetNames_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<bool>("bitmap");
        QTest::addColumn<QString>("target");
        QTest::newRow("jpeg is shortened") << "photo.jpeg" << false << "P1I0.jpg";
        QTest::newRow("JPEG in capitals") << "PHOTO.JPEG" << false << "P1I0.JPG";
        QTest::newRow("camera capitals stay") << "DSC_0001.JPG" << false << "P1I0.JPG";
        QTest::newRow("a stereo camera's JPEG") << "3d.mpo" << false << "P1I0.jpg";
        QTest::newRow("mixed letters are no capitals") << "Odd.Jpg" << false << "P1I0.jpg";
        QTest::newRow("a bitmap under a JPEG name") << "scan.JPG" << true << "P1I0.BMP";
        QTest::newRow("last dot counts") << "trip.2024.BMP" << true << "P1I0.BMP";
        QTest::newRow("no extension") << "README" << false << "P1I0.jpg";
        QTest::newRow("a number is no capitals") << "clip.2024" << true << "P1I0.bmp";
        QTest::newRow("trailing dot") << "ODD." << true << "P1I0.bmp";
    }

    void targetNames()
    {
        QFETCH(QString, source);
        QFETCH(bool, bitmap);
        QTEST(BatchMove::targetName(source, bitmap ? PictureHeader::Format::Bitmap : PictureHeader::Format::Jpeg, 1, 1),
              "target");
    }

    void positions_data()
    {
        QTest::addColumn<bool>("otherDevice");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("picture");
        QTest::addColumn<int>("files");
        // Renamed on one file system, copied to another.
        QTest::newRow("fourteen into a new album") << false << 1 << 1 << 14;
        QTest::newRow("fourteen, copied") << true << 1 << 1 << 14;
        QTest::newRow("from page 3 picture 5, copied") << true << 3 << 5 << 3;
        QTest::newRow("sixty-one, copied") << true << 1 << 1 << 61;
    }

    void positions()
    {
        QFETCH(bool, otherDevice);
        QFETCH(int, page);
        QFETCH(int, picture);
        QFETCH(int, files);
        Run r(BatchFiles::numbered(files), otherDevice);
        r.page = page;
        r.picture = picture;
        // The rest wait for a further album.
        const int first = (page - 1) * 6 + picture - 1;
        const int moved = std::min(files, 60 - first);
        QCOMPARE(r.go(), moved < files ? Outcome::AlbumFull : Outcome::AllMoved);
        QCOMPARE(r.inAlbum().size(), moved);
        QCOMPARE(r.inSource().size(), files - moved);
        // The n-th file by name sits at the n-th position, with its own extension.
        for (int i = 0; i < moved; ++i) {
            const QString at = QStringLiteral("P%1I%2").arg((first + i) / 6 + 1).arg((first + i) % 6);
            const QString name = r.names.at(i);
            const QString extension = name.mid(name.lastIndexOf(QLatin1Char('.')));
            QCOMPARE(BatchFiles::read(r.album.path(), at + extension), name.toUtf8());
        }
    }

    void failuresLoseNoFile_data()
    {
        QTest::addColumn<int>("broken");      // renames fail on one file system, the rest where files are copied
        QTest::addColumn<QString>("failed");  // the file the run stops at; none when all are moved
        QTest::addColumn<QStringList>("inAlbum");
        QTest::addColumn<QString>("reason");
        const QStringList firstOnly{"P1I0.jpg"};
        const auto row = [](const char *name, Break b) -> QTestData & { return QTest::newRow(name) << int(b); };
        row("rename fails", Break::Rename) << "b.jpg" << firstOnly << "Device or resource busy.";
        row("copy fails half way", Break::Copy)
            << "b.jpg" << firstOnly << "Copying it to the album failed: No space left on device.";
        row("copy comes out short", Break::CopyShort)
            << "b.jpg" << firstOnly << "Its copy came out 16 bytes long instead of 33.";
        row("original changes while copied", Break::SourceChanges)
            << "b.jpg" << firstOnly << "It changed while it was being copied.";
        row("copy cannot take its name", Break::RenameIntoPlace) << "b.jpg" << firstOnly << "Input/output error.";
        row("copies cannot be put on the disk", Break::Sync)
            << "a.jpg" << QStringList{} << "Its copy could not be put on the disk: Input/output error.";
        row("original changes after it was copied", Break::SourceChangesLater)
            << "b.jpg" << firstOnly << "It changed after it was copied.";
        row("original cannot be removed", Break::RemoveSource)
            << "b.jpg" << firstOnly << "It could not be removed from its folder: Read-only file system.";
        row("removal fails, yet the original is gone", Break::RemoveSourceButGone)
            << "" << QStringList{"P1I0.jpg", "P1I1.jpg", "P1I2.jpg"} << "";
        row("neither original nor copy can be removed", Break::RemoveSourceAndUndo)
            << "b.jpg" << QStringList{"P1I0.jpg", "P1I1.jpg"}
            << "It could not be removed from its folder: Read-only file system. Its copy in the album could not "
               "be removed either (Permission denied), so it is in both places now.";
    }

    void failuresLoseNoFile()
    {
        QFETCH(int, broken);
        QFETCH(QString, failed);
        QFETCH(QStringList, inAlbum);
        Run r({"a.jpg", "b.jpg", "c.jpg"}, Break(broken) != Break::Rename, Break(broken));
        QCOMPARE(r.go(), failed.isEmpty() ? Outcome::AllMoved : Outcome::Failed);

        // No half copies are left behind, hidden or not.
        const int stop = failed.isEmpty() ? 3 : int(r.names.indexOf(failed));
        QCOMPARE(r.inAlbum(), inAlbum);
        QCOMPARE(r.inSource(), r.names.mid(stop));
        r.checkNothingLost();
        for (const QString &name : inAlbum)
            QCOMPARE(BatchFiles::read(r.album.path(), name), r.names.at(name.at(3).digitValue()).toUtf8());
        QTEST(r.move.failureReason(), "reason");
        QCOMPARE(r.move.failedFile(), failed);
        QCOMPARE(r.move.failedTarget(), failed.isEmpty() ? QString() : QStringLiteral("P1I%1.jpg").arg(stop));
    }

    void aGroupThatCannotBePutOnTheDiskGoesBack()
    {
        // Copies go to the disk a group at a time, each while the next group
        // is copied. A group that fails takes back every copy after it.
        const int stop = BatchMove::kGroupFiles;
        const int victim = stop + 4;
        Run r(BatchFiles::numbered(2 * BatchMove::kGroupFiles + 8), true, Break::Sync);
        r.ops.victim = r.names.at(victim);
        QCOMPARE(r.ops.victim, QStringLiteral("img_21.JPG"));
        r.ops.victimTarget = QStringLiteral("P4I2.JPG");
        QCOMPARE(r.go(), Outcome::Failed);
        QCOMPARE(r.move.failedFile(), r.names.at(stop));
        QCOMPARE(r.inAlbum().size(), stop);
        QCOMPARE(r.inSource().size(), r.names.size() - stop);
        r.checkNothingLost();
    }

    // Cancelled while a copy is being written: that copy is taken away, hidden
    // part and all, and its original stays.
    void cancelInTheMiddleOfACopy()
    {
        Run r({"a.jpg", "b.jpg", "c.jpg"});
        int copies = 0;
        connect(&r.move, &BatchMove::copying, &r.move, [&r, &copies] {
            if (++copies == 2)
                r.move.cancel();
        });
        QCOMPARE(r.go(), Outcome::Cancelled);
        QCOMPARE(r.inAlbum(), QStringList{"P1I0.jpg"});
        QCOMPARE(r.inSource(), QStringList({"b.jpg", "c.jpg"}));
    }

    // Only what an album shows goes in, named by its content; everything
    // else stays in the folder untouched and takes no position.
    void onlyPicturesGoIn_data()
    {
        QTest::addColumn<bool>("otherDevice");
        QTest::newRow("renamed") << false;
        QTest::newRow("copied") << true;
    }

    void onlyPicturesGoIn()
    {
        QFETCH(bool, otherDevice);
        const QList<QPair<QString, QByteArray>> files{
            {"a.bmp", OddPictures::bitmap(QSize(20, 10), 24)},
            {"b.gif", QByteArray("GIF89a\x01\x00\x01\x00\x00\x00\x00;", 14)},
            {"c.JPG", OddPictures::jpeg(QSize(20, 10))},
            {"d.mpo", OddPictures::jpeg(QSize(10, 20))},
            {"e.txt", "a shopping list"},
            {"f.MOV",
             QByteArray("\x00\x00\x00\x14"
                        "ftypqt  ",
                        12)},
            {"g.jpg", OddPictures::declaring(OddPictures::jpeg(QSize(8, 8), true), QSize(49157, 27397))},
            {"h.jpg", "not really a picture"},
            {"i.bmp", OddPictures::bitmap(QSize(100, 100), 24).left(54 + 300 * 20)},
            {"j.ico", QByteArray("\x00\x00\x01\x00\x01\x00", 6)},
        };
        Run r({}, otherDevice);
        QStringList all;
        for (const auto &[name, bytes] : files) {
            BatchFiles::write(r.source.path(), name, bytes);
            all << name;
        }

        const BatchMove::Source source = BatchMove::readSource(r.source.path());
        QCOMPARE(source.pictures, QStringList({"a.bmp", "c.JPG", "d.mpo"}));
        QStringList left;
        for (const BatchMove::LeftFile &f : source.left)
            left << QStringLiteral("%1 %2").arg(f.name).arg(int(f.why));
        QCOMPARE(left, QStringList({"b.gif 0", "e.txt 0", "f.MOV 0", "g.jpg 1", "h.jpg 0", "i.bmp 2", "j.ico 0"}));
        const QString expected = QStringLiteral("7 files stay in %1: 5 are not JPEG or Windows bitmap pictures, 1 is "
                                                "too large to show and 1 is damaged.")
                                     .arg(r.source.path());
        QCOMPARE(BatchMove::leftText(source.left, r.source.path()), expected);

        // Handed every file, the run still moves only the pictures.
        QCOMPARE(r.move.run(r.source.path(), all, r.album.path(), r.page, r.picture), Outcome::AllMoved);
        QCOMPARE(r.inAlbum(), QStringList({"P1I0.bmp", "P1I1.JPG", "P1I2.jpg"}));
        QCOMPARE(r.picture, 4);
        QCOMPARE(r.move.movedCount(), 3);
        QCOMPARE(r.move.leftFiles().size(), 7);
        const QHash<QString, QString> landed{{"a.bmp", "P1I0.bmp"}, {"c.JPG", "P1I1.JPG"}, {"d.mpo", "P1I2.jpg"}};
        for (const auto &[name, bytes] : files) {
            const QString at = landed.value(name);
            QCOMPARE(BatchFiles::readAll(at.isEmpty() ? r.source.path() : r.album.path(), at.isEmpty() ? name : at),
                     bytes);
        }
        QCOMPARE(r.inSource(), QStringList({"b.gif", "e.txt", "f.MOV", "g.jpg", "h.jpg", "i.bmp", "j.ico"}));
    }

    void leftText_data()
    {
        using Left = BatchMove::Left;
        QTest::addColumn<QList<BatchMove::LeftFile>>("left");
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << QList<BatchMove::LeftFile>{} << QString();
        QTest::newRow("a text file") << QList<BatchMove::LeftFile>{{"notes.txt", Left::NotAPicture}}
                                     << "notes.txt stays in /card: it is not a JPEG or Windows bitmap picture.";
        QTest::newRow("a huge one") << QList<BatchMove::LeftFile>{{"pano.jpg", Left::TooLarge}}
                                    << "pano.jpg stays in /card: it is too large to show.";
        QTest::newRow("one locked") << QList<BatchMove::LeftFile>{{"x.jpg", Left::Unreadable}}
                                    << "x.jpg stays in /card: it could not be read.";
        QTest::newRow("two of a kind") << QList<BatchMove::LeftFile>{{"a.MOV", Left::NotAPicture},
                                                                     {"b.gif", Left::NotAPicture}}
                                       << "2 files stay in /card: 2 are not JPEG or Windows bitmap pictures.";
        QTest::newRow("two kinds") << QList<BatchMove::LeftFile>{{"a.jpg", Left::Damaged}, {"b.txt", Left::NotAPicture}}
                                   << "2 files stay in /card: 1 is not a JPEG or Windows bitmap picture and 1 is "
                                      "damaged.";
        QTest::newRow("every kind")
            << QList<BatchMove::LeftFile>{{"a", Left::Unreadable},
                                          {"b", Left::TooLarge},
                                          {"c", Left::TooLarge},
                                          {"d", Left::Damaged},
                                          {"e", Left::NotAPicture}}
            << "5 files stay in /card: 1 is not a JPEG or Windows bitmap picture, 2 are too large to show, 1 is "
               "damaged and 1 could not be read.";
    }

    void leftText()
    {
        QFETCH(QList<BatchMove::LeftFile>, left);
        QTEST(BatchMove::leftText(left, QStringLiteral("/card")), "text");
    }

    // A copy killed half way left its hidden partial file in the album; the
    // next write to the album folder (a batch run, a picture saved) removes
    // it. One another program may be writing still, changed moments ago,
    // stays; so does any file that only looks like one.
    void aKilledMoveLeavesNoLitter()
    {
        Run r({"a.jpg"}, true);
        const QString killed = QStringLiteral(".P1I0.jpg.0badc0de.kolumbra-part");
        const QString writing = QStringLiteral(".P2I0.jpg.00000001.kolumbra-part");
        const QString mine = QStringLiteral(".notes.kolumbra-part.txt");
        for (const QString &name : {killed, writing, mine})
            BatchFiles::write(r.album.path(), name, "half a picture");
        setModified(r.album.path(), killed, -120);
        setModified(r.album.path(), mine, -120);
        QCOMPARE(r.go(), Outcome::AllMoved);
        QCOMPARE(r.inAlbum(), QStringList({writing, mine, "P1I0.jpg"}));

        QTemporaryDir program;
        const AlbumStore store(program.path());
        for (const char *album : {"Summer", "Winter"}) {
            QDir(program.path()).mkdir(QLatin1String(album));
            BatchFiles::write(store.albumFolder(QLatin1String(album)), killed, "half a picture");
            setModified(store.albumFolder(QLatin1String(album)), killed, -120);
        }
        QVERIFY(PictureFiles::saveBitmap(QImage(4, 4, QImage::Format_RGB32),
                                         store.picturePath(QStringLiteral("Summer"), 1, 1, QStringLiteral(".bmp")))
                    .ok);
        QCOMPARE(BatchFiles::all(store.albumFolder(QStringLiteral("Summer"))), QStringList{"P1I0.bmp"});
        // As when the batch creator opens.
        QCOMPARE(PartFiles::removeStaleInAlbums(store), 1);
        QCOMPARE(BatchFiles::all(store.albumFolder(QStringLiteral("Winter"))), QStringList());
    }

    // While this program copies a picture into an album, a sweep of that
    // album (a picture pasted into it meanwhile) never takes the copy's
    // partial file, however old it looks.
    void thePartOfACopyInProgressIsSpared()
    {
        Run r({"a.jpg", "b.jpg"}, true);
        QString part;
        connect(&r.move, &BatchMove::copying, &r.move, [&r, &part] {
            if (!part.isEmpty())
                return;
            const QStringList parts = BatchFiles::all(r.album.path()).filter(QStringLiteral(".kolumbra-part"));
            QCOMPARE(parts.size(), 1);
            part = parts.first();
            setModified(r.album.path(), part, -3600);
            PictureFiles::saveBitmap(QImage(4, 4, QImage::Format_RGB32), QDir(r.album.path()).filePath("P5I0.bmp"));
            QCOMPARE(PartFiles::removeStale(r.album.path()), 0);
            QVERIFY(QFileInfo::exists(QDir(r.album.path()).filePath(part)));
        });
        QCOMPARE(r.go(), Outcome::AllMoved);
        QVERIFY(part.startsWith(QLatin1String(".P1I0.jpg.")));
        QCOMPARE(r.inAlbum(), QStringList({"P1I0.jpg", "P1I1.jpg", "P5I0.bmp"}));
    }

    void realMoveToAnotherFileSystem()
    {
        QTemporaryDir source(QStringLiteral("/dev/shm/kolumbra-batch-XXXXXX"));
        QTemporaryDir album;
        if (!source.isValid() || QStorageInfo(source.path()).rootPath() == QStorageInfo(album.path()).rootPath())
            QSKIP("needs /dev/shm on a file system of its own");
        // Larger than one chunk of the copy, and taken long ago.
        QByteArray big(9 * 1024 * 1024 + 17, '\0');
        for (int i = 0; i < big.size(); ++i)
            big[i] = char(i * 131 % 251);
        big.replace(0, BatchFiles::jpegStart().size(), BatchFiles::jpegStart());
        BatchFiles::write(source.path(), QStringLiteral("a big one.JPG"), big);
        const QDateTime taken = QDateTime::currentDateTime().addDays(-400);
        QFile f(QDir(source.path()).filePath(QStringLiteral("a big one.JPG")));
        QVERIFY(f.open(QIODevice::ReadWrite) && f.setFileTime(taken, QFileDevice::FileModificationTime));
        f.close();
        BatchMove move;
        int page = 4;
        int picture = 6;
        QCOMPARE(move.run(source.path(), BatchMove::sourceFiles(source.path()), album.path(), page, picture),
                 Outcome::AllMoved);
        QCOMPARE(BatchFiles::all(source.path()), QStringList());
        QCOMPARE(BatchFiles::readAll(album.path(), QStringLiteral("P4I5.JPG")), big);
        const QFileInfo copy(QDir(album.path()).filePath(QStringLiteral("P4I5.JPG")));
        QCOMPARE(copy.lastModified().toSecsSinceEpoch(), taken.toSecsSinceEpoch());
    }

    // An album's old picture, deleted by hand, left its thumbnail; a picture
    // of the same size and time moved in at its position must not be drawn
    // with it, whether the move renames or copies.
    void aPictureMovedInIsNotDrawnWithAnOldThumbnail_data()
    {
        QTest::addColumn<bool>("otherDevice");
        QTest::newRow("renamed") << false;
        QTest::newRow("copied") << true;
    }

    void aPictureMovedInIsNotDrawnWithAnOldThumbnail()
    {
        using namespace StaleThumbnails;
        QFETCH(bool, otherDevice);
        QTemporaryDir cache;
        const QByteArray previous = qgetenv("XDG_CACHE_HOME");
        const auto restore = qScopeGuard([&previous] { qputenv("XDG_CACHE_HOME", previous); });
        qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
        Run r({}, otherDevice);
        const QString target = QDir(r.album.path()).filePath(QStringLiteral("P1I0.bmp"));
        QVERIFY(drawnRed(target));
        QVERIFY(QFile::remove(target));
        QVERIFY(put(QDir(r.source.path()).filePath(QStringLiteral("blue.bmp")), Qt::blue));
        QCOMPARE(r.go(), Outcome::AllMoved);
        QVERIFY(QFileInfo::exists(target));
        QVERIFY(isBlue(drawn(target)));
    }
};

KOLUMBRA_TEST(BatchMoveTest)
#include "BatchMoveTest.moc"
