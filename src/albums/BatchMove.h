#pragma once

#include "albums/FileOperations.h"
#include "albumstore/PictureHeader.h"

#include <QFuture>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// Moves the pictures of a folder into the positions of an album, one after the
// other, and never loses one: within one file system a file is renamed (never
// over a file that is there); to another one it is copied, checked, put on the
// disk, and only then removed from where it was. The first file that cannot
// be moved stops the run with everything before it in the album and
// everything from it on where it was. Only what an album can show is moved:
// files whose content is a JPEG or a Windows bitmap the album can decode.
// Every other file stays where it is, untouched.
class BatchMove : public QObject
{
    Q_OBJECT

public:
    enum class Outcome {
        AllMoved,
        AlbumFull,  // positions ran out with files left; the position is page 11
        Failed,     // see failedFile() and failureReason()
        Cancelled,  // cancel() was called; the file being moved stays where it was
    };

    explicit BatchMove(QObject *parent = nullptr);
    // Works through `operations`, which must outlive the move.
    explicit BatchMove(FileOperations &operations, QObject *parent = nullptr);
    ~BatchMove() override;

    // Why a file of the folder is not moved.
    enum class Left {
        NotAPicture,  // its content is no JPEG or Windows bitmap
        TooLarge,     // a picture larger than the program decodes
        Damaged,      // a picture whose header is broken or that lost most of its data
        Unreadable,   // it could not be opened
    };

    struct LeftFile
    {
        QString name;
        Left why;
    };

    // A folder as the batch sees it: of its visible ordinary files (no
    // folders, links, hidden or system files), in ascending order of name
    // with letter case ignored, the pictures that go into the album, and the
    // files that stay.
    struct Source
    {
        QStringList pictures;
        QList<LeftFile> left;
    };
    static Source readSource(const QString &folder);
    // The pictures of readSource.
    static QStringList sourceFiles(const QString &folder);

    // For the window, once the pictures are moved: which files stayed in
    // the folder and why, in a sentence ("notes.txt stays in /card: it is not
    // a JPEG or Windows bitmap picture."); empty when none did.
    static QString leftText(const QList<LeftFile> &left, const QString &folder);

    // The name a picture takes at a position: P<page>I<picture - 1> and the
    // extension of its content, ".jpg" or ".bmp", in capitals when the file's
    // own extension is written in capitals (a camera's ".JPG" stays ".JPG",
    // a ".mpo" file holding a JPEG becomes ".jpg").
    static QString targetName(const QString &sourceName, PictureHeader::Format format, int page, int picture);

    // Moves `files`, names in `sourceFolder`, into `albumFolder` from the
    // position page / picture on. The two are the position counter: picture 7
    // stands for picture 1 of the next page, page 11 for a full album. They
    // name the next free position when the run ends, or the position of the
    // file that failed.
    Outcome run(const QString &sourceFolder, const QStringList &files, const QString &albumFolder, int &page,
                int &picture);

    // Stops the run before the next file, or in the middle of a copy, which
    // is then removed.
    void cancel() { m_cancelled = true; }

    // Copies to another file system are put on the disk a group at a time,
    // the originals removed after: a failure there stops the run at the
    // first file of the group.
    static constexpr int kGroupFiles = 16;
    static constexpr qint64 kGroupBytes = 64 << 20;

    // Files moved by the last run.
    int movedCount() const { return m_moved; }
    // Files of the last run's list that were no pictures when their turn
    // came (changed since the folder was read); they stayed, and took no
    // position.
    const QList<LeftFile> &leftFiles() const { return m_left; }
    // The file that stopped the last run, the name it was to take, and why.
    const QString &failedFile() const { return m_failedFile; }
    const QString &failedTarget() const { return m_failedTarget; }
    const QString &failureReason() const { return m_reason; }

signals:
    // After each file: how many of this run's files are in the album.
    void progressed(int moved, int total);
    // While a file is copied to another file system, now and then.
    void copying(qint64 copied, qint64 size);

private:
    // A copy in the album whose original has not been removed yet.
    struct Copied
    {
        QString name;
        QString source;
        QString target;
        FileOperations::FileState original;
        int page;
        int picture;
    };

    enum class Step {
        Moved,
        Copied,
        Failed,
        Cancelled
    };

    Step moveOne(const QString &name, const QString &targetName, int page, int picture);
    Step copyAcross(const QString &name, const QString &targetName, int page, int picture);
    // Copies to another file system are put on the disk a group at a time,
    // in the background while the next group is copied; their originals are
    // removed once they are there.
    QStringList copiedTargets() const;
    void startSync();
    // Waits for the group going to the disk and removes its originals.
    bool release(int &page, int &picture);
    // Puts every copy on the disk and removes the originals.
    bool settle(int &page, int &picture);
    // On failure the run stops at the first original not removed: it and
    // every copy after it go back to how they were.
    bool removeOriginals(std::size_t count, const FileOperations::Status &synced, int &page, int &picture);
    void undo(const Copied &copy, QString &reason);
    Step fail(const QString &reason);
    void moved();

    std::unique_ptr<FileOperations> m_ownOperations;
    FileOperations &m_ops;
    QString m_sourceFolder;
    QString m_albumFolder;
    bool m_crossDevice = false;
    bool m_cancelled = false;
    int m_moved = 0;
    int m_total = 0;
    QList<LeftFile> m_left;
    std::vector<Copied> m_copied;  // the group going to the disk first, then the one being copied
    qint64 m_copiedBytes = 0;      // of the group being copied
    QFuture<FileOperations::Status> m_syncing;
    std::size_t m_syncingCount = 0;
    QString m_failedFile;
    QString m_failedTarget;
    QString m_reason;
};
