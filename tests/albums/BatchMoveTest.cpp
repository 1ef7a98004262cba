#include "albums/BatchFiles.h"

#include "albums/BatchMove.h"
#include "albums/FileOperations.h"
#include "support/TestMain.h"

#include <QFileInfo>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

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
            out.write(victim.toUtf8().left(victim.size() / 2));
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
    void targetNames_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("target");
        QTest::newRow("jpeg is shortened") << "photo.jpeg"
                                           << "P1I0.jpg";
        QTest::newRow("JPEG in capitals") << "PHOTO.JPEG"
                                          << "P1I0.JPG";
        QTest::newRow("four letters keep their dot") << "scan.tiff"
                                                     << "P1I0.tiff";
        QTest::newRow("last dot counts") << "trip.2024.v2.jpg"
                                         << "P1I0.jpg";
        QTest::newRow("no extension") << "README"
                                      << "P1I0";
        QTest::newRow("trailing dot") << "odd."
                                      << "P1I0";
    }

    void targetNames()
    {
        QFETCH(QString, source);
        QTEST(BatchMove::targetName(source, 1, 1), "target");
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
            << "b.jpg" << firstOnly << "Its copy came out 2 bytes long instead of 5.";
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
        r.ops.victimTarget = BatchMove::targetName(r.ops.victim, victim / 6 + 1, victim % 6 + 1);
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
        QCOMPARE(BatchFiles::read(album.path(), QStringLiteral("P4I5.JPG")), big);
        const QFileInfo copy(QDir(album.path()).filePath(QStringLiteral("P4I5.JPG")));
        QCOMPARE(copy.lastModified().toSecsSinceEpoch(), taken.toSecsSinceEpoch());
    }
};

KOLUMBRA_TEST(BatchMoveTest)
#include "BatchMoveTest.moc"
