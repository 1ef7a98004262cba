#pragma once

#include <QString>

#include <optional>

// An album name becomes a folder name, on this computer and on any other the
// albums may be copied to. The check refuses what no file system takes, what
// Windows refuses, and what would make an album the list cannot show or tell
// apart.
class AlbumName
{
public:
    // Longest folder name, in characters and in bytes of the encoded name.
    static constexpr int kMaxLength = 255;

    // Entries of the album lists that are not albums, and so cannot be
    // album names.
    static inline const QString kNoAlbums = QStringLiteral("There are no Album's stored");
    static inline const QString kCreateNewAlbum = QStringLiteral("Create New Album");

    // Why `name` cannot be the name of a new album, in words for the user;
    // nothing when it can. Whether an album of that name exists already is
    // not part of it.
    static std::optional<QString> problem(const QString &name);
};
