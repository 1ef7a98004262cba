#include "display/PictureFit.h"

#include "albumstore/PictureLoader.h"

#include <algorithm>

namespace PictureFit {

namespace {

QRectF fitByHeight(const QSize &natural, const QSizeF &inner, const QSizeF &outer)
{
    const double ratio = double(natural.width()) / double(natural.height());
    const double height = inner.height();
    const double width = std::max(height * ratio, double(PictureLoader::kThinnestSide));
    return QRectF(outer.width() / 2.0 - width / 2.0, 0.0, width, height);
}

}  // namespace

QRectF sizePicture(const QSize &natural, const QSizeF &inner, const QSizeF &outer)
{
    const int w = natural.width();
    const int h = natural.height();
    if (w <= 0 || h <= 0)
        return QRectF(QPointF(0, 0), inner);
    if (h >= w)  // upright, and square (kept square on the inner height)
        return fitByHeight(natural, inner, outer);
    const double ratio = double(h) / double(w);
    const double width = inner.width();
    const double height = std::max(width * ratio, double(PictureLoader::kThinnestSide));
    if (height > inner.height())
        return fitByHeight(natural, inner, outer);
    return QRectF(0.0, outer.height() / 2.0 - height / 2.0, width, height);
}

}  // namespace PictureFit
