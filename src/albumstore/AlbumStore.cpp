#include "albumstore/AlbumStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <algorithm>

AlbumStore::AlbumStore(const QString &programFolder)
    : m_programFolder(QDir::cleanPath(programFolder))
{
}

QString AlbumStore::albumFolder(const QString &album) const
{
    return QDir(m_programFolder).filePath(album);
}

bool AlbumStore::isAlbumFolderName(const QString &album)
{
    return !album.isEmpty() && album != QLatin1String(".") && album != QLatin1String("..")
        && !album.contains(QLatin1Char('/')) && !album.contains(QLatin1Char('\\')) && !album.contains(QChar(0));
}

namespace {

QString fileName(const QString &pageText, int picture, const QString &extension)
{
    return QStringLiteral("P%1I%2%3").arg(pageText).arg(picture - 1).arg(extension);
}

}  // namespace

QString AlbumStore::pictureFileName(int page, int picture, const QString &extension)
{
    return fileName(QString::number(page), picture, extension);
}

QString AlbumStore::picturePath(const QString &album, int page, int picture, const QString &extension) const
{
    return QDir(albumFolder(album)).filePath(pictureFileName(page, picture, extension));
}

const std::array<QString, 4> &AlbumStore::extensions()
{
    static const std::array<QString, 4> list = {QStringLiteral(".jpg"), QStringLiteral(".JPG"), QStringLiteral(".BMP"),
                                                QStringLiteral(".bmp")};
    return list;
}

QStringList AlbumStore::candidatePaths(const QString &album, int page, int picture) const
{
    return candidatePaths(album, QString::number(page), picture);
}

QStringList AlbumStore::candidatePaths(const QString &album, const QString &pageText, int picture) const
{
    const QDir folder(albumFolder(album));
    QStringList paths;
    for (const QString &ext : extensions())
        paths << folder.filePath(fileName(pageText, picture, ext));
    return paths;
}

const QString &AlbumStore::demoAlbumName()
{
    static const QString name = QStringLiteral("Demo Album");
    return name;
}

const QString &AlbumStore::placeholderName()
{
    static const QString name = QStringLiteral("EMPTY.BMP");
    return name;
}

const QString &AlbumStore::helpFileName()
{
    static const QString name = QStringLiteral("KoLumbraHelp.html");
    return name;
}

const QString &AlbumStore::databaseName()
{
    static const QString name = QStringLiteral("KoLumbra.db");
    return name;
}

QString AlbumStore::demoPictureName(int index)
{
    return QStringLiteral("P1I%1.jpg").arg(index);
}

QStringList AlbumStore::deliveredFiles()
{
    QStringList files{placeholderName()};
    for (int i = 0; i < kPicturesPerPage; ++i)
        files << demoPictureName(i);
    files << helpFileName();
    return files;
}

QString AlbumStore::placeholderPath() const
{
    return QDir(m_programFolder).filePath(placeholderName());
}
QString AlbumStore::helpFilePath() const
{
    return QDir(m_programFolder).filePath(helpFileName());
}
QString AlbumStore::databasePath() const
{
    return QDir(m_programFolder).filePath(databaseName());
}
QString AlbumStore::demoAlbumFolder() const
{
    return albumFolder(demoAlbumName());
}

QStringList AlbumStore::albumNames() const
{
    // Hidden folders are left out: they are not albums a user made here.
    QStringList names = QDir(m_programFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort);
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int c = QString::compare(a, b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

bool AlbumStore::isWritable() const
{
    // Ask the file system rather than the permission bits: a read-only mount
    // or an ACL can refuse what the bits allow.
    QTemporaryFile probe(QDir(m_programFolder).filePath(QStringLiteral(".kolumbra-probe-XXXXXX")));
    return probe.open();
}

void AlbumStore::installDemoAlbum() const
{
    QDir().mkpath(demoAlbumFolder());
    for (int i = 0; i < kPicturesPerPage; ++i) {
        const QString source = QDir(m_programFolder).filePath(demoPictureName(i));
        const QString target = QDir(demoAlbumFolder()).filePath(demoPictureName(i));
        // A picture already there is kept: on a first run over an existing
        // program folder it may be the user's own.
        if (QFileInfo::exists(target))
            continue;
        if (QFile::copy(source, target))
            QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner);
    }
}
