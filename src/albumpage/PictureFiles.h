#pragma once

#include <QImage>
#include <QString>

// Writing and removing the picture files of a position. Every write goes to a
// temporary file in the album folder that is renamed into place only when it
// is complete, so a crash or a full disk never leaves half a picture, and
// never destroys the picture it was to replace. A replaced or removed picture
// goes to the desktop's trash where there is one. Every write also clears the
// album folder of partial files a killed batch move left (PartFiles).
namespace PictureFiles {

struct Result
{
    bool ok = true;
    QString reason;  // why it failed, for the user
};

// Copies source byte for byte to target. The picture it replaces, target or
// the same position under another picture extension (P1I0.jpg for P1I0.bmp),
// goes to the trash.
Result copyInto(const QString &source, const QString &target);

// Writes the picture to target as a Windows bitmap, replacing as copyInto does.
Result saveBitmap(const QImage &image, const QString &target);

// Moves every file of the position (P<page>I<picture - 1> with any
// extension) from the album folder to the trash, or deletes it where no trash
// takes it. A position with no file is no failure.
Result removePosition(const QString &albumFolder, int page, int picture);

}  // namespace PictureFiles
