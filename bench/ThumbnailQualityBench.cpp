#include "Bench.h"
#include "BenchPictures.h"

#include "albumstore/DesktopThumbnails.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QImageReader>

#include <cmath>

namespace {

// The thumbnail as QImageReader alone makes it: the decoder's own reduced
// decode, then its smooth scaling to the size asked for.
QImage readerThumbnail(const QString &path, const QSize &bound)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QSize stored = reader.size();
    const bool sideways = reader.transformation() & QImageIOHandler::TransformationRotate90;
    const QSize upright = sideways ? stored.transposed() : stored;
    QSize target = PictureLoader::fittedSize(upright, bound);
    if (target.width() < upright.width() && target.height() < upright.height())
        reader.setScaledSize(sideways ? target.transposed() : target);
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

struct Difference
{
    double psnr = INFINITY;  // dB over all three colours
    int largest = 0;         // the largest difference of one colour of one pixel
};

Difference compare(const QImage &a, const QImage &b)
{
    Difference d;
    if (a.size() != b.size())
        return Difference{0, 255};
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    double squares = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto *p = reinterpret_cast<const QRgb *>(x.constScanLine(row));
        const auto *q = reinterpret_cast<const QRgb *>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col) {
            for (const int e :
                 {qRed(p[col]) - qRed(q[col]), qGreen(p[col]) - qGreen(q[col]), qBlue(p[col]) - qBlue(q[col])}) {
                squares += double(e) * e;
                d.largest = std::max(d.largest, std::abs(e));
            }
        }
    }
    const double mse = squares / (3.0 * x.width() * x.height());
    d.psnr = mse == 0 ? INFINITY : 10 * std::log10(255.0 * 255.0 / mse);
    return d;
}

void qualityFigures()
{
    TestEnvironment env;
    QStringList files = BenchPictures::photos(2, QSize(6000, 4000));
    const QDir data(QStringLiteral(KOLUMBRA_TESTDATA));
    for (const char *name :
         {"libjpeg-turbo-testimages/testorig.jpg", "libjpeg-turbo-testimages/vgl_6434_0018a.bmp",
          "jpeg-mozilla-reftest/jpg-progressive.jpg", "jpeg-mozilla-reftest/jpg-gray.jpg",
          "jpeg-mozilla-reftest/jpg-cmyk-1.jpg", "pillow-hopper-samples/hopper.bmp", "bmpsuite-2.8/g/rgb24.bmp"}) {
        if (data.exists(QLatin1String(name)))
            files << data.filePath(QLatin1String(name));
    }
    const QSize bound(153, 153);
    Difference decoded;
    Difference cached;
    for (const QString &path : files) {
        const QImage reference = readerThumbnail(path, bound);
        const auto target = [bound](const QSize &natural) { return PictureLoader::fittedSize(natural, bound); };
        const Difference first = compare(reference, DesktopThumbnails::decode(path, target).image);
        DesktopThumbnails::waitForWrites();
        const Difference again = compare(reference, DesktopThumbnails::decode(path, target).image);
        decoded.psnr = std::min(decoded.psnr, first.psnr);
        decoded.largest = std::max(decoded.largest, first.largest);
        cached.psnr = std::min(cached.psnr, again.psnr);
        cached.largest = std::max(cached.largest, again.largest);
    }
    Bench::report(QStringLiteral("thumbnail_pictures_compared"), files.size(), QStringLiteral("files"));
    Bench::report(QStringLiteral("thumbnail_decoded_least_psnr_db"), decoded.psnr, QStringLiteral("dB"));
    Bench::report(QStringLiteral("thumbnail_decoded_largest_difference"), decoded.largest, QStringLiteral("of 255"));
    Bench::report(QStringLiteral("thumbnail_cached_least_psnr_db"), cached.psnr, QStringLiteral("dB"));
    Bench::report(QStringLiteral("thumbnail_cached_largest_difference"), cached.largest, QStringLiteral("of 255"));
}

}  // namespace

KOLUMBRA_BENCH(ThumbnailQuality, qualityFigures)
