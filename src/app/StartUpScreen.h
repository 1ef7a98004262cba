#pragma once

#include "app/OwnedWindow.h"

#include <QWidget>

class QTimer;
class WindowOwner;

// The start-up screen: the product name for three seconds, then the album
// list takes over. It stays, empty, behind the album list until the list
// takes the focus.
class StartUpScreen : public QWidget, public OwnedWindow
{
    Q_OBJECT

public:
    explicit StartUpScreen(WindowOwner &owner);
    ~StartUpScreen() override;

    QWidget *widget() override { return this; }
    void Form_Load();
    void Timer1_Timer();
    QTimer *timer() const { return m_timer1; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    WindowOwner &m_owner;
    QTimer *m_timer1 = nullptr;
    bool m_loaded = false;
};
