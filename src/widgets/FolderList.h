#pragma once

#include <QString>

class QListWidget;

namespace FolderList {

// Fills a folder list the way both folder pickers show it: the way down from
// the root to `folder` (opened, the last one current), then the folder's own
// visible folders a step further in. Each entry keeps its full path in
// Qt::UserRole.
void show(QListWidget *list, const QString &folder);

}  // namespace FolderList
