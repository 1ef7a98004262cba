#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the picture file picker goes while pictures are added: beside the
// album page, so that the user sees which positions are free. Rectangles are
// window frames on the screen.
namespace PickerPlacement {

// Right of the page, else left, below or above, lined up with it, where the
// picker fits on the free part of the screen without covering the page;
// where none does, the place on the screen that covers the least of it.
// The picker's top left corner.
QPoint beside(const QRect &page, const QSize &picker, const QRect &available);

}  // namespace PickerPlacement
