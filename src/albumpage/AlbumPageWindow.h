#pragma once

#include "albumstore/PictureLoader.h"
#include "albumstore/ThumbnailCache.h"
#include "app/OwnedWindow.h"

#include <QMainWindow>

#include <array>

class EditController;
class PictureView;
class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;
class WindowOwner;
struct ProgramValues;

// The album page: one page of the open album as six thumbnails in two rows of
// three, paged with the Page menu, F1 to F9 and F11, and clicks on the
// background (left: back, right: forward).
class AlbumPageWindow : public QMainWindow, public OwnedWindow
{
    Q_OBJECT

public:
    explicit AlbumPageWindow(WindowOwner &owner);
    ~AlbumPageWindow() override;

    QWidget *widget() override { return this; }
    void activated() override;

    void loadPage();
    void setThumbnailsVisible(bool visible);
    void placeThumbnail(int n);
    void recordControlPlaces();
    void scaleControls();
    void keepProportions();
    void pageResized();

    // Page commands: k is 1..10.
    void mnuP_Click(int k);
    void uncheckPages();
    // The menu bar's four menus, greyed while a page loads.
    void setMenusEnabled(bool enabled);
    void nextPage();
    void previousPage();
    void backgroundPressed(Qt::MouseButton button);
    void lblInst_MouseDown(Qt::MouseButton button);
    void mnuSelectAlbum_Click();
    void mnuHelp_Click();
    void thumbnailClicked(int k);
    void thumbnailPressed(int k, Qt::MouseButton button, const QPoint &globalPos);

    PictureView *Image1(int index) const { return m_images.at(index); }
    QAction *pageItem(int k) const { return m_pageItems.at(k); }
    QLabel *instructionLabel() const { return m_instruction; }
    QMenu *pictureEditMenu() const { return m_pictureEditPopup; }
    // The client area in which the page is laid out, below the menu bar.
    QWidget *pageArea() const { return m_page; }
    void updateCaption();

    // The picture of a position decoded at the size it is drawn at.
    DecodedPicture decodeThumbnail(const QStringList &candidates) const;
    QSize thumbnailPixels(const QSize &natural) const;
    // Shows a picture in position n, or the placeholder for a null one, with
    // its tag, sized and placed.
    void setPosition(int n, const DecodedPicture &picture);
    // Shows position n as it is on disk now.
    void showPosition(int n);
    EditController &editing() const { return *m_editing; }
    // The page of a new album choice is about to load.
    bool loadPending() const;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct ControlRatio
    {
        QWidget *control = nullptr;
        double width = 0, height = 0, top = 0, left = 0;
    };

    void loadPlaceholder();
    void loadChosenPage();
    void buildMenus();
    void buildPage();
    ProgramValues &values() const;
    QSizeF clientUnits() const;
    PictureLoader::TargetSize thumbnailTarget() const;

    WindowOwner &m_owner;
    QWidget *m_page = nullptr;
    QLabel *m_instruction = nullptr;
    QTimer *m_loadTimer = nullptr;
    QPushButton *m_endButton = nullptr;
    QPushButton *m_cmdNothing = nullptr;
    std::array<PictureView *, 7> m_images{};
    std::array<QAction *, 11> m_pageItems{};
    QAction *m_pageMenu = nullptr;
    QAction *m_selectAlbumItem = nullptr;
    QAction *m_editMenu = nullptr;
    QAction *m_helpItem = nullptr;
    QMenu *m_pictureEditPopup = nullptr;
    EditController *m_editing = nullptr;
    std::vector<ControlRatio> m_ratios;
    ThumbnailCache m_cache;
};
