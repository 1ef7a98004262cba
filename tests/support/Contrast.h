#pragma once

#include <QColor>
#include <QHash>
#include <QImage>
#include <QWidget>

#include <cmath>

// How readable text is, measured on what a widget really draws: its grab(),
// not the colours it was asked to use, since a style may lighten or blend
// them. Luminance and contrast as the accessibility guidelines define them;
// body text needs 4.5 : 1.
namespace Contrast {

inline double luminance(const QColor &colour)
{
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.red()) + 0.7152 * linear(colour.green()) + 0.0722 * linear(colour.blue());
}

inline double ratio(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The two colours of a piece of text as drawn: the background is the colour
// most pixels have, the ink the pixel that stands out most from it (the
// middle of a stroke; its smoothed edges stand out less).
struct Drawn
{
    QColor background;
    QColor ink;
    double contrast() const { return ratio(background, ink); }
};

// The colours inside a widget, `inset` pixels in from its edges so that a
// frame or a border does not count.
inline Drawn drawnColours(QWidget *widget, int inset = 0)
{
    const QImage image = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const qreal scale = image.devicePixelRatio();
    const QRect area = QRect(QPoint(0, 0), image.size())
                           .adjusted(int(inset * scale), int(inset * scale), -int(inset * scale), -int(inset * scale));
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y)];
    Drawn drawn;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            drawn.background = QColor(it.key());
        }
    }
    drawn.ink = drawn.background;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (ratio(QColor(it.key()), drawn.background) > drawn.contrast())
            drawn.ink = QColor(it.key());
    }
    return drawn;
}

}  // namespace Contrast
