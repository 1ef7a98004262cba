#pragma once

#include <QRectF>
#include <QSize>

// The graphics viewer's preview: the picture's longer side fills a square of
// 4215 twips, centred along the shorter side; square pictures fill it.
namespace ViewerPreview {

constexpr double kSquareTwips = 4215.0;

// In twips, from the top left corner of the square.
QRectF fit(const QSize &natural);

}  // namespace ViewerPreview
