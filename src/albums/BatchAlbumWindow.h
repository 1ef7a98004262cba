#pragma once

#include "albums/BatchMove.h"
#include "app/OwnedWindow.h"

#include <QElapsedTimer>
#include <QWidget>

#include <optional>

class DriveBox;
class Navigator;
class QFrame;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
struct AppContext;

// The batch album creator: the user picks a folder, names an album, and every
// file of the folder is moved into the album's positions in order of name,
// going on into a further album when one is full. It returns to the album
// list when all is moved; a file that cannot be moved stops the run, and the
// window then says which and why.
class BatchAlbumWindow : public QWidget, public OwnedWindow
{
    Q_OBJECT

public:
    BatchAlbumWindow(AppContext &context, Navigator &navigator);
    ~BatchAlbumWindow() override;

    QWidget *widget() override { return this; }
    void activated() override;

    void Drive1_Change();
    void cmdSelectFolder_Click();
    void cmdExc_Click();

    // The folder the folder list has open: the one "&Select" moves from.
    const QString &folder() const { return m_folder; }
    // Opens a folder in the folder list; says so and keeps the old one when
    // it cannot be read.
    bool setFolder(const QString &folder);
    bool isRunning() const { return m_running; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    struct Start
    {
        QString albumFolder;
        int page = 1;
        int picture = 1;
        bool isNewAlbum = true;
    };

    void buildControls();
    void fillDrives();
    void fillFolders();
    std::optional<Start> askForAlbum();
    std::optional<Start> askStartingPosition(const QString &albumFolder);
    QString existingAlbum(const QString &name) const;
    void giveUp();
    void returnToAlbumList();
    void tellFailure(const QString &sourceFolder, const QList<BatchMove::LeftFile> &staying);
    QString stayingLine(const QList<BatchMove::LeftFile> &staying, const QString &sourceFolder) const;
    void moved(int movedThisRun);
    void letEventsRun();
    void warn(const QString &text);

    AppContext &m_context;
    Navigator &m_navigator;
    BatchMove m_move;
    QLabel *m_instruction = nullptr;
    QFrame *m_chooser = nullptr;
    DriveBox *m_drives = nullptr;
    QPushButton *m_selectButton = nullptr;
    QListWidget *m_folders = nullptr;
    QLabel *m_folderCount = nullptr;
    QLabel *m_progressText = nullptr;
    QProgressBar *m_progress = nullptr;
    QString m_folder;
    bool m_running = false;
    int m_movedBefore = 0;  // by the runs for earlier albums of this batch
    QElapsedTimer m_sinceEvents;
};
