#include "BenchTable.h"

#include "pictureinfo/Descriptions.h"
#include "support/TestEnvironment.h"

namespace BenchTable {

QString albumOf(int row)
{
    return QStringLiteral("Album %1").arg(row / kRowsPerAlbum, 5, 10, QLatin1Char('0'));
}

void fill(TestEnvironment &env, int rows)
{
    const std::shared_ptr<PictureInfoDatabase> database = env.descriptions.open();
    PictureInfoDatabase &db = *database;
    const QString what = QStringLiteral("filling");
    std::optional<PictureInfoDatabase::Transaction> all = db.beginChange(what);
    for (int i = 0; i < rows; ++i) {
        const QString text = i % 10 == 0 ? QStringLiteral("Grüße aus Zürich, Bild %1").arg(i)
                                         : QStringLiteral("Picture %1 of a day at the sea").arg(i);
        db.insert({albumOf(i), 1 + (i / 6) % 10, 1 + i % 6, text}, what);
    }
    all->commit();
}

}  // namespace BenchTable
