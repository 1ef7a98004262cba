#pragma once

#include "app/OwnedWindow.h"

#include <QWidget>

#include <memory>

class PictureView;
class ScreenSaverInhibitor;
class SlideshowPlayer;
class WindowOwner;
struct FoundSlide;

// The slideshow player: the chosen album full screen on black, each picture
// fitted to the screen. Space pauses and resumes; while paused, keypad minus
// or a left click steps back and keypad plus or a right click steps on; F12
// opens help and pauses; Esc stops. While the show plays the pointer is
// hidden and parked and the screen saver held off.
class SlideshowWindow : public QWidget, public OwnedWindow
{
    Q_OBJECT

public:
    explicit SlideshowWindow(WindowOwner &owner);
    ~SlideshowWindow() override;

    QWidget *widget() override { return this; }
    // Sizes the window to the screen.
    void fitToScreen();
    // Plays the album chosen last, unless a show is playing already.
    void activated() override;

    void placeSlide();
    void keyPressed(int key, Qt::KeyboardModifiers modifiers);
    void mousePressed(Qt::MouseButton button);
    void cmdExc_Click();

    PictureView *image() const { return m_slide; }
    SlideshowPlayer &player() const { return *m_player; }
    bool pointerHidden() const;
    bool screenSaverHeld() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void play();
    void showSlide(const FoundSlide &slide);
    void playingChanged(bool playing);
    void showEnded();

    WindowOwner &m_owner;
    PictureView *m_slide = nullptr;
    std::unique_ptr<SlideshowPlayer> m_player;
    std::unique_ptr<ScreenSaverInhibitor> m_screenSaver;
};
