#pragma once

#include "app/OwnedWindow.h"

#include <QWidget>

class Navigator;
class PictureView;
class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;
struct AppContext;

// One picture of the album page, as large as the window allows. A left click
// goes back to the album page, a right click opens the popup menu.
class PictureWindow : public QWidget, public OwnedWindow
{
    Q_OBJECT

public:
    PictureWindow(AppContext &context, Navigator &navigator);
    ~PictureWindow() override;

    QWidget *widget() override { return this; }
    void activated() override;

    // Takes over the picture of a thumbnail: its file, natural size and the
    // thumbnail itself, shown until the picture is decoded at window size.
    void setPicture(const PictureView &thumbnail);
    void fitPicture();
    void mnuBack_Click();
    // The window as it looks, at screen size, on a white background.
    void mnuSmall_Click();
    // The window's inner area, captured and printed as large as the page allows.
    void mnuBig_Click();
    void cmdCancelPrint_Click();
    void pressed(Qt::MouseButton button, const QPoint &globalPos);

    PictureView *image() const { return m_picture; }
    QMenu *popupMenu() const { return m_popup; }

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenu();
    void placeOnScreen();
    // Fits the picture into the window as it is now, without decoding it.
    void placePicture();
    void decodeForSize(const QSize &shown);
    void setPrinting(bool printing);
    bool printCancelled() const;
    QString pdfName() const;

    AppContext &m_context;
    Navigator &m_navigator;
    PictureView *m_picture = nullptr;
    QLabel *m_capture = nullptr;
    QPushButton *m_cancelPrintButton = nullptr;
    QLabel *m_printingLabel = nullptr;
    QMenu *m_popup = nullptr;
    QMenu *m_printMenu = nullptr;
    QSize m_decodedFor;
    QTimer *m_decodeAfterResize = nullptr;
    bool m_placed = false;
    bool m_printing = false;
    // "Cancel Print" was pressed while a big print was being prepared.
    bool m_printCancelled = false;
};
