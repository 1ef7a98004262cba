#pragma once

#include "app/OwnedWindow.h"

#include <QWidget>

class QTimer;
class Navigator;
struct AppContext;

// The start-up screen: the product name for three seconds, then the album
// list takes over. It stays, empty, behind the album list until the list
// takes the focus.
class StartUpScreen : public QWidget, public OwnedWindow
{
    Q_OBJECT

public:
    StartUpScreen(AppContext &context, Navigator &navigator);
    ~StartUpScreen() override;

    QWidget *widget() override { return this; }
    void start();
    void showAlbumList();
    QTimer *timer() const { return m_timer; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    AppContext &m_context;
    Navigator &m_navigator;
    QTimer *m_timer = nullptr;
    bool m_loaded = false;
};
