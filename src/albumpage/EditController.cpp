#include "albumpage/EditController.h"

#include "albumpage/AlbumPageWindow.h"
#include "albumpage/PictureFilePicker.h"
#include "albumpage/PictureFiles.h"
#include "albumstore/AlbumStore.h"
#include "albumstore/PictureLoader.h"
#include "app/ProgramValues.h"
#include "app/WindowOwner.h"
#include "pictureinfo/PictureInfo.h"
#include "pictureinfo/PictureInfoWindow.h"
#include "platform/Dialogs.h"
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

// The nine menus that an edit mode greys and its end brings back.
const char *const kEditMenus[] = {"mnuPage",    "mnuSelectAlbum", "mnuAdd",    "mnuClipboard", "mnuHelp",
                                  "mnuAddDisk", "mnuDClip",       "mnuDelete", "mnuDDelete"};

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

EditController::EditController(AlbumPageWindow &form, WindowOwner &owner)
    : QObject(&form)
    , m_form(form)
    , m_owner(owner)
{
    connectMenus();
}

EditController::~EditController() = default;

ProgramValues &EditController::values() const
{
    return m_owner.context().values;
}

void EditController::connectMenus()
{
    const std::pair<const char *, void (EditController::*)()> commands[] = {
        {"mnuFromDisk", &EditController::mnuFromDisk_Click},
        {"mnuFromClipboard", &EditController::mnuFromClipboard_Click},
        {"mnuFromClip", &EditController::mnuFromClip_Click},
        {"mnuToClip", &EditController::mnuToClip_Click},
        {"mnuDelete", &EditController::mnuDelete_Click},
        {"mnuCancelEdit", &EditController::mnuCancelEdit_Click},
        {"mnuAddFromDrives", &EditController::mnuAddFromDrives_Click},
        {"mnuAddFromClipboard", &EditController::mnuAddFromClipboard_Click},
        {"mnuPFromClip", &EditController::mnuPFromClip_Click},
        {"mnuDDelete", &EditController::mnuDDelete_Click},
        {"mnuDToClip", &EditController::mnuDToClip_Click},
        {"mnuPicInfo", &EditController::mnuPicInfo_Click},
    };
    for (const auto &[name, command] : commands) {
        QAction *action = m_form.findChild<QAction *>(QLatin1String(name));
        connect(action, &QAction::triggered, this, [this, action, command = command] {
            if (WindowKit::reachable(action))
                (this->*command)();
        });
    }
}

void EditController::setEditMenus(bool enabled)
{
    for (const char *name : kEditMenus)
        m_form.findChild<QAction *>(QLatin1String(name))->setEnabled(enabled);
}

void EditController::lockMenusForMode()
{
    setEditMenus(false);
}

void EditController::endAllModes()
{
    endEditMode();
    values().ImgAddOn = false;
}

void EditController::endEditMode()
{
    setEditMenus(true);
    ProgramValues &v = values();
    v.ImgDeleteOn = v.ToClipOn = v.FromClipOn = false;
}

void EditController::showInstruction(const QString &text)
{
    QLabel *label = m_form.instructionLabel();
    label->setText(text);
    label->show();
}

void EditController::clearInstruction()
{
    QLabel *label = m_form.instructionLabel();
    label->clear();
    label->hide();
}

void EditController::enterMode(bool ProgramValues::*flag, const QString &text)
{
    values().*flag = true;
    lockMenusForMode();
    showInstruction(text);
    QCoreApplication::processEvents();
}

void EditController::mnuFromClipboard_Click()
{
    enterMode(&ProgramValues::FromClipOn, QStringLiteral("Click the location where you want the picture to appear."));
}

void EditController::mnuFromClip_Click()
{
    mnuFromClipboard_Click();
}

void EditController::mnuToClip_Click()
{
    enterMode(&ProgramValues::ToClipOn, QStringLiteral("Click on the picture you want to send to the Clipboard."));
}

void EditController::mnuDelete_Click()
{
    enterMode(&ProgramValues::ImgDeleteOn, QStringLiteral("Click on the picture that you want to delete."));
}

void EditController::mnuCancelEdit_Click()
{
    clearInstruction();
    endAllModes();
}

void EditController::mnuFromDisk_Click()
{
    values().ImgAddOn = true;
    lockMenusForMode();
    openViewer();
}

void EditController::mnuAddFromDrives_Click()
{
    mnuFromDisk_Click();
}

void EditController::openViewer()
{
    if (!m_viewer)
        m_viewer = std::make_unique<PictureFilePicker>(m_owner, *this, &m_form);
    m_viewer->exec();
    // "E&xit" unloads the viewer: the next opening starts afresh.
    if (values().ViewerExited)
        m_viewer.reset();
}

void EditController::thumbnailClicked(int k)
{
    ProgramValues &v = values();
    if (v.ImgAddOn) {
        addBranch(k);
        return;
    }
    if (v.ToClipOn) {
        copyToClipboard(k);
        QCoreApplication::processEvents();
        clearInstruction();
        endAllModes();
        return;
    }
    if (v.FromClipOn) {
        paste(k, true);
        return;
    }
    if (v.ImgDeleteOn && confirmDelete())
        deletePicture(k);
}

void EditController::addBranch(int k)
{
    ProgramValues &v = values();
    v.EditAnswer.reset();
    confirmReplace(k);
    if (v.EditAnswer == Dialogs::Answer::Cancel) {
        clearInstruction();
        v.ImgAddOn = false;
        return;
    }
    if (v.EditAnswer == Dialogs::Answer::No)
        return;
    placePicture(k, m_viewer ? m_viewer->selectedPath() : QString());
    if (!v.ViewerExited && v.ImgAddOn)
        openViewer();
}

void EditController::confirmReplace(int k)
{
    if (m_form.Image1(k)->tag() != QLatin1String("1"))
        return;
    values().EditAnswer = m_owner.context().dialogs.askYesNoCancel(
        QStringLiteral("This page position allready has a image,\r\nare you sure that you want to change it?"),
        kWarning);
}

QString EditController::targetBitmap(int k) const
{
    const ProgramValues &v = values();
    return m_owner.context().store.picturePath(v.AlbumName, v.PageNumber, k, QStringLiteral(".bmp"));
}

bool EditController::placePicture(int k, const QString &path)
{
    Dialogs &dialogs = m_owner.context().dialogs;
    // Only a picture goes into the album: anything else would sit there as a
    // file nobody can see.
    const DecodedPicture picture = m_form.decodeThumbnail({path});
    if (path.isEmpty() || picture.isNull()) {
        dialogs.message(QStringLiteral("%1 is not a picture KoLumbra can show.\r\nNothing was added to the album.")
                            .arg(QDir::toNativeSeparators(path)),
                        kWarning, Dialogs::Icon::Warning);
        return false;
    }
    const QString target = targetBitmap(k);
    m_form.setPosition(k, DecodedPicture{picture.image, picture.naturalSize, target});
    clearInstruction();
    QCoreApplication::processEvents();
    const PictureFiles::Result copied = PictureFiles::copyInto(path, target);
    if (!copied.ok) {
        dialogs.message(QStringLiteral("The picture could not be added to the album.\r\n%1").arg(copied.reason),
                        kWarning, Dialogs::Icon::Critical);
        m_form.showPosition(k);
        return false;
    }
    return true;
}

void EditController::fileDropped(int k, const QString &path)
{
    ProgramValues &v = values();
    if (v.ImgAddOn || v.FromClipOn || v.ToClipOn || v.ImgDeleteOn || !m_form.isEnabled())
        return;
    v.EditAnswer.reset();
    confirmReplace(k);
    if (v.EditAnswer == Dialogs::Answer::Cancel || v.EditAnswer == Dialogs::Answer::No)
        return;
    placePicture(k, path);
}

bool EditController::isFilled(int k) const
{
    // The picture shown, not the tag: is it the placeholder's own?
    return m_form.Image1(k)->pixmap().cacheKey() != m_form.Image1(0)->pixmap().cacheKey();
}

void EditController::paste(int k, bool pasteMode)
{
    ProgramValues &v = values();
    Dialogs &dialogs = m_owner.context().dialogs;
    if (isFilled(k)) {
        const Dialogs::Answer answer =
            dialogs.askYesNo(QStringLiteral("Are you sure you want to change the picture?"), kWarning);
        if (pasteMode)
            v.EditAnswer = answer;
        if (answer == Dialogs::Answer::No)
            return;
    }
    const QImage image = QGuiApplication::clipboard()->image();
    if (image.isNull()) {
        dialogs.message(QStringLiteral("There is no picture in the clipboard."), kWarning, Dialogs::Icon::Warning);
        if (pasteMode) {
            QCoreApplication::processEvents();
            clearInstruction();
            endEditMode();
        }
        return;
    }
    const QString target = targetBitmap(k);
    const QImage bitmap = flattened(image);
    const QSize shown = m_form.thumbnailPixels(bitmap.size());
    m_form.setPosition(
        k, DecodedPicture{bitmap.scaled(shown, Qt::KeepAspectRatio, Qt::SmoothTransformation), bitmap.size(), target});
    const PictureFiles::Result saved = PictureFiles::saveBitmap(bitmap, target);
    if (!saved.ok) {
        dialogs.message(QStringLiteral("The picture could not be saved in the album.\r\n%1").arg(saved.reason),
                        kWarning, Dialogs::Icon::Critical);
        m_form.showPosition(k);
    }
    if (pasteMode) {
        QCoreApplication::processEvents();
        clearInstruction();
        endEditMode();
    }
}

void EditController::mnuAddFromClipboard_Click()
{
    paste(values().PopupIndex, false);
}

void EditController::mnuPFromClip_Click()
{
    mnuAddFromClipboard_Click();
}

void EditController::copyToClipboard(int k)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    const PictureView *view = m_form.Image1(k);
    // The whole picture, not the thumbnail; an empty position gives the
    // placeholder.
    QImage full = PictureLoader::decode(view->path()).image;
    if (full.isNull())
        full = view->pixmap().toImage();
    clipboard->setImage(full);
}

void EditController::mnuDToClip_Click()
{
    copyToClipboard(values().PopupIndex);
}

bool EditController::confirmDelete()
{
    ProgramValues &v = values();
    v.EditAnswer = m_owner.context().dialogs.askYesNo(
        QStringLiteral("Are you sure that you want to delete this picture from the album?"), kWarning);
    return v.EditAnswer == Dialogs::Answer::Yes;
}

bool EditController::deletePicture(int k)
{
    const ProgramValues &v = values();
    const QString folder = m_owner.context().store.albumFolder(v.AlbumName);
    const PictureFiles::Result removed = PictureFiles::removePosition(folder, v.PageNumber, k);
    if (removed.ok) {
        m_form.setPosition(k, DecodedPicture{});
    } else {
        m_owner.context().dialogs.message(QStringLiteral("The picture could not be deleted.\r\n%1").arg(removed.reason),
                                          kWarning, Dialogs::Icon::Critical);
        m_form.showPosition(k);
    }
    endAllModes();
    clearInstruction();
    return removed.ok;
}

void EditController::mnuDDelete_Click()
{
    ProgramValues &v = values();
    if (!confirmDelete())
        return;
    if (!deletePicture(v.PopupIndex))
        return;  // the picture stays, and so does what was written about it
    PictureRecordSet &records =
        PictureInfo::openRecords(v, m_owner.context().store, m_owner.context().dialogs,
                                 RecordQuery::position(v.AlbumName, v.PageNumber, v.PictureNumber));
    if (records.moveFirst())
        records.deleteCurrent();
}

void EditController::mnuPicInfo_Click()
{
    m_owner.present(m_owner.descriptionWindow());
}
