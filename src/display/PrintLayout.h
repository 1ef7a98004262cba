#pragma once

#include <QPageLayout>
#include <QRectF>
#include <QSize>
#include <QSizeF>

// Where a printed picture goes on its page. Sizes are in any one unit (the
// printer works in points); rectangles start at the printable area's top left
// corner, which is where the picture is printed: it is never centred.
namespace PrintLayout {

// Wide pictures print on a landscape page; upright and square ones portrait.
QPageLayout::Orientation orientationFor(const QSize &natural);

// As large as the printable area allows with the picture's proportions kept:
// the full printable width when the picture is relatively at least as wide as
// the area, else the full printable height. Empty for a picture without size.
QRectF fitted(const QSize &natural, const QSizeF &printable);

// A window printed at the size it has on the screen. One that does not fit the
// printable area is shrunk, proportions kept, rather than cut off.
QRectF atScreenSize(const QSizeF &screenSize, const QSizeF &printable);

}  // namespace PrintLayout
