#include "albumstore/PictureLoader.h"

#include "albumstore/JpegDecoder.h"
#include "albumstore/PictureBudget.h"
#include "albumstore/PictureHeader.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageIOHandler>
#include <QImageReader>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace PictureLoader {

namespace {

// The decoders' own check, behind the budget: no single image they allocate
// may be larger than everything one decoding may take.
constexpr int kAllocationLimitMB = int(PictureBudget::kBytes >> 20);

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

QSize transposedIf(bool sideways, const QSize &size)
{
    return sideways ? size.transposed() : size;
}

// The picture turned the way its EXIF orientation says, as QImageReader turns
// it: mirrored and flipped first, then a quarter turn clockwise.
QImage turnedUpright(QImage image, QImageIOHandler::Transformations turn)
{
    const bool mirror = turn & QImageIOHandler::TransformationMirror;
    const bool flip = turn & QImageIOHandler::TransformationFlip;
    if (mirror || flip)
        image = std::move(image).mirrored(mirror, flip);
    if (turn & QImageIOHandler::TransformationRotate90)
        image = image.transformed(QTransform().rotate(90));
    return image;
}

enum class Size {
    Asked,            // what targetFor asks for
    LargestInBudget,  // the whole picture, or as much of it as the budget allows
};

// How a picture is decoded: the size the decoder is asked for, and the size
// the result is scaled to after that; both upright, empty for "as it is".
struct Plan
{
    QSize decodeTo;
    QSize result;
};

Plan planFor(const QSize &upright, const QSize &target)
{
    Plan plan;
    if (target.isEmpty())
        return plan;
    // A target in proportion with the picture (up to rounding) is met only
    // when it is smaller: a small picture is drawn larger by the window. One
    // whose thin side is thicker than the long side makes it is a thin
    // picture made thick enough to see; it is met exactly, from a decode no
    // larger than the picture.
    const bool wide = upright.width() >= upright.height();
    const double thin = wide ? double(target.width()) * upright.height() / upright.width()
                             : double(target.height()) * upright.width() / upright.height();
    const bool stretched = (wide ? target.height() : target.width()) > thin + 1;
    const QSize wanted = stretched ? target.boundedTo(upright) : target;
    if (wanted.width() < upright.width() && wanted.height() < upright.height())
        plan.decodeTo = wanted;
    plan.result = stretched ? target : plan.decodeTo;
    return plan;
}

// Decodes with the reader, into image; false when it does not decode.
bool readWith(QImageReader &reader, const PictureHeader &header, const QSize &stored, const Plan &plan, bool sideways,
              QImage &image)
{
    // Readers that cannot scale while decoding are left to decode in full and
    // scaled here, once the picture is known to be whole.
    const bool readerScales = reader.supportsOption(QImageIOHandler::ScaledSize);
    if (!plan.decodeTo.isEmpty() && readerScales) {
        // The reader scales before it turns the picture upright.
        reader.setScaledSize(transposedIf(sideways, plan.decodeTo));
    }
    // A damaged bitmap can end before all its pixels are read; the reader then
    // leaves the rest as it found them, so they start black rather than as
    // whatever the memory held.
    if (plan.decodeTo.isEmpty() || !readerScales) {
        const QImage::Format expected = reader.imageFormat();
        const int bits = expected == QImage::Format_Invalid ? 0 : QImage::toPixelFormat(expected).bitsPerPixel();
        if (bits > 0 && (bits <= 8 || header.format == PictureHeader::Format::Bitmap)) {
            image = QImage(stored, expected);
            image.fill(0);
        }
    }
    return reader.read(&image) && !image.isNull();
}

DecodedPicture decodeWith(QIODevice &device, const QString &path, const TargetSize &targetFor, Size size)
{
    DecodedPicture result;
    result.path = path;
    PictureHeader header = PictureHeader::read(device);
    QImageReader reader(&device);
    configure(reader);
    const QSize stored = headerSize(reader);
    if (!stored.isValid() || stored.isEmpty())
        return result;
    // The decoder works with the size it read itself.
    header.size = stored;
    const bool sideways = turnsSideways(reader);
    const bool turned = reader.transformation() != QImageIOHandler::TransformationNone;
    const QSize upright = transposedIf(sideways, stored);

    QSize target;
    if (size == Size::LargestInBudget) {
        const QSize largest = PictureBudget::largestWithin(header, turned);
        if (largest.isEmpty())
            return result;
        if (largest != stored)
            target = transposedIf(sideways, largest);
    } else if (targetFor) {
        target = targetFor(upright);
    }
    const Plan plan = planFor(upright, target);
    if (PictureBudget::judge(header, transposedIf(sideways, plan.result), turned) != PictureBudget::Verdict::Decode)
        return result;

    QImage image;
    if (header.format == PictureHeader::Format::Jpeg) {
        // Fed in large pieces, the JPEG library stays on its fast path, which
        // the reader's small buffer mostly keeps it off. What it does not
        // handle (CMYK) is left to the reader; what it cannot decode, the
        // reader cannot either.
        JpegDecoder::Result fast = JpegDecoder::decode(device, transposedIf(sideways, plan.decodeTo));
        if (fast.outcome == JpegDecoder::Outcome::Failed)
            return result;
        if (fast.outcome == JpegDecoder::Outcome::Decoded)
            image = turnedUpright(std::move(fast.image), reader.transformation());
    }
    if (image.isNull() && !readWith(reader, header, stored, plan, sideways, image))
        return result;
    completeColourTable(image);
    // Some decoders give more than their header declared (a GIF frame larger
    // than its screen): the picture is held to the size it was planned at.
    const QSize planned = plan.result.isEmpty() ? upright : plan.result;
    if (image.size() != planned)
        image = image.scaled(planned, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    result.image = std::move(image);
    result.naturalSize = upright;
    return result;
}

DecodedPicture decodeFile(const QString &path, const TargetSize &targetFor, Size size)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        DecodedPicture none;
        none.path = path;
        return none;
    }
    return decodeWith(file, path, targetFor, size);
}

}  // namespace

double thickened(double side, double least, double room)
{
    return std::min(room, std::max(side, least));
}

QSize fittedSize(const QSize &size, const QSize &bound)
{
    if (size.isEmpty() || bound.isEmpty())
        return {};
    const QSize fitted = size.scaled(bound, Qt::KeepAspectRatio);
    return QSize(int(thickened(fitted.width(), kThinnestSide, bound.width())),
                 int(thickened(fitted.height(), kThinnestSide, bound.height())))
        .expandedTo(QSize(1, 1));
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

DecodedPicture decode(const QString &path, const TargetSize &targetFor)
{
    return decodeFile(path, targetFor, Size::Asked);
}

DecodedPicture decodeData(const QByteArray &data, const TargetSize &targetFor)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    return decodeWith(buffer, QString(), targetFor, Size::Asked);
}

TargetSize fittedInside(const QSize &bound)
{
    return [bound](const QSize &natural) { return fittedSize(natural, bound); };
}

DecodedPicture decodeFitted(const QString &path, const QSize &bound)
{
    return decode(path, fittedInside(bound));
}

DecodedPicture decodeLargest(const QString &path)
{
    return decodeFile(path, {}, Size::LargestInBudget);
}

DecodedPicture decodeLastThatLoads(const QStringList &candidates, const TargetSize &targetFor, const Decoder &decoder)
{
    for (auto it = candidates.crbegin(); it != candidates.crend(); ++it) {
        if (!QFileInfo::exists(*it))
            continue;
        DecodedPicture picture = decoder(*it, targetFor);
        if (!picture.isNull())
            return picture;
    }
    return {};
}

QSize drawnSize(const QSize &upright, const QSize &target)
{
    const Plan plan = planFor(upright, target);
    return plan.result.isEmpty() ? upright : plan.result;
}

}  // namespace PictureLoader
