#include "platform/QtDialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

#include <algorithm>

namespace {

QMessageBox::Icon toQt(Dialogs::Icon icon)
{
    switch (icon) {
    case Dialogs::Icon::Information:
        return QMessageBox::Information;
    case Dialogs::Icon::Warning:
        return QMessageBox::Warning;
    case Dialogs::Icon::Critical:
        return QMessageBox::Critical;
    case Dialogs::Icon::Question:
        return QMessageBox::Question;
    case Dialogs::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QWidget *parentWindow()
{
    QWidget *w = QApplication::activeWindow();
    return (w && w->isVisible()) ? w : nullptr;
}

Dialogs::Answer ask(const QString &text, const QString &title, Dialogs::Icon icon, QMessageBox::StandardButtons buttons,
                    QMessageBox::StandardButton escape)
{
    QMessageBox box(toQt(icon), title, text, buttons, parentWindow());
    box.setEscapeButton(escape);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Dialogs::Answer::Yes;
    case QMessageBox::No:
        return Dialogs::Answer::No;
    case QMessageBox::Ok:
        return Dialogs::Answer::Ok;
    default:
        break;
    }
    return escape == QMessageBox::No ? Dialogs::Answer::No : Dialogs::Answer::Cancel;
}

}  // namespace

void QtDialogs::message(const QString &text, const QString &title, Icon icon)
{
    QMessageBox box(toQt(icon), title, text, QMessageBox::Ok, parentWindow());
    box.exec();
}

Dialogs::Answer QtDialogs::askYesNo(const QString &text, const QString &title, Icon icon)
{
    return ask(text, title, icon, QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
}

Dialogs::Answer QtDialogs::askYesNoCancel(const QString &text, const QString &title, Icon icon)
{
    return ask(text, title, icon, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel);
}

QString QtDialogs::input(const QString &prompt, const QString &title, const QString &defaultText)
{
    QInputDialog box(parentWindow());
    box.setWindowTitle(title);
    box.setLabelText(prompt);
    box.setTextValue(defaultText);
    // Wide enough for the title and a long album name.
    box.setMinimumWidth(std::max(360, box.fontMetrics().horizontalAdvance(title) + 160));
    return box.exec() == QDialog::Accepted ? box.textValue() : QString();
}
