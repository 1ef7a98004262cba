#pragma once

#include "albumpage/EditController.h"
#include "albumstore/PictureLoader.h"
#include "albumstore/RecentThumbnails.h"
#include "app/OwnedWindow.h"

#include <QMainWindow>

#include <array>
#include <vector>

class Navigator;
class QAction;
class QLabel;
class QMenu;
class QTimer;
class ThumbnailGrid;
struct AppContext;

// The album page: one page of the open album as six thumbnails in two rows of
// three, paged with the Page menu, F1 to F9 and F11, and clicks on the
// background (left: back, right: forward). The Edit menu and the thumbnails'
// popup put the page into an edit mode (EditController).
class AlbumPageWindow : public QMainWindow, public OwnedWindow
{
    Q_OBJECT

public:
    AlbumPageWindow(AppContext &context, Navigator &navigator);
    ~AlbumPageWindow() override;

    QWidget *widget() override { return this; }
    void activated() override;
    // A new choice from the album list: the next activation loads its first
    // page afresh.
    void albumChosen() { m_pageLoaded = false; }

    void loadPage();
    // Page commands: k is 1..10.
    void mnuP_Click(int k);
    void nextPage();
    void previousPage();
    void mnuSelectAlbum_Click();
    void mnuHelp_Click();
    void thumbnailClicked(int k);
    void thumbnailPressed(int k, Qt::MouseButton button, const QPoint &globalPos);

    ThumbnailGrid &grid() const { return *m_grid; }
    QAction *pageItem(int k) const { return m_pageItems.at(k); }
    QLabel *instructionLabel() const { return m_instruction; }
    QMenu *pictureEditMenu() const { return m_pictureEditPopup; }
    EditController &editing() const { return *m_editing; }
    // The page of a new album choice is about to load.
    bool loadPending() const;

    // The picture of a position decoded at the size it is drawn at.
    DecodedPicture decodeThumbnail(const QStringList &candidates) const;
    QSize thumbnailPixels(const QSize &natural) const;
    // Shows a picture in position n, or the placeholder for a null one, sized
    // and placed.
    void setPosition(int n, const DecodedPicture &picture);
    // Shows position n as it is on disk now.
    void showPosition(int n);

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

    void buildPage();
    EditController::Menus buildMenus();
    void loadChosenPage();
    void updateCaption();
    void uncheckPages();
    // The menu bar's four menus, greyed while a page loads.
    void setMenusEnabled(bool enabled);
    void placeThumbnail(int n);
    void backgroundPressed(Qt::MouseButton button);
    void lblInst_MouseDown(Qt::MouseButton button);
    // The page keeps the proportions of its controls as the window is resized.
    void recordControlPlaces();
    void scaleControls();
    void keepProportions();
    void pageResized();
    QSizeF clientUnits() const;
    PictureLoader::TargetSize thumbnailTarget() const;

    AppContext &m_context;
    Navigator &m_navigator;
    ThumbnailGrid *m_grid = nullptr;
    QLabel *m_instruction = nullptr;
    QTimer *m_loadTimer = nullptr;
    std::array<QAction *, 11> m_pageItems{};
    QAction *m_pageMenu = nullptr;
    QAction *m_selectAlbumItem = nullptr;
    QAction *m_editMenu = nullptr;
    QAction *m_helpItem = nullptr;
    QMenu *m_pictureEditPopup = nullptr;
    EditController *m_editing = nullptr;
    std::vector<ControlRatio> m_ratios;
    RecentThumbnails m_recent;

    // The page was loaded since the last album choice.
    bool m_pageLoaded = false;
    // The first resize comes from the window being laid out, not the user.
    bool m_resizeArmed = false;
    // The page's size (in layout units) at the last accepted resize, and the
    // scale a page is laid out at, taken from it when the page loads.
    double m_lastScaleWidth = 1000.0;
    double m_lastScaleHeight = 1000.0;
    double m_pageScaleX = 1.0;
    double m_pageScaleY = 1.0;
};
