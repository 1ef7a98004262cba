#include "albums/FolderSummary.h"

#include "albums/BatchMove.h"

#include <QStringList>

namespace {

QString pictureCount(int pictures)
{
    if (pictures == 0)
        return QStringLiteral("no pictures");
    if (pictures == 1)
        return QStringLiteral("1 picture");
    return QStringLiteral("%1 pictures").arg(pictures);
}

}  // namespace

FolderSummary FolderSummary::of(const QString &folder)
{
    const BatchMove::Source listing = BatchMove::readSource(folder);
    return FolderSummary{int(listing.pictures.size()), int(listing.left.size())};
}

QString FolderSummary::text() const
{
    QStringList clauses{QStringLiteral("This folder holds ") + pictureCount(pictures)};
    if (others == 1)
        clauses << QStringLiteral("1 other file will stay where it is");
    else if (others > 1)
        clauses << QStringLiteral("%1 other files will stay where they are").arg(others);
    return clauses.join(QStringLiteral("; ")) + QLatin1Char('.');
}
