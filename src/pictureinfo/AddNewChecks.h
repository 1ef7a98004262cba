#pragma once

#include <QString>
#include <QStringList>

class AlbumStore;

// The checks of a new description's position: the answers typed for the page
// and the picture number, and whether the position holds a picture.
namespace AddNewChecks {

constexpr int kHighestPage = 10;
constexpr int kHighestPicture = 6;

struct Answer
{
    enum class Kind {
        Empty,       // nothing typed, or the box was cancelled
        OutOfRange,  // not a whole number from 1 to the highest
        Accepted,
    };
    Kind kind = Kind::Empty;
    int number = 0;  // the accepted number
};

// A whole number is digits only; leading zeros are allowed ("05" is 5).
// Anything else, signs and blanks included, is out of range.
Answer check(const QString &typed, int highest);

// The names the picture of the chosen position is looked for under: the
// album folder, "P", the page answer exactly as typed, "I", the picture
// number minus 1, then ".BMP", ".bmp", ".JPG" and ".jpg".
QStringList candidates(const AlbumStore &store, const QString &album, const QString &pageAsTyped, int picture);

// Whether any of the candidates is a picture that loads.
bool anyLoads(const QStringList &candidates);

}  // namespace AddNewChecks
