#pragma once

#include "app/OwnedWindow.h"

#include <QWidget>

class Navigator;
struct AppContext;

// Greets the first run: what the program is for, and how it is installed and
// removed. "&Continue" leads on to the start-up screen.
class ReadMeWindow : public QWidget, public OwnedWindow
{
    Q_OBJECT

public:
    ReadMeWindow(AppContext &context, Navigator &navigator);
    ~ReadMeWindow() override;

    QWidget *widget() override { return this; }
    void place();
    void continueClicked();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    AppContext &m_context;
    Navigator &m_navigator;
};
