#include "display/PrintLayout.h"

namespace PrintLayout {

QPageLayout::Orientation orientationFor(const QSize &natural)
{
    return natural.height() < natural.width() ? QPageLayout::Landscape : QPageLayout::Portrait;
}

QRectF fitted(const QSize &natural, const QSizeF &printable)
{
    if (natural.width() <= 0 || natural.height() <= 0 || printable.width() <= 0 || printable.height() <= 0)
        return {};
    const double pictureRatio = double(natural.width()) / double(natural.height());
    const double pageRatio = printable.width() / printable.height();
    if (pictureRatio >= pageRatio)
        return QRectF(0.0, 0.0, printable.width(), printable.width() / pictureRatio);
    return QRectF(0.0, 0.0, printable.height() * pictureRatio, printable.height());
}

QRectF atScreenSize(const QSizeF &screenSize, const QSizeF &printable)
{
    if (screenSize.width() <= printable.width() && screenSize.height() <= printable.height())
        return QRectF(QPointF(0.0, 0.0), screenSize);
    return QRectF(QPointF(0.0, 0.0), screenSize.scaled(printable, Qt::KeepAspectRatio));
}

}  // namespace PrintLayout
