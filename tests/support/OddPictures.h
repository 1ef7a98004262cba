#pragma once

#include <QByteArray>
#include <QList>
#include <QSize>
#include <QString>

// Picture files made on the spot for tests and benchmarks: real JPEGs and
// bitmaps, and the same with a header that claims another size than the data
// holds, as broken and hostile files do.
namespace OddPictures {

// A JPEG of `size` pixels of fine grain (so that it does not compress to
// nothing), baseline or progressive, in colour (4:2:0) or grey.
QByteArray jpeg(const QSize &size, bool progressive = false, bool grey = false);
// A JPEG of `size` pixels of smooth colour, as photos are mostly: quick to
// make and to decode at camera sizes.
QByteArray photo(const QSize &size, bool progressive = false);
// A Windows bitmap of `size`: 4 bits (two colours), 8 bits (greys) or 24 bits.
QByteArray bitmap(const QSize &size, int bitsPerPixel);
// An 8-bit run-length coded bitmap that declares `size` and holds nothing but
// its end code.
QByteArray emptyRleBitmap(const QSize &size);

// The same file with its header declaring `declared` instead (a JPEG's frame
// header, a bitmap's information header).
QByteArray declaring(QByteArray file, const QSize &declared);
// A JPEG coded as it says in its frame header marker: 0xC0 baseline, 0xC2
// progressive, 0xC9 arithmetic.
QByteArray withFrameMarker(QByteArray jpeg, int marker);

bool write(const QString &path, const QByteArray &bytes);

struct Named
{
    QString name;
    QByteArray bytes;
};

// Files whose headers claim far more than their data holds, each refused by
// the picture budget: the ones users met (a 613-byte progressive JPEG
// claiming 49157 x 27397, a 43 KB baseline one claiming 65000 x 65000, a
// 253-byte bitmap claiming 2554 x 18803) and their near relatives.
QList<Named> hostileHeaders();

}  // namespace OddPictures
