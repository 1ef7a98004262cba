#include "platform/ScreenMetrics.h"

#include <QGuiApplication>
#include <QScreen>

QSize QtScreenMetrics::screenSize() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize(640, 480);
}

QRect QtScreenMetrics::availableGeometry() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 640, 480);
}
