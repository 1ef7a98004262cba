#include "albumstore/ProgramFolder.h"

#include "albumstore/AlbumStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ProgramFolder {

QString choose(const QString &commandLineFolder, const QString &executableDir, const QString &userDataDir)
{
    if (!commandLineFolder.isEmpty())
        return QDir(commandLineFolder).absolutePath();
    const QFileInfo placeholder(QDir(executableDir).filePath(AlbumStore::placeholderName()));
    if (placeholder.exists() && AlbumStore(executableDir).isWritable())
        return QDir(executableDir).absolutePath();
    return QDir(userDataDir).absolutePath();
}

QString installationDir(const QString &executableDir)
{
    const QDir beside(executableDir);
    if (beside.exists(AlbumStore::placeholderName()))
        return beside.absolutePath();
    return QDir::cleanPath(beside.absoluteFilePath(QStringLiteral("../share/kolumbra")));
}

bool prepare(const QString &programFolder, const QString &installationDir)
{
    if (!QDir().mkpath(programFolder))
        return false;
    const QDir from(installationDir);
    const QDir to(programFolder);
    if (from.absolutePath() == to.absolutePath())
        return true;
    for (const QString &name : AlbumStore::deliveredFiles()) {
        if (to.exists(name) || !from.exists(name))
            continue;
        // An installed copy may be read-only; the program folder's own copy
        // belongs to the user.
        if (QFile::copy(from.filePath(name), to.filePath(name)))
            QFile::setPermissions(to.filePath(name), QFile::permissions(to.filePath(name)) | QFile::WriteOwner);
    }
    return true;
}

}  // namespace ProgramFolder
