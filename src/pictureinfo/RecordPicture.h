#pragma once

#include "albumstore/PictureLoader.h"

#include <QRect>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QStringList>

class AlbumStore;

// The picture beside a description in the database browser: the file of the
// row's position, fitted into a square of the window with its proportions
// kept. Sizes are in twips, as the window is laid out.
namespace RecordPicture {

constexpr double kSide = 2745.0;
constexpr double kLeft = 630.0;
constexpr double kTop = 3210.0;
// Where the empty square waits between rows.
constexpr double kEmptyLeft = 645.0;

// The files the position's picture may be in, in the order the album page
// looks them up; the last one that loads is the picture, so the browser shows
// what the album shows. Nothing when the fields do not name a position inside
// the program folder (an album name that is no folder name, a page or picture
// number that is not a number).
QStringList candidates(const AlbumStore &store, const QString &album, const QString &pageText,
                       const QString &imageNumberText);

// Decodes the picture of a position at the size it is drawn (bound in
// pixels); a null picture when none of the candidates loads.
DecodedPicture load(const QStringList &candidates, const QSize &bound);

// Where a picture of the given natural size is drawn: the whole square wide
// and centred on its height when wider than tall, the whole square high and
// centred on its width when taller than wide, the square itself otherwise;
// never thinner than PictureLoader::kThinnestSide pixels.
QRectF fitted(const QSize &natural);
QRectF emptySquare();

// A rectangle in twips as pixels, every edge rounded to the nearest pixel.
QRect toPixels(const QRectF &twips);

}  // namespace RecordPicture
