#include "support/TrashFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStandardPaths>
#include <QUrl>

TrashFolder::TrashFolder()
    : m_home(qgetenv("HOME"))
    , m_dataHome(qgetenv("XDG_DATA_HOME"))
    , m_hadDataHome(qEnvironmentVariableIsSet("XDG_DATA_HOME"))
    , m_testMode(QStandardPaths::isTestModeEnabled())
{
    QDir().mkpath(m_dir.filePath(QStringLiteral("home")));
    qputenv("HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("home"))));
    // Not made here: the program makes a missing data folder itself.
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("data"))));
    QStandardPaths::setTestModeEnabled(false);
}

TrashFolder::~TrashFolder()
{
    QStandardPaths::setTestModeEnabled(m_testMode);
    qputenv("HOME", m_home);
    if (m_hadDataHome)
        qputenv("XDG_DATA_HOME", m_dataHome);
    else
        qunsetenv("XDG_DATA_HOME");
}

QString TrashFolder::path() const
{
    return m_dir.filePath(QStringLiteral("data/Trash"));
}

QStringList TrashFolder::files() const
{
    return QDir(path() + QStringLiteral("/files")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
}

QStringList TrashFolder::originalPaths() const
{
    QStringList paths;
    QDirIterator notes(path() + QStringLiteral("/info"), {QStringLiteral("*.trashinfo")}, QDir::Files);
    while (notes.hasNext()) {
        QFile note(notes.next());
        if (!note.open(QIODevice::ReadOnly | QIODevice::Text))
            continue;
        for (const QByteArray &line : note.readAll().split('\n')) {
            if (line.startsWith("Path="))
                paths << QUrl::fromPercentEncoding(line.mid(5));
        }
    }
    paths.sort();
    return paths;
}

QByteArray TrashFolder::contents(const QString &name) const
{
    QFile file(path() + QStringLiteral("/files/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TrashFolder::block()
{
    QFile blocker(m_dir.filePath(QStringLiteral("not-a-folder")));
    blocker.open(QIODevice::WriteOnly);
    qputenv("XDG_DATA_HOME", QFile::encodeName(blocker.fileName() + QStringLiteral("/data")));
}
