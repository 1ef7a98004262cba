#pragma once

#include <QRect>
#include <QSize>

// The screen as the windows see it: logical pixels. Windows that centre or
// scale themselves ask here, so tests can pretend to be on any screen.
class ScreenMetrics
{
public:
    virtual ~ScreenMetrics() = default;
    virtual QSize screenSize() const = 0;
    // The part of the screen not taken by panels and docks.
    virtual QRect availableGeometry() const = 0;
};

// The primary screen of the running application.
class QtScreenMetrics : public ScreenMetrics
{
public:
    QSize screenSize() const override;
    QRect availableGeometry() const override;
};
