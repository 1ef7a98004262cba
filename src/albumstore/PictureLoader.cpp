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

bool turnsSideways(const QImageReader &reader)
{
    return reader.transformation() & QImageIOHandler::TransformationRotate90;
}

} // namespace

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
    if (!target.isEmpty() && target.width() < upright.width() && target.height() < upright.height()) {
        // The reader scales before it turns the picture upright.
        reader.setScaledSize(sideways ? target.transposed() : target);
    }
    QImage image = reader.read();
    if (image.isNull())
        return result;
    result.image = std::move(image);
    result.naturalSize = upright;
    return result;
}

} // namespace

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

} // namespace PictureLoader
