#pragma once

#include "app/AppContext.h"
#include "platform/HelpLauncher.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

class AlbumPageWindow;
class DatabaseBrowserWindow;
class BatchAlbumWindow;
class PictureWindow;
class ReadMeWindow;
class AlbumListWindow;
class SlideshowAlbumChooser;
class SlideshowWindow;
class PictureInfoWindow;
class StartUpScreen;
class OwnedWindow;
class QWidget;
class QWindow;

// Creates each window on first use, shows and hides them, and is the one place
// that ends the program. Windows ask for one another through here.
class WindowOwner : public QObject
{
    Q_OBJECT

public:
    explicit WindowOwner(AppContext context, QObject *parent = nullptr);
    ~WindowOwner() override;

    AppContext &context() { return m_context; }

    // The start-up sequence: demo album on the first run, the album page made
    // ready (hidden), the screen ratio, then the read-me or the start-up screen.
    void start();

    StartUpScreen &startUpScreen();
    ReadMeWindow &readMe();
    AlbumListWindow &albumList();
    AlbumPageWindow &albumPage();
    PictureWindow &pictureWindow();
    SlideshowAlbumChooser &slideshowChooser();
    SlideshowWindow &slideshowPlayer();
    PictureInfoWindow &descriptionWindow();
    DatabaseBrowserWindow &databaseBrowser();
    BatchAlbumWindow &batchCreator();

    bool hasStartUpScreen() const { return m_startUp != nullptr; }
    bool hasAlbumList() const { return m_albumList != nullptr; }
    bool hasPictureWindow() const { return m_pictureWindow != nullptr; }
    bool hasSlideshowChooser() const { return m_slideshowChooser != nullptr; }

    // "&Slideshow" on the album list.
    void showSlideshowChooser();
    // "Picture &Database" on the album list.
    void showDatabaseBrowser();
    // "&Create album from folder" on the album list.
    void showBatchCreator();

    // Shows a window modeless, in front, and activates it.
    void present(OwnedWindow &window);
    // The read-me's way on: the start-up screen, whose timer starts now.
    void showStartUpScreen();

    // The help key of every window: opens help in the format chosen on the
    // album list (which is created, not shown, when it does not exist yet).
    void openHelp();
    HelpFormat helpFormat();
    // Binds F12, with any modifier, to openHelp for the whole window.
    void installHelpKey(QWidget *window);

    // Ends the program at once: every window closes, nothing is asked.
    void endProgram();
    bool programEnded() const { return m_ended; }
    // What ending does besides closing the windows; the program quits its
    // event loop, tests only record it.
    void setEndHandler(std::function<void()> handler) { m_endHandler = std::move(handler); }

private:
    template <typename W> W &ensure(std::unique_ptr<W> &slot);
    void registerWindow(OwnedWindow &window);
    void focusWindowChanged(QWindow *focus);

    AppContext m_context;
    std::unique_ptr<StartUpScreen> m_startUp;
    std::unique_ptr<ReadMeWindow> m_readMe;
    std::unique_ptr<AlbumListWindow> m_albumList;
    std::unique_ptr<AlbumPageWindow> m_albumPage;
    std::unique_ptr<PictureWindow> m_pictureWindow;
    std::unique_ptr<SlideshowAlbumChooser> m_slideshowChooser;
    std::unique_ptr<SlideshowWindow> m_slideshowPlayer;
    std::unique_ptr<PictureInfoWindow> m_descriptionWindow;
    std::unique_ptr<DatabaseBrowserWindow> m_databaseBrowser;
    std::unique_ptr<BatchAlbumWindow> m_batchCreator;
    std::vector<OwnedWindow *> m_windows;
    OwnedWindow *m_lastActive = nullptr;
    bool m_ended = false;
    std::function<void()> m_endHandler;
};
