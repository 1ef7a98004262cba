#include "albumpage/ThumbLayout.h"

#include "albumstore/PictureLoader.h"

#include <algorithm>
#include <cmath>

namespace ThumbLayout {

UnitRect thumbRect(int n, const QSize &natural, double pageScaleX, double pageScaleY)
{
    // One factor for both sides keeps every picture in proportion and inside
    // its row also when the page is not the design shape (a maximised window
    // on a wide screen); for a page of the design shape this is the page scale
    // itself.
    const double scale = std::min(pageScaleX, pageScaleY);
    const int w = natural.width();
    const int h = natural.height();
    UnitRect r;
    if (h > w) {
        const double ratio = double(w) / double(h);
        r.height = kBoxHeight * scale;
        r.width = ratio * kBoxWidth * scale;
    } else if (w > h) {
        const double ratio = double(h) / double(w);
        r.height = ratio * kBoxHeight * scale;
        r.width = kBoxWidth * scale;
    } else {
        r.height = kBoxHeight * scale;
        r.width = kBoxWidth * scale;
    }
    // A very thin picture keeps a few pixels across, so that it can be seen
    // and clicked.
    const double thinnest = PictureLoader::kThinnestSide * scale;
    r.width = PictureLoader::thickened(r.width, thinnest / kPixelsPerUnitX, kBoxWidth * scale);
    r.height = PictureLoader::thickened(r.height, thinnest / kPixelsPerUnitY, kBoxHeight * scale);
    r.top = pageScaleY * kThumbCentreY.at(n) - r.height / 2.0;
    r.left = pageScaleX * kThumbCentreX.at(n) - r.width / 2.0;
    return r;
}

QRectF toPixels(const UnitRect &r)
{
    return QRectF(r.left * kPixelsPerUnitX, r.top * kPixelsPerUnitY, r.width * kPixelsPerUnitX,
                  r.height * kPixelsPerUnitY);
}

double unitsFromPixelsX(double pixels)
{
    return pixels / kPixelsPerUnitX;
}

double unitsFromPixelsY(double pixels)
{
    return pixels / kPixelsPerUnitY;
}

QSize thumbPixelSize(const QSize &natural, double pageScaleX, double pageScaleY)
{
    const QRectF px = toPixels(thumbRect(1, natural, pageScaleX, pageScaleY));
    // 242.089 units are 153.0002 pixels: a hair over is no reason for a wider decode.
    return QSize(int(std::ceil(px.width() - 1e-3)), int(std::ceil(px.height() - 1e-3)));
}

QSizeF correctedOuterSize(const QSizeF &outer, double widthChange, double heightChange)
{
    QSizeF size = outer;
    if (std::abs(widthChange) <= std::abs(heightChange)) {
        size.setHeight(std::max(size.height(), kMinOuterHeight));
        size.setWidth(size.height() * kWidthPerHeight);
    } else {
        size.setWidth(std::max(size.width(), kMinOuterWidth));
        size.setHeight(size.width() * kHeightPerWidth);
    }
    return size;
}

}  // namespace ThumbLayout
