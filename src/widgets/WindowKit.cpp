#include "widgets/WindowKit.h"

#include "platform/ScreenMetrics.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QPalette>
#include <QPushButton>
#include <QShortcut>
#include <QWidget>
#include <QWindow>

namespace WindowKit {

QFont arial(double pointSize, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

void setBackground(QWidget *widget, const QColor &colour)
{
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Window, colour);
    pal.setColor(QPalette::Button, colour);
    widget->setPalette(pal);
    widget->setAutoFillBackground(true);
}

QPushButton *addCancelButton(QWidget *window, QWidget *parent, const QString &objectName, const QString &caption,
                             std::function<void()> onClick)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(-400, -400, 80, 24);
    QObject::connect(button, &QPushButton::clicked, window, std::move(onClick));
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    escape->setContext(Qt::WindowShortcut);
    QObject::connect(escape, &QShortcut::activated, button, &QPushButton::click);
    return button;
}

namespace {

const char *const kCentring = "kolumbraCentringWhenFramed";

QPoint centredFrame(const QWidget *window, const QRect &area)
{
    const QSize frame = window->frameGeometry().size();
    return area.topLeft() + QPoint((area.width() - frame.width()) / 2, (area.height() - frame.height()) / 2);
}

bool frameKnown(const QWidget *window)
{
    if (window->windowFlags() & Qt::FramelessWindowHint)
        return true;
    const QWindow *handle = window->windowHandle();
    return handle && handle->isExposed() && !handle->frameMargins().isNull();
}

// A window is usually centred before the desktop has put its frame round it,
// when the frame's size is not known yet; centred then, the frame a user sees
// sits off the centre by its title bar. Once the window is on the screen with
// its frame, it is centred again.
class CentreWhenFramed : public QObject
{
public:
    CentreWhenFramed(QWidget *window, const QRect &area)
        : QObject(window)
        , m_window(window)
        , m_area(area)
    {
        window->setProperty(kCentring, true);
        window->installEventFilter(this);
        watchHandle();
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        // The widget's own window exists only once it is shown; its expose
        // comes when the desktop has framed it.
        if (event->type() == QEvent::Show)
            watchHandle();
        if (m_done || event->type() != QEvent::Expose || !frameKnown(m_window))
            return false;
        m_done = true;
        m_window->move(centredFrame(m_window, m_area));
        m_window->setProperty(kCentring, false);
        deleteLater();
        return false;
    }

private:
    void watchHandle()
    {
        if (QWindow *handle = m_window->windowHandle())
            handle->installEventFilter(this);
    }

    QWidget *m_window;
    QRect m_area;
    bool m_done = false;
};

}  // namespace

void centreIn(QWidget *window, const QRect &area)
{
    window->move(centredFrame(window, area));
    if (!frameKnown(window) && !window->property(kCentring).toBool())
        new CentreWhenFramed(window, area);
}

void centreOnScreen(QWidget *window, const ScreenMetrics &screen)
{
    centreIn(window, QRect(QPoint(0, 0), screen.screenSize()));
}

void keepPlace(QWidget *window)
{
    // A position the program never set is left to the desktop each time the
    // window is shown; setting it, even to where it is, makes it stay.
    if (QWindow *handle = window->windowHandle())
        handle->setPosition(handle->position());
}

bool reachable(const QAction *action)
{
    if (!action->isEnabled())
        return false;
    const QList<QObject *> owners = action->associatedObjects();
    for (QObject *o : owners) {
        if (auto *menu = qobject_cast<QMenu *>(o)) {
            if (!reachable(menu->menuAction()))
                return false;
        }
    }
    return true;
}

void describe(QWidget *widget, const QString &accessibleName)
{
    widget->setAccessibleName(accessibleName);
    if (!widget->toolTip().isEmpty())
        widget->setAccessibleDescription(widget->toolTip());
}

}  // namespace WindowKit
