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
    // Every file a batch moves counts as a picture for now.
    FolderSummary summary;
    summary.pictures = int(BatchMove::sourceFiles(folder).size());
    return summary;
}

QString FolderSummary::text() const
{
    const QStringList clauses{QStringLiteral("This folder holds ") + pictureCount(pictures)};
    return clauses.join(QStringLiteral("; ")) + QLatin1Char('.');
}
