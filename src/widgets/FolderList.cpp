#include "widgets/FolderList.h"

#include "albumstore/SourceFolders.h"

#include <QDir>
#include <QListWidget>
#include <QStyle>

namespace FolderList {

void show(QListWidget *list, const QString &folder)
{
    list->clear();
    const QIcon open = list->style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = list->style()->standardIcon(QStyle::SP_DirClosedIcon);
    int depth = 0;
    for (const QString &path : SourceFolders::pathFromRoot(folder)) {
        const QString name = QDir(path).isRoot() ? QDir::toNativeSeparators(path) : QDir(path).dirName();
        auto *item = new QListWidgetItem(open, QString(depth * 2, QLatin1Char(' ')) + name, list);
        item->setData(Qt::UserRole, path);
        ++depth;
    }
    list->setCurrentRow(list->count() - 1);
    const QDir dir(folder);
    for (const QString &name : SourceFolders::subfolders(folder)) {
        auto *item = new QListWidgetItem(closed, QString(depth * 2, QLatin1Char(' ')) + name, list);
        item->setData(Qt::UserRole, dir.filePath(name));
    }
}

}  // namespace FolderList
