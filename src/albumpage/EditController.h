#pragma once

#include <QObject>
#include <QString>

#include <memory>

class AlbumPageWindow;
class WindowOwner;
class PictureFilePicker;
struct ProgramValues;

// The album page's editing: the four edit modes and their instruction texts,
// the menu locking around them, the thumbnail click in a mode, the popup
// commands, and placing, pasting, copying and deleting pictures.
class EditController : public QObject
{
    Q_OBJECT

public:
    EditController(AlbumPageWindow &form, WindowOwner &owner);
    ~EditController() override;

    // Menu groups: the nine menus switched together around a mode.
    void lockMenusForMode();
    void endAllModes();
    void endEditMode();

    // Edit menu.
    void mnuFromDisk_Click();
    void mnuFromClipboard_Click();
    void mnuFromClip_Click();
    void mnuToClip_Click();
    void mnuDelete_Click();
    void mnuCancelEdit_Click();
    // Thumbnail popup, acting on PopupIndex.
    void mnuAddFromDrives_Click();
    void mnuAddFromClipboard_Click();
    void mnuPFromClip_Click();
    void mnuDDelete_Click();
    void mnuDToClip_Click();
    void mnuPicInfo_Click();

    // A thumbnail click while a mode is on.
    void thumbnailClicked(int k);
    // Asks before a filled position is replaced from disk; the answer goes to
    // EditAnswer.
    void confirmReplace(int k);
    // Places the picture file at path into position k of the page shown.
    bool placePicture(int k, const QString &path);
    // A picture file dropped from the desktop onto thumbnail k.
    void fileDropped(int k, const QString &path);

    void showInstruction(const QString &text);
    void clearInstruction();
    PictureFilePicker *picker() const { return m_viewer.get(); }

    static inline const QString kWarning = QStringLiteral("WARNING");

private:
    ProgramValues &values() const;
    void connectMenus();
    void setEditMenus(bool enabled);
    void enterMode(bool ProgramValues::*flag, const QString &text);
    void openViewer();
    void addBranch(int k);
    void paste(int k, bool pasteMode);
    void copyToClipboard(int k);
    // Asks before a picture is deleted; the answer goes to EditAnswer.
    bool confirmDelete();
    bool deletePicture(int k);
    QString targetBitmap(int k) const;
    bool isFilled(int k) const;

    AlbumPageWindow &m_form;
    WindowOwner &m_owner;
    std::unique_ptr<PictureFilePicker> m_viewer;
};
