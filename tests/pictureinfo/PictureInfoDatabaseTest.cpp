#include "support/DescriptionFile.h"
#include "support/ReadOnlyPath.h"

#include "pictureinfo/Descriptions.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <optional>

Q_DECLARE_METATYPE(RecordQuery)

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList column(PictureRecordSet &set)
{
    QStringList out;
    for (bool more = set.moveFirst(); more; more = set.moveNext())
        out << set.field(PictureRecord::kDiscription).toString();
    return out;
}

// Leaves the descriptions file the way a user's disk may hold it.
bool spoil(const QString &kind, const QString &path)
{
    if (kind == QLatin1String("folder"))
        return QDir().mkpath(path);
    if (kind == QLatin1String("othertable"))
        return DescriptionFile::Connection(path).exec("CREATE TABLE KoLumbra (Name TEXT)");
    if (kind == QLatin1String("damaged"))
        DescriptionFile::create(path, QList<PictureRecord>(2400, {"Album", 1, 1, "Some text"}));
    else if (kind.startsWith(QLatin1String("read-only")))
        DescriptionFile::create(path, {{"Holiday", 3, 2, "Beach"}});
    QFile file(path);
    if (kind == QLatin1String("text"))
        return file.open(QIODevice::WriteOnly) && file.write(QByteArray(800, ';')) > 0;
    if (kind != QLatin1String("damaged"))
        return true;
    // Everything after the first pages overwritten.
    return file.open(QIODevice::ReadWrite) && file.size() > 16384 && file.seek(4096)
        && file.write(QByteArray(int(file.size()) - 4096, '\x5a')) > 0;
}

// Descriptions whose album names or texts hold characters that a careless
// query would take for wildcards, quotes or other letter cases.
QList<PictureRecord> searchRows()
{
    QList<PictureRecord> rows{{"Holiday's", 1, 1, "Beach at noon"}, {"Summer 100%", 1, 2, "ÄRGER im Büro"},
                              {"Summer 1000", 1, 3, "100% sure"},   {"ärger", 1, 4, "100 percent"},
                              {"Zoo", 10, 1, "page ten"},           {"zoo", 1, 9, "first of zoo"}};
    int n = 0;
    for (const char *text : {"file_name", "fileXname", "it's mine", "its mine", "star*", "stars", "ΟΔΟΣ"})
        rows << PictureRecord{"Zoo", 2, ++n, QString::fromUtf8(text)};
    return rows;
}

}  // namespace

// The descriptions file and the record sets read from it: what is made, what
// the queries find, what changes reach the file, and what happens when the
// file cannot be used or changed.
class TestPictureInfoDatabase : public QObject
{
    Q_OBJECT

private slots:
    // A missing file is made with the table; an earlier file keeps its rows
    // and gains the key index every lookup goes through.
    void theFileGetsTableAndIndex()
    {
        for (const bool earlier : {false, true}) {
            TestEnvironment env;
            if (earlier)
                DescriptionFile::create(env.store.databasePath(),
                                        {{"Album 7", 8, 3, "kept"}, {"ALBUM 7", 8, 4, "kept"}});
            const std::shared_ptr<PictureInfoDatabase> database = env.descriptions.open();
            PictureInfoDatabase &db = *database;
            using Kind = RecordQuery::Kind;
            for (Kind kind : {Kind::Position, Kind::Album, Kind::All}) {
                const QString plan = db.queryPlan(RecordQuery{kind, "album 7", 8, 3});
                QVERIFY2(plan.contains("INDEX KoLumbraKey") && !plan.contains("TEMP B-TREE"), qPrintable(plan));
            }
            PictureRecordSet album(database, RecordQuery::album("album 7"));
            QCOMPARE(album.count(), earlier ? 2 : 0);
            QVERIFY(env.dialogs.shown().isEmpty());
        }
    }

    // The whole table, searches, an album's rows and a position's row: letter
    // case ignored (also beyond ASCII), nothing typed or stored a wildcard.
    void queriesMatchLiterallyInAnyCase_data()
    {
        QTest::addColumn<RecordQuery>("query");
        QTest::addColumn<QString>("found");  // the descriptions, "|" between them
        const auto text = [](const char *s) { return RecordQuery::descriptionContains(s); };
        const auto album = [](const char *s) { return RecordQuery::albumNameContains(s); };
        // Letter case does not split an album; pages go by number, not text.
        QTest::newRow("whole table") << RecordQuery::all()
                                     << "Beach at noon|ÄRGER im Büro|100% sure|first of zoo|file_name|"
                                        "fileXname|it's mine|its mine|star*|stars|ΟΔΟΣ|page ten|100 percent";
        QTest::newRow("umlaut, other case") << text("ärger im büro") << "ÄRGER im Büro";
        QTest::newRow("greek final sigma") << text("οδος") << "ΟΔΟΣ";
        QTest::newRow("percent sign") << text("%") << "100% sure";
        QTest::newRow("underscore") << text("e_n") << "file_name";
        QTest::newRow("apostrophe") << text("'") << "it's mine";
        QTest::newRow("star") << text("r*") << "star*";
        QTest::newRow("album with apostrophe") << album("DAY'S") << "Beach at noon";
        QTest::newRow("album with percent") << album("0%") << "ÄRGER im Büro";
        QTest::newRow("position") << RecordQuery::position("holiday's", 1, 1) << "Beach at noon";
        QTest::newRow("position beyond ASCII") << RecordQuery::position("ÄRGER", 1, 4) << "100 percent";
        QTest::newRow("position, underscore") << RecordQuery::position("Summer 100_", 1, 3) << "";
        QTest::newRow("position, percent") << RecordQuery::position("Summer 100%", 1, 3) << "";
    }

    void queriesMatchLiterallyInAnyCase()
    {
        QFETCH(RecordQuery, query);
        QFETCH(QString, found);
        TestEnvironment env;
        DescriptionFile::create(env.store.databasePath(), searchRows());
        const auto records = env.descriptions.records(query);
        PictureRecordSet &set = *records;
        QCOMPARE(column(set).join('|'), found);
        QCOMPARE(set.count(), found.isEmpty() ? 0 : found.count('|') + 1);
    }

    // A row deleted through another set after this one read it is not
    // changed as if it were still there.
    void aRowDeletedMeanwhileIsNotChanged()
    {
        TestEnvironment env;
        const QString path = env.store.databasePath();
        DescriptionFile::create(path, {{"A", 1, 1, "one"}, {"A", 1, 3, "three"}});
        const auto records = env.descriptions.records(RecordQuery::all());
        PictureRecordSet &set = *records;
        PictureRecordSet later(set.database(), RecordQuery::all());
        QVERIFY(set.moveLast() && later.moveLast() && later.deleteCurrent());
        QVERIFY(!set.setDescription("again"));
        QVERIFY(env.dialogs.lastText().startsWith("The description was not stored."));
        QCOMPARE(DescriptionFile::rows(path), QStringList({"A|1|1|one"}));
    }

    // Whatever is wrong with the file, the program goes on: a file it cannot
    // use is told once, with the path and the reason, and read as empty; one
    // it may not change is read as it is. Each change is refused aloud, and
    // the file is never touched.
    void troubleIsToldAndTheFileLeftAlone_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("not a database") << "text"
                                        << "The file is not a database.";
        QTest::newRow("damaged") << "damaged"
                                 << "The file is damaged.";
        QTest::newRow("a folder") << "folder"
                                  << "It is a folder, not a file.";
        QTest::newRow("another table") << "othertable"
                                       << "The table KoLumbra has no field [Album Name].";
        QTest::newRow("missing, read-only folder") << "missing"
                                                   << "does not exist and cannot be made";
        QTest::newRow("read-only file") << "read-only file"
                                        << "The file is read-only.";
        QTest::newRow("read-only folder") << "read-only folder"
                                          << "is read-only.";
    }

    void troubleIsToldAndTheFileLeftAlone()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        TestEnvironment env;
        const QString path = env.store.databasePath();
        QVERIFY(spoil(kind, path));
        const bool readable = kind.startsWith(QLatin1String("read-only"));
        const bool lockFolder = kind == QLatin1String("missing") || kind == QLatin1String("read-only folder");
        std::optional<ReadOnlyPath> guard;
        if ((lockFolder || readable) && !guard.emplace(lockFolder ? env.programFolder() : path).isActive())
            QSKIP("This file system cannot make the path read-only for this process.");
        const QByteArray before = contents(path);
        const RecordQuery holiday = RecordQuery::position("HOLIDAY", 3, 2);
        for (int activation = 0; activation < 3; ++activation)
            QCOMPARE(env.descriptions.records(holiday)->count(), int(readable));
        QCOMPARE(env.dialogs.shown().size(), readable ? 0 : 1);

        const auto records = env.descriptions.records(holiday);
        PictureRecordSet &set = *records;
        QVERIFY(!set.addNew({"Holiday", 3, 3, "Sand"}));
        if (readable) {
            QVERIFY(!set.setDescription("Sea"));
            QVERIFY(!set.deleteCurrent());
            // What is shown is still what is stored.
            QCOMPARE(set.field(PictureRecord::kDiscription).toString(), QStringLiteral("Beach"));
        }
        QCOMPARE(env.dialogs.shown().size(), readable ? 3 : 2);
        for (const ScriptedDialogs::Shown &told : env.dialogs.shown()) {
            QVERIFY2(told.text.contains(QDir::toNativeSeparators(path)), qPrintable(told.text));
            QVERIFY2(told.text.contains(reason), qPrintable(told.text));
        }
        QVERIFY(env.dialogs.shown().first().text.startsWith(readable ? "The description was not stored."
                                                                     : "Picture descriptions are not available."));
        QVERIFY(env.dialogs.lastText().contains(readable ? "can only be read here" : "are not available"));
        guard.reset();
        QCOMPARE(contents(path), before);
        QCOMPARE(QFileInfo(path).isDir(), kind == QLatin1String("folder"));
    }
};

KOLUMBRA_TEST(TestPictureInfoDatabase)
#include "PictureInfoDatabaseTest.moc"
