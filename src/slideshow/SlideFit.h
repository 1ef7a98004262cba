#pragma once

#include <QRect>
#include <QSize>

// Where a slide goes on the screen: as large as the screen allows with its
// proportions kept, enlarged as well as reduced, filling the screen in one
// direction and centred in the other; a very thin picture is shown
// PictureLoader::kThinnestSide pixels across.
namespace SlideFit {

// Upright and square pictures are fitted to the screen height first, wide ones
// to its width; whichever fit would run off the screen gives way to the other.
// An empty natural size fills the screen.
QRect slideRect(const QSize &natural, const QSize &screen);

}  // namespace SlideFit
