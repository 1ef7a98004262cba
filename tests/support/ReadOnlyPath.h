#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>

// Makes a file or folder read-only for this process while it lives. Taking
// away the write bits does not stop a process running as root, so where they
// do not take, the immutable attribute is set instead. isActive() says
// whether the path really refuses changes now.
class ReadOnlyPath
{
public:
    explicit ReadOnlyPath(const QString &path)
        : m_path(path)
        , m_permissions(QFile::permissions(path))
    {
        QFile::setPermissions(
            path, m_permissions & ~(QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup | QFile::WriteOther));
        if (!writable())
            return;
        m_chattr = QStandardPaths::findExecutable(QStringLiteral("chattr"));
        if (!m_chattr.isEmpty())
            m_immutable = QProcess::execute(m_chattr, {QStringLiteral("+i"), m_path}) == 0;
    }

    ~ReadOnlyPath()
    {
        if (m_immutable)
            QProcess::execute(m_chattr, {QStringLiteral("-i"), m_path});
        QFile::setPermissions(m_path, m_permissions);
    }

    ReadOnlyPath(const ReadOnlyPath &) = delete;
    ReadOnlyPath &operator=(const ReadOnlyPath &) = delete;

    bool isActive() const { return !writable(); }

private:
    bool writable() const
    {
        if (QFileInfo(m_path).isDir()) {
            QTemporaryFile probe(QDir(m_path).filePath(QStringLiteral("probe-XXXXXX")));
            return probe.open();
        }
        QFile file(m_path);
        return file.open(QIODevice::ReadWrite);
    }

    QString m_path;
    QFile::Permissions m_permissions;
    QString m_chattr;
    bool m_immutable = false;
};
