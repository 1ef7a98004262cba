#pragma once

#include <QString>

#include <optional>

class AlbumStore;
class Descriptions;
class Dialogs;

// Making, renaming and deleting albums from the album list: the questions,
// the folders, and the album's descriptions, which follow a renamed album
// and go with a deleted one. Every message has the title "WARNING".
class AlbumManager
{
public:
    AlbumManager(const AlbumStore &store, Descriptions &descriptions, Dialogs &dialogs);

    // Asks for a name until an empty album folder is made (its name) or the
    // user gives up (nothing).
    std::optional<QString> createAlbum();

    // Asks for the new name and a confirmation; true when renamed. The folder
    // and the descriptions are renamed together, or neither is.
    bool renameAlbum(const QString &album);

    enum class Deletion {
        Cancelled,  // the user said No
        Deleted,    // the pictures are gone; a folder holding other files stays
        Kept,       // something could not be deleted; the user was told
    };
    // Asks, then deletes the album's pictures, its folder and its descriptions.
    Deletion deleteAlbum(const QString &album);

    // The same without the questions.
    bool moveAlbum(const QString &album, const QString &newName);
    Deletion removeAlbum(const QString &album);

    enum class Making {
        Made,
        Exists,  // made by someone else meanwhile
        Failed,  // refused by the disk; the user was told why
    };
    // Makes the empty folder of a new album whose name nameProblem passed.
    Making makeAlbumFolder(const QString &name) const;

    // Why `name` cannot be given to an album (`renaming` is the album being
    // renamed, if any); nothing when it can.
    std::optional<QString> nameProblem(const QString &name, const QString &renaming = {}) const;

    static QString alreadyUsedMessage(const QString &name);

private:
    std::optional<QString> albumFolderOf(const QString &album) const;
    void warn(const QString &text) const;

    const AlbumStore &m_store;
    Descriptions &m_descriptions;
    Dialogs &m_dialogs;
};
