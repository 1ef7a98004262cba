#include "slideshow/SlideFit.h"

#include "albumstore/PictureLoader.h"

#include <algorithm>
#include <cmath>

namespace SlideFit {

namespace {

int scaledSide(int side, int numerator, int denominator)
{
    return std::max(PictureLoader::kThinnestSide, int(std::lround(double(side) * numerator / denominator)));
}

QRect fitToHeight(int w, int h, const QSize &screen)
{
    const int height = screen.height();
    const int width = scaledSide(height, w, h);
    return QRect((screen.width() - width) / 2, 0, width, height);
}

QRect fitToWidth(int w, int h, const QSize &screen)
{
    const int width = screen.width();
    const int height = scaledSide(width, h, w);
    return QRect(0, (screen.height() - height) / 2, width, height);
}

}  // namespace

QRect slideRect(const QSize &natural, const QSize &screen)
{
    const int w = natural.width();
    const int h = natural.height();
    if (w <= 0 || h <= 0 || screen.isEmpty())
        return QRect(QPoint(0, 0), screen);
    if (h >= w) {
        // On a portrait screen a square or nearly square picture fitted to the
        // height would be wider than the screen.
        const QRect byHeight = fitToHeight(w, h, screen);
        return byHeight.width() <= screen.width() ? byHeight : fitToWidth(w, h, screen);
    }
    const QRect byWidth = fitToWidth(w, h, screen);
    return byWidth.height() <= screen.height() ? byWidth : fitToHeight(w, h, screen);
}

}  // namespace SlideFit
