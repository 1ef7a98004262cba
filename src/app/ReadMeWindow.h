#pragma once

#include "app/OwnedWindow.h"

#include <QWidget>

class WindowOwner;

// Greets the first run: what the program is for, and how it is installed and
// removed. "&Continue" leads on to the start-up screen.
class ReadMeWindow : public QWidget, public OwnedWindow
{
    Q_OBJECT

public:
    explicit ReadMeWindow(WindowOwner &owner);
    ~ReadMeWindow() override;

    QWidget *widget() override { return this; }
    void place();
    void continueClicked();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    WindowOwner &m_owner;
};
