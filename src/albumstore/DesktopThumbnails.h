#pragma once

#include "albumstore/PictureLoader.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The desktop's shared thumbnail cache ($XDG_CACHE_HOME/thumbnails): file
// managers and photo programs keep one small PNG per picture file there, named
// after the file's address, so that a picture seen once, by this program in an
// earlier run or by the file manager, is drawn small without decoding it again.
//
// An entry counts only while the file it was made from has not changed (its
// address, time of change and size are written into the entry). A file that
// this program writes may keep its time (to the second) and its size, so every
// write of a picture file by the program forgets the file's entries.
//
// A cache folder that cannot be read or written costs speed, nothing else.
namespace DesktopThumbnails {

// The folders by the longest side their thumbnails may have.
struct SizeFolder
{
    int side;
    const char *name;
};
constexpr SizeFolder kSizeFolders[] = {{128, "normal"}, {256, "large"}, {512, "x-large"}, {1024, "xx-large"}};

// $XDG_CACHE_HOME/thumbnails, or ~/.cache/thumbnails without one.
QString folder();

// The address a file is known by in the cache (file:///…, escaped as the
// desktop's file managers escape it), and the name of its entries.
QString addressOf(const QString &path);
QString entryNameOf(const QString &path);

// The smallest folder whose thumbnails hold a picture drawn `needed` large;
// nothing when the drawing is larger than any thumbnail.
std::optional<SizeFolder> folderFor(const QSize &needed);

// The size of a thumbnail of a picture of the given (upright) size in a
// folder: the picture's proportions inside side x side, never enlarged.
QSize thumbnailSize(const QSize &natural, int side);

// Decodes a file as PictureLoader::decode does, from the cache when it holds a
// valid thumbnail large enough for the size targetFor asks for. Otherwise the
// file is decoded at the folder's size, and the thumbnail written afterwards
// on a worker (or a failure entry, when the file does not decode); the picture
// is then reduced to the size asked for. A request for the whole picture, or
// for a drawing larger than any thumbnail, is decoded as before.
DecodedPicture decode(const QString &path, const PictureLoader::TargetSize &targetFor,
                      const PictureLoader::Decoder &decoder = PictureLoader::decode);

// The same for a position looked up under several names, as
// PictureLoader::decodeLastThatLoads.
DecodedPicture decodeLastThatLoads(const QStringList &candidates, const PictureLoader::TargetSize &targetFor);

// The same for a picture fitted inside bound, as PictureLoader::decodeFitted.
DecodedPicture decodeFitted(const QString &path, const QSize &bound);

// Removes every entry of a file (each size, and this program's failure
// entry); a thumbnail still waiting to be written for it is not written. The
// program calls this for every picture file it writes, replaces, renames or
// removes.
void forget(const QString &path);
// The same for every file in a folder (an album renamed or deleted).
void forgetFolder(const QString &folder);

// While one of these lives, thumbnails wait to be written: the six pictures
// of a page decode without a write taking a core from them.
class WritesHeld
{
public:
    WritesHeld();
    ~WritesHeld();
    WritesHeld(const WritesHeld &) = delete;
    WritesHeld &operator=(const WritesHeld &) = delete;
};

// Returns once every thumbnail not held back is written.
void waitForWrites();

}  // namespace DesktopThumbnails
