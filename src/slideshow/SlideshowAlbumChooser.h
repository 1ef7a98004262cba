#pragma once

#include "app/OwnedWindow.h"

#include <QMainWindow>

class AlbumListBox;
class Navigator;
class QAction;
class QLabel;
class QListWidget;
class QMenu;
struct AppContext;

// The slideshow chooser: the albums, and the Options menu that sets how long
// each picture stays and whether the show repeats. A double click plays the
// album full screen; the chooser waits behind the player.
class SlideshowAlbumChooser : public QMainWindow, public OwnedWindow
{
    Q_OBJECT

public:
    SlideshowAlbumChooser(AppContext &context, Navigator &navigator);
    ~SlideshowAlbumChooser() override;

    QWidget *widget() override { return this; }
    // Reads the settings into the menu marks; runs when the window is made and
    // again when it is opened after having been closed.
    void loadSettings();
    void activated() override;

    void refillList();
    void List1_DblClick();
    void List1_MouseDown(Qt::MouseButton button, const QPoint &globalPos);
    void cmdExc_Click();

    // What the player follows at the end of an album.
    bool repeats() const;

    QListWidget *list() const;
    QMenu *popupMenu() const { return m_albumPopup; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void buildMenus();
    void uncheckTimes();
    void markTime();
    void mnu5_Click();
    void mnuMore_Click();
    void mnuRepeat_Click();

    AppContext &m_context;
    Navigator &m_navigator;
    AlbumListBox *m_albums = nullptr;
    QLabel *m_instruction = nullptr;
    QAction *m_fiveSeconds = nullptr;
    QAction *m_setTime = nullptr;
    QAction *m_repeatItem = nullptr;
    QMenu *m_albumPopup = nullptr;
    // The settings as read when the window loaded; the menu commands write
    // the store, not these.
    QString m_repeatSetting;
    QString m_timeSetting;
    bool m_loaded = false;
};
