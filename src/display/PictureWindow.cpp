#include "display/PictureWindow.h"

#include "albumpage/AlbumPageWindow.h"
#include "albumstore/PictureLoader.h"
#include "app/ProgramValues.h"
#include "app/WindowOwner.h"
#include "display/PageSender.h"
#include "display/PictureFit.h"
#include "display/PrintLayout.h"
#include "pictureinfo/PictureInfoWindow.h"
#include "platform/PrinterSeam.h"
#include "platform/ScreenMetrics.h"
#include "widgets/PictureView.h"
#include "widgets/WindowKit.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kDesignWidth = 9570 / 15;   // 638 pixels
constexpr int kDesignHeight = 6870 / 15;  // 458 pixels

}  // namespace

PictureWindow::PictureWindow(WindowOwner &owner)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint)
    , m_owner(owner)
{
    setObjectName(QStringLiteral("frmDisplayPicture"));
    setWindowTitle(QString());
    WindowKit::setBackground(this, Qt::black);
    resize(kDesignWidth, kDesignHeight);

    m_image1 = new PictureView(this);
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_image1->setToolTip(QStringLiteral("Left click to return to the Album Page Display or right click for a menu"));
    WindowKit::describe(m_image1, QStringLiteral("Picture"));
    connect(m_image1, &PictureView::pressed, this, &PictureWindow::Form_MouseDown);

    m_picture1 = new QLabel(this);
    m_picture1->setObjectName(QStringLiteral("Picture1"));
    m_picture1->hide();

    m_cmdCancelPrint = new QPushButton(QStringLiteral("Cancel Print"), this);
    m_cmdCancelPrint->setObjectName(QStringLiteral("cmdCancelPrint"));
    m_cmdCancelPrint->setGeometry(QRect(QPoint(8, 8), m_cmdCancelPrint->sizeHint()));
    m_cmdCancelPrint->hide();
    connect(m_cmdCancelPrint, &QPushButton::clicked, this, &PictureWindow::cmdCancelPrint_Click);

    m_label2 = new QLabel(this);
    m_label2->setObjectName(QStringLiteral("Label2"));
    m_label2->setFont(WindowKit::arial(12));
    m_label2->setContentsMargins(6, 2, 6, 2);
    WindowKit::setBackground(m_label2, WindowKit::pageBlue());
    m_label2->move(m_cmdCancelPrint->geometry().right() + 9, 8);
    m_label2->hide();

    WindowKit::addCancelButton(this, this, QStringLiteral("cmdExc"), QStringLiteral("Command1"),
                               [this] { m_owner.endProgram(); });
    auto *command1 = new QPushButton(QStringLiteral("Command1"), this);
    command1->setObjectName(QStringLiteral("Command1"));
    command1->setFocusPolicy(Qt::NoFocus);
    command1->setGeometry(-300, -300, 80, 24);

    buildMenu();
    m_owner.installHelpKey(this);
}

PictureWindow::~PictureWindow() = default;

void PictureWindow::buildMenu()
{
    m_mnuPopup = new QMenu(QStringLiteral("Popup"), this);
    m_mnuPopup->setObjectName(QStringLiteral("mnuPopup"));
    QAction *back = m_mnuPopup->addAction(QStringLiteral("Back to Thumbnails"));
    back->setObjectName(QStringLiteral("mnuBack"));
    connect(back, &QAction::triggered, this, &PictureWindow::mnuBack_Click);

    m_mnuPrint = m_mnuPopup->addMenu(QStringLiteral("Print Picture"));
    m_mnuPrint->setObjectName(QStringLiteral("mnuPrint"));
    m_mnuPrint->menuAction()->setObjectName(QStringLiteral("mnuPrint"));
    QAction *small = m_mnuPrint->addAction(QStringLiteral("Small Picture"));
    small->setObjectName(QStringLiteral("mnuSmall"));
    connect(small, &QAction::triggered, this, &PictureWindow::mnuSmall_Click);
    QAction *big = m_mnuPrint->addAction(QStringLiteral("Big Picture"));
    big->setObjectName(QStringLiteral("mnuBig"));
    connect(big, &QAction::triggered, this, &PictureWindow::mnuBig_Click);

    // The description opens beside the picture, which stays.
    QAction *info = m_mnuPopup->addAction(QStringLiteral("Picture Information"));
    info->setObjectName(QStringLiteral("mnuPicinfo"));
    connect(info, &QAction::triggered, this, [this] { m_owner.present(m_owner.descriptionWindow()); });
    m_mnuPopup->addSeparator()->setObjectName(QStringLiteral("mnuSp0"));
    m_mnuPopup->addAction(QStringLiteral("Cancel "))->setObjectName(QStringLiteral("mnucancel"));
}

void PictureWindow::setPicture(const PictureView &thumbnail)
{
    m_image1->setPicture(thumbnail.pixmap(), thumbnail.naturalSize(), thumbnail.path());
    m_decodedFor = QSize();
}

void PictureWindow::Form_Activate()
{
    growByScreenRatio();
    SizePicture();
}

void PictureWindow::growByScreenRatio()
{
    const double ratio = m_owner.context().values.ScreenRatio;
    const QRect available = m_owner.context().screen.availableGeometry();
    if (ratio != 1.0) {
        // The window grows on every activation; it never outgrows the part of
        // the screen the desktop leaves free.
        const QSize frame = frameGeometry().size() - size();
        const int maxW = std::max(1, available.width() - frame.width());
        const int maxH = std::max(1, available.height() - frame.height());
        const int h = std::min(maxH, int(std::lround(height() * ratio)));
        const int w = std::min(maxW, int(std::lround(width() * ratio)));
        resize(w, h);
    }
    QRect g = frameGeometry();
    if (!m_placed) {
        g.moveCenter(available.center());
        m_placed = true;
    }
    // Keep the whole window on the screen.
    g.moveLeft(std::clamp(g.left(), available.left(), std::max(available.left(), available.right() - g.width() + 1)));
    g.moveTop(std::clamp(g.top(), available.top(), std::max(available.top(), available.bottom() - g.height() + 1)));
    move(g.topLeft());
}

void PictureWindow::SizePicture()
{
    m_image1->hide();
    const QSize natural = m_image1->naturalSize();
    const QRectF fit = PictureFit::sizePicture(natural, QSizeF(size()), QSizeF(frameGeometry().size()));
    const QRect shown(int(std::lround(fit.left())), int(std::lround(fit.top())), int(std::lround(fit.width())),
                      int(std::lround(fit.height())));
    m_image1->setGeometry(shown);
    decodeForSize(shown.size());
    m_image1->show();
}

void PictureWindow::decodeForSize(const QSize &shown)
{
    // The picture is decoded at the size it is shown, never at full size for
    // the screen, and only again when the window has grown.
    const QSize wanted = shown * devicePixelRatioF();
    if (m_image1->path().isEmpty() || wanted.isEmpty())
        return;
    if (m_decodedFor.isValid() && m_decodedFor.width() >= wanted.width() && m_decodedFor.height() >= wanted.height())
        return;
    const DecodedPicture picture = PictureLoader::decodeFitted(m_image1->path(), wanted);
    if (picture.isNull())
        return;  // the file went away since the page was loaded: keep the thumbnail
    m_image1->setPicture(picture);
    m_decodedFor = wanted;
}

void PictureWindow::mnuBack_Click()
{
    ProgramValues &v = m_owner.context().values;
    AlbumPageWindow &page = m_owner.albumPage();
    page.setWindowTitle(v.AlbumName + QStringLiteral(", Page ") + QString::number(v.PageNumber));
    QCoreApplication::processEvents();
    m_owner.present(page);
    hide();
}

void PictureWindow::setPrinting(bool printing)
{
    // Events run while a big print prepares its page; no second print may
    // start from the popup meanwhile.
    m_printing = printing;
    m_mnuPrint->menuAction()->setEnabled(!printing);
}

bool PictureWindow::printCancelled() const
{
    return m_owner.context().values.CancelPrint || m_owner.programEnded();
}

QString PictureWindow::pdfName() const
{
    const ProgramValues &v = m_owner.context().values;
    return PageSender::pdfNameFor(v.AlbumName, v.PageNumber, v.PictureNumber);
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
    PageSender(m_owner.context().printer, m_owner.context().dialogs)
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
    ProgramValues &v = m_owner.context().values;
    v.CancelPrint = false;
    setPrinting(true);
    WindowKit::setBackground(this, Qt::white);
    QCoreApplication::processEvents();
    // The picture on white, as shown, before the button and the label appear.
    m_picture1->setPixmap(grab());

    m_cmdCancelPrint->show();
    m_cmdCancelPrint->raise();
    QCoreApplication::processEvents();
    WindowKit::setBackground(this, WindowKit::pageBlue());
    QCoreApplication::processEvents();
    m_label2->setText(QStringLiteral("Printing"));
    m_label2->adjustSize();
    m_label2->move(m_label2->x(), m_cmdCancelPrint->geometry().center().y() - m_label2->height() / 2);
    QCoreApplication::processEvents();
    m_label2->show();
    m_label2->raise();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();

    // No events run from here until the page has gone, so this is the last
    // moment "Cancel Print" can act, and the page only exists from here on:
    // a cancelled print leaves nothing at the printer or in a file.
    if (!printCancelled()) {
        m_cmdCancelPrint->hide();
        const QImage capture = m_picture1->pixmap().toImage();
        const QSize natural = capture.size();
        PageSender(m_owner.context().printer, m_owner.context().dialogs)
            .send(
                capture, PrintLayout::orientationFor(natural),
                [natural](const QSizeF &printable) { return PrintLayout::fitted(natural, printable); }, pdfName());
    }
    v.CancelPrint = false;
    m_picture1->clear();
    m_cmdCancelPrint->hide();
    m_label2->hide();
    setPrinting(false);
}

void PictureWindow::cmdCancelPrint_Click()
{
    // The page is made only once the print is past its last chance to be
    // cancelled, so there is no document to abort here.
    m_owner.context().values.CancelPrint = true;
}

void PictureWindow::Form_MouseDown(Qt::MouseButton button, const QPoint &globalPos)
{
    if (button == Qt::LeftButton)
        mnuBack_Click();
    else if (button == Qt::RightButton)
        m_mnuPopup->popup(globalPos);
}

void PictureWindow::mousePressEvent(QMouseEvent *event)
{
    Form_MouseDown(event->button(), event->globalPosition().toPoint());
}

void PictureWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    m_owner.endProgram();
}
