#include "albumstore/PictureLoader.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageIOHandler>
#include <QImageReader>

#include <cmath>

namespace PictureLoader {

namespace {

void configure(QImageReader &reader)
{
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    reader.setAllocationLimit(kAllocationLimitMB);
}

// The size from the header. Top-down bitmaps report a negative height.
QSize headerSize(QImageReader &reader)
{
    const QSize s = reader.size();
    return s == QSize() ? s : QSize(std::abs(s.width()), std::abs(s.height()));
}

// A palette picture whose pixels name colours its palette does not have
// (a damaged bitmap) would send every later conversion reading past the
// palette; the missing colours are black.
void completeColourTable(QImage &image)
{
    const int needed = image.depth() <= 8 ? (1 << image.depth()) : 0;
    if (needed == 0 || image.colorCount() >= needed)
        return;
    QList<QRgb> table = image.colorTable();
    table.resize(needed, qRgb(0, 0, 0));
    image.setColorTable(table);
}

bool turnsSideways(const QImageReader &reader)
{
    return reader.transformation() & QImageIOHandler::TransformationRotate90;
}

}  // namespace

QSize fittedSize(const QSize &size, const QSize &bound)
{
    if (size.isEmpty() || bound.isEmpty())
        return {};
    return size.scaled(bound, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

QSize naturalSize(const QString &path)
{
    QImageReader reader(path);
    configure(reader);
    const QSize stored = headerSize(reader);
    if (!stored.isValid() || stored.isEmpty())
        return {};
    return turnsSideways(reader) ? stored.transposed() : stored;
}

namespace {

DecodedPicture decodeWith(QImageReader &reader, const QString &path, const TargetSize &targetFor)
{
    DecodedPicture result;
    result.path = path;
    configure(reader);
    const QSize stored = headerSize(reader);
    if (!stored.isValid() || stored.isEmpty())
        return result;
    const bool sideways = turnsSideways(reader);
    const QSize upright = sideways ? stored.transposed() : stored;

    const QSize target = targetFor ? targetFor(upright) : QSize();
    const bool smaller = !target.isEmpty() && target.width() < upright.width() && target.height() < upright.height();
    // Readers that cannot scale while decoding are left to decode in full and
    // scaled here, once the picture is known to be whole.
    const bool scaleHere = smaller && !reader.supportsOption(QImageIOHandler::ScaledSize);
    if (smaller && !scaleHere) {
        // The reader scales before it turns the picture upright.
        reader.setScaledSize(sideways ? target.transposed() : target);
    }
    // A damaged palette picture can end before all its pixels are read; the
    // reader then leaves the rest as it found them, so they start as colour 0
    // rather than whatever the memory held.
    QImage image;
    const QImage::Format expected = reader.imageFormat();
    if (!smaller || scaleHere) {
        const qint64 bits = expected == QImage::Format_Invalid ? 0 : QImage::toPixelFormat(expected).bitsPerPixel();
        const qint64 bytes = qint64(stored.width()) * stored.height() * bits / 8;
        if (bits > 0 && bits <= 8 && bytes <= qint64(kAllocationLimitMB) * 1024 * 1024) {
            image = QImage(stored, expected);
            image.fill(0);
        }
    }
    if (!reader.read(&image) || image.isNull())
        return result;
    completeColourTable(image);
    if (scaleHere)
        image = image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    result.image = std::move(image);
    result.naturalSize = upright;
    return result;
}

}  // namespace

DecodedPicture decode(const QString &path, const TargetSize &targetFor)
{
    QImageReader reader(path);
    return decodeWith(reader, path, targetFor);
}

DecodedPicture decodeData(const QByteArray &data, const TargetSize &targetFor)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return decodeWith(reader, QString(), targetFor);
}

DecodedPicture decodeFitted(const QString &path, const QSize &bound)
{
    return decode(path, [bound](const QSize &natural) { return fittedSize(natural, bound); });
}

DecodedPicture decodeLastThatLoads(const QStringList &candidates, const TargetSize &targetFor)
{
    for (auto it = candidates.crbegin(); it != candidates.crend(); ++it) {
        if (!QFileInfo::exists(*it))
            continue;
        DecodedPicture picture = decode(*it, targetFor);
        if (!picture.isNull())
            return picture;
    }
    return {};
}

}  // namespace PictureLoader
