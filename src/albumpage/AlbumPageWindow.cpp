#include "albumpage/AlbumPageWindow.h"

#include "albumpage/EditController.h"
#include "albumpage/ThumbLayout.h"
#include "albumpage/ThumbnailGrid.h"
#include "albumstore/AlbumStore.h"
#include "albumstore/DesktopThumbnails.h"
#include "albumstore/PictureLoader.h"
#include "albumstore/Placeholder.h"
#include "app/AppContext.h"
#include "app/Navigator.h"
#include "app/Session.h"
#include "platform/ScreenMetrics.h"
#include "widgets/PictureView.h"
#include "widgets/WindowKit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

#include <cmath>

namespace {

const QString kSpacer = QStringLiteral("     ");

QAction *addItem(QMenu *menu, const char *name, const QString &caption, const QKeySequence &shortcut = {})
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
    }
    return action;
}

QMenu *addSubmenu(QMenu *parent, const char *name, const QString &caption)
{
    QMenu *menu = parent->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name));
    return menu;
}

void addSeparator(QMenu *menu, const char *name)
{
    menu->addSeparator()->setObjectName(QLatin1String(name));
}

}  // namespace

AlbumPageWindow::AlbumPageWindow(AppContext &context, Navigator &navigator)
    : m_context(context)
    , m_navigator(navigator)
{
    setObjectName(QStringLiteral("Form1"));
    buildPage();
    const EditController::Menus menus = buildMenus();
    resize(ThumbLayout::kDesignClientWidth, ThumbLayout::kDesignClientHeight + menuBar()->sizeHint().height());
    m_navigator.installHelpKey(this);
    m_editing = new EditController(*this, menus, m_context, m_navigator);
    connect(m_grid, &ThumbnailGrid::fileDropped, m_editing, &EditController::fileDropped);
    m_grid->setPlaceholder(Placeholder::load(m_context.store.placeholderPath()));
    recordControlPlaces();
}

AlbumPageWindow::~AlbumPageWindow() = default;

void AlbumPageWindow::buildPage()
{
    m_grid = new ThumbnailGrid(this);
    setCentralWidget(m_grid);
    connect(m_grid, &ThumbnailGrid::backgroundPressed, this, &AlbumPageWindow::backgroundPressed);
    connect(m_grid, &ThumbnailGrid::thumbnailClicked, this, &AlbumPageWindow::thumbnailClicked);
    connect(m_grid, &ThumbnailGrid::thumbnailPressed, this, &AlbumPageWindow::thumbnailPressed);

    m_instruction = new QLabel(m_grid);
    m_instruction->setObjectName(QStringLiteral("lblInst"));
    m_instruction->setAlignment(Qt::AlignCenter);
    m_instruction->setFont(WindowKit::arial(16, true));
    WindowKit::setBackground(m_instruction, WindowKit::pageBlue());
    // The page is disabled while it loads; the line saying so must stay
    // readable, not greyed with the rest.
    QPalette readable = m_instruction->palette();
    readable.setColor(QPalette::Disabled, QPalette::WindowText, readable.color(QPalette::Active, QPalette::WindowText));
    m_instruction->setPalette(readable);
    m_instruction->setGeometry(
        ThumbLayout::toPixels({0, 0, ThumbLayout::kLabelWidth, ThumbLayout::kLabelHeight}).toRect());
    m_instruction->installEventFilter(this);
    // Behind the thumbnails, which it touches.
    m_instruction->lower();

    WindowKit::addCancelButton(this, m_grid, QStringLiteral("cmdExc"), QStringLiteral("Command1"),
                               [this] { m_navigator.endProgram(); });

    m_loadTimer = new QTimer(this);
    m_loadTimer->setObjectName(QStringLiteral("Timer1"));
    m_loadTimer->setInterval(1);
    m_loadTimer->setSingleShot(true);
    connect(m_loadTimer, &QTimer::timeout, this, &AlbumPageWindow::loadChosenPage);
}

EditController::Menus AlbumPageWindow::buildMenus()
{
    EditController::Menus menus;
    QMenuBar *bar = menuBar();

    QMenu *page = bar->addMenu(QStringLiteral("&Page"));
    page->setObjectName(QStringLiteral("mnuPage"));
    m_pageMenu = page->menuAction();
    m_pageMenu->setObjectName(QStringLiteral("mnuPage"));
    for (int k = 1; k <= 10; ++k) {
        const QString caption = k < 10 ? QStringLiteral("Page &%1").arg(k) : QStringLiteral("Page 1&0");
        const QKeySequence key(k < 10 ? Qt::Key(Qt::Key_F1 + k - 1) : Qt::Key_F11);
        QAction *item = addItem(page, QStringLiteral("mnuP%1").arg(k).toLatin1().constData(), caption, key);
        item->setCheckable(true);
        m_pageItems[k] = item;
        connect(item, &QAction::triggered, this, [this, item, k](bool checked) {
            // Qt has already toggled the mark; the command decides it.
            item->setChecked(!checked);
            if (WindowKit::reachable(item))
                mnuP_Click(k);
        });
    }

    QAction *space0 = bar->addAction(kSpacer);
    space0->setObjectName(QStringLiteral("mnuSpace0"));
    space0->setEnabled(false);

    m_selectAlbumItem = bar->addAction(QStringLiteral("&Select Album"));
    m_selectAlbumItem->setObjectName(QStringLiteral("mnuSelectAlbum"));
    connect(m_selectAlbumItem, &QAction::triggered, this, &AlbumPageWindow::mnuSelectAlbum_Click);

    bar->addAction(kSpacer)->setObjectName(QStringLiteral("mnuSpace1"));

    QMenu *edit = bar->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    m_editMenu = edit->menuAction();
    m_editMenu->setObjectName(QStringLiteral("mnuEdit"));
    QMenu *add = addSubmenu(edit, "mnuAdd", QStringLiteral("&Add Picture to the Album"));
    menus.fromDisk =
        addItem(add, "mnuFromDisk", QStringLiteral("From &Disk Drives"), QKeySequence(Qt::CTRL | Qt::Key_D));
    menus.fromClipboard =
        addItem(add, "mnuFromClipboard", QStringLiteral("From the &Clipboard"), QKeySequence(Qt::CTRL | Qt::Key_C));
    QMenu *clip = addSubmenu(edit, "mnuClipboard", QStringLiteral("Cli&pboard"));
    menus.pasteFromClipboard =
        addItem(clip, "mnuFromClip", QStringLiteral("Paste &from the Clipboard"), QKeySequence(Qt::CTRL | Qt::Key_F));
    menus.copyToClipboard =
        addItem(clip, "mnuToClip", QStringLiteral("Copy &to the Clipboard"), QKeySequence(Qt::CTRL | Qt::Key_T));
    addSeparator(edit, "mnuSB1");
    QAction *deleteMode = addItem(edit, "mnuDelete", QStringLiteral("D&elete"), QKeySequence(Qt::CTRL | Qt::Key_E));
    menus.deleteMode = deleteMode;
    addSeparator(edit, "mnuSB0");
    menus.cancelEdit = addItem(edit, "mnuCancelEdit", QStringLiteral("Cancel Ed&iT"));

    bar->addAction(kSpacer)->setObjectName(QStringLiteral("mnuSpace2"));

    m_helpItem = bar->addAction(QStringLiteral("&Help"));
    m_helpItem->setObjectName(QStringLiteral("mnuHelp"));
    connect(m_helpItem, &QAction::triggered, this, &AlbumPageWindow::mnuHelp_Click);

    // The thumbnail popup; it never appears in the menu bar.
    m_pictureEditPopup = new QMenu(QStringLiteral("Picture Edit"), this);
    m_pictureEditPopup->setObjectName(QStringLiteral("mnuImgAdd"));
    QMenu *addDisk = addSubmenu(m_pictureEditPopup, "mnuAddDisk", QStringLiteral("Add Picture"));
    menus.addFromDrives = addItem(addDisk, "mnuAddFromDrives", QStringLiteral("From drives"));
    menus.addFromClipboard = addItem(addDisk, "mnuAddFromClipboard", QStringLiteral("From Clipboard"));
    addSeparator(m_pictureEditPopup, "mnuSP2");
    QAction *deletePicture = addItem(m_pictureEditPopup, "mnuDDelete", QStringLiteral("Delete Picture"));
    menus.deletePicture = deletePicture;
    addSeparator(m_pictureEditPopup, "mnuSP4");
    QMenu *dclip = addSubmenu(m_pictureEditPopup, "mnuDClip", QStringLiteral("Clipboard"));
    menus.popupPaste = addItem(dclip, "mnuPFromClip", QStringLiteral("Paste from the Clipboard"));
    menus.popupCopy = addItem(dclip, "mnuDToClip", QStringLiteral("Copy to the Clipboard"));
    addSeparator(m_pictureEditPopup, "mnuSP5");
    menus.pictureInfo = addItem(m_pictureEditPopup, "mnuPicInfo", QStringLiteral("Picture information"));
    addSeparator(m_pictureEditPopup, "mnuSP6");
    addItem(m_pictureEditPopup, "mnuCancel", QStringLiteral("Cancel"));

    // What an edit mode greys, so that no other mode or page can be started
    // until it ends.
    menus.lockedByMode = {m_pageMenu,          m_selectAlbumItem, add->menuAction(),
                          clip->menuAction(),  m_helpItem,        addDisk->menuAction(),
                          dclip->menuAction(), deleteMode,        deletePicture};
    return menus;
}

void AlbumPageWindow::activated()
{
    const bool normal = !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
    if (normal && m_context.session.screenRatio > 1.0)
        WindowKit::centreOnScreen(this, m_context.screen);
    if (m_pageLoaded)
        m_grid->setThumbnailsVisible(true);
    else
        m_loadTimer->start();
    updateCaption();
    m_navigator.hideAlbumList();
    m_pageLoaded = true;
}

bool AlbumPageWindow::loadPending() const
{
    return m_loadTimer->isActive();
}

void AlbumPageWindow::updateCaption()
{
    const Session &session = m_context.session;
    setWindowTitle(session.album + QStringLiteral(", Page ") + QString::number(session.page));
}

void AlbumPageWindow::loadChosenPage()
{
    uncheckPages();
    m_pageItems[1]->setChecked(true);
    loadPage();
    m_loadTimer->stop();
}

void AlbumPageWindow::loadPage()
{
    const Session &session = m_context.session;
    m_pageScaleY = m_lastScaleHeight / 1000.0;
    m_pageScaleX = m_lastScaleWidth / 1000.0;

    const QRectF label = ThumbLayout::toPixels(
        {0, 0, ThumbLayout::kLabelWidth * m_pageScaleX, ThumbLayout::kLabelHeight * m_pageScaleY});
    m_instruction->setGeometry(0, 0, int(std::lround(label.width())), int(std::lround(label.height())));
    m_instruction->setFont(WindowKit::arial(std::max(1.0, 16.0 * m_pageScaleX), true));
    m_instruction->show();
    m_instruction->setText(QStringLiteral("Calculating Picture  - - -  Loading Page ") + QString::number(session.page)
                           + QStringLiteral("   - - -   Please Wait ."));

    setEnabled(false);
    setMenusEnabled(false);
    m_grid->setThumbnailsVisible(false);
    QCoreApplication::processEvents();

    // All six positions decode at once, each at the size it will be drawn;
    // the page then fills in position order as each is ready. Thumbnails for
    // the desktop's cache are written once the page is complete.
    const DesktopThumbnails::WritesHeld writesWait;
    const QString scaleKey = QStringLiteral("%1x%2@%3").arg(m_pageScaleX).arg(m_pageScaleY).arg(devicePixelRatioF());
    const PictureLoader::TargetSize target = thumbnailTarget();
    std::array<QString, ThumbnailGrid::kPositions + 1> keys;
    std::array<QFuture<DecodedPicture>, ThumbnailGrid::kPositions + 1> jobs;
    for (int n = 1; n <= ThumbnailGrid::kPositions; ++n) {
        const QStringList candidates = m_context.store.candidatePaths(session.album, session.page, n);
        keys[n] = RecentThumbnails::keyFor(candidates, scaleKey);
        if (!keys[n].isEmpty() && !m_recent.find(keys[n]))
            jobs[n] = QtConcurrent::run(DesktopThumbnails::decodeLastThatLoads, candidates, target);
    }

    for (int n = 1; n <= ThumbnailGrid::kPositions; ++n) {
        DecodedPicture picture;
        if (const DecodedPicture *cached = m_recent.find(keys[n])) {
            picture = *cached;
        } else if (jobs[n].isValid()) {
            picture = jobs[n].result();
            m_recent.insert(keys[n], picture);
        }
        QCoreApplication::processEvents();
        setPosition(n, picture);
    }

    QCoreApplication::processEvents();
    m_instruction->clear();
    setMenusEnabled(true);
    setEnabled(true);
    QCoreApplication::processEvents();
    recordControlPlaces();
}

PictureLoader::TargetSize AlbumPageWindow::thumbnailTarget() const
{
    const double scaleX = m_pageScaleX;
    const double scaleY = m_pageScaleY;
    const double dpr = devicePixelRatioF();
    return [scaleX, scaleY, dpr](const QSize &natural) {
        return ThumbLayout::thumbPixelSize(natural, scaleX, scaleY) * dpr;
    };
}

QSize AlbumPageWindow::thumbnailPixels(const QSize &natural) const
{
    return thumbnailTarget()(natural);
}

DecodedPicture AlbumPageWindow::decodeThumbnail(const QStringList &candidates) const
{
    return DesktopThumbnails::decodeLastThatLoads(candidates, thumbnailTarget());
}

void AlbumPageWindow::setPosition(int n, const DecodedPicture &picture)
{
    m_grid->setPicture(n, picture);
    m_grid->view(n)->setAccessibleName(QStringLiteral("Picture %1 of page %2").arg(n).arg(m_context.session.page));
    placeThumbnail(n);
}

void AlbumPageWindow::showPosition(int n)
{
    const Session &session = m_context.session;
    setPosition(n, decodeThumbnail(m_context.store.candidatePaths(session.album, session.page, n)));
}

void AlbumPageWindow::placeThumbnail(int n)
{
    m_grid->place(n, m_pageScaleX, m_pageScaleY);
}

void AlbumPageWindow::recordControlPlaces()
{
    const double w = std::max(1, m_grid->width());
    const double h = std::max(1, m_grid->height());
    m_ratios.clear();
    const QList<QWidget *> controls = m_grid->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget *c : controls) {
        const QRect g = c->geometry();
        m_ratios.push_back({c, g.width() / w, g.height() / h, g.top() / h, g.left() / w});
    }
}

void AlbumPageWindow::scaleControls()
{
    QCoreApplication::processEvents();
    const double w = m_grid->width();
    const double h = m_grid->height();
    for (const ControlRatio &r : m_ratios) {
        r.control->setGeometry(int(std::lround(w * r.left)), int(std::lround(h * r.top)), int(std::lround(w * r.width)),
                               int(std::lround(h * r.height)));
    }
}

QSizeF AlbumPageWindow::clientUnits() const
{
    return QSizeF(ThumbLayout::unitsFromPixelsX(m_grid->width()), ThumbLayout::unitsFromPixelsY(m_grid->height()));
}

void AlbumPageWindow::keepProportions()
{
    if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    const QSizeF client = clientUnits();
    const double dW = std::abs(m_lastScaleWidth - client.width());
    const double dH = std::abs(m_lastScaleHeight - client.height());
    const QSize outer = frameGeometry().size();
    const QSizeF wanted = ThumbLayout::correctedOuterSize(QSizeF(outer), dW, dH);
    // A pixel of rounding is no reason to resize again; that would never end.
    if (std::abs(wanted.width() - outer.width()) > 1.0 || std::abs(wanted.height() - outer.height()) > 1.0) {
        const QSize frame = outer - size();
        resize(int(std::lround(wanted.width())) - frame.width(), int(std::lround(wanted.height())) - frame.height());
    }
    QCoreApplication::processEvents();
}

void AlbumPageWindow::pageResized()
{
    if (!m_resizeArmed) {
        m_resizeArmed = true;
        return;
    }
    m_grid->setThumbnailsVisible(false);
    keepProportions();
    scaleControls();
    m_grid->setThumbnailsVisible(true);
    const QSizeF client = clientUnits();
    m_lastScaleWidth = client.width();
    m_lastScaleHeight = client.height();
}

void AlbumPageWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    pageResized();
}

void AlbumPageWindow::mnuP_Click(int k)
{
    if (m_pageItems.at(k)->isChecked())
        return;
    m_context.session.page = k;
    updateCaption();
    loadPage();
    uncheckPages();
    m_pageItems[k]->setChecked(true);
}

void AlbumPageWindow::uncheckPages()
{
    for (int k = 1; k <= 10; ++k)
        m_pageItems[k]->setChecked(false);
}

void AlbumPageWindow::setMenusEnabled(bool enabled)
{
    for (QAction *a : {m_pageMenu, m_selectAlbumItem, m_editMenu, m_helpItem})
        a->setEnabled(enabled);
}

void AlbumPageWindow::nextPage()
{
    const int k = m_context.session.page;
    if (k >= 1 && k <= 9)
        mnuP_Click(k + 1);
}

void AlbumPageWindow::previousPage()
{
    const int k = m_context.session.page;
    if (k >= 2 && k <= 10)
        mnuP_Click(k - 1);
}

void AlbumPageWindow::backgroundPressed(Qt::MouseButton button)
{
    if (blocksPaging(m_editing->mode()))
        return;
    lblInst_MouseDown(button);
}

void AlbumPageWindow::lblInst_MouseDown(Qt::MouseButton button)
{
    if (button == Qt::LeftButton)
        previousPage();
    else if (button == Qt::RightButton)
        nextPage();
}

bool AlbumPageWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_instruction && event->type() == QEvent::MouseButtonPress) {
        lblInst_MouseDown(static_cast<QMouseEvent *>(event)->button());
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void AlbumPageWindow::mnuSelectAlbum_Click()
{
    m_navigator.showAlbumList();
    m_grid->clearPictures();
    hide();
}

void AlbumPageWindow::mnuHelp_Click()
{
    m_navigator.openHelp();
}

void AlbumPageWindow::thumbnailClicked(int k)
{
    if (routesClicks(m_editing->mode())) {
        m_editing->thumbnailClicked(k);
        return;
    }
    m_grid->setThumbnailsVisible(false);
    m_context.session.picture = k;
    m_navigator.showPicture(*m_grid->view(k));
    hide();
}

void AlbumPageWindow::thumbnailPressed(int k, Qt::MouseButton button, const QPoint &globalPos)
{
    if (button != Qt::RightButton)
        return;
    m_editing->setPopupPosition(k);
    m_context.session.picture = k;
    m_pictureEditPopup->popup(globalPos);
}

void AlbumPageWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    m_navigator.endProgram();
}
