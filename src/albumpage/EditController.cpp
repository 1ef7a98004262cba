#include "albumpage/EditController.h"

#include "albumpage/AlbumPageWindow.h"
#include "albumpage/PickerPlacement.h"
#include "albumpage/PictureFilePicker.h"
#include "albumpage/PictureFiles.h"
#include "albumpage/ThumbnailGrid.h"
#include "albumstore/AlbumStore.h"
#include "albumstore/PictureLoader.h"
#include "app/AppContext.h"
#include "app/Navigator.h"
#include "app/Session.h"
#include "pictureinfo/Descriptions.h"
#include "platform/ScreenMetrics.h"
#include "widgets/PictureView.h"
#include "widgets/WindowKit.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>

namespace {

const QString kAnotherPosition = QStringLiteral("Click another position, or end with Edit, Cancel EdiT.");

QImage flattened(const QImage &image)
{
    if (!image.hasAlphaChannel())
        return image;
    // A bitmap file has no transparency; what was see-through shows as paper.
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter p(&flat);
    p.drawImage(0, 0, image);
    return flat;
}

}  // namespace

EditController::EditController(AlbumPageWindow &page, const Menus &menus, AppContext &context, Navigator &navigator)
    : QObject(&page)
    , m_page(page)
    , m_context(context)
    , m_navigator(navigator)
    , m_lockedByMode(menus.lockedByMode)
{
    connectMenus(menus);
}

EditController::~EditController() = default;

void EditController::connectMenus(const Menus &menus)
{
    const std::pair<QAction *, void (EditController::*)()> commands[] = {
        {menus.fromDisk, &EditController::mnuFromDisk_Click},
        {menus.fromClipboard, &EditController::mnuFromClipboard_Click},
        // The Clipboard submenu's paste is the same command as adding from
        // the clipboard, and the popup's two the same as the Edit menu's.
        {menus.pasteFromClipboard, &EditController::mnuFromClipboard_Click},
        {menus.copyToClipboard, &EditController::mnuToClip_Click},
        {menus.deleteMode, &EditController::mnuDelete_Click},
        {menus.cancelEdit, &EditController::mnuCancelEdit_Click},
        {menus.addFromDrives, &EditController::mnuFromDisk_Click},
        {menus.addFromClipboard, &EditController::mnuAddFromClipboard_Click},
        {menus.popupPaste, &EditController::mnuAddFromClipboard_Click},
        {menus.deletePicture, &EditController::mnuDDelete_Click},
        {menus.popupCopy, &EditController::mnuDToClip_Click},
    };
    for (const auto &[action, command] : commands) {
        connect(action, &QAction::triggered, this, [this, action = action, command = command] {
            if (WindowKit::reachable(action))
                (this->*command)();
        });
    }
    connect(menus.pictureInfo, &QAction::triggered, this, [this, action = menus.pictureInfo] {
        if (WindowKit::reachable(action))
            m_navigator.showPictureInfo();
    });
}

void EditController::setEditMenusEnabled(bool enabled)
{
    for (QAction *action : std::as_const(m_lockedByMode))
        action->setEnabled(enabled);
}

void EditController::endEditMode()
{
    setEditMenusEnabled(true);
    m_mode = EditMode::None;
}

void EditController::showInstruction(const QString &text)
{
    QLabel *label = m_page.instructionLabel();
    label->setText(text);
    label->show();
}

void EditController::clearInstruction()
{
    QLabel *label = m_page.instructionLabel();
    label->clear();
    label->hide();
}

void EditController::enterMode(EditMode mode, const QString &text)
{
    m_mode = mode;
    setEditMenusEnabled(false);
    showInstruction(text);
    QCoreApplication::processEvents();
}

void EditController::mnuFromClipboard_Click()
{
    enterMode(EditMode::PasteFromClipboard, QStringLiteral("Click the location where you want the picture to appear."));
}

void EditController::mnuToClip_Click()
{
    enterMode(EditMode::CopyToClipboard, QStringLiteral("Click on the picture you want to send to the Clipboard."));
}

void EditController::mnuDelete_Click()
{
    enterMode(EditMode::Delete, QStringLiteral("Click on the picture that you want to delete."));
}

void EditController::mnuCancelEdit_Click()
{
    clearInstruction();
    endEditMode();
}

void EditController::mnuFromDisk_Click()
{
    m_mode = EditMode::AddFromDisk;
    setEditMenusEnabled(false);
    openPicker();
}

void EditController::openPicker()
{
    if (!m_picker)
        m_picker = std::make_unique<PictureFilePicker>(m_context, m_navigator, *this, &m_page);
    // Beside the page, every time: the user sees which positions are free.
    m_picker->move(PickerPlacement::beside(m_page.frameGeometry(), m_picker->frameGeometry().size(),
                                           m_context.screen.availableGeometry()));
    m_picker->exec();
    // "E&xit" unloads the picker: the next opening starts afresh.
    if (m_picker->exited())
        m_picker.reset();
}

void EditController::thumbnailClicked(int k)
{
    switch (m_mode) {
    case EditMode::AddFromDisk:
        addChosenFile(k);
        return;
    case EditMode::CopyToClipboard:
        copyToClipboard(k);
        QCoreApplication::processEvents();
        clearInstruction();
        endEditMode();
        return;
    case EditMode::PasteFromClipboard:
        paste(k, true);
        return;
    case EditMode::Delete:
        if (confirmDelete())
            deletePicture(k);
        return;
    case EditMode::None:
        return;
    }
}

void EditController::addChosenFile(int k)
{
    const std::optional<Dialogs::Answer> answer = confirmReplace(k);
    if (answer == Dialogs::Answer::Cancel) {
        // Not this position: the picture waits for another, and the menus
        // stay greyed until adding ends, so the user is told both ways on.
        showInstruction(kAnotherPosition);
        return;
    }
    if (answer == Dialogs::Answer::No)
        return;
    placePicture(k, m_picker ? m_picker->selectedPath() : QString());
    if (m_picker && !m_picker->exited() && m_mode == EditMode::AddFromDisk)
        openPicker();
}

std::optional<Dialogs::Answer> EditController::confirmReplace(int k)
{
    if (!m_page.grid().isFilled(k))
        return std::nullopt;
    return m_context.dialogs.askYesNoCancel(
        QStringLiteral("This page position allready has a image,\r\nare you sure that you want to change it?"),
        Dialogs::kWarning);
}

QString EditController::targetBitmap(int k) const
{
    const Session &session = m_context.session;
    return m_context.store.picturePath(session.album, session.page, k, QStringLiteral(".bmp"));
}

bool EditController::placePicture(int k, const QString &path)
{
    Dialogs &dialogs = m_context.dialogs;
    // Only a picture goes into the album: anything else would sit there as a
    // file nobody can see.
    const DecodedPicture picture = m_page.decodeThumbnail({path});
    if (path.isEmpty() || picture.isNull()) {
        dialogs.message(QStringLiteral("%1 is not a picture KoLumbra can show.\r\nNothing was added to the album.")
                            .arg(QDir::toNativeSeparators(path)),
                        Dialogs::kWarning, Dialogs::Icon::Warning);
        return false;
    }
    const QString target = targetBitmap(k);
    m_page.setPosition(k, DecodedPicture{picture.image, picture.naturalSize, target});
    clearInstruction();
    QCoreApplication::processEvents();
    const PictureFiles::Result copied = PictureFiles::copyInto(path, target);
    if (!copied.ok) {
        dialogs.message(QStringLiteral("The picture could not be added to the album.\r\n%1").arg(copied.reason),
                        Dialogs::kWarning, Dialogs::Icon::Critical);
        m_page.showPosition(k);
        return false;
    }
    return true;
}

void EditController::fileDropped(int k, const QString &path)
{
    if (routesClicks(m_mode) || !m_page.isEnabled())
        return;
    const std::optional<Dialogs::Answer> answer = confirmReplace(k);
    if (answer == Dialogs::Answer::Cancel || answer == Dialogs::Answer::No)
        return;
    placePicture(k, path);
}

void EditController::paste(int k, bool pasteMode)
{
    Dialogs &dialogs = m_context.dialogs;
    if (m_page.grid().isFilled(k)) {
        const Dialogs::Answer answer =
            dialogs.askYesNo(QStringLiteral("Are you sure you want to change the picture?"), Dialogs::kWarning);
        if (answer == Dialogs::Answer::No)
            return;
    }
    const QImage image = QGuiApplication::clipboard()->image();
    if (image.isNull()) {
        dialogs.message(QStringLiteral("There is no picture in the clipboard."), Dialogs::kWarning,
                        Dialogs::Icon::Warning);
        if (pasteMode) {
            QCoreApplication::processEvents();
            clearInstruction();
            endEditMode();
        }
        return;
    }
    const QString target = targetBitmap(k);
    const QImage bitmap = flattened(image);
    const QSize shown = m_page.thumbnailPixels(bitmap.size());
    m_page.setPosition(
        k, DecodedPicture{bitmap.scaled(shown, Qt::KeepAspectRatio, Qt::SmoothTransformation), bitmap.size(), target});
    const PictureFiles::Result saved = PictureFiles::saveBitmap(bitmap, target);
    if (!saved.ok) {
        dialogs.message(QStringLiteral("The picture could not be saved in the album.\r\n%1").arg(saved.reason),
                        Dialogs::kWarning, Dialogs::Icon::Critical);
        m_page.showPosition(k);
    }
    if (pasteMode) {
        QCoreApplication::processEvents();
        clearInstruction();
        endEditMode();
    }
}

void EditController::mnuAddFromClipboard_Click()
{
    paste(m_popupPosition, false);
}

void EditController::copyToClipboard(int k)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    const PictureView *view = m_page.grid().view(k);
    // The whole picture, not the thumbnail (reduced only where the whole one
    // would not fit the working memory); an empty position gives the
    // placeholder.
    QImage full = PictureLoader::decodeLargest(view->path()).image;
    if (full.isNull())
        full = view->pixmap().toImage();
    clipboard->setImage(full);
}

void EditController::mnuDToClip_Click()
{
    copyToClipboard(m_popupPosition);
}

bool EditController::confirmDelete()
{
    return m_context.dialogs.askYesNo(
               QStringLiteral("Are you sure that you want to delete this picture from the album?"), Dialogs::kWarning)
        == Dialogs::Answer::Yes;
}

bool EditController::deletePicture(int k)
{
    const Session &session = m_context.session;
    const QString folder = m_context.store.albumFolder(session.album);
    const PictureFiles::Result removed = PictureFiles::removePosition(folder, session.page, k);
    if (removed.ok) {
        m_page.setPosition(k, DecodedPicture{});
    } else {
        m_context.dialogs.message(QStringLiteral("The picture could not be deleted.\r\n%1").arg(removed.reason),
                                  Dialogs::kWarning, Dialogs::Icon::Critical);
        m_page.showPosition(k);
    }
    endEditMode();
    clearInstruction();
    return removed.ok;
}

void EditController::mnuDDelete_Click()
{
    if (!confirmDelete())
        return;
    if (!deletePicture(m_popupPosition))
        return;  // the picture stays, and so does what was written about it
    const Session &session = m_context.session;
    const std::unique_ptr<PictureRecordSet> records =
        m_context.descriptions.records(RecordQuery::position(session.album, session.page, session.picture));
    if (records->moveFirst())
        records->deleteCurrent();
}
