#pragma once

#include <QDialog>

class EditController;
class PictureView;
class QComboBox;
class QLabel;
class QListWidget;
class WindowOwner;

// The graphics viewer: a small file picker with a preview, shown modal while
// pictures are added from disk. "&Select" hands the chosen file to the album
// page and hides the viewer; "E&xit" ends adding.
class PictureFilePicker : public QDialog
{
    Q_OBJECT

public:
    PictureFilePicker(WindowOwner &owner, EditController &editing, QWidget *parent);
    ~PictureFilePicker() override;

    void activated();
    void Drive1_Change();
    void folderChanged();
    void File1_Click(const QString &fileName);
    void selectClicked();
    void exitClicked();

    // The full path of the file last clicked, empty when none was.
    QString selectedPath() const;
    void setFolder(const QString &folder);

    // The picture files a folder offers, by name, letter case ignored.
    static QStringList pictureFiles(const QString &folder);

protected:
    void showEvent(QShowEvent *event) override;
    void reject() override;

private:
    void fillDrives();
    void fillFolders();
    void fillFiles();

    WindowOwner &m_owner;
    EditController &m_editing;
    QComboBox *m_drives = nullptr;
    QListWidget *m_folders = nullptr;
    QListWidget *m_files = nullptr;
    PictureView *m_preview = nullptr;
    QLabel *m_chosenPath = nullptr;
    QString m_folder;
};
