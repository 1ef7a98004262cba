#pragma once

#include <QRectF>
#include <QSize>
#include <QSizeF>

// Where the single picture window puts its picture: as large as the inner area
// allows with its proportions kept. Wide pictures fill the inner width and are
// centred on the outer height; upright ones, and wide ones that would then be
// too tall, fill the inner height from the top and are centred on the outer
// width. Centring on the outer size leaves the frame's small offset in place.
// A very thin picture is drawn PictureLoader::kThinnestSide pixels across.
namespace PictureFit {

QRectF sizePicture(const QSize &natural, const QSizeF &inner, const QSizeF &outer);

}  // namespace PictureFit
