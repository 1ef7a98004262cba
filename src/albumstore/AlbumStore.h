#pragma once

#include <QString>
#include <QStringList>

#include <array>

// The program folder and everything in it: one folder per album, and in it one
// file per filled position, named P<page>I<index> plus an extension. There is
// no index of albums; the folders are the albums.
class AlbumStore
{
public:
    static constexpr int kPages = 10;
    static constexpr int kPicturesPerPage = 6;

    explicit AlbumStore(const QString &programFolder);

    const QString &programFolder() const { return m_programFolder; }

    QString albumFolder(const QString &album) const;
    // Whether `album` names a folder directly inside the program folder and
    // nothing beside it, here and on Windows, where albums may be copied to.
    // Album names come from the folder list or from the descriptions table,
    // which any program may have written; nothing is read, renamed or
    // deleted for a name that fails this.
    static bool isAlbumFolderName(const QString &album);
    // picture is the number the user sees, 1..6; the file carries picture - 1.
    QString picturePath(const QString &album, int page, int picture, const QString &extension) const;
    // The four names a position is looked up under, in lookup order; when
    // several exist, the last one that loads is the one shown (a bitmap
    // before a JPEG). Every window that shows a position asks here.
    QStringList candidatePaths(const QString &album, int page, int picture) const;
    // The same for a page number as the user typed it ("05" names P05...).
    QStringList candidatePaths(const QString &album, const QString &pageText, int picture) const;

    QString placeholderPath() const;
    QString helpFilePath() const;
    QString databasePath() const;
    QString demoAlbumFolder() const;

    // Visible subfolders of the program folder, in ascending order of name with
    // letter case ignored.
    QStringList albumNames() const;
    bool isWritable() const;

    // Copies the six demo pictures into "Demo Album". Every step that fails is
    // passed over: a missing demo picture only leaves its position empty.
    void installDemoAlbum() const;

    static QString pictureFileName(int page, int picture, const QString &extension);
    static const std::array<QString, 4> &extensions();
    static QString demoPictureName(int index);
    static const QString &demoAlbumName();
    static const QString &placeholderName();
    static const QString &helpFileName();
    static const QString &databaseName();
    // The files delivered with the program that every program folder needs.
    static QStringList deliveredFiles();

private:
    QString m_programFolder;
};
