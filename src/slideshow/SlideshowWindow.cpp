#include "slideshow/SlideshowWindow.h"

#include "app/AppContext.h"
#include "app/Navigator.h"
#include "app/Session.h"
#include "app/Settings.h"
#include "platform/ScreenMetrics.h"
#include "slideshow/ScreenSaverInhibitor.h"
#include "slideshow/SlideFit.h"
#include "slideshow/SlideTime.h"
#include "slideshow/SlideshowPlayer.h"
#include "widgets/PictureView.h"
#include "widgets/WindowKit.h"

#include <QCloseEvent>
#include <QCursor>
#include <QHideEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>

SlideshowWindow::SlideshowWindow(AppContext &context, Navigator &navigator)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    , m_context(context)
    , m_navigator(navigator)
    , m_player(std::make_unique<SlideshowPlayer>())
    , m_screenSaver(std::make_unique<ScreenSaverInhibitor>(QStringLiteral("Playing a slideshow")))
{
    setObjectName(QStringLiteral("frmSlideshow"));
    setWindowTitle(QStringLiteral("Slideshow"));
    WindowKit::setBackground(this, Qt::black);
    // Every key comes here first, whatever holds the focus.
    setFocusPolicy(Qt::StrongFocus);

    m_slide = new PictureView(this);
    m_slide->setObjectName(QStringLiteral("Image1"));
    WindowKit::describe(m_slide, QStringLiteral("Picture"));
    m_slide->hide();
    connect(m_slide, &PictureView::pressed, this,
            [this](Qt::MouseButton button, const QPoint &) { mousePressed(button); });

    WindowKit::addCancelButton(this, this, QStringLiteral("cmdExc"), QStringLiteral("Command1"),
                               [this] { cmdExc_Click(); });
    auto *command1 = new QPushButton(QStringLiteral("Command1"), this);
    command1->setObjectName(QStringLiteral("Command1"));
    command1->setFocusPolicy(Qt::NoFocus);
    command1->setGeometry(-300, -300, 80, 24);

    connect(m_player.get(), &SlideshowPlayer::pictureReady, this, &SlideshowWindow::showSlide);
    connect(m_player.get(), &SlideshowPlayer::playingChanged, this, &SlideshowWindow::playingChanged);
    connect(m_player.get(), &SlideshowPlayer::finished, this, &SlideshowWindow::showEnded);

    fitToScreen();
}

SlideshowWindow::~SlideshowWindow()
{
    // The player waits for its workers; it goes before the picture it feeds.
    m_player.reset();
}

void SlideshowWindow::fitToScreen()
{
    setGeometry(QRect(QPoint(0, 0), m_context.screen.screenSize()));
    setWindowState(windowState() | Qt::WindowFullScreen);
}

void SlideshowWindow::activated()
{
    if (isVisible() && !m_player->isRunning())
        play();
}

void SlideshowWindow::play()
{
    AppContext &context = m_context;
    m_slide->hide();
    m_slide->clearPicture();
    m_player->setLoader(SlideOrder::screenLoader(context.store, context.session.album, context.screen.screenSize(),
                                                 devicePixelRatioF()));
    m_player->setIntervalSource(
        [&context] { return SlideTime::intervalMs(context.settings.value(Settings::kTime, QStringLiteral("5"))); });
    m_player->setRepeatSource(m_repeatSource);
    setFocus();
    m_player->start();
    // A show that starts paused gives the pointer back at once.
    playingChanged(m_player->isPlaying());
}

void SlideshowWindow::showSlide(const FoundSlide &slide)
{
    m_slide->setPicture(QPixmap::fromImage(slide.picture.image), slide.picture.naturalSize, slide.picture.path);
    placeSlide();
    m_slide->show();
}

void SlideshowWindow::placeSlide()
{
    m_slide->setGeometry(SlideFit::slideRect(m_slide->naturalSize(), m_context.screen.screenSize()));
}

void SlideshowWindow::playingChanged(bool playing)
{
    if (playing) {
        // Out of the picture, in the top right corner, and invisible there.
        setCursor(Qt::BlankCursor);
        const QSize screen = m_context.screen.screenSize();
        QCursor::setPos(screen.width() - 1, 0);
    } else {
        unsetCursor();
    }
    m_screenSaver->setHeld(playing);
}

bool SlideshowWindow::pointerHidden() const
{
    return testAttribute(Qt::WA_SetCursor) && cursor().shape() == Qt::BlankCursor;
}

bool SlideshowWindow::screenSaverHeld() const
{
    return m_screenSaver->isHeld();
}

void SlideshowWindow::keyPressed(int key, Qt::KeyboardModifiers modifiers)
{
    const bool keypad = modifiers & Qt::KeypadModifier;
    switch (key) {
    case Qt::Key_F12:
        m_navigator.openHelp();
        m_player->pause();
        break;
    case Qt::Key_Space:
        m_player->togglePause();
        break;
    case Qt::Key_Minus:
        if (keypad)
            m_player->requestBack();
        break;
    case Qt::Key_Plus:
        if (keypad)
            m_player->requestForward();
        break;
    default:
        break;
    }
}

void SlideshowWindow::mousePressed(Qt::MouseButton button)
{
    if (button == Qt::LeftButton)
        m_player->requestBack();
    else if (button == Qt::RightButton)
        m_player->requestForward();
}

void SlideshowWindow::cmdExc_Click()
{
    if (m_player->isRunning())
        m_player->stop();
    else
        showEnded();
}

void SlideshowWindow::showEnded()
{
    m_slide->clearPicture();
    m_slide->hide();
    playingChanged(false);
    hide();
    if (m_navigator.slideshowChooserShown())
        m_navigator.showSlideshowChooser();
}

void SlideshowWindow::keyPressEvent(QKeyEvent *event)
{
    keyPressed(event->key(), event->modifiers());
}

void SlideshowWindow::mousePressEvent(QMouseEvent *event)
{
    mousePressed(event->button());
}

void SlideshowWindow::closeEvent(QCloseEvent *event)
{
    // Closing the window by the desktop's means stops the show like Esc.
    event->accept();
    cmdExc_Click();
}

void SlideshowWindow::hideEvent(QHideEvent *event)
{
    // A show never plays on unseen, holding the pointer and the screen
    // saver: hidden by the program (at its end, say), the show stops.
    if (!event->spontaneous() && m_player->isRunning())
        m_player->stop();
    QWidget::hideEvent(event);
}
