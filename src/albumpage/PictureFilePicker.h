#pragma once

#include <QDialog>

class DriveBox;
class EditController;
class Navigator;
class PictureView;
class QLabel;
class QListWidget;
struct AppContext;

// The graphics viewer: a small file picker with a preview, shown modal while
// pictures are added from disk. "&Select" hands the chosen file to the album
// page and hides the viewer; "E&xit" ends adding.
class PictureFilePicker : public QDialog
{
    Q_OBJECT

public:
    PictureFilePicker(AppContext &context, Navigator &navigator, EditController &editing, QWidget *parent);
    ~PictureFilePicker() override;

    void Drive1_Change();
    void folderChanged();
    void File1_Click(const QString &fileName);
    void selectClicked();
    void exitClicked();

    // "E&xit" was pressed, or the picker closed, since it was last shown.
    bool exited() const { return m_exited; }

    // The full path of the file last clicked, empty when none was.
    QString selectedPath() const;
    void setFolder(const QString &folder);

    // The picture files a folder offers, by name, letter case ignored.
    static QStringList pictureFiles(const QString &folder);

protected:
    void showEvent(QShowEvent *event) override;
    void reject() override;

private:
    void fillFolders();
    void fillFiles();

    AppContext &m_context;
    EditController &m_editing;
    DriveBox *m_drives = nullptr;
    QListWidget *m_folders = nullptr;
    QListWidget *m_files = nullptr;
    PictureView *m_preview = nullptr;
    QLabel *m_chosenPath = nullptr;
    QString m_folder;
    bool m_exited = false;
};
