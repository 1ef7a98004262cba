// Feeds arbitrary bytes to the picture decoding and to every fitting rule
// that takes a picture's size: nothing may crash, hang, or come out of the
// arithmetic as a box outside its bounds.

#include "albumpage/ThumbLayout.h"
#include "albumpage/ViewerPreview.h"
#include "albumstore/PictureHeader.h"
#include "albumstore/PictureLoader.h"
#include "display/PictureFit.h"
#include "slideshow/SlideFit.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImageReader>

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool ok)
{
    if (!ok)
        __builtin_trap();
}

void fitEverywhere(const QSize &natural)
{
    for (const double scale : {1.0, 1.6, 3.0}) {
        for (int n = 1; n <= 6; ++n) {
            const ThumbLayout::UnitRect r = ThumbLayout::thumbRect(n, natural, scale, scale);
            check(std::isfinite(r.width) && std::isfinite(r.height) && r.width >= 0 && r.height >= 0);
            check(r.width <= ThumbLayout::kBoxWidth * scale + 1e-6
                  && r.height <= ThumbLayout::kBoxHeight * scale + 1e-6);
        }
    }
    const QRectF big = PictureFit::sizePicture(natural, QSizeF(638, 458), QSizeF(646, 490));
    check(std::isfinite(big.width()) && std::isfinite(big.height()) && big.height() <= 458 + 1e-6);
    const QRectF preview = ViewerPreview::fit(natural);
    check(preview.isNull()
          || (preview.width() <= ViewerPreview::kSquareTwips + 1e-6
              && preview.height() <= ViewerPreview::kSquareTwips + 1e-6));
    const QRect slide = SlideFit::slideRect(natural, QSize(1920, 1080));
    check(slide.width() <= 1921 && slide.height() <= 1081);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    const DecodedPicture thumb = PictureLoader::decodeData(
        bytes, [](const QSize &natural) { return ThumbLayout::thumbPixelSize(natural, 1.0, 1.0); });
    if (thumb.isNull())
        return 0;
    check(thumb.naturalSize.isValid());
    // Whatever decodes as a JPEG or a bitmap, the header reading that decides
    // the budget (and what the batch moves) read the size the decoder read.
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    const PictureHeader header = PictureHeader::read(buffer);
    if (header.format != PictureHeader::Format::Unknown) {
        QImageReader reader(&buffer);
        const QSize stored = reader.size();
        check(header.size == QSize(stored.width(), std::abs(stored.height())));
    }
    check(thumb.image.width() <= std::max(154, thumb.naturalSize.width()));
    fitEverywhere(thumb.naturalSize);
    fitEverywhere(thumb.naturalSize.transposed());
    return 0;
}
