#include "Bench.h"
#include "BenchTable.h"

#include "albums/AlbumManager.h"
#include "pictureinfo/Descriptions.h"
#include "support/TestEnvironment.h"

#include <QElapsedTimer>
#include <QFileInfo>

#include <vector>

namespace {

constexpr int kTableRows = 100000;
constexpr int kAlbumPictures = 60;
constexpr int kRuns = 15;
const QString kAlbum = QStringLiteral("Holiday's 100%");

void addAlbumRows(TestEnvironment &env, const QString &album)
{
    const std::shared_ptr<PictureInfoDatabase> database = env.descriptions.open();
    PictureInfoDatabase &db = *database;
    std::optional<PictureInfoDatabase::Transaction> rows = db.beginChange(QStringLiteral("filling"));
    for (int i = 0; i < kAlbumPictures; ++i)
        db.insert({album, 1 + i / 6, 1 + i % 6, QStringLiteral("Beach %1").arg(i)}, QStringLiteral("filling"));
    rows->commit();
}

// A table of kTableRows descriptions, kAlbumPictures of them for kAlbum
// and the rest spread over other albums of sixty rows each.
void fillTable(TestEnvironment &env)
{
    BenchTable::fill(env, kTableRows - kAlbumPictures);
    addAlbumRows(env, kAlbum);
}

void putPictures(const TestEnvironment &env, const QString &album)
{
    for (int i = 0; i < kAlbumPictures; ++i)
        env.putPicture(album, QStringLiteral("P%1I%2.jpg").arg(1 + i / 6).arg(i % 6), QSize(320, 240));
}

void albumManagement()
{
    TestEnvironment env;
    fillTable(env);
    AlbumManager manager(env.store, env.descriptions, env.dialogs);

    // Delete: a 60-picture album with its 60 rows among 100,000.
    std::vector<double> deletes;
    for (int run = 0; run < kRuns; ++run) {
        if (run > 0)
            addAlbumRows(env, kAlbum);
        putPictures(env, kAlbum);
        QElapsedTimer t;
        t.start();
        const AlbumManager::Deletion done = manager.removeAlbum(kAlbum);
        deletes.push_back(t.nsecsElapsed() / 1e6);
        if (done != AlbumManager::Deletion::Deleted || QFileInfo::exists(env.store.albumFolder(kAlbum)))
            qFatal("the album was not deleted");
    }
    Bench::report(QStringLiteral("album_delete_60_of_100k_rows"), Bench::median(deletes), QStringLiteral("ms"));

    // Rename: the same album back and forth, folder and rows together.
    addAlbumRows(env, kAlbum);
    putPictures(env, kAlbum);
    const QString other = QStringLiteral("Summer's 100%");
    std::vector<double> renames;
    for (int run = 0; run < kRuns; ++run) {
        const QString from = run % 2 == 0 ? kAlbum : other;
        const QString to = run % 2 == 0 ? other : kAlbum;
        QElapsedTimer t;
        t.start();
        const bool renamed = manager.moveAlbum(from, to);
        renames.push_back(t.nsecsElapsed() / 1e6);
        if (!renamed)
            qFatal("the album was not renamed");
    }
    Bench::report(QStringLiteral("album_rename_60_of_100k_rows"), Bench::median(renames), QStringLiteral("ms"));
    if (!env.dialogs.shown().isEmpty())
        qFatal("unexpected message: %s", qPrintable(env.dialogs.lastText()));
}

// What the descriptions windows will ask of the same table.
void descriptionQueries()
{
    TestEnvironment env;
    fillTable(env);
    Bench::report(QStringLiteral("descriptions_open_whole_table_100k"),
                  Bench::medianMs(kRuns,
                                  [&env] {
                                      const auto records = env.descriptions.records(RecordQuery::all());
                                      PictureRecordSet &set = *records;
                                      set.moveLast();
                                      set.moveFirst();
                                      if (set.count() != kTableRows
                                          || !set.field(PictureRecord::kDiscription).isValid())
                                          qFatal("whole table not read");
                                  }),
                  QStringLiteral("ms"));
    Bench::report(QStringLiteral("descriptions_position_lookup_100k"),
                  Bench::medianMs(kRuns,
                                  [&env] {
                                      const auto records = env.descriptions.records(
                                          RecordQuery::position(QStringLiteral("HOLIDAY'S 100%"), 4, 2));
                                      PictureRecordSet &set = *records;
                                      if (set.count() != 1)
                                          qFatal("position not found");
                                  }),
                  QStringLiteral("ms"));
    Bench::report(QStringLiteral("descriptions_search_100k"),
                  Bench::medianMs(kRuns,
                                  [&env] {
                                      const auto records = env.descriptions.records(
                                          RecordQuery::descriptionContains(QStringLiteral("ZÜRICH, bild 99")));
                                      PictureRecordSet &set = *records;
                                      if (set.count() < 1)
                                          qFatal("search found nothing");
                                  }),
                  QStringLiteral("ms"));
    const auto wholeTable = env.descriptions.records(RecordQuery::all());
    PictureRecordSet &whole = *wholeTable;
    constexpr int kMoves = 1000;
    const double ms = Bench::medianMs(kRuns, [&whole] {
        for (int i = 0; i < kMoves; ++i)
            whole.moveNext();
    });
    Bench::report(QStringLiteral("descriptions_move_next_100k"), ms * 1000.0 / kMoves, QStringLiteral("us"));
}

}  // namespace

KOLUMBRA_BENCH(AlbumManagement, albumManagement)
KOLUMBRA_BENCH(DescriptionQueries, descriptionQueries)
