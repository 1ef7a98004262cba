#include "pictureinfo/AddNewChecks.h"

#include "albumstore/AlbumStore.h"
#include "albumstore/PictureLoader.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace AddNewChecks {

Answer check(const QString &typed, int highest)
{
    if (typed.isEmpty())
        return {Answer::Kind::Empty, 0};
    int number = 0;
    for (const QChar c : typed) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return {Answer::Kind::OutOfRange, 0};
        // Stops counting once past the highest, so a long row of digits
        // cannot overflow.
        number = std::min(number * 10 + (c.unicode() - '0'), highest + 1);
    }
    if (number < 1 || number > highest)
        return {Answer::Kind::OutOfRange, 0};
    return {Answer::Kind::Accepted, number};
}

QStringList candidates(const AlbumStore &store, const QString &album, const QString &pageAsTyped, int picture)
{
    const QString stem =
        QDir(store.albumFolder(album)).filePath(QStringLiteral("P%1I%2").arg(pageAsTyped).arg(picture - 1));
    QStringList names;
    for (const char *extension : {".BMP", ".bmp", ".JPG", ".jpg"})
        names << stem + QLatin1String(extension);
    return names;
}

bool anyLoads(const QStringList &candidates)
{
    // A small decode tells a picture from a file that is none.
    const QSize probe(64, 64);
    for (const QString &path : candidates) {
        if (QFileInfo::exists(path) && !PictureLoader::decodeFitted(path, probe).isNull())
            return true;
    }
    return false;
}

}  // namespace AddNewChecks
