#pragma once

#include "app/OwnedWindow.h"

#include <QMainWindow>

class AlbumListBox;
class QAction;
class QLabel;
class QListWidget;
class QMenu;
class WindowOwner;

// The slideshow chooser: the albums, and the Options menu that sets how long
// each picture stays and whether the show repeats. A double click plays the
// album full screen; the chooser waits behind the player.
class SlideshowAlbumChooser : public QMainWindow, public OwnedWindow
{
    Q_OBJECT

public:
    explicit SlideshowAlbumChooser(WindowOwner &owner);
    ~SlideshowAlbumChooser() override;

    QWidget *widget() override { return this; }
    // Reads the settings into the menu marks; runs when the window is made and
    // again when it is opened after having been closed.
    void Form_Load();
    void Form_Activate() override;

    void RenewList();
    void List1_DblClick();
    void List1_MouseDown(Qt::MouseButton button, const QPoint &globalPos);
    void cmdExc_Click();

    // What the player follows at the end of an album.
    bool repeatChecked() const;

    QListWidget *list() const;
    QMenu *popupMenu() const { return m_mnuTest; }

    static inline const QString kNoAlbums = QStringLiteral("There are no Album's stored");

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void buildMenus();
    void TimeOff();
    void MnuCkCk();
    void mnu5_Click();
    void mnuMore_Click();
    void mnuRepeat_Click();

    WindowOwner &m_owner;
    AlbumListBox *m_list1 = nullptr;
    QLabel *m_label1 = nullptr;
    QAction *m_mnu5 = nullptr;
    QAction *m_mnuMore = nullptr;
    QAction *m_mnuRepeat = nullptr;
    QMenu *m_mnuTest = nullptr;
    // The settings as read when the window loaded; the menu commands write
    // the store, not these.
    QString m_repeat;
    QString m_time;
    bool m_loaded = false;
};
