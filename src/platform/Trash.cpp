#include "platform/Trash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace Trash {

namespace {

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
// The home trash of the freedesktop desktops: files/ holds what was trashed,
// info/ a note of where each came from.
QString homeTrash()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("Trash"));
}

// Qt does not make a missing data folder for the home trash, and then moves
// the file into files/ and info/ of the working folder instead; and it waits
// forever for an info/ that refuses new files. So the home trash is set up
// here first, and without one that can take a file nothing is trashed.
bool homeTrashReady()
{
    const QString trash = homeTrash();
    const QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
    if (!QDir().mkpath(QFileInfo(trash).path()))
        return false;
    for (const QString &dir : {trash, trash + QStringLiteral("/files"), trash + QStringLiteral("/info")}) {
        if (!QFileInfo(dir).isDir() && !QDir().mkdir(dir, ownerOnly))
            return false;
        const QFileInfo made(dir);
        if (!made.isDir() || !made.isWritable())
            return false;
    }
    return true;
}

// The note the trash keeps beside a file in files/.
QString infoFileOf(const QString &pathInTrash)
{
    const QFileInfo trashed(pathInTrash);
    QDir trash = trashed.dir();
    if (trash.dirName() != QLatin1String("files") || !trash.cdUp())
        return {};
    return trash.filePath(QStringLiteral("info/") + trashed.fileName() + QStringLiteral(".trashinfo"));
}
#endif

}  // namespace

std::optional<QString> moveToTrash(const QString &path)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    if (!homeTrashReady())
        return std::nullopt;
#endif
    QString pathInTrash;
    if (!QFile::moveToTrash(path, &pathInTrash))
        return std::nullopt;
    return pathInTrash;
}

bool putBack(const QString &pathInTrash, const QString &originalPath)
{
    if (!QFile::rename(pathInTrash, originalPath))
        return false;
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    // Without its file, the note would show the file manager a trashed file
    // that is not there.
    const QString info = infoFileOf(pathInTrash);
    if (!info.isEmpty())
        QFile::remove(info);
#endif
    return true;
}

Result discard(const QString &path)
{
    if (moveToTrash(path))
        return {};
    QFile file(path);
    if (file.remove())
        return {};
    return Result{false, file.errorString()};
}

}  // namespace Trash
