#include "albumpage/ViewerPreview.h"

#include "platform/Twips.h"

#include "albumstore/PictureLoader.h"

#include <algorithm>

namespace ViewerPreview {

QRectF fit(const QSize &natural)
{
    if (natural.isEmpty())
        return {};
    const double ratio = double(natural.width()) / double(natural.height());
    double width = natural.width();
    double height = natural.height();
    double left = 0;
    double top = 0;
    // A very thin picture keeps a few pixels across.
    const double thinnest = Twips::fromPixels(PictureLoader::kThinnestSide);
    if (height > width) {
        height = kSquareTwips;
        width = std::max(height * ratio, thinnest);
        left = (kSquareTwips - width) / 2.0;
        top = 0;
    }
    if (width > height) {
        width = kSquareTwips;
        height = std::max(width / ratio, thinnest);
        left = 0;
        top = (kSquareTwips - height) / 2.0;
    }
    if (width == height) {
        width = height = kSquareTwips;
        left = top = 0;
    }
    return QRectF(left, top, width, height);
}

}  // namespace ViewerPreview
