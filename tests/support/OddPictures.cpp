#include "support/OddPictures.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QRandomGenerator>
#include <QtEndian>

namespace OddPictures {

namespace {

QImage grain(const QSize &size, QImage::Format format)
{
    QImage image(size, QImage::Format_RGB32);
    QRandomGenerator rng(size.width() * 7919 + size.height());
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = qRgb(int(rng.bounded(256)), int(rng.bounded(256)), int(rng.bounded(256)));
    }
    return image.convertToFormat(format);
}

QByteArray encode(const QImage &image, const char *format, bool progressive = false)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(90);
    writer.setProgressiveScanWrite(progressive);
    if (!writer.write(image))
        qFatal("cannot make a %s picture: %s", format, qPrintable(writer.errorString()));
    return bytes;
}

// Where the frame header's marker is: the markers before it are walked, so a
// marker-like pair of bytes in a segment is never taken for it.
qsizetype frameMarkerAt(const QByteArray &jpeg)
{
    qsizetype at = 2;
    while (at + 4 <= jpeg.size() && uchar(jpeg[at]) == 0xFF) {
        const int marker = uchar(jpeg[at + 1]);
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
            return at;
        at += 2 + qFromBigEndian<quint16>(jpeg.constData() + at + 2);
    }
    qFatal("no frame header in the JPEG");
    return -1;
}

}  // namespace

QByteArray jpeg(const QSize &size, bool progressive, bool grey)
{
    return encode(grain(size, grey ? QImage::Format_Grayscale8 : QImage::Format_RGB32), "jpeg", progressive);
}

QByteArray photo(const QSize &size, bool progressive)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = qRgb(x * 255 / size.width(), y * 255 / size.height(), (x / 64 + y / 64) % 2 * 128);
    }
    return encode(image, "jpeg", progressive);
}

QByteArray bitmap(const QSize &size, int bitsPerPixel)
{
    QImage image = grain(size, QImage::Format_RGB32);
    if (bitsPerPixel == 4)  // two colours are written with 4 bits
        image = image.convertToFormat(QImage::Format_Indexed8, {qRgb(0, 0, 0), qRgb(255, 255, 255)});
    if (bitsPerPixel == 8)
        image = image.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_Indexed8);
    return encode(image, "bmp");
}

QByteArray emptyRleBitmap(const QSize &size)
{
    QByteArray bytes(14 + 40 + 2 * 4 + 2, '\0');
    char *p = bytes.data();
    p[0] = 'B';
    p[1] = 'M';
    qToLittleEndian<quint32>(quint32(bytes.size()), p + 2);
    qToLittleEndian<quint32>(14 + 40 + 8, p + 10);
    qToLittleEndian<quint32>(40, p + 14);
    qToLittleEndian<qint32>(size.width(), p + 18);
    qToLittleEndian<qint32>(size.height(), p + 22);
    qToLittleEndian<quint16>(1, p + 26);
    qToLittleEndian<quint16>(8, p + 28);
    qToLittleEndian<quint32>(1, p + 30);  // RLE8
    qToLittleEndian<quint32>(2, p + 46);  // colours used
    qToLittleEndian<quint32>(0x00FFFFFF, p + 58);
    p[63] = 1;  // 00 01: the end of the picture
    return bytes;
}

QByteArray declaring(QByteArray file, const QSize &declared)
{
    if (file.startsWith("BM")) {
        qToLittleEndian<qint32>(declared.width(), file.data() + 18);
        qToLittleEndian<qint32>(declared.height(), file.data() + 22);
        return file;
    }
    const qsizetype at = frameMarkerAt(file);
    qToBigEndian<quint16>(quint16(declared.height()), file.data() + at + 5);
    qToBigEndian<quint16>(quint16(declared.width()), file.data() + at + 7);
    return file;
}

QByteArray withFrameMarker(QByteArray jpeg, int marker)
{
    jpeg[frameMarkerAt(jpeg) + 1] = char(marker);
    return jpeg;
}

bool write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QList<Named> hostileHeaders()
{
    const QByteArray tinyProgressive = jpeg(QSize(8, 8), true, true);
    const QByteArray smallBaseline = jpeg(QSize(208, 208));
    return {
        {QStringLiteral("progressive-49157x27397.jpg"), declaring(tinyProgressive, QSize(49157, 27397))},
        {QStringLiteral("baseline-65000x65000.jpg"), declaring(smallBaseline, QSize(65000, 65000))},
        {QStringLiteral("baseline-30000x20000.jpg"), declaring(smallBaseline, QSize(30000, 20000))},
        {QStringLiteral("progressive-12000x3000.jpg"), declaring(jpeg(QSize(64, 64), true), QSize(12000, 3000))},
        {QStringLiteral("arithmetic-20000x20000.jpg"),
         withFrameMarker(declaring(smallBaseline, QSize(20000, 20000)), 0xC9)},
        {QStringLiteral("palette-2554x18803.bmp"), declaring(bitmap(QSize(12, 12), 4), QSize(2554, 18803))},
        {QStringLiteral("colour-20000x20000.bmp"), declaring(bitmap(QSize(12, 12), 24), QSize(20000, 20000))},
        {QStringLiteral("rle-7000x7000.bmp"), emptyRleBitmap(QSize(7000, 7000))},
    };
}

}  // namespace OddPictures
