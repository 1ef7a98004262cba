#include "albumstore/Placeholder.h"

#include <QPainter>
#include <QPen>

namespace Placeholder {

QImage drawn()
{
    constexpr int kSide = 300;
    QImage image(kSide, kSide, QImage::Format_RGB32);
    image.fill(QColor(236, 236, 240));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(QColor(170, 170, 185), 6, Qt::DashLine);
    p.setPen(pen);
    p.drawRoundedRect(QRectF(24, 24, kSide - 48, kSide - 48), 12, 12);
    p.setPen(QPen(QColor(190, 190, 200), 8));
    p.drawLine(110, 190, 140, 150);
    p.drawLine(140, 150, 165, 175);
    p.drawLine(165, 175, 190, 140);
    p.drawEllipse(QPointF(120, 115), 12, 12);
    return image;
}

DecodedPicture load(const QString &placeholderPath)
{
    DecodedPicture picture = PictureLoader::decode(placeholderPath);
    if (picture.isNull()) {
        picture.image = drawn();
        picture.naturalSize = picture.image.size();
        picture.path.clear();
    }
    return picture;
}

}  // namespace Placeholder
