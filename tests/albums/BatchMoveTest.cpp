#include "albums/BatchFiles.h"

#include "albums/BatchMove.h"
#include "albums/FileOperations.h"
#include "support/TestMain.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

using Error = FileOperations::Error;
using Outcome = BatchMove::Outcome;

// The disk, with one step failing for one file (the "victim"). Sources may
// also be made to look as if they were on another file system, so that the
// copy path runs within one temporary folder.
class BreakingOperations : public FileOperations
{
public:
    enum class Break {
        None,
        Rename,                 // renaming the file fails
        Copy,                   // half the copy is written, then the disk is full
        CopyShort,              // the copy claims success with half the bytes
        SourceChanges,          // the file grows while it is copied
        RenameIntoPlace,        // the finished copy cannot take its name
        Sync,                   // the copies cannot be put on the disk
        SourceChangesLater,     // the file changes after it was copied
        RemoveSource,           // the original cannot be removed
        RemoveSourceButGone,    // the removal reports failure, yet the file is gone
        RemoveSourceAndUndo,    // neither the original nor the copy can be removed
    };

    Break what = Break::None;
    bool otherDevice = true;
    QString victim;
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
            const QByteArray all = BatchFiles::read(sourceFolder, victim);
            QFile out(to);
            out.open(QIODevice::WriteOnly | QIODevice::NewOnly);
            out.write(all.left(all.size() / 2));
            if (what == Break::Copy)
                return failure(Error::Other, QStringLiteral("No space left on device"));
            return {};
        }
        const Status copied = FileOperations::copyNew(from, to, progress);
        if (isVictim(from) && what == Break::SourceChanges) {
            QFile grown(from);
            grown.open(QIODevice::Append);
            grown.write("more");
        }
        return copied;
    }

    Status syncFiles(const QStringList &paths, const QString &folder) override
    {
        const bool victimAmong = std::any_of(paths.cbegin(), paths.cend(),
                                             [this](const QString &path) { return isVictim(path, true); });
        if (victimAmong && what == Break::Sync)
            return failure(Error::Other, QStringLiteral("Input/output error"));
        if (victimAmong && what == Break::SourceChangesLater)
            BatchFiles::write(sourceFolder, victim, victim.toUtf8() + " changed after");
        return FileOperations::syncFiles(paths, folder);
    }

    Status remove(const QString &path) override
    {
        if (isSource(path) && isVictim(path)) {
            switch (what) {
            case Break::RemoveSource:
            case Break::RemoveSourceAndUndo:
                return failure(Error::Other, QStringLiteral("Read-only file system"));
            case Break::RemoveSourceButGone:
                FileOperations::remove(path);
                return failure(Error::Other, QStringLiteral("Stale file handle"));
            default:
                break;
            }
        }
        if (!isSource(path) && what == Break::RemoveSourceAndUndo && isVictim(path, true))
            return failure(Error::Other, QStringLiteral("Permission denied"));
        return FileOperations::remove(path);
    }

private:
    bool isSource(const QString &path) const { return QFileInfo(path).absolutePath() == sourceFolder; }
    bool isVictim(const QString &path, bool inAlbum = false) const
    {
        const QString name = QFileInfo(path).fileName();
        return inAlbum ? name == victimTarget : name == victim;
    }
};

using Break = BreakingOperations::Break;

// Every file given is either in the album under a position name, or in the
// source folder, with its own content.
void checkNothingLost(const QString &source, const QString &album, const QStringList &names)
{
    QStringList contents;
    for (const QString &n : BatchFiles::all(album))
        contents << QString::fromUtf8(BatchFiles::read(album, n));
    for (const QString &n : BatchFiles::all(source))
        contents << QString::fromUtf8(BatchFiles::read(source, n));
    // A file that grew while it was copied still counts as itself.
    for (const QString &name : names) {
        const bool kept = std::any_of(contents.cbegin(), contents.cend(),
                                      [&name](const QString &content) { return content.startsWith(name); });
        QVERIFY2(kept, qPrintable(name + QStringLiteral(" is lost")));
    }
}

#ifdef Q_OS_UNIX
dev_t deviceOf(const QString &path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_dev : dev_t(0);
}
#endif

} // namespace

class BatchMoveTest : public QObject
{
    Q_OBJECT

private slots:
    void targetNames_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("picture");
        QTest::addColumn<QString>("target");
        QTest::newRow("camera capitals") << "Beach.JPG" << 1 << 1 << "P1I0.JPG";
        QTest::newRow("last position") << "x.bmp" << 10 << 6 << "P10I5.bmp";
        QTest::newRow("text file moves too") << "notes.txt" << 1 << 3 << "P1I2.txt";
        QTest::newRow("jpeg is shortened") << "photo.jpeg" << 2 << 4 << "P2I3.jpg";
        QTest::newRow("JPEG in capitals") << "PHOTO.JPEG" << 1 << 1 << "P1I0.JPG";
        QTest::newRow("Jpeg mixed") << "Photo.Jpeg" << 1 << 1 << "P1I0.jpg";
        QTest::newRow("four letters keep their dot") << "scan.tiff" << 1 << 1 << "P1I0.tiff";
        QTest::newRow("two letters") << "data.gz" << 1 << 1 << "P1I0.gz";
        QTest::newRow("last dot counts") << "trip.2024.v2.jpg" << 1 << 1 << "P1I0.jpg";
        QTest::newRow("no extension") << "README" << 1 << 1 << "P1I0";
        QTest::newRow("trailing dot") << "odd." << 1 << 1 << "P1I0";
        QTest::newRow("percent sign") << "a.%1" << 1 << 1 << "P1I0.%1";
    }

    void targetNames()
    {
        QFETCH(QString, source);
        QFETCH(int, page);
        QFETCH(int, picture);
        QFETCH(QString, target);
        QCOMPARE(BatchMove::targetName(source, page, picture), target);
    }

    void onlyVisibleOrdinaryFilesInOrderOfName()
    {
        QTemporaryDir source;
        BatchFiles::make(source.path(), {"b.jpg", "a.jpg", "C.JPG", "A.JPG", ".hidden.jpg", "notes.txt"});
        QDir(source.path()).mkdir(QStringLiteral("sub folder"));
        QFile::link(QDir(source.path()).filePath(QStringLiteral("a.jpg")),
                    QDir(source.path()).filePath(QStringLiteral("link.jpg")));
        QCOMPARE(BatchMove::sourceFiles(source.path()),
                 QStringList({"A.JPG", "a.jpg", "b.jpg", "C.JPG", "notes.txt"}));
    }

    void positions_data()
    {
        QTest::addColumn<bool>("otherDevice");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("picture");
        QTest::addColumn<int>("files");
        QTest::addColumn<QStringList>("first");  // where the first files land, in order of name
        QTest::addColumn<QString>("last");       // where the last file moved lands
        QTest::addColumn<int>("moved");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("endPage");
        QTest::addColumn<int>("endPicture");
        const QStringList page1{"P1I0", "P1I1", "P1I2", "P1I3", "P1I4", "P1I5", "P2I0"};
        const int all = int(Outcome::AllMoved);
        const int full = int(Outcome::AlbumFull);
        // Renamed on one file system, copied to another.
        for (const bool other : {false, true}) {
            const auto row = [other](const char *name) -> QTestData & {
                return QTest::addRow("%s%s", name, other ? ", copied" : "") << other;
            };
            row("fourteen into a new album") << 1 << 1 << 14 << page1 << "P3I1" << 14 << all << 3 << 3;
            row("from page 3 picture 5") << 3 << 5 << 3 << QStringList{"P3I4", "P3I5"} << "P4I0" << 3 << all << 4 << 2;
            row("last position, one file") << 10 << 6 << 1 << QStringList{} << "P10I5" << 1 << all << 10 << 7;
            row("last position, two files") << 10 << 6 << 2 << QStringList{} << "P10I5" << 1 << full << 11 << 1;
            row("exactly sixty") << 1 << 1 << 60 << page1 << "P10I5" << 60 << all << 10 << 7;
            row("sixty-one") << 1 << 1 << 61 << page1 << "P10I5" << 60 << full << 11 << 1;
        }
    }

    void positions()
    {
        QFETCH(bool, otherDevice);
        QFETCH(int, page);
        QFETCH(int, picture);
        QFETCH(int, files);
        QFETCH(QStringList, first);
        QFETCH(QString, last);
        QFETCH(int, moved);
        QFETCH(int, outcome);
        QFETCH(int, endPage);
        QFETCH(int, endPicture);
        QTemporaryDir source;
        QTemporaryDir album;
        // Made in reverse, so that the order of making cannot pass for the order of name.
        const QStringList names = BatchFiles::numbered(files);
        for (auto it = names.crbegin(); it != names.crend(); ++it)
            BatchFiles::make(source.path(), {*it});

        BreakingOperations ops;
        ops.otherDevice = otherDevice;
        ops.sourceFolder = QDir(source.path()).absolutePath();
        BatchMove move(ops);
        QSignalSpy progress(&move, &BatchMove::progressed);
        const Outcome done = move.run(source.path(), BatchMove::sourceFiles(source.path()), album.path(), page, picture);
        QCOMPARE(int(done), outcome);
        QCOMPARE(page, endPage);
        QCOMPARE(picture, endPicture);
        QCOMPARE(move.movedCount(), moved);
        QCOMPARE(progress.size(), moved);
        QCOMPARE(progress.last().at(1).toInt(), files);
        QCOMPARE(BatchFiles::all(album.path()).size(), moved);
        QCOMPARE(BatchFiles::all(source.path()).size(), files - moved);

        // The n-th file by name sits at the n-th position, with its own extension.
        const auto landedAt = [&](int i, const QString &position) {
            const QString name = names.at(i);
            return BatchFiles::read(album.path(), position + name.mid(name.lastIndexOf(QLatin1Char('.'))))
                == name.toUtf8();
        };
        for (int i = 0; i < first.size(); ++i)
            QVERIFY2(landedAt(i, first.at(i)), qPrintable(first.at(i)));
        QVERIFY2(landedAt(moved - 1, last), qPrintable(last));
    }

    void failuresLoseNoFile_data()
    {
        QTest::addColumn<int>("broken");
        QTest::addColumn<bool>("otherDevice");
        QTest::addColumn<QString>("failed");  // the file the run stops at; none when all are moved
        QTest::addColumn<QStringList>("inAlbum");
        QTest::addColumn<QStringList>("inSource");
        QTest::addColumn<QString>("reason");
        const QStringList firstOnly{"P1I0.jpg"};
        const QStringList rest{"b.jpg", "c.jpg"};
        QTest::newRow("rename fails") << int(Break::Rename) << false << "b.jpg" << firstOnly << rest
                                      << "Device or resource busy.";
        QTest::newRow("copy fails half way") << int(Break::Copy) << true << "b.jpg" << firstOnly << rest
                                             << "Copying it to the album failed: No space left on device.";
        QTest::newRow("copy comes out short") << int(Break::CopyShort) << true << "b.jpg" << firstOnly << rest
                                              << "Its copy came out 2 bytes long instead of 5.";
        QTest::newRow("original changes while copied") << int(Break::SourceChanges) << true << "b.jpg" << firstOnly
                                                       << rest << "It changed while it was being copied.";
        QTest::newRow("copy cannot take its name") << int(Break::RenameIntoPlace) << true << "b.jpg" << firstOnly
                                                   << rest << "Input/output error.";
        QTest::newRow("copies cannot be put on the disk")
            << int(Break::Sync) << true << "a.jpg" << QStringList{} << QStringList{"a.jpg", "b.jpg", "c.jpg"}
            << "Its copy could not be put on the disk: Input/output error.";
        QTest::newRow("original changes after it was copied") << int(Break::SourceChangesLater) << true << "b.jpg"
                                                              << firstOnly << rest << "It changed after it was copied.";
        QTest::newRow("original cannot be removed") << int(Break::RemoveSource) << true << "b.jpg" << firstOnly
                                                    << rest << "It could not be removed from its folder: Read-only file system.";
        QTest::newRow("removal fails, yet the original is gone")
            << int(Break::RemoveSourceButGone) << true << "" << QStringList{"P1I0.jpg", "P1I1.jpg", "P1I2.jpg"}
            << QStringList{} << "";
        QTest::newRow("neither original nor copy can be removed")
            << int(Break::RemoveSourceAndUndo) << true << "b.jpg" << QStringList{"P1I0.jpg", "P1I1.jpg"} << rest
            << "It could not be removed from its folder: Read-only file system. Its copy in the album could not "
               "be removed either (Permission denied), so it is in both places now.";
    }

    void failuresLoseNoFile()
    {
        QFETCH(int, broken);
        QFETCH(bool, otherDevice);
        QFETCH(QString, failed);
        QFETCH(QStringList, inAlbum);
        QFETCH(QStringList, inSource);
        QFETCH(QString, reason);
        QTemporaryDir source;
        QTemporaryDir album;
        const QStringList names{"a.jpg", "b.jpg", "c.jpg"};
        BatchFiles::make(source.path(), names);

        BreakingOperations ops;
        ops.what = Break(broken);
        ops.otherDevice = otherDevice;
        ops.victim = QStringLiteral("b.jpg");
        ops.sourceFolder = QDir(source.path()).absolutePath();
        BatchMove move(ops);
        int page = 1;
        int picture = 1;
        const Outcome outcome = move.run(source.path(), names, album.path(), page, picture);

        // No half copies are left behind, hidden or not.
        QCOMPARE(BatchFiles::all(album.path()), inAlbum);
        QCOMPARE(BatchFiles::all(source.path()), inSource);
        checkNothingLost(source.path(), album.path(), names);
        for (const QString &name : inAlbum)
            QCOMPARE(BatchFiles::read(album.path(), name), names.at(name.at(3).digitValue()).toUtf8());
        QCOMPARE(move.failureReason(), reason);
        QCOMPARE(move.failedFile(), failed);
        QCOMPARE(outcome, failed.isEmpty() ? Outcome::AllMoved : Outcome::Failed);
        // The position counter names the file that failed.
        const int stop = failed.isEmpty() ? 3 : int(names.indexOf(failed));
        QCOMPARE(move.movedCount(), stop);
        QCOMPARE(picture, stop + 1);
        if (!failed.isEmpty())
            QCOMPARE(move.failedTarget(), QStringLiteral("P1I%1.jpg").arg(stop));
    }

    void aGroupThatCannotBePutOnTheDiskGoesBack_data()
    {
        // Copies go to the disk a group at a time, each while the next group
        // is copied. A group that fails takes back every copy after it.
        QTest::addColumn<int>("victim");
        QTest::addColumn<int>("stop");  // the first file not moved
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("picture");
        const int group = BatchMove::kGroupFiles;
        QTest::newRow("first group") << 3 << 0 << 1 << 1;
        QTest::newRow("second group") << group + 4 << group << group / 6 + 1 << group % 6 + 1;
        QTest::newRow("last, smaller group") << 2 * group + 5 << 2 * group << 2 * group / 6 + 1 << 2 * group % 6 + 1;
    }

    void aGroupThatCannotBePutOnTheDiskGoesBack()
    {
        QFETCH(int, victim);
        QFETCH(int, stop);
        QFETCH(int, page);
        QFETCH(int, picture);
        QTemporaryDir source;
        QTemporaryDir album;
        const QStringList names = BatchFiles::numbered(2 * BatchMove::kGroupFiles + 8);
        BatchFiles::make(source.path(), names);
        BreakingOperations ops;
        ops.what = Break::Sync;
        ops.victim = names.at(victim);
        ops.victimTarget = BatchMove::targetName(ops.victim, victim / 6 + 1, victim % 6 + 1);
        ops.sourceFolder = QDir(source.path()).absolutePath();
        BatchMove move(ops);
        int endPage = 1;
        int endPicture = 1;
        QCOMPARE(move.run(source.path(), names, album.path(), endPage, endPicture), Outcome::Failed);
        QCOMPARE(move.movedCount(), stop);
        QCOMPARE(move.failedFile(), names.at(stop));
        QCOMPARE(endPage, page);
        QCOMPARE(endPicture, picture);
        QCOMPARE(BatchFiles::all(album.path()).size(), stop);
        QStringList left = BatchFiles::all(source.path());
        QStringList expected = names.mid(stop);
        std::sort(left.begin(), left.end());
        std::sort(expected.begin(), expected.end());
        QCOMPARE(left, expected);
        checkNothingLost(source.path(), album.path(), names);
    }

    void cancelInTheMiddleOfACopy()
    {
        QTemporaryDir source;
        QTemporaryDir album;
        const QStringList names{"a.jpg", "b.jpg", "c.jpg"};
        BatchFiles::make(source.path(), names);
        BreakingOperations ops;
        ops.sourceFolder = QDir(source.path()).absolutePath();
        BatchMove move(ops);
        int copies = 0;
        connect(&move, &BatchMove::copying, &move, [&move, &copies](qint64, qint64) {
            if (++copies == 2)
                move.cancel();
        });
        int page = 1;
        int picture = 1;
        QCOMPARE(move.run(source.path(), names, album.path(), page, picture), Outcome::Cancelled);
        QCOMPARE(BatchFiles::all(album.path()), QStringList{"P1I0.jpg"});
        QCOMPARE(BatchFiles::all(source.path()), QStringList({"b.jpg", "c.jpg"}));
    }

    void clashStopsAtThatFile_data()
    {
        QTest::addColumn<bool>("otherDevice");
        QTest::newRow("same file system") << false;
        QTest::newRow("other file system") << true;
    }

    void clashStopsAtThatFile()
    {
        QFETCH(bool, otherDevice);
        QTemporaryDir source;
        QTemporaryDir album;
        const QStringList names{"a.jpg", "b.jpg", "c.jpg", "d.jpg"};
        BatchFiles::make(source.path(), names);
        BatchFiles::write(album.path(), QStringLiteral("P1I1.bmp"), "other extension");
        BatchFiles::write(album.path(), QStringLiteral("P1I2.jpg"), "kept");
        BreakingOperations ops;
        ops.otherDevice = otherDevice;
        ops.sourceFolder = QDir(source.path()).absolutePath();
        BatchMove move(ops);
        int page = 1;
        int picture = 1;
        QCOMPARE(move.run(source.path(), names, album.path(), page, picture), Outcome::Failed);
        QCOMPARE(move.failedFile(), QStringLiteral("c.jpg"));
        QCOMPARE(move.failureReason(), QStringLiteral("The album has a file of that name already."));
        // A picture of another extension at a position is no clash: both stay.
        QCOMPARE(BatchFiles::all(album.path()), QStringList({"P1I0.jpg", "P1I1.bmp", "P1I1.jpg", "P1I2.jpg"}));
        QCOMPARE(BatchFiles::read(album.path(), QStringLiteral("P1I2.jpg")), QByteArray("kept"));
        QCOMPARE(BatchFiles::all(source.path()), QStringList({"c.jpg", "d.jpg"}));
    }

    void theDiskNeverReplacesAFile()
    {
        QTemporaryDir dir;
        BatchFiles::write(dir.path(), QStringLiteral("from"), "new");
        BatchFiles::write(dir.path(), QStringLiteral("to"), "old");
        FileOperations ops;
        const QString from = QDir(dir.path()).filePath(QStringLiteral("from"));
        const QString to = QDir(dir.path()).filePath(QStringLiteral("to"));
        QCOMPARE(ops.rename(from, to).error, Error::Exists);
        QCOMPARE(ops.copyNew(from, to, {}).error, Error::Exists);
        QCOMPARE(BatchFiles::read(dir.path(), QStringLiteral("to")), QByteArray("old"));
        QCOMPARE(BatchFiles::read(dir.path(), QStringLiteral("from")), QByteArray("new"));
        const FileOperations::Status gone = ops.rename(QDir(dir.path()).filePath(QStringLiteral("none")), to);
        QCOMPARE(gone.error, Error::Other);
        QVERIFY(!gone.reason.isEmpty());
    }

    void realMoveToAnotherFileSystem()
    {
#ifdef Q_OS_UNIX
        if (!QFileInfo(QStringLiteral("/dev/shm")).isWritable())
            QSKIP("no /dev/shm here");
        QTemporaryDir source(QStringLiteral("/dev/shm/kolumbra-batch-XXXXXX"));
        QTemporaryDir album;
        if (deviceOf(source.path()) == deviceOf(album.path()))
            QSKIP("/dev/shm and the temporary folder are one file system here");
        // Larger than one chunk of the copy, and nothing at all.
        QByteArray big(9 * 1024 * 1024 + 17, '\0');
        for (int i = 0; i < big.size(); ++i)
            big[i] = char(i * 131 % 251);
        BatchFiles::write(source.path(), QStringLiteral("a big one.JPG"), big);
        BatchFiles::write(source.path(), QStringLiteral("b empty.jpg"), QByteArray());
        BatchFiles::make(source.path(), {"c.jpeg"});
        const QDateTime taken = QDateTime::currentDateTime().addDays(-400);
        {
            QFile f(QDir(source.path()).filePath(QStringLiteral("a big one.JPG")));
            f.open(QIODevice::ReadWrite);
            f.setFileTime(taken, QFileDevice::FileModificationTime);
        }
        BatchMove move;
        QSignalSpy copying(&move, &BatchMove::copying);
        int page = 4;
        int picture = 6;
        QCOMPARE(move.run(source.path(), BatchMove::sourceFiles(source.path()), album.path(), page, picture),
                 Outcome::AllMoved);
        QCOMPARE(BatchFiles::all(source.path()), QStringList());
        QCOMPARE(BatchFiles::all(album.path()), QStringList({"P4I5.JPG", "P5I0.jpg", "P5I1.jpg"}));
        QCOMPARE(BatchFiles::read(album.path(), QStringLiteral("P4I5.JPG")), big);
        QCOMPARE(BatchFiles::read(album.path(), QStringLiteral("P5I0.jpg")), QByteArray());
        QCOMPARE(BatchFiles::read(album.path(), QStringLiteral("P5I1.jpg")), QByteArray("c.jpeg"));
        QCOMPARE(QFileInfo(QDir(album.path()).filePath(QStringLiteral("P4I5.JPG"))).lastModified().toSecsSinceEpoch(),
                 taken.toSecsSinceEpoch());
        QVERIFY(copying.size() >= 3);
        QCOMPARE(copying.first().at(1).toLongLong(), qint64(big.size()));
#else
        QSKIP("device ids are read the Unix way");
#endif
    }
};

KOLUMBRA_TEST(BatchMoveTest)
#include "BatchMoveTest.moc"
