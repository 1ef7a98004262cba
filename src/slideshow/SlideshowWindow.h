#pragma once

#include "app/OwnedWindow.h"

#include <QWidget>

#include <functional>
#include <memory>

class Navigator;
class PictureView;
class ScreenSaverInhibitor;
class SlideshowPlayer;
struct AppContext;
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
    SlideshowWindow(AppContext &context, Navigator &navigator);
    ~SlideshowWindow() override;

    QWidget *widget() override { return this; }
    // Whether a show starts again at the end of the album, asked each time
    // the end is reached.
    void setRepeatSource(std::function<bool()> repeats) { m_repeatSource = std::move(repeats); }
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

    AppContext &m_context;
    Navigator &m_navigator;
    std::function<bool()> m_repeatSource;
    PictureView *m_slide = nullptr;
    std::unique_ptr<SlideshowPlayer> m_player;
    std::unique_ptr<ScreenSaverInhibitor> m_screenSaver;
};
