#pragma once

#include <QString>

// Which descriptions a record set holds. Every kind but the single position
// is ordered by album, page and picture number; album names compare without
// regard to letter case, and searches match the typed text literally
// anywhere in the field (no character is a wildcard).
struct RecordQuery
{
    enum class Kind {
        All,                  // the whole table, for browsing
        AlbumNameContains,    // search in album names
        DescriptionContains,  // search in descriptions
        Position,             // one picture position
        Album,                // every description of one album
    };

    Kind kind = Kind::All;
    QString text;  // the search text or the album name
    int page = 0;
    int imageNumber = 0;

    static RecordQuery all() { return {}; }
    static RecordQuery albumNameContains(const QString &text) { return {Kind::AlbumNameContains, text, 0, 0}; }
    static RecordQuery descriptionContains(const QString &text) { return {Kind::DescriptionContains, text, 0, 0}; }
    static RecordQuery position(const QString &album, int page, int imageNumber)
    {
        return {Kind::Position, album, page, imageNumber};
    }
    static RecordQuery album(const QString &album) { return {Kind::Album, album, 0, 0}; }
};
