#pragma once

#include "albums/FileOperations.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

// Moves the files of a folder into the positions of an album, one after the
// other, and never loses one: within one file system a file is renamed (never
// over a file that is there); to another one it is copied, put on the disk,
// checked, and only then removed from where it was. The first file that
// cannot be moved stops the run with everything before it in the album and
// everything from it on where it was.
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

    // The files a folder puts into an album: its visible ordinary files (no
    // folders, links, hidden or system files), in ascending order of name
    // with letter case ignored.
    static QStringList sourceFiles(const QString &folder);

    // The name a file takes at a position: P<page>I<picture - 1> and its
    // extension. ".jpeg" is shortened to ".jpg" (".JPG" when written in
    // capitals), so the album shows it.
    static QString targetName(const QString &sourceName, int page, int picture);

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

    // Files moved by the last run.
    int movedCount() const { return m_moved; }
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
    enum class Step { Moved, Failed, Cancelled };

    Step moveOne(const QString &source, const QString &target);
    Step copyAcross(const QString &source, const QString &target);
    Step fail(const QString &reason);
    QString partName(const QString &target) const;

    std::unique_ptr<FileOperations> m_ownOperations;
    FileOperations &m_ops;
    bool m_cancelled = false;
    int m_moved = 0;
    QString m_failedFile;
    QString m_failedTarget;
    QString m_reason;
};
