#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What a user may pick a folder of pictures from: the home folder and the
// mounted drives, and the folders inside a folder.
namespace SourceFolders {

struct Drive
{
    QString caption;
    QString root;
};

// The home folder first, then every mounted drive that holds files of its
// users (no system mounts such as /proc).
QList<Drive> drives();

// The visible subfolders of `folder`, in ascending order of name with letter
// case ignored.
QStringList subfolders(const QString &folder);

// Sorts names in ascending order with letter case ignored, as folder lists
// show them.
void sortByName(QStringList &names);

// The folders from the root down to `folder`, `folder` last.
QStringList pathFromRoot(const QString &folder);

}  // namespace SourceFolders
