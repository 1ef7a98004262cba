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
        if (isVictim(from) && what == Break::SourceChanges)
            BatchFiles::write(sourceFolder, victim, victim.toUtf8() + " grown");
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
        const QString name = QFileInfo(path).fileName();
        return inAlbum ? name == victimTarget : name == victim;
    }
};

using Break = BreakingOperations::Break;

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

    // Every file is either in the album under a position name, or in the
    // source folder, with its own content.
    void checkNothingLost() const
    {
        QStringList contents;
        for (const QString &n : inAlbum())
            contents << QString::fromUtf8(BatchFiles::read(album.path(), n));
        for (const QString &n : inSource())
            contents << QString::fromUtf8(BatchFiles::read(source.path(), n));
        // A file changed while or after it was copied still counts as itself.
        for (const QString &name : names) {
            const bool kept = std::any_of(contents.cbegin(), contents.cend(),
                                          [&name](const QString &content) { return content.startsWith(name); });
            QVERIFY2(kept, qPrintable(name + QStringLiteral(" is lost")));
        }
    }
};

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
        QTest::newRow("jpeg is shortened") << "photo.jpeg" << 2 << 4 << "P2I3.jpg";
        QTest::newRow("JPEG in capitals") << "PHOTO.JPEG" << 1 << 1 << "P1I0.JPG";
        QTest::newRow("Jpeg mixed") << "Photo.Jpeg" << 1 << 1 << "P1I0.jpg";
        QTest::newRow("four letters keep their dot") << "scan.tiff" << 1 << 1 << "P1I0.tiff";
        QTest::newRow("last dot counts") << "trip.2024.v2.jpg" << 1 << 1 << "P1I0.jpg";
        QTest::newRow("no extension") << "README" << 1 << 1 << "P1I0";
        QTest::newRow("trailing dot") << "odd." << 1 << 1 << "P1I0";
    }

    void targetNames()
    {
        QFETCH(QString, source);
        QFETCH(int, page);
        QFETCH(int, picture);
        QTEST(BatchMove::targetName(source, page, picture), "target");
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
            row("sixty-one") << 1 << 1 << 61 << page1 << "P10I5" << 60 << full << 11 << 1;
        }
    }

    void positions()
    {
        QFETCH(bool, otherDevice);
        QFETCH(int, files);
        QFETCH(QStringList, first);
        QFETCH(QString, last);
        QFETCH(int, moved);
        Run r(BatchFiles::numbered(files), otherDevice);
        QFETCH(int, page);
        QFETCH(int, picture);
        r.page = page;
        r.picture = picture;
        QSignalSpy progress(&r.move, &BatchMove::progressed);
        QTEST(int(r.go()), "outcome");
        QTEST(r.page, "endPage");
        QTEST(r.picture, "endPicture");
        QCOMPARE(r.move.movedCount(), moved);
        QCOMPARE(progress.size(), moved);
        QCOMPARE(progress.last().at(1).toInt(), files);
        QCOMPARE(r.inAlbum().size(), moved);
        QCOMPARE(r.inSource().size(), files - moved);

        // The n-th file by name sits at the n-th position, with its own extension.
        const auto landedAt = [&r](int i, const QString &position) {
            const QString name = r.names.at(i);
            return BatchFiles::read(r.album.path(), position + name.mid(name.lastIndexOf(QLatin1Char('.'))))
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
        QTest::addColumn<QString>("reason");
        const QStringList firstOnly{"P1I0.jpg"};
        const auto row = [](const char *name, Break b, bool other = true) -> QTestData & {
            return QTest::newRow(name) << int(b) << other;
        };
        row("rename fails", Break::Rename, false) << "b.jpg" << firstOnly << "Device or resource busy.";
        row("copy fails half way", Break::Copy) << "b.jpg" << firstOnly
                                                << "Copying it to the album failed: No space left on device.";
        row("copy comes out short", Break::CopyShort) << "b.jpg" << firstOnly
                                                      << "Its copy came out 2 bytes long instead of 5.";
        row("original changes while copied", Break::SourceChanges) << "b.jpg" << firstOnly
                                                                   << "It changed while it was being copied.";
        row("copy cannot take its name", Break::RenameIntoPlace) << "b.jpg" << firstOnly << "Input/output error.";
        row("copies cannot be put on the disk", Break::Sync)
            << "a.jpg" << QStringList{} << "Its copy could not be put on the disk: Input/output error.";
        row("original changes after it was copied", Break::SourceChangesLater) << "b.jpg" << firstOnly
                                                                               << "It changed after it was copied.";
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
        QFETCH(bool, otherDevice);
        QFETCH(QString, failed);
        QFETCH(QStringList, inAlbum);
        Run r({"a.jpg", "b.jpg", "c.jpg"}, otherDevice, Break(broken));
        r.ops.victim = QStringLiteral("b.jpg");
        QCOMPARE(r.go(), failed.isEmpty() ? Outcome::AllMoved : Outcome::Failed);

        // No half copies are left behind, hidden or not.
        const int stop = failed.isEmpty() ? 3 : int(r.names.indexOf(failed));
        QCOMPARE(r.inAlbum(), inAlbum);
        QCOMPARE(r.inSource(), r.names.mid(stop));
        r.checkNothingLost();
        for (const QString &name : inAlbum)
            QCOMPARE(BatchFiles::read(r.album.path(), name), r.names.at(name.at(3).digitValue()).toUtf8());
        QTEST(r.move.failureReason(), "reason");
        // The position counter names the file that failed.
        QCOMPARE(r.move.failedFile(), failed);
        QCOMPARE(r.move.failedTarget(), failed.isEmpty() ? QString() : QStringLiteral("P1I%1.jpg").arg(stop));
        QCOMPARE(r.move.movedCount(), stop);
        QCOMPARE(r.picture, stop + 1);
    }

    void aGroupThatCannotBePutOnTheDiskGoesBack_data()
    {
        // Copies go to the disk a group at a time, each while the next group
        // is copied. A group that fails takes back every copy after it.
        QTest::addColumn<int>("victim");
        QTest::addColumn<int>("stop");  // the first file not moved
        const int group = BatchMove::kGroupFiles;
        QTest::newRow("second group") << group + 4 << group;
        QTest::newRow("last, smaller group") << 2 * group + 5 << 2 * group;
    }

    void aGroupThatCannotBePutOnTheDiskGoesBack()
    {
        QFETCH(int, victim);
        QFETCH(int, stop);
        Run r(BatchFiles::numbered(2 * BatchMove::kGroupFiles + 8), true, Break::Sync);
        r.ops.victim = r.names.at(victim);
        r.ops.victimTarget = BatchMove::targetName(r.ops.victim, victim / 6 + 1, victim % 6 + 1);
        QCOMPARE(r.go(), Outcome::Failed);
        QCOMPARE(r.move.movedCount(), stop);
        QCOMPARE(r.move.failedFile(), r.names.at(stop));
        QCOMPARE(r.page, stop / 6 + 1);
        QCOMPARE(r.picture, stop % 6 + 1);
        QCOMPARE(r.inAlbum().size(), stop);
        QStringList expected = r.names.mid(stop);
        expected.sort();
        QCOMPARE(r.inSource(), expected);
        r.checkNothingLost();
    }

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

    void theDiskNeverReplacesAFile()
    {
        QTemporaryDir dir;
        BatchFiles::make(dir.path(), {"from", "to"});
        FileOperations ops;
        const QString from = QDir(dir.path()).filePath(QStringLiteral("from"));
        const QString to = QDir(dir.path()).filePath(QStringLiteral("to"));
        QCOMPARE(ops.rename(from, to).error, Error::Exists);
        QCOMPARE(ops.copyNew(from, to, {}).error, Error::Exists);
        QCOMPARE(BatchFiles::read(dir.path(), QStringLiteral("to")), QByteArray("to"));
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
        // Larger than one chunk of the copy.
        QByteArray big(9 * 1024 * 1024 + 17, '\0');
        for (int i = 0; i < big.size(); ++i)
            big[i] = char(i * 131 % 251);
        BatchFiles::write(source.path(), QStringLiteral("a big one.JPG"), big);
        BatchFiles::make(source.path(), {"c.jpeg"});
        const QDateTime taken = QDateTime::currentDateTime().addDays(-400);
        {
            QFile f(QDir(source.path()).filePath(QStringLiteral("a big one.JPG")));
            f.open(QIODevice::ReadWrite);
            f.setFileTime(taken, QFileDevice::FileModificationTime);
        }
        BatchMove move;
        int page = 4;
        int picture = 6;
        QCOMPARE(move.run(source.path(), BatchMove::sourceFiles(source.path()), album.path(), page, picture),
                 Outcome::AllMoved);
        QCOMPARE(BatchFiles::all(source.path()), QStringList());
        QCOMPARE(BatchFiles::all(album.path()), QStringList({"P4I5.JPG", "P5I0.jpg"}));
        QCOMPARE(BatchFiles::read(album.path(), QStringLiteral("P4I5.JPG")), big);
        QCOMPARE(BatchFiles::read(album.path(), QStringLiteral("P5I0.jpg")), QByteArray("c.jpeg"));
        QCOMPARE(QFileInfo(QDir(album.path()).filePath(QStringLiteral("P4I5.JPG"))).lastModified().toSecsSinceEpoch(),
                 taken.toSecsSinceEpoch());
#else
        QSKIP("device ids are read the Unix way");
#endif
    }
};

KOLUMBRA_TEST(BatchMoveTest)
#include "BatchMoveTest.moc"
