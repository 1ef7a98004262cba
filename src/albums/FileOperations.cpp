#include "albums/FileOperations.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Larger pieces copy several times slower once the system holds a lot of
// data not yet written (measured on Linux with 1 MiB against 128 KiB).
constexpr std::size_t kChunk = 128 << 10;

using Status = FileOperations::Status;
using Error = FileOperations::Error;

Status lastError(Error error = Error::Other)
{
#ifdef Q_OS_WIN
    return FileOperations::failure(error, qt_error_string(int(GetLastError())));
#else
    return FileOperations::failure(error, qt_error_string(errno));
#endif
}

#ifndef Q_OS_WIN
QByteArray native(const QString &path)
{
    return QFile::encodeName(path);
}

Status renameFailure(int error)
{
    errno = error;
    switch (error) {
    case EEXIST:
        return lastError(Error::Exists);
    case EXDEV:
        return lastError(Error::OtherDevice);
    default:
        return lastError();
    }
}

// File systems that cannot give a second name to a file (FAT, some network
// shares) or that do not know the exclusive rename.
bool unsupported(int error)
{
    return error == EINVAL || error == ENOSYS || error == ENOTSUP || error == EOPNOTSUPP || error == EPERM;
}

Status renameWithoutReplacing(const QString &from, const QString &to)
{
    const QByteArray f = native(from);
    const QByteArray t = native(to);
#if defined(Q_OS_LINUX) && defined(RENAME_NOREPLACE)
    if (::renameat2(AT_FDCWD, f.constData(), AT_FDCWD, t.constData(), RENAME_NOREPLACE) == 0)
        return {};
    if (!unsupported(errno))
        return renameFailure(errno);
#endif
    // A second name, then the first one goes: the link fails when the name
    // is taken, so nothing is ever replaced.
    if (::link(f.constData(), t.constData()) == 0) {
        if (::unlink(f.constData()) == 0)
            return {};
        const int error = errno;
        ::unlink(t.constData());
        return renameFailure(error);
    }
    if (!unsupported(errno))
        return renameFailure(errno);
    // Last resort: look, then rename. Only another program making the same
    // name in the same instant could be replaced.
    struct stat st;
    if (::lstat(t.constData(), &st) == 0)
        return renameFailure(EEXIST);
    if (::rename(f.constData(), t.constData()) == 0)
        return {};
    return renameFailure(errno);
}
#endif

Status syncFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        return FileOperations::failure(Error::Other, file.errorString());
#ifdef Q_OS_WIN
    if (!FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()))))
        return lastError();
#else
    if (::fsync(file.handle()) != 0)
        return lastError();
#endif
    return {};
}

Status syncFolder(const QString &folder)
{
#ifdef Q_OS_WIN
    // The folder's entries are journalled with the file they name.
    Q_UNUSED(folder);
    return {};
#else
    const int fd = ::open(native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return lastError();
    const int result = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    // Some file systems cannot sync a folder; there is nothing more to do there.
    if (result != 0 && error != EINVAL && error != ENOTSUP && error != EOPNOTSUPP) {
        errno = error;
        return lastError();
    }
    return {};
#endif
}

}  // namespace

FileOperations::FileOperations() = default;
FileOperations::~FileOperations() = default;

FileOperations::Status FileOperations::rename(const QString &from, const QString &to)
{
#ifdef Q_OS_WIN
    // Without MOVEFILE_REPLACE_EXISTING an existing target is refused, and
    // without MOVEFILE_COPY_ALLOWED another volume is too.
    if (MoveFileExW(reinterpret_cast<LPCWSTR>(from.utf16()), reinterpret_cast<LPCWSTR>(to.utf16()), 0))
        return {};
    switch (GetLastError()) {
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
        return lastError(Error::Exists);
    case ERROR_NOT_SAME_DEVICE:
        return lastError(Error::OtherDevice);
    default:
        return lastError();
    }
#else
    return renameWithoutReplacing(from, to);
#endif
}

FileOperations::Status FileOperations::copyNew(const QString &from, const QString &to, const Progress &progress)
{
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return failure(Error::Other, in.errorString());
    QFile out(to);
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
        return failure(QFileInfo::exists(to) ? Error::Exists : Error::Other, out.errorString());

    m_buffer.resize(kChunk);
    qint64 copied = 0;
    for (;;) {
        const qint64 n = in.read(m_buffer.data(), qint64(m_buffer.size()));
        if (n < 0)
            return failure(Error::Other, in.errorString());
        if (n == 0)
            break;
        if (out.write(m_buffer.data(), n) != n)
            return failure(Error::Other, out.errorString());
#ifdef Q_OS_LINUX
        // The disk writes this part while the next ones are copied, so that
        // syncFiles later has little left to wait for.
        ::sync_file_range(out.handle(), copied, n, SYNC_FILE_RANGE_WRITE);
#endif
        copied += n;
        if (progress && !progress(copied))
            return failure(Error::Cancelled, QString());
    }
    // A moved picture keeps its date, as it does when moved on one disk.
    const QDateTime modified = QFileInfo(in).lastModified();
    if (modified.isValid())
        out.setFileTime(modified, QFileDevice::FileModificationTime);
    out.close();
    if (out.error() != QFileDevice::NoError)
        return failure(Error::Other, out.errorString());
    return {};
}

FileOperations::Status FileOperations::syncFiles(const QStringList &paths, const QString &folder)
{
#ifdef Q_OS_LINUX
    // One pass over the whole file system writes what waits and asks the
    // disk to empty its cache once, where a pass for each file asks once a
    // file. Since Linux 5.8 it reports every failed write it finds.
    const int fd = ::open(native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return lastError();
    const int result = ::syncfs(fd);
    const int error = errno;
    ::close(fd);
    if (result == 0)
        return {};
    if (error != ENOSYS) {
        errno = error;
        return lastError();
    }
#endif
    for (const QString &path : paths) {
        if (Status synced = syncFile(path); !synced.ok())
            return synced;
    }
    return syncFolder(folder);
}

FileOperations::Status FileOperations::remove(const QString &path)
{
    QFile file(path);
    if (file.remove())
        return {};
    return failure(Error::Other, file.errorString());
}

FileOperations::FileState FileOperations::state(const QString &path) const
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    return FileState{true, info.size(), info.lastModified()};
}
