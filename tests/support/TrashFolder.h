#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// The desktop's trash of a test: while one lives, $XDG_DATA_HOME points at a
// temporary folder (and $HOME beside it, so that the trash is on the same
// disk as the test's albums), with Qt's test paths off so that the trash is
// the one a file manager would find there: data/Trash with files/ and info/.
class TrashFolder
{
public:
    TrashFolder();
    ~TrashFolder();
    TrashFolder(const TrashFolder &) = delete;
    TrashFolder &operator=(const TrashFolder &) = delete;

    // $XDG_DATA_HOME/Trash
    QString path() const;
    // The names in Trash/files, in order.
    QStringList files() const;
    // The Path= line of each note in Trash/info, decoded, in order.
    QStringList originalPaths() const;
    // The content of the trashed file or folder entry Trash/files/name.
    QByteArray contents(const QString &name) const;

    // Makes the home trash impossible: $XDG_DATA_HOME lies under a file.
    void block();

private:
    QTemporaryDir m_dir;
    QByteArray m_home;
    QByteArray m_dataHome;
    bool m_hadDataHome;
    bool m_testMode;
};
