#include "albumstore/SourceFolders.h"

#include <QDir>
#include <QStorageInfo>

#include <algorithm>

namespace SourceFolders {

namespace {

bool isSystemMount(const QString &root)
{
    for (const char *prefix : {"/proc", "/sys", "/dev", "/snap", "/boot"}) {
        if (root.startsWith(QLatin1String(prefix)))
            return true;
    }
    return root.startsWith(QLatin1String("/run")) && !root.startsWith(QLatin1String("/run/media"));
}

}  // namespace

QList<Drive> drives()
{
    const QString home = QDir::homePath();
    QList<Drive> list{{QStringLiteral("Home (%1)").arg(QDir::toNativeSeparators(home)), home}};
    const QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
    for (const QStorageInfo &volume : volumes) {
        const QString root = volume.rootPath();
        if (!volume.isValid() || !volume.isReady() || isSystemMount(root))
            continue;
        const QString name = volume.displayName();
        const QString shownRoot = QDir::toNativeSeparators(root);
        list.append({name == root ? shownRoot : QStringLiteral("%1 (%2)").arg(name, shownRoot), root});
    }
    return list;
}

void sortByName(QStringList &names)
{
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int c = QString::compare(a, b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
}

QStringList subfolders(const QString &folder)
{
    QStringList names = QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort);
    sortByName(names);
    return names;
}

QStringList pathFromRoot(const QString &folder)
{
    QStringList chain;
    for (QDir d(folder);;) {
        chain.prepend(d.absolutePath());
        if (d.isRoot() || !d.cdUp())
            break;
    }
    return chain;
}

}  // namespace SourceFolders
