#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include <functional>

class QAction;
class QPushButton;
class QWidget;
class ScreenMetrics;

// Small pieces every window of the program is built from.
namespace WindowKit {

// The light blue of the album windows.
inline QColor pageBlue()
{
    return QColor(192, 192, 255);
}

QFont arial(double pointSize, bool bold = false);

// Paints the window's background in one colour.
void setBackground(QWidget *widget, const QColor &colour);

// A button outside the visible area that the Esc key presses: the window's
// cancel button. It never takes the focus.
QPushButton *addCancelButton(QWidget *window, QWidget *parent, const QString &objectName, const QString &caption,
                             std::function<void()> onClick);

// Centres the window's frame on the screen, or in a part of it, as the user
// sees it.
void centreOnScreen(QWidget *window, const ScreenMetrics &screen);
void centreIn(QWidget *window, const QRect &area);

// A window that was on the screen before comes back where it was left
// (where the user may have put it), instead of where the desktop would
// place a new window. Call before showing it again.
void keepPlace(QWidget *window);

// A menu command can be given only when it and every menu above it are
// enabled; shortcuts must not reach around a greyed menu.
bool reachable(const QAction *action);

// Gives a widget a name for screen readers and the tooltip as its description.
void describe(QWidget *widget, const QString &accessibleName);

}  // namespace WindowKit
