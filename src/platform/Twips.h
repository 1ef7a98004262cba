#pragma once

#include <QRect>
#include <QRectF>

#include <cmath>

// The windows were designed in twips, fifteen to a pixel of the design screen;
// only their ratios matter, so the factor is fixed whatever the screen.
namespace Twips {

constexpr double kPerPixel = 15.0;

constexpr double toPixels(double twips)
{
    return twips / kPerPixel;
}

constexpr double fromPixels(double pixels)
{
    return pixels * kPerPixel;
}

// Each of left, top, width and height rounded to the nearest pixel.
inline QRect toPixelRect(const QRectF &twips)
{
    const auto px = [](double t) { return int(std::lround(toPixels(t))); };
    return QRect(px(twips.left()), px(twips.top()), px(twips.width()), px(twips.height()));
}

}  // namespace Twips
