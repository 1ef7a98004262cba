#include "widgets/WindowKit.h"

#include "platform/ScreenMetrics.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QPalette>
#include <QPushButton>
#include <QShortcut>
#include <QWidget>

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

void centreOnScreen(QWidget *window, const ScreenMetrics &screen)
{
    const QSize s = screen.screenSize();
    const QSize frame = window->frameGeometry().size();
    window->move((s.width() - frame.width()) / 2, (s.height() - frame.height()) / 2);
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
