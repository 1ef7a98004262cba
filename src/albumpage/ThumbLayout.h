#pragma once

#include "platform/Twips.h"

#include <QRectF>
#include <QSize>
#include <QSizeF>

#include <array>

// The album page's composition, in the window's own units: one horizontal
// unit is 0.632 pixels and one vertical unit 0.426 pixels, so the design page
// of 632 x 408 pixels is 1000 units wide. Six square boxes of 153 pixels in two
// rows of three; each picture is drawn as large as fits its box with its
// proportions kept, centred on the box's fixed centre. A picture thinner than
// 1 : 25 is drawn PictureLoader::kThinnestSide pixels (at the design scale)
// across instead.
namespace ThumbLayout {

constexpr double kPixelsPerUnitX = 0.632;
constexpr double kPixelsPerUnitY = 0.426;
constexpr double kBoxWidth = 242.089;   // units, 153 pixels
constexpr double kBoxHeight = 359.155;  // units, 153 pixels
constexpr double kLabelWidth = 1001.582;
constexpr double kLabelHeight = 77.465;

// Indexed by position 1..6; entry 0 is unused.
constexpr std::array<double, 7> kThumbCentreX = {0.0, 196.9935, 500.7915, 804.5885, 196.9935, 500.7915, 804.5885};
constexpr std::array<double, 7> kThumbCentreY = {0.0, 254.7545, 254.7545, 254.7545, 705.3995, 705.3995, 705.3995};

// Design sizes of the window in pixels: the page area below the menu bar, and
// the outer frame the resize rules keep in proportion.
constexpr int kDesignClientWidth = 632;
constexpr int kDesignClientHeight = 408;
constexpr double kMinOuterHeight = Twips::toPixels(3510);  // 234 pixels
constexpr double kMinOuterWidth = Twips::toPixels(4759);   // about 317 pixels
constexpr double kWidthPerHeight = 1.3559322034;           // 80 / 59
constexpr double kHeightPerWidth = 0.7375;                 // 59 / 80

struct UnitRect
{
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// The box of position n (1..6) for a picture of the given natural size, at
// the page scale of the last accepted resize. Both scales are 1 for the
// design page.
UnitRect thumbRect(int n, const QSize &natural, double pageScaleX, double pageScaleY);

QRectF toPixels(const UnitRect &r);
double unitsFromPixelsX(double pixels);
double unitsFromPixelsY(double pixels);

// The pixel size the picture of a position is drawn at, so that it can be
// decoded at that size and no larger.
QSize thumbPixelSize(const QSize &natural, double pageScaleX, double pageScaleY);

// The window keeps its proportions and a minimum size. Given its outer size
// and how much the page changed in each direction (units), the outer size it
// must take; the direction that changed more leads, a tie follows the height.
QSizeF correctedOuterSize(const QSizeF &outer, double widthChange, double heightChange);

}  // namespace ThumbLayout
