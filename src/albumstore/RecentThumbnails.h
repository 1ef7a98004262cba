#pragma once

#include "albumstore/PictureLoader.h"

#include <QCache>
#include <QString>
#include <QStringList>

// Thumbnails shown in this run, kept in memory, so that going back to a page
// just seen costs no decoding nor reading. The key covers every file of the
// position (name, size, time of change to the millisecond), so a picture
// replaced on disk is never shown stale. (Between runs the desktop keeps
// thumbnails: DesktopThumbnails.)
class RecentThumbnails
{
public:
    explicit RecentThumbnails(int maxKiB = 64 * 1024);

    // The key for a position looked up under candidates, drawn at the given
    // scale; empty when none of the candidates exists.
    static QString keyFor(const QStringList &candidates, const QString &scale);

    const DecodedPicture *find(const QString &key) const;
    void insert(const QString &key, const DecodedPicture &picture);
    void clear();

private:
    QCache<QString, DecodedPicture> m_cache;
};
