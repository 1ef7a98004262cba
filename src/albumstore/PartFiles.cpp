#include "albumstore/PartFiles.h"

#include "albumstore/AlbumStore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QRandomGenerator>

namespace PartFiles {

namespace {

const QString kEnding = QStringLiteral(".kolumbra-part");

// The partial files this program is writing. Every window and worker that
// writes into an album shares the one program, so the list is the program's.
struct Registry
{
    QMutex mutex;
    QHash<QString, int> writing;
};

Registry &registry()
{
    static Registry r;
    return r;
}

QString key(const QString &path)
{
    return QFileInfo(path).absoluteFilePath();
}

}  // namespace

QString nameFor(const QString &target)
{
    const QFileInfo info(target);
    return info.dir().filePath(QStringLiteral(".%1.%2%3")
                                   .arg(info.fileName())
                                   .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'))
                                   .arg(kEnding));
}

bool isPartName(const QString &fileName)
{
    return fileName.startsWith(QLatin1Char('.')) && fileName.endsWith(kEnding) && fileName.size() > kEnding.size() + 1;
}

Writing::Writing(const QString &path)
    : m_path(key(path))
{
    Registry &r = registry();
    const QMutexLocker lock(&r.mutex);
    ++r.writing[m_path];
}

Writing::~Writing()
{
    Registry &r = registry();
    const QMutexLocker lock(&r.mutex);
    if (--r.writing[m_path] <= 0)
        r.writing.remove(m_path);
}

int removeStale(const QString &folder)
{
    const QDir dir(folder);
    const QStringList names =
        dir.entryList({QStringLiteral("*") + kEnding}, QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    const QDateTime staleBefore = QDateTime::currentDateTimeUtc().addSecs(-kStaleAfterSeconds);
    int removed = 0;
    Registry &r = registry();
    for (const QString &name : names) {
        if (!isPartName(name))
            continue;
        const QString path = dir.filePath(name);
        const QMutexLocker lock(&r.mutex);
        if (r.writing.contains(key(path)))
            continue;
        const QDateTime written = QFileInfo(path).lastModified().toUTC();
        if (written.isValid() && written > staleBefore)
            continue;
        if (QFile::remove(path))
            ++removed;
    }
    return removed;
}

int removeStaleInAlbums(const AlbumStore &store)
{
    int removed = 0;
    const QStringList albums = store.albumNames();
    for (const QString &album : albums)
        removed += removeStale(store.albumFolder(album));
    return removed;
}

}  // namespace PartFiles
