#pragma once

#include "platform/Dialogs.h"

class QWidget;

// Dialogs shown with QMessageBox and QInputDialog, parented to the active window.
class QtDialogs : public Dialogs
{
public:
    void message(const QString &text, const QString &title, Icon icon = Icon::None) override;
    Answer askYesNo(const QString &text, const QString &title, Icon icon = Icon::Question) override;
    Answer askYesNoCancel(const QString &text, const QString &title, Icon icon = Icon::Question) override;
    QString input(const QString &prompt, const QString &title, const QString &defaultText = {}) override;
};
