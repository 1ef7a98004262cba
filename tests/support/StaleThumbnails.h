#pragma once

#include "albumstore/DesktopThumbnails.h"

#include <QColor>
#include <QDateTime>
#include <QFile>
#include <QImage>

// A picture file replaced by another of the same size and time, as a write
// within the same second leaves it: only the program forgetting the old
// thumbnail keeps the cache from drawing the old picture. The pictures are
// 64 x 40 bitmaps of one colour, 7734 bytes whatever the colour.
namespace StaleThumbnails {

// 2020-01-02 03:04:05 UTC, the time every picture here is given.
inline QDateTime changed()
{
    return QDateTime::fromSecsSinceEpoch(1577934245);
}

inline bool setChanged(const QString &path, const QDateTime &when = changed())
{
    QFile file(path);
    return file.open(QIODevice::ReadWrite) && file.setFileTime(when, QFileDevice::FileModificationTime);
}

inline QColor centreOf(const QImage &image)
{
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

inline QImage filled(const QColor &colour)
{
    QImage image(64, 40, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Writes a picture of one colour at path, with the time above.
inline bool put(const QString &path, const QColor &colour)
{
    return filled(colour).save(path, "BMP") && setChanged(path);
}

// The colour of the picture at path as a window draws it small, through the cache.
inline QColor drawn(const QString &path)
{
    return centreOf(DesktopThumbnails::decode(path, PictureLoader::fittedInside(QSize(150, 150))).image);
}

inline bool isRed(const QColor &c)
{
    return c.red() > 200 && c.green() < 60 && c.blue() < 60;
}

inline bool isBlue(const QColor &c)
{
    return c.blue() > 200 && c.red() < 60 && c.green() < 60;
}

// A red picture at path whose thumbnail the cache holds, written out.
inline bool drawnRed(const QString &path)
{
    if (!put(path, Qt::red) || !isRed(drawn(path)))
        return false;
    DesktopThumbnails::waitForWrites();
    return true;
}

}  // namespace StaleThumbnails
