#include "app/WindowOwner.h"

#include "albumpage/AlbumPageWindow.h"
#include "albums/AlbumListWindow.h"
#include "albums/BatchAlbumWindow.h"
#include "albumstore/AlbumStore.h"
#include "app/ReadMeWindow.h"
#include "app/Session.h"
#include "app/Settings.h"
#include "app/StartUpScreen.h"
#include "display/PictureWindow.h"
#include "pictureinfo/DatabaseBrowserWindow.h"
#include "pictureinfo/PictureInfoWindow.h"
#include "platform/ScreenMetrics.h"
#include "slideshow/SlideshowAlbumChooser.h"
#include "slideshow/SlideshowWindow.h"
#include "widgets/WindowKit.h"

#include <QAction>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeySequence>
#include <QWidget>
#include <QWindow>

WindowOwner::WindowOwner(AppContext context, QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_endHandler([] { QCoreApplication::exit(0); })
{
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &WindowOwner::focusWindowChanged);
}

WindowOwner::~WindowOwner()
{
    // Windows hold the owner as their navigator; take them down while it is
    // still whole, the most dependent first.
    m_windows.clear();
    m_lastActive = nullptr;
    m_descriptionWindow.reset();
    m_databaseBrowser.reset();
    m_batchCreator.reset();
    m_slideshowPlayer.reset();
    m_slideshowChooser.reset();
    m_pictureWindow.reset();
    m_albumPage.reset();
    m_albumList.reset();
    m_readMe.reset();
    m_startUp.reset();
}

template <typename W> W &WindowOwner::ensure(std::unique_ptr<W> &slot)
{
    if (!slot) {
        slot = std::make_unique<W>(m_context, static_cast<Navigator &>(*this));
        m_windows.push_back(slot.get());
    }
    return *slot;
}

StartUpScreen &WindowOwner::startUpScreen()
{
    return ensure(m_startUp);
}
ReadMeWindow &WindowOwner::readMe()
{
    return ensure(m_readMe);
}
AlbumListWindow &WindowOwner::albumList()
{
    return ensure(m_albumList);
}
AlbumPageWindow &WindowOwner::albumPage()
{
    return ensure(m_albumPage);
}
PictureWindow &WindowOwner::pictureWindow()
{
    return ensure(m_pictureWindow);
}
SlideshowAlbumChooser &WindowOwner::slideshowChooser()
{
    return ensure(m_slideshowChooser);
}
PictureInfoWindow &WindowOwner::descriptionWindow()
{
    return ensure(m_descriptionWindow);
}
DatabaseBrowserWindow &WindowOwner::databaseBrowser()
{
    return ensure(m_databaseBrowser);
}
BatchAlbumWindow &WindowOwner::batchCreator()
{
    return ensure(m_batchCreator);
}

SlideshowWindow &WindowOwner::slideshowPlayer()
{
    if (!m_slideshowPlayer) {
        ensure(m_slideshowPlayer);
        // The show follows the chooser's Repeat mark when it reaches the end.
        m_slideshowPlayer->setRepeatSource([this] { return slideshowChooser().repeats(); });
    }
    return *m_slideshowPlayer;
}

void WindowOwner::start()
{
    Settings &settings = m_context.settings;
    const bool firstRun = settings.value(Settings::kFirstRunDone).isEmpty();
    if (firstRun)
        m_context.store.installDemoAlbum();
    albumPage();
    m_context.session.screenRatio = Session::screenRatioFor(m_context.screen.screenSize().width());
    if (firstRun) {
        ReadMeWindow &readme = readMe();
        readme.place();
        present(readme);
        QCoreApplication::processEvents();
        settings.setValue(Settings::kFirstRunDone, QStringLiteral("Yes"));
        return;
    }
    showStartUpScreen();
}

void WindowOwner::present(OwnedWindow &window)
{
    if (m_ended)
        return;
    QWidget *w = window.widget();
    const bool wasHidden = !w->isVisible();
    if (wasHidden)
        WindowKit::keepPlace(w);
    w->show();
    w->raise();
    w->activateWindow();
    // The platform reports the activation later, or not at all when another
    // program holds the focus; the window takes over from here either way.
    // A window that was hidden is always activated anew when shown.
    if (m_lastActive != &window || wasHidden) {
        m_lastActive = &window;
        window.activated();
    }
}

void WindowOwner::focusWindowChanged(QWindow *focus)
{
    if (!focus || m_ended)
        return;
    for (OwnedWindow *window : m_windows) {
        if (window->widget()->windowHandle() != focus)
            continue;
        // The platform may report an activation after the program has
        // already moved on and hidden that window.
        if (!window->widget()->isVisible())
            return;
        if (window != m_lastActive) {
            m_lastActive = window;
            window->activated();
        }
        return;
    }
}

void WindowOwner::showAlbumList()
{
    present(albumList());
}

void WindowOwner::hideAlbumList()
{
    if (m_albumList)
        m_albumList->hide();
}

bool WindowOwner::albumListShown() const
{
    return m_albumList && m_albumList->isVisible();
}

void WindowOwner::openChosenAlbum()
{
    AlbumPageWindow &page = albumPage();
    page.albumChosen();
    present(page);
}

void WindowOwner::showAlbumPage()
{
    present(albumPage());
}

void WindowOwner::showPicture(const PictureView &thumbnail)
{
    PictureWindow &window = pictureWindow();
    window.setPicture(thumbnail);
    present(window);
}

void WindowOwner::showPictureInfo()
{
    present(descriptionWindow());
}

void WindowOwner::showDatabaseBrowser()
{
    present(databaseBrowser());
}

void WindowOwner::showBatchCreator()
{
    present(batchCreator());
}

void WindowOwner::showSlideshowChooser()
{
    present(slideshowChooser());
}

bool WindowOwner::slideshowChooserShown() const
{
    return m_slideshowChooser && m_slideshowChooser->isVisible();
}

void WindowOwner::playSlideshow()
{
    SlideshowWindow &player = slideshowPlayer();
    present(player);
    // Activation plays the show; the player is not activated again when it
    // was the last window active, so it is asked directly as well (a show
    // already playing goes on).
    player.activated();
}

void WindowOwner::showStartUpScreen()
{
    StartUpScreen &screen = startUpScreen();
    screen.start();
    present(screen);
}

void WindowOwner::hideStartUpScreen()
{
    if (m_startUp)
        m_startUp->hide();
}

HelpFormat WindowOwner::helpFormat()
{
    return albumList().helpFormat();
}

void WindowOwner::openHelp()
{
    m_context.help.showContents(helpFormat(), m_context.store.helpFilePath());
}

void WindowOwner::installHelpKey(QWidget *window)
{
    auto *help = new QAction(window);
    help->setObjectName(QStringLiteral("helpKey"));
    // Shift, Ctrl and Alt with F12 open help too.
    QList<QKeySequence> keys;
    for (const auto modifiers :
         {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::ShiftModifier), Qt::KeyboardModifiers(Qt::ControlModifier),
          Qt::KeyboardModifiers(Qt::AltModifier), Qt::KeyboardModifiers(Qt::ShiftModifier | Qt::ControlModifier)})
        keys << QKeySequence(QKeyCombination(modifiers, Qt::Key_F12));
    help->setShortcuts(keys);
    help->setShortcutContext(Qt::WindowShortcut);
    window->addAction(help);
    connect(help, &QAction::triggered, this, &WindowOwner::openHelp);
}

void WindowOwner::endProgram()
{
    if (m_ended)
        return;
    m_ended = true;
    for (OwnedWindow *window : m_windows)
        window->widget()->hide();
    if (m_endHandler)
        m_endHandler();
}
