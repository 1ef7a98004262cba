#include "albumpage/AlbumPageWindow.h"

#include "albumpage/EditController.h"
#include "albumpage/ThumbLayout.h"
#include "albums/AlbumListWindow.h"
#include "albumstore/AlbumStore.h"
#include "albumstore/PictureLoader.h"
#include "albumstore/Placeholder.h"
#include "app/ProgramValues.h"
#include "app/WindowOwner.h"
#include "display/PictureWindow.h"
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

const QString kThumbTip = QStringLiteral("Left click to display the picture or right click for a edit menu");
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

// The background of the page: mouse presses there turn pages.
class PageArea : public QWidget
{
public:
    explicit PageArea(AlbumPageWindow &form)
        : QWidget(&form)
        , m_form(form)
    {
    }

protected:
    void mousePressEvent(QMouseEvent *event) override { m_form.backgroundPressed(event->button()); }

private:
    AlbumPageWindow &m_form;
};

}  // namespace

AlbumPageWindow::AlbumPageWindow(WindowOwner &owner)
    : m_owner(owner)
{
    setObjectName(QStringLiteral("Form1"));
    buildPage();
    buildMenus();
    resize(ThumbLayout::kDesignClientWidth, ThumbLayout::kDesignClientHeight + menuBar()->sizeHint().height());
    m_owner.installHelpKey(this);
    m_editing = new EditController(*this, m_owner);
    loadPlaceholder();
}

AlbumPageWindow::~AlbumPageWindow() = default;

ProgramValues &AlbumPageWindow::values() const
{
    return m_owner.context().values;
}

void AlbumPageWindow::buildPage()
{
    m_page = new PageArea(*this);
    m_page->setObjectName(QStringLiteral("pageArea"));
    WindowKit::setBackground(m_page, WindowKit::pageBlue());
    setCentralWidget(m_page);

    m_cmdNothing = new QPushButton(QStringLiteral("Command1"), m_page);
    m_cmdNothing->setObjectName(QStringLiteral("cmdNothing"));
    m_cmdNothing->setGeometry(-300, -300, 40, 20);

    m_instruction = new QLabel(m_page);
    m_instruction->setObjectName(QStringLiteral("lblInst"));
    m_instruction->setAlignment(Qt::AlignCenter);
    m_instruction->setFont(WindowKit::arial(16, true));
    WindowKit::setBackground(m_instruction, WindowKit::pageBlue());
    m_instruction->setGeometry(
        ThumbLayout::toPixels({0, 0, ThumbLayout::kLabelWidth, ThumbLayout::kLabelHeight}).toRect());
    m_instruction->installEventFilter(this);

    for (int n = 0; n <= 6; ++n) {
        auto *view = new PictureView(m_page);
        view->setObjectName(QStringLiteral("Image1_%1").arg(n));
        m_images[n] = view;
        if (n == 0) {
            view->setGeometry(-1000, -1000, 153, 153);
            continue;
        }
        view->setToolTip(kThumbTip);
        view->setGeometry(ThumbLayout::toPixels(ThumbLayout::thumbRect(n, QSize(1, 1), 1, 1)).toRect());
        view->setCursor(Qt::PointingHandCursor);
        connect(view, &PictureView::clicked, this, [this, n] { thumbnailClicked(n); });
        connect(view, &PictureView::pressed, this,
                [this, n](Qt::MouseButton b, const QPoint &pos) { thumbnailPressed(n, b, pos); });
        view->setAcceptsFileDrops(true);
        connect(view, &PictureView::fileDropped, this,
                [this, n](const QString &path) { m_editing->fileDropped(n, path); });
    }

    m_endButton = WindowKit::addCancelButton(this, m_page, QStringLiteral("cmdExc"), QStringLiteral("Command1"),
                                             [this] { m_owner.endProgram(); });

    m_loadTimer = new QTimer(this);
    m_loadTimer->setObjectName(QStringLiteral("Timer1"));
    m_loadTimer->setInterval(1);
    m_loadTimer->setSingleShot(true);
    connect(m_loadTimer, &QTimer::timeout, this, &AlbumPageWindow::loadChosenPage);
}

void AlbumPageWindow::buildMenus()
{
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
    addItem(add, "mnuFromDisk", QStringLiteral("From &Disk Drives"), QKeySequence(Qt::CTRL | Qt::Key_D));
    addItem(add, "mnuFromClipboard", QStringLiteral("From the &Clipboard"), QKeySequence(Qt::CTRL | Qt::Key_C));
    QMenu *clip = addSubmenu(edit, "mnuClipboard", QStringLiteral("Cli&pboard"));
    addItem(clip, "mnuFromClip", QStringLiteral("Paste &from the Clipboard"), QKeySequence(Qt::CTRL | Qt::Key_F));
    addItem(clip, "mnuToClip", QStringLiteral("Copy &to the Clipboard"), QKeySequence(Qt::CTRL | Qt::Key_T));
    addSeparator(edit, "mnuSB1");
    addItem(edit, "mnuDelete", QStringLiteral("D&elete"), QKeySequence(Qt::CTRL | Qt::Key_E));
    addSeparator(edit, "mnuSB0");
    addItem(edit, "mnuCancelEdit", QStringLiteral("Cancel Ed&iT"));

    bar->addAction(kSpacer)->setObjectName(QStringLiteral("mnuSpace2"));

    m_helpItem = bar->addAction(QStringLiteral("&Help"));
    m_helpItem->setObjectName(QStringLiteral("mnuHelp"));
    connect(m_helpItem, &QAction::triggered, this, &AlbumPageWindow::mnuHelp_Click);

    // The thumbnail popup; it never appears in the menu bar.
    m_pictureEditPopup = new QMenu(QStringLiteral("Picture Edit"), this);
    m_pictureEditPopup->setObjectName(QStringLiteral("mnuImgAdd"));
    QMenu *addDisk = addSubmenu(m_pictureEditPopup, "mnuAddDisk", QStringLiteral("Add Picture"));
    addItem(addDisk, "mnuAddFromDrives", QStringLiteral("From drives"));
    addItem(addDisk, "mnuAddFromClipboard", QStringLiteral("From Clipboard"));
    addSeparator(m_pictureEditPopup, "mnuSP2");
    addItem(m_pictureEditPopup, "mnuDDelete", QStringLiteral("Delete Picture"));
    addSeparator(m_pictureEditPopup, "mnuSP4");
    QMenu *dclip = addSubmenu(m_pictureEditPopup, "mnuDClip", QStringLiteral("Clipboard"));
    addItem(dclip, "mnuPFromClip", QStringLiteral("Paste from the Clipboard"));
    addItem(dclip, "mnuDToClip", QStringLiteral("Copy to the Clipboard"));
    addSeparator(m_pictureEditPopup, "mnuSP5");
    addItem(m_pictureEditPopup, "mnuPicInfo", QStringLiteral("Picture information"));
    addSeparator(m_pictureEditPopup, "mnuSP6");
    addItem(m_pictureEditPopup, "mnuCancel", QStringLiteral("Cancel"));
}

void AlbumPageWindow::loadPlaceholder()
{
    const DecodedPicture placeholder = Placeholder::load(m_owner.context().store.placeholderPath());
    Image1(0)->setPicture(placeholder);
    recordControlPlaces();
    values().LastScaleWidth = 1000.0;
    values().LastScaleHeight = 1000.0;
}

void AlbumPageWindow::activated()
{
    ProgramValues &v = values();
    const ScreenMetrics &screen = m_owner.context().screen;
    const bool normal = !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
    if (normal && v.ScreenRatio > 1.0)
        WindowKit::centreOnScreen(this, screen);
    if (v.AlbumKind == ProgramValues::kNewAlbum)
        v.AlbumName = v.NewAlbumName;
    if (v.PageLoaded)
        setThumbnailsVisible(true);
    else
        m_loadTimer->start();
    updateCaption();
    if (m_owner.hasAlbumList())
        m_owner.albumList().hide();
    v.PageLoaded = true;
}

bool AlbumPageWindow::loadPending() const
{
    return m_loadTimer->isActive();
}

void AlbumPageWindow::updateCaption()
{
    setWindowTitle(values().AlbumName + QStringLiteral(", Page ") + QString::number(values().PageNumber));
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
    ProgramValues &v = values();
    const AlbumStore &store = m_owner.context().store;
    v.PageScaleY = v.LastScaleHeight / 1000.0;
    v.PageScaleX = v.LastScaleWidth / 1000.0;

    const QRectF label = ThumbLayout::toPixels(
        {0, 0, ThumbLayout::kLabelWidth * v.PageScaleX, ThumbLayout::kLabelHeight * v.PageScaleY});
    m_instruction->setGeometry(0, 0, int(std::lround(label.width())), int(std::lround(label.height())));
    m_instruction->setFont(WindowKit::arial(std::max(1.0, 16.0 * v.PageScaleX), true));
    m_instruction->show();
    m_instruction->setText(QStringLiteral("Calculating Picture  - - -  Loading Page ") + QString::number(v.PageNumber)
                           + QStringLiteral("   - - -   Please Wait ."));

    setEnabled(false);
    setMenusEnabled(false);
    setThumbnailsVisible(false);
    QCoreApplication::processEvents();

    // All six positions decode at once, each at the size it will be drawn;
    // the page then fills in position order as each is ready.
    const QString scaleKey = QStringLiteral("%1x%2@%3").arg(v.PageScaleX).arg(v.PageScaleY).arg(devicePixelRatioF());
    const PictureLoader::TargetSize target = thumbnailTarget();
    std::array<QString, 7> keys;
    std::array<QFuture<DecodedPicture>, 7> jobs;
    for (int n = 1; n <= 6; ++n) {
        const QStringList candidates = store.candidatePaths(v.AlbumName, v.PageNumber, n);
        keys[n] = ThumbnailCache::keyFor(candidates, scaleKey);
        if (!keys[n].isEmpty() && !m_cache.find(keys[n]))
            jobs[n] = QtConcurrent::run(PictureLoader::decodeLastThatLoads, candidates, target);
    }

    for (int n = 1; n <= 6; ++n) {
        DecodedPicture picture;
        if (const DecodedPicture *cached = m_cache.find(keys[n])) {
            picture = *cached;
        } else if (jobs[n].isValid()) {
            picture = jobs[n].result();
            m_cache.insert(keys[n], picture);
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
    const double scaleX = values().PageScaleX;
    const double scaleY = values().PageScaleY;
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
    return PictureLoader::decodeLastThatLoads(candidates, thumbnailTarget());
}

void AlbumPageWindow::setPosition(int n, const DecodedPicture &picture)
{
    PictureView *view = Image1(n);
    if (picture.isNull()) {
        view->setPicture(Image1(0)->pixmap(), Image1(0)->naturalSize(), Image1(0)->path());
        view->setTag(QStringLiteral("0"));
    } else {
        view->setPicture(picture);
        view->setTag(QStringLiteral("1"));
    }
    view->setAccessibleName(QStringLiteral("Picture %1 of page %2").arg(n).arg(values().PageNumber));
    placeThumbnail(n);
}

void AlbumPageWindow::showPosition(int n)
{
    const ProgramValues &v = values();
    setPosition(n, decodeThumbnail(m_owner.context().store.candidatePaths(v.AlbumName, v.PageNumber, n)));
}

void AlbumPageWindow::setThumbnailsVisible(bool visible)
{
    for (PictureView *view : m_images)
        view->setVisible(visible);
}

void AlbumPageWindow::placeThumbnail(int n)
{
    const ProgramValues &v = values();
    PictureView *view = Image1(n);
    const QRectF px = ThumbLayout::toPixels(ThumbLayout::thumbRect(n, view->naturalSize(), v.PageScaleX, v.PageScaleY));
    view->setGeometry(QRect(int(std::lround(px.left())), int(std::lround(px.top())), int(std::lround(px.width())),
                            int(std::lround(px.height()))));
    view->setVisible(true);
}

void AlbumPageWindow::recordControlPlaces()
{
    const double w = std::max(1, m_page->width());
    const double h = std::max(1, m_page->height());
    m_ratios.clear();
    const QList<QWidget *> controls = m_page->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget *c : controls) {
        const QRect g = c->geometry();
        m_ratios.push_back({c, g.width() / w, g.height() / h, g.top() / h, g.left() / w});
    }
}

void AlbumPageWindow::scaleControls()
{
    QCoreApplication::processEvents();
    const double w = m_page->width();
    const double h = m_page->height();
    for (const ControlRatio &r : m_ratios) {
        r.control->setGeometry(int(std::lround(w * r.left)), int(std::lround(h * r.top)), int(std::lround(w * r.width)),
                               int(std::lround(h * r.height)));
    }
}

QSizeF AlbumPageWindow::clientUnits() const
{
    return QSizeF(ThumbLayout::unitsFromPixelsX(m_page->width()), ThumbLayout::unitsFromPixelsY(m_page->height()));
}

void AlbumPageWindow::keepProportions()
{
    if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    const ProgramValues &v = values();
    const QSizeF client = clientUnits();
    const double dW = std::abs(v.LastScaleWidth - client.width());
    const double dH = std::abs(v.LastScaleHeight - client.height());
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
    ProgramValues &v = values();
    if (!v.ResizeArmed) {
        v.ResizeArmed = true;
        return;
    }
    setThumbnailsVisible(false);
    keepProportions();
    scaleControls();
    setThumbnailsVisible(true);
    const QSizeF client = clientUnits();
    v.LastScaleWidth = client.width();
    v.LastScaleHeight = client.height();
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
    ProgramValues &v = values();
    v.PageNumber = k;
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
    const int k = values().PageNumber;
    if (k >= 1 && k <= 9)
        mnuP_Click(k + 1);
}

void AlbumPageWindow::previousPage()
{
    const int k = values().PageNumber;
    if (k >= 2 && k <= 10)
        mnuP_Click(k - 1);
}

void AlbumPageWindow::backgroundPressed(Qt::MouseButton button)
{
    const ProgramValues &v = values();
    if (v.ImgAddOn || v.ToClipOn || v.ImgDeleteOn)
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
    m_owner.present(m_owner.albumList());
    for (int n = 1; n <= 6; ++n)
        Image1(n)->clearPicture();
    hide();
}

void AlbumPageWindow::mnuHelp_Click()
{
    m_owner.openHelp();
}

void AlbumPageWindow::thumbnailClicked(int k)
{
    ProgramValues &v = values();
    if (v.ImgAddOn || v.ImgDeleteOn || v.ToClipOn || v.FromClipOn) {
        m_editing->thumbnailClicked(k);
        return;
    }
    setThumbnailsVisible(false);
    PictureWindow &display = m_owner.pictureWindow();
    display.setPicture(*Image1(k));
    v.PictureNumber = k;
    m_owner.present(display);
    hide();
}

void AlbumPageWindow::thumbnailPressed(int k, Qt::MouseButton button, const QPoint &globalPos)
{
    if (button != Qt::RightButton)
        return;
    ProgramValues &v = values();
    v.PopupIndex = k;
    v.PictureNumber = k;
    m_pictureEditPopup->popup(globalPos);
}

void AlbumPageWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    m_owner.endProgram();
}
