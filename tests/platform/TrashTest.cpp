#include "platform/Trash.h"
#include "support/TestMain.h"
#include "support/TrashFolder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

QString write(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
    return path;
}

QByteArray read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What Qt leaves in the working folder when it finds no home trash.
bool workingFolderUntouched()
{
    return !QDir::current().exists(QStringLiteral("files")) && !QDir::current().exists(QStringLiteral("info"));
}

}  // namespace

// The desktop's trash: what it takes, what it records, and where there is
// none.
class TrashTest : public QObject
{
    Q_OBJECT

private slots:
    // Same names trashed twice are both kept; the data folder is made when
    // missing, instead of Qt's filing into the working folder.
    void filesAndFoldersKeepTheirContentAndOrigin()
    {
        QTemporaryDir albums;
        TrashFolder trash;
        const QString first = write(albums.filePath(QStringLiteral("Summer/P1I0.jpg")), "first");
        const QString second = write(albums.filePath(QStringLiteral("Winter/P1I0.jpg")), "second");
        const QString folder = albums.filePath(QStringLiteral("Spring"));
        write(folder + QStringLiteral("/P2I5.bmp"), "spring");

        const std::optional<QString> firstInTrash = Trash::moveToTrash(first);
        QCOMPARE(firstInTrash, std::optional<QString>(trash.path() + QStringLiteral("/files/P1I0.jpg")));
        QVERIFY(Trash::moveToTrash(second));
        QVERIFY(Trash::moveToTrash(folder));

        QVERIFY(!QFileInfo::exists(first));
        QVERIFY(!QFileInfo::exists(second));
        QVERIFY(!QFileInfo::exists(folder));
        QCOMPARE(trash.files(), QStringList({"P1I0.jpg", "P1I0.jpg-0001", "Spring"}));
        QCOMPARE(trash.contents(QStringLiteral("P1I0.jpg")), QByteArray("first"));
        QCOMPARE(trash.contents(QStringLiteral("P1I0.jpg-0001")), QByteArray("second"));
        QCOMPARE(trash.contents(QStringLiteral("Spring/P2I5.bmp")), QByteArray("spring"));
        QCOMPARE(trash.originalPaths(), QStringList({folder, first, second}));
        QVERIFY(workingFolderUntouched());
    }

    void putBackUndoesTheTrash()
    {
        QTemporaryDir albums;
        TrashFolder trash;
        const QString picture = write(albums.filePath(QStringLiteral("P3I2.jpg")), "kept");
        const std::optional<QString> inTrash = Trash::moveToTrash(picture);
        QVERIFY(inTrash);
        QVERIFY(Trash::putBack(*inTrash, picture));
        QCOMPARE(read(picture), QByteArray("kept"));
        QCOMPARE(trash.files(), QStringList());
        QCOMPARE(trash.originalPaths(), QStringList());

        // A name taken meanwhile is not overwritten.
        const std::optional<QString> again = Trash::moveToTrash(picture);
        QVERIFY(again);
        write(picture, "newer");
        QVERIFY(!Trash::putBack(*again, picture));
        QCOMPARE(read(picture), QByteArray("newer"));
        QCOMPARE(trash.contents(QStringLiteral("P3I2.jpg")), QByteArray("kept"));
    }

    // No home trash can be made: nothing is trashed, nothing lands in the
    // working folder, and discarding deletes as before.
    void withoutATrashDiscardDeletes()
    {
        QTemporaryDir albums;
        TrashFolder trash;
        trash.block();
        const QString picture = write(albums.filePath(QStringLiteral("P1I1.jpg")), "x");
        QCOMPARE(Trash::moveToTrash(picture), std::nullopt);
        QCOMPARE(read(picture), QByteArray("x"));
        QVERIFY(workingFolderUntouched());

        QVERIFY(Trash::discard(picture).ok);
        QVERIFY(!QFileInfo::exists(picture));
        const Trash::Result missing = Trash::discard(picture);
        QVERIFY(!missing.ok);
        QVERIFY(!missing.error.isEmpty());
    }

    // An album on another disk: the trash at that disk's top, as file
    // managers use it; where none can be made there, no trash at all, since
    // the home trash cannot take a file across disks.
    void anotherDiskHasItsOwnTrashOrNone()
    {
#ifdef Q_OS_LINUX
        QTemporaryDir disk;
        if (QProcess::execute(QStringLiteral("mount"), {"-t", "tmpfs", "-o", "size=1m", "tmpfs", disk.path()}) != 0)
            QSKIP("cannot mount a file system here");
        const auto unmount = qScopeGuard([&disk] { QProcess::execute(QStringLiteral("umount"), {disk.path()}); });
        TrashFolder trash;
        const QString topTrash = disk.filePath(QStringLiteral(".Trash-%1").arg(::getuid()));

        const QString picture = write(disk.filePath(QStringLiteral("Album/P1I0.jpg")), "on the other disk");
        QCOMPARE(Trash::moveToTrash(picture), std::optional<QString>(topTrash + QStringLiteral("/files/P1I0.jpg")));
        QCOMPARE(read(topTrash + QStringLiteral("/files/P1I0.jpg")), QByteArray("on the other disk"));
        QVERIFY(read(topTrash + QStringLiteral("/info/P1I0.jpg.trashinfo"))
                    .contains("\nPath=" + QFile::encodeName(picture) + "\n"));
        QCOMPARE(trash.files(), QStringList());

        QVERIFY(QDir(topTrash).removeRecursively());
        write(topTrash, "a file where the trash would be");
        const QString other = write(disk.filePath(QStringLiteral("Album/P1I1.jpg")), "y");
        QCOMPARE(Trash::moveToTrash(other), std::nullopt);
        QCOMPARE(read(other), QByteArray("y"));
        QVERIFY(Trash::discard(other).ok);
        QVERIFY(!QFileInfo::exists(other));
        QCOMPARE(trash.files(), QStringList());
#else
        QSKIP("mounts a Linux tmpfs");
#endif
    }
};

KOLUMBRA_TEST(TrashTest)
#include "TrashTest.moc"
