#pragma once

#include <QString>
#include <QStringList>

// One description: the picture position it belongs to (album, page 1..10,
// picture number 1..6 as the user counts) and its text. The position is the
// row's identity; the program keeps at most one row per position.
struct PictureRecord
{
    QString albumName;
    int page = 0;
    int imageNumber = 0;
    QString description;

    // The names of the four fields, as the windows ask for them.
    static inline const QString kAlbumName = QStringLiteral("Album Name");
    static inline const QString kPage = QStringLiteral("Page");
    static inline const QString kImageNumber = QStringLiteral("ImageNumber");
    static inline const QString kDiscription = QStringLiteral("Discription");

    static QStringList fieldNames() { return {kAlbumName, kPage, kImageNumber, kDiscription}; }

    // A description of nothing but blanks is no description: it is never
    // stored, and a description erased to blanks goes with its row.
    static bool isBlank(const QString &description) { return description.trimmed().isEmpty(); }

    friend bool operator==(const PictureRecord &a, const PictureRecord &b)
    {
        return a.albumName == b.albumName && a.page == b.page && a.imageNumber == b.imageNumber
            && a.description == b.description;
    }
    friend bool operator!=(const PictureRecord &a, const PictureRecord &b) { return !(a == b); }
};
