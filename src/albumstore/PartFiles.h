#pragma once

#include <QString>

class AlbumStore;

// A file copied into an album is written under a hidden partial name beside
// its target (".P7I3.jpg.1a2b3c4d.kolumbra-part") and renamed into place only
// when it is complete, so that an album never shows half a picture. A program
// killed in the middle of a copy (a power cut, a kill) leaves that partial
// file behind; the next write to the album folder removes it.
namespace PartFiles {

// A new partial name beside target, unlike any name a user would give.
QString nameFor(const QString &target);
bool isPartName(const QString &fileName);

// Marks a partial file as being written by this program for as long as the
// object lives: removeStale never touches it, however long the write takes.
class Writing
{
public:
    explicit Writing(const QString &path);
    ~Writing();
    Writing(const Writing &) = delete;
    Writing &operator=(const Writing &) = delete;

private:
    QString m_path;
};

// A partial file no program has written to for this long belongs to a write
// that ended without finishing: a copy going on writes to its file several
// times a second. (Another copy of the program may be writing to the same
// album; its partial files are spared as long as they grow.)
constexpr int kStaleAfterSeconds = 30;

// Removes the stale partial files of a folder, and returns how many. Never
// one that this program is writing (see Writing).
int removeStale(const QString &folder);
// The same for every album of the program folder.
int removeStaleInAlbums(const AlbumStore &store);

}  // namespace PartFiles
