#include "albumpage/PickerPlacement.h"

#include <algorithm>
#include <array>

namespace PickerPlacement {

namespace {

// The picker moved as little as needed to lie on the free part of the
// screen (its top left corner wins where it is larger than the screen).
QPoint onScreen(QPoint at, const QSize &picker, const QRect &available)
{
    at.setX(std::max(available.left(), std::min(at.x(), available.right() + 1 - picker.width())));
    at.setY(std::max(available.top(), std::min(at.y(), available.bottom() + 1 - picker.height())));
    return at;
}

qint64 covered(const QRect &page, const QRect &picker)
{
    const QRect both = page.intersected(picker);
    return both.isEmpty() ? 0 : qint64(both.width()) * both.height();
}

}  // namespace

QPoint beside(const QRect &page, const QSize &picker, const QRect &available)
{
    const std::array<QPoint, 4> sides = {
        QPoint(page.right() + 1, page.top()),               // right
        QPoint(page.left() - picker.width(), page.top()),   // left
        QPoint(page.left(), page.bottom() + 1),             // below
        QPoint(page.left(), page.top() - picker.height()),  // above
    };
    for (const QPoint &side : sides) {
        if (available.contains(QRect(side, picker)))
            return side;
    }
    // No side has room: of the sides pushed onto the screen and the screen's
    // corners, the place that hides the least of the page.
    std::array<QPoint, 8> places = {
        onScreen(sides[0], picker, available),
        onScreen(sides[1], picker, available),
        onScreen(sides[2], picker, available),
        onScreen(sides[3], picker, available),
        onScreen(available.topLeft(), picker, available),
        onScreen(QPoint(available.right() + 1 - picker.width(), available.top()), picker, available),
        onScreen(QPoint(available.left(), available.bottom() + 1 - picker.height()), picker, available),
        onScreen(QPoint(available.right() + 1 - picker.width(), available.bottom() + 1 - picker.height()), picker,
                 available),
    };
    return *std::min_element(places.begin(), places.end(), [&](const QPoint &a, const QPoint &b) {
        return covered(page, QRect(a, picker)) < covered(page, QRect(b, picker));
    });
}

}  // namespace PickerPlacement
