#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// The few things the batch move asks of the disk, each one refusing to
// replace a file that is there already. Tests derive from it to make a single
// step fail and check that no file is lost.
class FileOperations
{
public:
    enum class Error {
        None,
        Exists,       // the target name is taken; nothing was changed
        OtherDevice,  // a rename cannot reach the target's file system
        Cancelled,    // the caller asked to stop
        Other,
    };

    struct Status
    {
        Error error = Error::None;
        QString reason;  // the system's words, for the user
        bool ok() const { return error == Error::None; }
    };

    struct FileState
    {
        bool exists = false;
        qint64 size = 0;
        QDateTime modified;
        bool operator==(const FileState &o) const
        {
            return exists == o.exists && size == o.size && modified == o.modified;
        }
    };

    // Bytes copied so far; returning false stops the copy.
    using Progress = std::function<bool(qint64 copied)>;

    FileOperations();
    virtual ~FileOperations();
    FileOperations(const FileOperations &) = delete;
    FileOperations &operator=(const FileOperations &) = delete;

    // Gives `from` the name `to` within one file system, atomically, and
    // never over an existing `to`.
    virtual Status rename(const QString &from, const QString &to);
    // Makes `to`, which must not exist, a copy of `from` with its date, and
    // starts writing it to the disk. On failure the part already written may
    // be left behind; the caller removes it.
    virtual Status copyNew(const QString &from, const QString &to, const Progress &progress);
    // Returns once the files' content, and the names the folder holds, are
    // on the disk and not only in the system's buffers: a file just copied
    // and named survives a power cut. It may run on another thread while the
    // others are called.
    virtual Status syncFiles(const QStringList &paths, const QString &folder);
    virtual Status remove(const QString &path);
    virtual FileState state(const QString &path) const;

    static Status failure(Error error, const QString &reason) { return Status{error, reason}; }

private:
    std::vector<char> m_buffer;
};
