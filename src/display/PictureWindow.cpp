#include "display/PictureWindow.h"

#include "albumstore/PictureLoader.h"
#include "app/AppContext.h"
#include "app/Navigator.h"
#include "app/Session.h"
#include "display/PageSender.h"
#include "display/PictureFit.h"
#include "display/PrintLayout.h"
#include "platform/PrinterSeam.h"
#include "platform/ScreenMetrics.h"
#include "platform/Twips.h"
#include "widgets/PictureView.h"
#include "widgets/WindowKit.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kDesignWidth = int(Twips::toPixels(9570));   // 638 pixels
constexpr int kDesignHeight = int(Twips::toPixels(6870));  // 458 pixels
// How long a resize must have stopped before the picture is decoded for the
// new size; dragging a window's edge resizes it many times a second.
constexpr int kDecodeAfterResizeMs = 150;

}  // namespace

PictureWindow::PictureWindow(AppContext &context, Navigator &navigator)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint)
    , m_context(context)
    , m_navigator(navigator)
{
    setObjectName(QStringLiteral("frmDisplayPicture"));
    setWindowTitle(QString());
    WindowKit::setBackground(this, Qt::black);
    resize(kDesignWidth, kDesignHeight);

    m_picture = new PictureView(this);
    m_picture->setObjectName(QStringLiteral("Image1"));
    m_picture->setToolTip(QStringLiteral("Left click to return to the Album Page Display or right click for a menu"));
    WindowKit::describe(m_picture, QStringLiteral("Picture"));
    connect(m_picture, &PictureView::pressed, this, &PictureWindow::pressed);

    m_capture = new QLabel(this);
    m_capture->setObjectName(QStringLiteral("Picture1"));
    m_capture->hide();

    m_cancelPrintButton = new QPushButton(QStringLiteral("Cancel Print"), this);
    m_cancelPrintButton->setObjectName(QStringLiteral("cmdCancelPrint"));
    m_cancelPrintButton->setGeometry(QRect(QPoint(8, 8), m_cancelPrintButton->sizeHint()));
    m_cancelPrintButton->hide();
    connect(m_cancelPrintButton, &QPushButton::clicked, this, &PictureWindow::cmdCancelPrint_Click);

    m_printingLabel = new QLabel(this);
    m_printingLabel->setObjectName(QStringLiteral("Label2"));
    m_printingLabel->setFont(WindowKit::arial(12));
    m_printingLabel->setContentsMargins(6, 2, 6, 2);
    WindowKit::setBackground(m_printingLabel, WindowKit::pageBlue());
    m_printingLabel->move(m_cancelPrintButton->geometry().right() + 9, 8);
    m_printingLabel->hide();

    WindowKit::addCancelButton(this, this, QStringLiteral("cmdExc"), QStringLiteral("Command1"),
                               [this] { m_navigator.endProgram(); });
    auto *command1 = new QPushButton(QStringLiteral("Command1"), this);
    command1->setObjectName(QStringLiteral("Command1"));
    command1->setFocusPolicy(Qt::NoFocus);
    command1->setGeometry(-300, -300, 80, 24);

    m_decodeAfterResize = new QTimer(this);
    m_decodeAfterResize->setSingleShot(true);
    m_decodeAfterResize->setInterval(kDecodeAfterResizeMs);
    connect(m_decodeAfterResize, &QTimer::timeout, this, [this] { decodeForSize(m_picture->size()); });

    buildMenu();
    m_navigator.installHelpKey(this);
}

PictureWindow::~PictureWindow() = default;

void PictureWindow::buildMenu()
{
    m_popup = new QMenu(QStringLiteral("Popup"), this);
    m_popup->setObjectName(QStringLiteral("mnuPopup"));
    QAction *back = m_popup->addAction(QStringLiteral("Back to Thumbnails"));
    back->setObjectName(QStringLiteral("mnuBack"));
    connect(back, &QAction::triggered, this, &PictureWindow::mnuBack_Click);

    m_printMenu = m_popup->addMenu(QStringLiteral("Print Picture"));
    m_printMenu->setObjectName(QStringLiteral("mnuPrint"));
    m_printMenu->menuAction()->setObjectName(QStringLiteral("mnuPrint"));
    QAction *small = m_printMenu->addAction(QStringLiteral("Small Picture"));
    small->setObjectName(QStringLiteral("mnuSmall"));
    connect(small, &QAction::triggered, this, &PictureWindow::mnuSmall_Click);
    QAction *big = m_printMenu->addAction(QStringLiteral("Big Picture"));
    big->setObjectName(QStringLiteral("mnuBig"));
    connect(big, &QAction::triggered, this, &PictureWindow::mnuBig_Click);

    // The description opens beside the picture, which stays.
    QAction *info = m_popup->addAction(QStringLiteral("Picture Information"));
    info->setObjectName(QStringLiteral("mnuPicinfo"));
    connect(info, &QAction::triggered, this, [this] { m_navigator.showPictureInfo(); });
    m_popup->addSeparator()->setObjectName(QStringLiteral("mnuSp0"));
    m_popup->addAction(QStringLiteral("Cancel "))->setObjectName(QStringLiteral("mnucancel"));
}

void PictureWindow::setPicture(const PictureView &thumbnail)
{
    m_picture->setPicture(thumbnail.pixmap(), thumbnail.naturalSize(), thumbnail.path());
    m_decodedFor = QSize();
}

void PictureWindow::activated()
{
    placeOnScreen();
    fitPicture();
}

void PictureWindow::placeOnScreen()
{
    const double ratio = m_context.session.screenRatio;
    const QRect available = m_context.screen.availableGeometry();
    if (!m_placed && ratio != 1.0) {
        // The window was designed for a 640 pixel screen: on a larger one it
        // is scaled up once, on its first showing, and keeps its size from
        // then on (also a size the user gave it). It never outgrows the part
        // of the screen the desktop leaves free.
        const QSize frame = frameGeometry().size() - size();
        const int maxW = std::max(1, available.width() - frame.width());
        const int maxH = std::max(1, available.height() - frame.height());
        const int h = std::min(maxH, int(std::lround(height() * ratio)));
        const int w = std::min(maxW, int(std::lround(width() * ratio)));
        resize(w, h);
    }
    if (!m_placed) {
        WindowKit::centreIn(this, available);
        m_placed = true;
    }
    QRect g = frameGeometry();
    // Keep the whole window on the screen.
    g.moveLeft(std::clamp(g.left(), available.left(), std::max(available.left(), available.right() - g.width() + 1)));
    g.moveTop(std::clamp(g.top(), available.top(), std::max(available.top(), available.bottom() - g.height() + 1)));
    move(g.topLeft());
}

void PictureWindow::fitPicture()
{
    m_picture->hide();
    placePicture();
    decodeForSize(m_picture->size());
    m_picture->show();
}

void PictureWindow::placePicture()
{
    const QSize natural = m_picture->naturalSize();
    const QRectF fit = PictureFit::sizePicture(natural, QSizeF(size()), QSizeF(frameGeometry().size()));
    m_picture->setGeometry(int(std::lround(fit.left())), int(std::lround(fit.top())), int(std::lround(fit.width())),
                           int(std::lround(fit.height())));
}

void PictureWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // The picture follows the window at once, drawn from what is decoded;
    // decoding it for a larger size waits until the resizing stops.
    placePicture();
    m_decodeAfterResize->start();
}

void PictureWindow::decodeForSize(const QSize &shown)
{
    // The picture is decoded at the size it is shown, never at full size for
    // the screen, and only again when the window has grown.
    const QSize wanted = shown * devicePixelRatioF();
    if (m_picture->path().isEmpty() || wanted.isEmpty())
        return;
    if (m_decodedFor.isValid() && m_decodedFor.width() >= wanted.width() && m_decodedFor.height() >= wanted.height())
        return;
    const DecodedPicture picture = PictureLoader::decodeFitted(m_picture->path(), wanted);
    if (picture.isNull())
        return;  // the file went away since the page was loaded: keep the thumbnail
    m_picture->setPicture(picture);
    m_decodedFor = wanted;
}

void PictureWindow::mnuBack_Click()
{
    QCoreApplication::processEvents();
    m_navigator.showAlbumPage();
    hide();
}

void PictureWindow::setPrinting(bool printing)
{
    // Events run while a big print prepares its page; no second print may
    // start from the popup meanwhile.
    m_printing = printing;
    m_printMenu->menuAction()->setEnabled(!printing);
}

bool PictureWindow::printCancelled() const
{
    return m_printCancelled || m_navigator.programEnded();
}

QString PictureWindow::pdfName() const
{
    const Session &session = m_context.session;
    return PageSender::pdfNameFor(session.album, session.page, session.picture);
}

void PictureWindow::mnuSmall_Click()
{
    if (m_printing)
        return;
    setPrinting(true);
    WindowKit::setBackground(this, Qt::white);
    const QImage window = grab().toImage();
    WindowKit::setBackground(this, WindowKit::pageBlue());

    const QSizeF screenSize(width() * 72.0 / logicalDpiX(), height() * 72.0 / logicalDpiY());
    PageSender(m_context.printer, m_context.dialogs)
        .send(
            window, QPageLayout::Portrait,
            [screenSize](const QSizeF &printable) { return PrintLayout::atScreenSize(screenSize, printable); },
            pdfName());
    setPrinting(false);
}

void PictureWindow::mnuBig_Click()
{
    if (m_printing)
        return;
    m_printCancelled = false;
    setPrinting(true);
    WindowKit::setBackground(this, Qt::white);
    QCoreApplication::processEvents();
    // The picture on white, as shown, before the button and the label appear.
    m_capture->setPixmap(grab());

    m_cancelPrintButton->show();
    m_cancelPrintButton->raise();
    QCoreApplication::processEvents();
    WindowKit::setBackground(this, WindowKit::pageBlue());
    QCoreApplication::processEvents();
    m_printingLabel->setText(QStringLiteral("Printing"));
    m_printingLabel->adjustSize();
    m_printingLabel->move(m_printingLabel->x(),
                          m_cancelPrintButton->geometry().center().y() - m_printingLabel->height() / 2);
    QCoreApplication::processEvents();
    m_printingLabel->show();
    m_printingLabel->raise();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();

    // No events run from here until the page has gone, so this is the last
    // moment "Cancel Print" can act, and the page only exists from here on:
    // a cancelled print leaves nothing at the printer or in a file.
    if (!printCancelled()) {
        m_cancelPrintButton->hide();
        const QImage capture = m_capture->pixmap().toImage();
        const QSize natural = capture.size();
        PageSender(m_context.printer, m_context.dialogs)
            .send(
                capture, PrintLayout::orientationFor(natural),
                [natural](const QSizeF &printable) { return PrintLayout::fitted(natural, printable); }, pdfName());
    }
    m_printCancelled = false;
    m_capture->clear();
    m_cancelPrintButton->hide();
    m_printingLabel->hide();
    setPrinting(false);
}

void PictureWindow::cmdCancelPrint_Click()
{
    // The page is made only once the print is past its last chance to be
    // cancelled, so there is no document to abort here.
    m_printCancelled = true;
}

void PictureWindow::pressed(Qt::MouseButton button, const QPoint &globalPos)
{
    if (button == Qt::LeftButton)
        mnuBack_Click();
    else if (button == Qt::RightButton)
        m_popup->popup(globalPos);
}

void PictureWindow::mousePressEvent(QMouseEvent *event)
{
    pressed(event->button(), event->globalPosition().toPoint());
}

void PictureWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    m_navigator.endProgram();
}
