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
    void Form_Activate() override;

    void LoadPage();
    void ImageOff();
    void ImageOn();
    void AdjustThumbSize(int n);
    void ArrayInitialize();
    void ReSizeIt();
    void CheckForTooSmall();
    void Form_Resize();

    // Page commands: k is 1..10.
    void mnuP_Click(int k);
    void MnuPageOff();
    void MNUOff();
    void MNUOn();
    void PageUp();
    void PageDown();
    void Form_MouseDown(Qt::MouseButton button);
    void lblInst_MouseDown(Qt::MouseButton button);
    void mnuSelectAlbum_Click();
    void mnuHelp_Click();
    void Image1_Click(int k);
    void Image1_MouseDown(int k, Qt::MouseButton button, const QPoint &globalPos);

    PictureView *Image1(int index) const { return m_images.at(index); }
    QAction *pageItem(int k) const { return m_pageItems.at(k); }
    QLabel *instructionLabel() const { return m_lblInst; }
    QMenu *pictureEditMenu() const { return m_mnuImgAdd; }
    // The client area in which the page is laid out, below the menu bar.
    QWidget *pageArea() const { return m_page; }
    void setCaption();

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

    void Form_Load();
    void Timer1_Timer();
    void buildMenus();
    void buildPage();
    ProgramValues &values() const;
    QSizeF clientUnits() const;
    PictureLoader::TargetSize thumbnailTarget() const;

    WindowOwner &m_owner;
    QWidget *m_page = nullptr;
    QLabel *m_lblInst = nullptr;
    QTimer *m_timer1 = nullptr;
    QPushButton *m_cmdExc = nullptr;
    QPushButton *m_cmdNothing = nullptr;
    std::array<PictureView *, 7> m_images{};
    std::array<QAction *, 11> m_pageItems{};
    QAction *m_mnuPage = nullptr;
    QAction *m_mnuSelectAlbum = nullptr;
    QAction *m_mnuEdit = nullptr;
    QAction *m_mnuHelp = nullptr;
    QMenu *m_mnuImgAdd = nullptr;
    EditController *m_editing = nullptr;
    std::vector<ControlRatio> m_ratios;
    ThumbnailCache m_cache;
};
