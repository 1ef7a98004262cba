#pragma once

#include "app/AppContext.h"
#include "app/Navigator.h"
#include "platform/HelpLauncher.h"

#include <QObject>

#include <functional>
#include <memory>
#include <vector>

class AlbumListWindow;
class AlbumPageWindow;
class BatchAlbumWindow;
class DatabaseBrowserWindow;
class OwnedWindow;
class PictureInfoWindow;
class PictureWindow;
class ReadMeWindow;
class SlideshowAlbumChooser;
class SlideshowWindow;
class StartUpScreen;
class QWindow;

// Creates each window on first use, shows and hides them, and is the one place
// that ends the program. It is the only part of the program that knows every
// window; the windows reach one another through the Navigator it implements.
class WindowOwner : public QObject, public Navigator
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

    // Shows a window modeless, in front, and activates it.
    void present(OwnedWindow &window);
    // The help format chosen on the album list (which is created, not shown,
    // when it does not exist yet).
    HelpFormat helpFormat();

    // What ending does besides closing the windows; the program quits its
    // event loop, tests only record it.
    void setEndHandler(std::function<void()> handler) { m_endHandler = std::move(handler); }

    void showAlbumList() override;
    void hideAlbumList() override;
    bool albumListShown() const override;
    void openChosenAlbum() override;
    void showAlbumPage() override;
    void showPicture(const PictureView &thumbnail) override;
    void showPictureInfo() override;
    void showDatabaseBrowser() override;
    void showBatchCreator() override;
    void showSlideshowChooser() override;
    bool slideshowChooserShown() const override;
    void playSlideshow() override;
    void showStartUpScreen() override;
    void hideStartUpScreen() override;
    void openHelp() override;
    void installHelpKey(QWidget *window) override;
    void endProgram() override;
    bool programEnded() const override { return m_ended; }

private:
    template <typename W> W &ensure(std::unique_ptr<W> &slot);
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
