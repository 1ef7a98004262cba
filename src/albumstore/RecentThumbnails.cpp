#include "albumstore/RecentThumbnails.h"

#include <QFileInfo>

RecentThumbnails::RecentThumbnails(int maxKiB)
    : m_cache(maxKiB)
{
}

QString RecentThumbnails::keyFor(const QStringList &candidates, const QString &scale)
{
    QString key;
    for (const QString &path : candidates) {
        const QFileInfo info(path);
        if (!info.exists())
            continue;
        key += path + QLatin1Char('|') + QString::number(info.size()) + QLatin1Char('|')
            + QString::number(info.lastModified().toMSecsSinceEpoch()) + QLatin1Char('\n');
    }
    return key.isEmpty() ? key : key + scale;
}

const DecodedPicture *RecentThumbnails::find(const QString &key) const
{
    return key.isEmpty() ? nullptr : m_cache.object(key);
}

void RecentThumbnails::insert(const QString &key, const DecodedPicture &picture)
{
    if (key.isEmpty() || picture.isNull())
        return;
    const qsizetype kib = std::max<qsizetype>(1, picture.image.sizeInBytes() / 1024);
    m_cache.insert(key, new DecodedPicture(picture), kib);
}

void RecentThumbnails::clear()
{
    m_cache.clear();
}
