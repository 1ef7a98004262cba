#include "albums/AlbumManager.h"

#include "albumstore/AlbumName.h"
#include "albumstore/AlbumStore.h"
#include "albumstore/DesktopThumbnails.h"
#include "pictureinfo/Descriptions.h"
#include "platform/Dialogs.h"
#include "platform/Trash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

namespace {

const QString kNoName = QStringLiteral("You either did not enter a name or pressed <Cancel>");

// Names the album list shows for entries that are not albums.
const QStringList kListEntries = {AlbumName::kCreateNewAlbum, AlbumName::kNoAlbums};

std::filesystem::path fsPath(const QString &path)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

QString reasonOf(const std::error_code &ec)
{
    QString text = QString::fromLocal8Bit(ec.message().c_str());
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text.endsWith(QLatin1Char('.')) ? text : text + QLatin1Char('.');
}

bool noName(const QString &reply)
{
    return reply.isEmpty() || reply == QLatin1String(" ");
}

bool isLink(const QFileInfo &info)
{
    return info.isSymLink() || info.isJunction();
}

}  // namespace

AlbumManager::AlbumManager(const AlbumStore &store, Descriptions &descriptions, Dialogs &dialogs)
    : m_store(store)
    , m_descriptions(descriptions)
    , m_dialogs(dialogs)
{
}

void AlbumManager::warn(const QString &text) const
{
    m_dialogs.message(text, Dialogs::kWarning, Dialogs::Icon::Warning);
}

QString AlbumManager::alreadyUsedMessage(const QString &name)
{
    return QStringLiteral("You have allready used '") + name + QStringLiteral("' as a album name");
}

std::optional<QString> AlbumManager::nameProblem(const QString &name, const QString &renaming) const
{
    if (std::optional<QString> problem = AlbumName::problem(name))
        return problem;
    for (const QString &entry : kListEntries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return QStringLiteral("'%1' is an entry of the album list and cannot be an album name.").arg(entry);
    }
    // Descriptions find their album by name with letter case ignored, and
    // Windows cannot hold two such folders: "summer" is taken when "Summer"
    // exists. Renaming an album to its own name in other letters is fine.
    const QDir folder(m_store.programFolder());
    const QStringList entries =
        folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::NoSort);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        if (!renaming.isEmpty() && entry == renaming && name != renaming)
            continue;
        if (QFileInfo(folder.filePath(entry)).isDir())
            return alreadyUsedMessage(name);
        return QStringLiteral("There is a file named '%1' in the program folder, so an album cannot have that name.")
            .arg(entry);
    }
    return std::nullopt;
}

std::optional<QString> AlbumManager::albumFolderOf(const QString &album) const
{
    if (!AlbumStore::isAlbumFolderName(album))
        return std::nullopt;
    return m_store.albumFolder(album);
}

std::optional<QString> AlbumManager::createAlbum()
{
    for (;;) {
        const QString reply =
            m_dialogs.input(QStringLiteral("Input the name of the new album"), QStringLiteral("ENTER ALBUM NAME"));
        if (noName(reply)) {
            if (m_dialogs.askYesNo(kNoName + QStringLiteral("\r\nDo you wish to continue creating a album?"),
                                   Dialogs::kWarning)
                == Dialogs::Answer::Yes)
                continue;
            return std::nullopt;
        }
        if (const std::optional<QString> problem = nameProblem(reply)) {
            warn(*problem);
            continue;
        }
        switch (makeAlbumFolder(reply)) {
        case Making::Made:
            return reply;
        case Making::Exists:
            warn(alreadyUsedMessage(reply));
            break;
        case Making::Failed:
            break;
        }
    }
}

AlbumManager::Making AlbumManager::makeAlbumFolder(const QString &name) const
{
    std::error_code ec;
    if (std::filesystem::create_directory(fsPath(m_store.albumFolder(name)), ec))
        return Making::Made;
    if (!ec)
        return Making::Exists;
    warn(QStringLiteral("The album '%1' could not be made: %2").arg(name, reasonOf(ec)));
    return Making::Failed;
}

bool AlbumManager::renameAlbum(const QString &album)
{
    for (;;) {
        const QString reply =
            m_dialogs.input(QStringLiteral("Input a new name for the album"), QStringLiteral("RENAME"));
        if (noName(reply)) {
            if (m_dialogs.askYesNo(kNoName + QStringLiteral("\r\nDo you wish to continue renaming the album?"),
                                   Dialogs::kWarning)
                == Dialogs::Answer::Yes)
                continue;
            return false;
        }
        if (const std::optional<QString> problem = nameProblem(reply, album)) {
            warn(*problem);
            continue;
        }
        const Dialogs::Answer answer = m_dialogs.askYesNoCancel(
            QStringLiteral("Are you sure that you want to rename the album \r\n ' ") + album
                + QStringLiteral(" '  as ' ") + reply + QStringLiteral(" ' \r\nPress <Cancel> to get another name."),
            Dialogs::kWarning);
        if (answer == Dialogs::Answer::Cancel)
            continue;
        if (answer != Dialogs::Answer::Yes)
            return false;
        return moveAlbum(album, reply);
    }
}

bool AlbumManager::moveAlbum(const QString &album, const QString &newName)
{
    const std::optional<QString> from = albumFolderOf(album);
    const std::optional<QString> to = albumFolderOf(newName);
    if (!from || !to) {
        warn(QStringLiteral("'%1' could not be renamed to '%2': only albums in the program folder can be renamed.")
                 .arg(album, newName));
        return false;
    }

    // The descriptions are renamed in a transaction that is committed only
    // once the folder has its new name, so that both change or neither.
    const QString notRenamed = QStringLiteral("'%1' was not renamed.").arg(album);
    const std::shared_ptr<PictureInfoDatabase> database = m_descriptions.open();
    PictureInfoDatabase &db = *database;
    const bool carryRows = db.albumRowCount(album) > 0;
    std::optional<PictureInfoDatabase::Transaction> rows = carryRows ? db.beginChange(notRenamed) : std::nullopt;
    if (carryRows && (!rows || !db.renameAlbumRows(album, newName, notRenamed)))
        return false;

    std::error_code ec;
    std::filesystem::rename(fsPath(*from), fsPath(*to), ec);
    if (ec) {
        rows.reset();
        warn(QStringLiteral("'%1' could not be renamed to '%2': %3\r\nThe album and its descriptions are unchanged.")
                 .arg(album, newName, reasonOf(ec)));
        return false;
    }
    // The desktop's thumbnails are filed by a picture's address: those of the
    // old address describe nothing now, and any of the new one came from
    // another album once of that name.
    const QFileInfoList moved = QDir(*to).entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &picture : moved) {
        DesktopThumbnails::forget(QDir(*from).filePath(picture.fileName()));
        DesktopThumbnails::forget(picture.filePath());
    }
    if (rows && !rows->commit()) {
        std::error_code back;
        std::filesystem::rename(fsPath(*to), fsPath(*from), back);
        if (back)
            warn(QStringLiteral("The folder of '%1' is now named '%2', but its descriptions are still filed under "
                                "'%1', and the folder could not be given its old name back: %3")
                     .arg(album, newName, reasonOf(back)));
        return false;
    }
    return true;
}

AlbumManager::Deletion AlbumManager::deleteAlbum(const QString &album)
{
    if (m_dialogs.askYesNo(QStringLiteral("Are you sure that You want to delete '") + album + QStringLiteral("'"),
                           Dialogs::kWarning)
        != Dialogs::Answer::Yes)
        return Deletion::Cancelled;
    return removeAlbum(album);
}

AlbumManager::Deletion AlbumManager::removeAlbum(const QString &album)
{
    const std::optional<QString> folder = albumFolderOf(album);
    if (!folder) {
        warn(QStringLiteral("'%1' could not be deleted: it is not an album folder of the program folder.").arg(album));
        return Deletion::Kept;
    }

    DesktopThumbnails::forgetFolder(*folder);
    Deletion outcome = Deletion::Deleted;
    const QFileInfo info(*folder);
    if (isLink(info)) {
        // A link to pictures kept elsewhere: the album goes, the pictures stay.
        std::error_code ec;
        std::filesystem::remove(fsPath(*folder), ec);
        if (ec) {
            warn(QStringLiteral("'%1' could not be deleted: %2").arg(album, reasonOf(ec)));
            return Deletion::Kept;
        }
    } else if (info.isDir()) {
        const QDir dir(*folder);
        const QStringList pictureNames{QStringLiteral("*.jpg"), QStringLiteral("*.bmp")};
        const QDir::Filters pictureFiles = QDir::Files | QDir::System;
        const QDir::Filters everything = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;
        // An album of nothing but pictures goes to the trash whole, so that
        // restoring it from there brings the album back as it was.
        const bool onlyPictures = dir.entryList(everything, QDir::NoSort).size()
            == dir.entryList(pictureNames, pictureFiles, QDir::NoSort).size();
        if (!onlyPictures || !Trash::moveToTrash(*folder)) {
            QStringList failures;
            for (const QString &pattern : pictureNames) {
                const QFileInfoList pictures = dir.entryInfoList({pattern}, pictureFiles, QDir::Name);
                for (const QFileInfo &picture : pictures) {
                    const Trash::Result discarded = Trash::discard(picture.filePath());
                    if (!discarded.ok)
                        failures << picture.fileName() + QStringLiteral(": ") + discarded.error;
                }
            }
            // Pictures left behind keep their descriptions.
            if (!failures.isEmpty()) {
                warn(QStringLiteral("Not every picture of '%1' could be deleted.\r\n%2\r\nThe album and its "
                                    "descriptions are kept.")
                         .arg(album, failures.join(QStringLiteral("\r\n"))));
                return Deletion::Kept;
            }
            // A folder that still holds other files stays, as an album without pictures.
            if (dir.isEmpty(everything)) {
                std::error_code ec;
                std::filesystem::remove(fsPath(*folder), ec);
                if (ec) {
                    warn(QStringLiteral("The pictures of '%1' are deleted, but its folder could not be removed: %2")
                             .arg(album, reasonOf(ec)));
                    outcome = Deletion::Kept;
                }
            }
        }
    }

    m_descriptions.records(RecordQuery::album(album))
        ->deleteAll(QStringLiteral("The descriptions of '%1' were not deleted.").arg(album));
    return outcome;
}
