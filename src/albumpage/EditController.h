#pragma once

#include "albumpage/EditMode.h"
#include "platform/Dialogs.h"

#include <QList>
#include <QObject>
#include <QString>

#include <memory>
#include <optional>

class AlbumPageWindow;
class Navigator;
class PictureFilePicker;
class QAction;
struct AppContext;

// The album page's editing: the edit modes and their instruction texts, the
// menu locking around them, the thumbnail click in a mode, the popup
// commands, and placing, pasting, copying and deleting pictures.
class EditController : public QObject
{
    Q_OBJECT

public:
    // The page's menu commands editing answers, and the menus a mode greys.
    struct Menus
    {
        QAction *fromDisk = nullptr;
        QAction *fromClipboard = nullptr;
        QAction *pasteFromClipboard = nullptr;
        QAction *copyToClipboard = nullptr;
        QAction *deleteMode = nullptr;
        QAction *cancelEdit = nullptr;
        QAction *addFromDrives = nullptr;
        QAction *addFromClipboard = nullptr;
        QAction *deletePicture = nullptr;
        QAction *popupPaste = nullptr;
        QAction *popupCopy = nullptr;
        QAction *pictureInfo = nullptr;
        QList<QAction *> lockedByMode;
    };

    EditController(AlbumPageWindow &page, const Menus &menus, AppContext &context, Navigator &navigator);
    ~EditController() override;

    EditMode mode() const { return m_mode; }
    // The position the thumbnail popup was opened on; its commands act there.
    void setPopupPosition(int k) { m_popupPosition = k; }

    // Ends the delete, copy and paste modes and gives the menus back.
    void endEditMode();

    // Edit menu.
    void mnuFromDisk_Click();
    void mnuFromClipboard_Click();
    void mnuToClip_Click();
    void mnuDelete_Click();
    void mnuCancelEdit_Click();
    // Thumbnail popup, acting on the popup position.
    void mnuAddFromClipboard_Click();
    void mnuDDelete_Click();
    void mnuDToClip_Click();

    // A thumbnail click while a mode is on.
    void thumbnailClicked(int k);
    // Asks before a filled position is replaced from disk; nothing when the
    // position is empty and there is nothing to ask.
    std::optional<Dialogs::Answer> confirmReplace(int k);
    // Places the picture file at path into position k of the page shown.
    bool placePicture(int k, const QString &path);
    // A picture file dropped from the desktop onto thumbnail k.
    void fileDropped(int k, const QString &path);

    void showInstruction(const QString &text);
    void clearInstruction();
    PictureFilePicker *picker() const { return m_picker.get(); }

private:
    void connectMenus(const Menus &menus);
    void setEditMenusEnabled(bool enabled);
    void enterMode(EditMode mode, const QString &text);
    void openPicker();
    void addChosenFile(int k);
    void paste(int k, bool pasteMode);
    void copyToClipboard(int k);
    bool confirmDelete();
    bool deletePicture(int k);
    QString targetBitmap(int k) const;

    AlbumPageWindow &m_page;
    AppContext &m_context;
    Navigator &m_navigator;
    QList<QAction *> m_lockedByMode;
    EditMode m_mode = EditMode::None;
    int m_popupPosition = 1;
    std::unique_ptr<PictureFilePicker> m_picker;
};
