#include "Bench.h"

#include "albums/BatchMove.h"
#include "support/OddPictures.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStorageInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <vector>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

// A memory card's worth of camera pictures: 600 files of 5 MB, moved into an
// album on the same file system (renames) and onto another one (copies put on
// the disk), the latter against the shell's cp and rm of the same files.
namespace {

constexpr int kFiles = 600;
constexpr qint64 kFileSize = 5 * 1024 * 1024;
constexpr int kRuns = 3;
const QString kShm = QStringLiteral("/dev/shm");

QString fileName(int i)
{
    return QStringLiteral("DSC_%1.JPG").arg(i, 4, 10, QLatin1Char('0'));
}

QStringList fileNames()
{
    QStringList names;
    for (int i = 0; i < kFiles; ++i)
        names << fileName(i);
    return names;
}

void writeFiles(const QString &folder)
{
    QByteArray data(kFileSize, '\0');
    for (qint64 i = 0; i < kFileSize; ++i)
        data[i] = char((i * 2654435761u) >> 13);
    // A small JPEG first, so that the batch takes each file for a picture.
    const QByteArray start = OddPictures::jpeg(QSize(16, 16));
    data.replace(0, start.size(), start);
    for (int i = 0; i < kFiles; ++i) {
        // Each file differs from the others.
        std::memcpy(data.data() + start.size(), &i, sizeof i);
        QFile file(QDir(folder).filePath(fileName(i)));
        if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
            qFatal("cannot write %s", qPrintable(file.fileName()));
    }
}

void syncAll()
{
    QProcess::execute(QStringLiteral("sync"), {});
}

double timeBatchMove(const QString &source, const QString &album)
{
    BatchMove move;
    QStringList left = BatchMove::sourceFiles(source);
    QElapsedTimer t;
    t.start();
    // Ten pages hold sixty files; the rest go to further albums as a user
    // would have them, each its own folder.
    int albumNo = 0;
    while (!left.isEmpty()) {
        const QString folder = QDir(album).filePath(QStringLiteral("Album %1").arg(albumNo++));
        QDir().mkpath(folder);
        int page = 1;
        int picture = 1;
        const BatchMove::Outcome outcome = move.run(source, left, folder, page, picture);
        if (outcome == BatchMove::Outcome::Failed)
            qFatal("the move failed at %s: %s", qPrintable(move.failedFile()), qPrintable(move.failureReason()));
        left = left.mid(move.movedCount());
    }
    const double ms = t.nsecsElapsed() / 1e6;
    if (!QDir(source).isEmpty(QDir::Files))
        qFatal("files were left behind");
    return ms;
}

double timeShell(const QString &source, const QString &target, bool syncTarget)
{
    QStringList paths;
    for (const QString &name : fileNames())
        paths << QDir(source).filePath(name);
    QElapsedTimer t;
    t.start();
    if (QProcess::execute(QStringLiteral("cp"), paths + QStringList{target}) != 0)
        qFatal("cp failed");
    if (syncTarget && QProcess::execute(QStringLiteral("sync"), {QStringLiteral("-f"), target}) != 0)
        qFatal("sync failed");
    if (QProcess::execute(QStringLiteral("rm"), paths) != 0)
        qFatal("rm failed");
    return t.nsecsElapsed() / 1e6;
}

void removeAlbums(const QString &album)
{
    QDir(album).removeRecursively();
    QDir().mkpath(album);
}

void sameFileSystem()
{
    QTemporaryDir root;
    const QString source = QDir(root.path()).filePath(QStringLiteral("card"));
    const QString album = QDir(root.path()).filePath(QStringLiteral("albums"));
    QDir().mkpath(source);
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        removeAlbums(album);
        writeFiles(source);
        syncAll();
        times.push_back(timeBatchMove(source, album));
    }
    Bench::report(QStringLiteral("batch_move_600x5MB_same_fs"), Bench::median(times), QStringLiteral("ms"));
}

bool otherFileSystemAvailable(const QString &disk)
{
#ifdef Q_OS_UNIX
    struct stat a;
    struct stat b;
    return QFileInfo(kShm).isWritable() && ::stat(QFile::encodeName(disk).constData(), &a) == 0
        && ::stat(QFile::encodeName(kShm).constData(), &b) == 0 && a.st_dev != b.st_dev;
#else
    Q_UNUSED(disk);
    return false;
#endif
}

void across(const QString &label, const QString &sourceRoot, const QString &targetRoot)
{
    const QString source = QDir(sourceRoot).filePath(QStringLiteral("card"));
    const QString album = QDir(targetRoot).filePath(QStringLiteral("albums"));
    QDir().mkpath(source);
    std::vector<double> ours;
    std::vector<double> shell;
    std::vector<double> shellSynced;
    // The three take turns, each from files just written and with nothing
    // left to write back from the run before.
    for (int run = 0; run < kRuns; ++run) {
        for (int way = 0; way < 3; ++way) {
            removeAlbums(album);
            writeFiles(source);
            syncAll();
            if (way == 0)
                ours.push_back(timeBatchMove(source, album));
            else
                (way == 1 ? shell : shellSynced).push_back(timeShell(source, album, way == 2));
            syncAll();
        }
    }
    removeAlbums(album);
    const double o = Bench::median(ours);
    const double s = Bench::median(shell);
    const double ss = Bench::median(shellSynced);
    Bench::report(QStringLiteral("batch_move_600x5MB_%1").arg(label), o, QStringLiteral("ms"));
    Bench::report(QStringLiteral("cp_rm_600x5MB_%1").arg(label), s, QStringLiteral("ms"));
    Bench::report(QStringLiteral("cp_sync_rm_600x5MB_%1").arg(label), ss, QStringLiteral("ms"));
    Bench::report(QStringLiteral("batch_move_vs_cp_rm_%1").arg(label), o / s, QStringLiteral("x"));
    Bench::report(QStringLiteral("batch_move_vs_cp_sync_rm_%1").arg(label), o / ss, QStringLiteral("x"));
}

void acrossFileSystems()
{
    QTemporaryDir disk;
    if (!otherFileSystemAvailable(disk.path())) {
        std::printf("# batch move across file systems: /dev/shm is not another file system here\n");
        return;
    }
    QTemporaryDir shm(kShm + QStringLiteral("/kolumbra-bench-XXXXXX"));
    const qint64 needed = 2 * kFiles * kFileSize;
    if (QStorageInfo(kShm).bytesAvailable() < needed || QStorageInfo(disk.path()).bytesAvailable() < needed) {
        std::printf("# batch move across file systems: not enough room for %lld bytes\n", needed);
        return;
    }
    across(QStringLiteral("disk_to_tmpfs"), disk.path(), shm.path());
    across(QStringLiteral("tmpfs_to_disk"), shm.path(), disk.path());
}

}  // namespace

KOLUMBRA_BENCH(BatchMoveSameFileSystem, sameFileSystem)
KOLUMBRA_BENCH(BatchMoveAcrossFileSystems, acrossFileSystems)
