#include "support/DescriptionFile.h"
#include "support/ReadOnlyPath.h"

#include "pictureinfo/PictureInfo.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <optional>

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList column(PictureRecordSet &set, const QString &field = PictureRecord::kDiscription)
{
    QStringList out;
    for (bool more = set.moveFirst(); more; more = set.moveNext())
        out << set.field(field).toString();
    return out;
}

PictureRecordSet &openAll(TestEnvironment &env)
{
    return PictureInfo::openRecords(env.values, env.store, env.dialogs, RecordQuery::all());
}

const QList<PictureRecord> kSearchRows = {
    {QStringLiteral("Holiday's"), 1, 1, QStringLiteral("Beach at noon")},
    {QStringLiteral("Summer 100%"), 1, 2, QStringLiteral("ÄRGER im Büro")},
    {QStringLiteral("Summer 1000"), 1, 3, QStringLiteral("100% sure")},
    {QStringLiteral("ärger"), 1, 4, QStringLiteral("100 percent")},
    {QStringLiteral("a_b"), 1, 5, QStringLiteral("file_name")},
    {QStringLiteral("axb"), 1, 6, QStringLiteral("fileXname")},
    {QStringLiteral("Zoo"), 2, 1, QStringLiteral("it's mine")},
    {QStringLiteral("Zoo"), 2, 2, QStringLiteral("its mine")},
    {QStringLiteral("Zoo"), 2, 3, QStringLiteral("back\\slash")},
    {QStringLiteral("Zoo"), 2, 4, QStringLiteral("star*")},
    {QStringLiteral("Zoo"), 2, 5, QStringLiteral("stars")},
    {QStringLiteral("Zoo"), 2, 6, QStringLiteral("say \"cheese\"")},
    {QStringLiteral("Zoo"), 3, 1, QStringLiteral("ΟΔΟΣ")},
};

} // namespace

// The descriptions file and the record sets read from it: what is made, what
// the queries find, what changes reach the file, and what happens when the
// file cannot be used or changed.
class TestPictureInfoDatabase : public QObject
{
    Q_OBJECT

private slots:
    void missingFileIsMadeWithTableAndIndex()
    {
        TestEnvironment env;
        PictureRecordSet &set = openAll(env);
        QCOMPARE(set.count(), 0);
        QVERIFY(env.dialogs.shown().isEmpty());
        const RecordQuery lookup = RecordQuery::position(QStringLiteral("Holiday"), 3, 2);
        QVERIFY(env.values.PictureDatabase->queryPlan(lookup).contains(QLatin1String("INDEX KoLumbraKey")));
        QVERIFY(set.addNew({QStringLiteral("Holiday"), 3, 2, QStringLiteral("Beach")}));
        QCOMPARE(DescriptionFile::rows(env.store.databasePath()), QStringList{QStringLiteral("Holiday|3|2|Beach")});
    }

    // An earlier file keeps its rows and gains the key index the lookups need.
    void existingFileIsUsedAsItIs()
    {
        TestEnvironment env;
        QList<PictureRecord> rows;
        for (int a = 0; a < 50; ++a)
            for (int n = 1; n <= 6; ++n)
                rows << PictureRecord{QStringLiteral("Album %1").arg(a), 1 + a % 10, n, QStringLiteral("kept")};
        DescriptionFile::create(env.store.databasePath(), rows);
        const QStringList before = DescriptionFile::rows(env.store.databasePath());
        PictureInfoDatabase &db = PictureInfo::openDatabase(env.values, env.store, env.dialogs);
        for (RecordQuery::Kind kind : {RecordQuery::Kind::Position, RecordQuery::Kind::Album, RecordQuery::Kind::All}) {
            const RecordQuery query{kind, QStringLiteral("album 7"), 8, 3};
            const QString plan = db.queryPlan(query);
            QVERIFY2(plan.contains(QLatin1String("INDEX KoLumbraKey")), qPrintable(plan));
            QVERIFY2(!plan.contains(QLatin1String("TEMP B-TREE")), qPrintable(plan));
            PictureRecordSet set(env.values.PictureDatabase, query);
            QCOMPARE(set.count(), kind == RecordQuery::Kind::Position ? 1 : kind == RecordQuery::Kind::Album ? 6 : 300);
        }
        QCOMPARE(DescriptionFile::rows(env.store.databasePath()), before);
    }

    void wholeTableByAlbumPageAndPicture()
    {
        TestEnvironment env;
        DescriptionFile::create(env.store.databasePath(),
                                {{QStringLiteral("beta"), 10, 1, QStringLiteral("b10-1")},
                                 {QStringLiteral("Alpha"), 2, 6, QStringLiteral("a2-6")},
                                 {QStringLiteral("beta"), 2, 1, QStringLiteral("b2-1")},
                                 {QStringLiteral("alpha"), 2, 3, QStringLiteral("a2-3")},
                                 {QStringLiteral("Äpfel"), 1, 1, QStringLiteral("äpfel")},
                                 {QStringLiteral("Gamma"), 1, 1, QStringLiteral("g1-1")}});
        // Letter case does not split an album; pages go by number, not text.
        QCOMPARE(column(openAll(env)), QStringList({"a2-3", "a2-6", "b2-1", "b10-1", "g1-1", "äpfel"}));
    }

    void searchFindsTheTextLiterallyInAnyCase_data()
    {
        QTest::addColumn<bool>("inAlbumNames");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("found");
        const auto d = [](const char *s) { return QString::fromUtf8(s); };
        QTest::newRow("middle of a text") << false << "AT NOON" << QStringList{d("Beach at noon")};
        QTest::newRow("umlaut, other case") << false << d("ärger im büro") << QStringList{d("ÄRGER im Büro")};
        QTest::newRow("greek final sigma") << false << d("οδος") << QStringList{d("ΟΔΟΣ")};
        QTest::newRow("percent sign") << false << "%" << QStringList{d("100% sure")};
        QTest::newRow("underscore") << false << "e_n" << QStringList{d("file_name")};
        QTest::newRow("apostrophe") << false << "'" << QStringList{d("it's mine")};
        QTest::newRow("backslash") << false << "\\" << QStringList{d("back\\slash")};
        QTest::newRow("star") << false << "r*" << QStringList{d("star*")};
        QTest::newRow("quote") << false << "\"cheese\"" << QStringList{d("say \"cheese\"")};
        QTest::newRow("nothing matches") << false << "winter" << QStringList{};
        QTest::newRow("album with apostrophe") << true << "DAY'S" << QStringList{d("Beach at noon")};
        QTest::newRow("album with percent") << true << "0%" << QStringList{d("ÄRGER im Büro")};
        QTest::newRow("album beyond ASCII") << true << d("ÄRG") << QStringList{d("100 percent")};
    }

    void searchFindsTheTextLiterallyInAnyCase()
    {
        QFETCH(bool, inAlbumNames);
        QFETCH(QString, text);
        QFETCH(QStringList, found);
        TestEnvironment env;
        DescriptionFile::create(env.store.databasePath(), kSearchRows);
        PictureRecordSet &set = PictureInfo::openRecords(
            env.values, env.store, env.dialogs,
            inAlbumNames ? RecordQuery::albumNameContains(text) : RecordQuery::descriptionContains(text));
        QCOMPARE(set.count(), found.size());
        QCOMPARE(column(set), found);
    }

    void changesAreStoredAtOnce()
    {
        TestEnvironment env;
        const QString path = env.store.databasePath();
        DescriptionFile::create(path, {{QStringLiteral("A"), 1, 1, QStringLiteral("one")},
                                       {QStringLiteral("A"), 1, 2, QStringLiteral("two")},
                                       {QStringLiteral("A"), 1, 3, QStringLiteral("three")}});
        PictureRecordSet &set = openAll(env);
        QVERIFY(!set.movePrevious());
        QCOMPARE(set.field(QStringLiteral("imagenumber")).toInt(), 1);  // field names ignore case
        QVERIFY(!set.field(QStringLiteral("Description")).isValid());

        QVERIFY(set.addNew({QStringLiteral("B"), 4, 5, QStringLiteral("new")}));
        QCOMPARE(set.count(), 4);
        QCOMPARE(set.position(), 3);
        QCOMPARE(DescriptionFile::rows(path).last(), QStringLiteral("B|4|5|new"));

        QVERIFY(set.moveFirst());
        QVERIFY(set.setDescription(QStringLiteral("ONE")));
        QCOMPARE(set.field(PictureRecord::kDiscription).toString(), QStringLiteral("ONE"));
        QCOMPARE(DescriptionFile::rows(path).first(), QStringLiteral("A|1|1|ONE"));

        // Delete the middle row: no row is current, the next move decides.
        QVERIFY(set.moveNext());
        QVERIFY(set.deleteCurrent());
        QVERIFY(!set.hasCurrent());
        QVERIFY(set.moveNext());
        QCOMPARE(set.field(PictureRecord::kDiscription).toString(), QStringLiteral("three"));
        QVERIFY(set.deleteCurrent());
        QVERIFY(set.movePrevious());
        QCOMPARE(set.field(PictureRecord::kDiscription).toString(), QStringLiteral("ONE"));

        PictureRecordSet later(env.values.PictureDatabase, RecordQuery::all());
        QCOMPARE(column(later), QStringList({"ONE", "new"}));
        QVERIFY(env.dialogs.shown().isEmpty());

        // A row deleted through another set cannot be changed through this one.
        QVERIFY(later.deleteCurrent());
        QVERIFY(set.moveLast());
        QVERIFY(!set.field(PictureRecord::kDiscription).isValid());
        QVERIFY(!set.setDescription(QStringLiteral("again")));
        QVERIFY(env.dialogs.lastText().startsWith(QLatin1String("The description was not stored.")));
        QCOMPARE(DescriptionFile::rows(path), QStringList{"A|1|1|ONE"});
    }

    // An album's rows and a position's row: letter case ignored (also beyond
    // ASCII), nothing in a name a wildcard.
    void oneAlbumIsItsOwnRowsOnly()
    {
        TestEnvironment env;
        const QString path = env.store.databasePath();
        DescriptionFile::create(path, {{QStringLiteral("Holiday's"), 1, 1, QStringLiteral("mine")},
                                       {QStringLiteral("HOLIDAY'S"), 2, 1, QStringLiteral("mine too")},
                                       {QStringLiteral("Holidays"), 1, 1, QStringLiteral("other")},
                                       {QStringLiteral("Holiday''s"), 1, 1, QStringLiteral("other")},
                                       {QStringLiteral("Holiday"), 1, 1, QStringLiteral("other")},
                                       {QStringLiteral("Ärger"), 1, 1, QStringLiteral("other")}});
        PictureRecordSet &set = PictureInfo::openRecords(env.values, env.store, env.dialogs,
                                                         RecordQuery::album(QStringLiteral("holiday's")));
        QCOMPARE(column(set, PictureRecord::kAlbumName), QStringList({"Holiday's", "HOLIDAY'S"}));
        const auto count = [&env](const char *album, int page, int picture) {
            return PictureRecordSet(env.values.PictureDatabase,
                                    RecordQuery::position(QString::fromUtf8(album), page, picture)).count();
        };
        QCOMPARE(count("holiday's", 2, 1), 1);
        QCOMPARE(count("ärger", 1, 1), 1);
        QCOMPARE(count("Holiday's", 1, 2), 0);
        QCOMPARE(count("Holiday%", 1, 1), 0);
        QCOMPARE(count("Holiday_s", 1, 1), 0);
        QVERIFY(set.deleteAll());
        QCOMPARE(set.count(), 0);
        QCOMPARE(DescriptionFile::rows(path), QStringList({"Holidays|1|1|other", "Holiday''s|1|1|other",
                                                           "Holiday|1|1|other", QString::fromUtf8("Ärger|1|1|other")}));
    }

    // Whatever is wrong with the file, the program goes on without
    // descriptions, says so once with the path and the reason, refuses each
    // change aloud, and never touches the file.
    void unusableFileIsToldOnceAndLeftAlone_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("not a database") << "text" << "The file is not a database.";
        QTest::newRow("damaged") << "damaged" << "The file is damaged.";
        QTest::newRow("a folder") << "folder" << "It is a folder, not a file.";
        QTest::newRow("another table") << "othertable" << "The table KoLumbra has no field [Album Name].";
        QTest::newRow("missing, read-only folder") << "missing" << "The file does not exist and cannot be made";
    }

    void unusableFileIsToldOnceAndLeftAlone()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        TestEnvironment env;
        const QString path = env.store.databasePath();
        if (kind == QLatin1String("text")) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray("Holiday;3;2;Beach\n").repeated(400));
        } else if (kind == QLatin1String("damaged")) {
            DescriptionFile::create(path, QList<PictureRecord>(2400, {"Album", 1, 1, "Some text"}));
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.size() > 16384);
            file.seek(4096);
            file.write(QByteArray(int(file.size()) - 4096, '\x5a'));
        } else if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkpath(path));
        } else if (kind == QLatin1String("othertable")) {
            QVERIFY(DescriptionFile::Connection(path).exec(QStringLiteral("CREATE TABLE KoLumbra (Name TEXT)")));
        }
        std::optional<ReadOnlyPath> guard;
        if (kind == QLatin1String("missing") && !guard.emplace(env.programFolder()).isActive())
            QSKIP("This file system cannot make the folder read-only for this process.");
        const QByteArray before = contents(path);

        for (int activation = 0; activation < 3; ++activation) {
            PictureRecordSet &set = openAll(env);
            QCOMPARE(set.count(), 0);
            QVERIFY(!set.field(PictureRecord::kDiscription).isValid());
            QVERIFY(!set.moveNext());
        }
        QCOMPARE(env.dialogs.shown().size(), 1);
        const QString told = env.dialogs.shown().first().text;
        QVERIFY2(told.startsWith(QLatin1String("Picture descriptions are not available.")), qPrintable(told));
        QVERIFY2(told.contains(QDir::toNativeSeparators(path)), qPrintable(told));
        QVERIFY2(told.contains(reason), qPrintable(told));

        PictureRecordSet &set = PictureInfo::openRecords(env.values, env.store, env.dialogs,
                                                         RecordQuery::position(QStringLiteral("Holiday"), 3, 2));
        QVERIFY(!set.addNew({QStringLiteral("Holiday"), 3, 2, QStringLiteral("Beach")}));
        QVERIFY(!set.addNew({QStringLiteral("Holiday"), 3, 2, QStringLiteral("Beach")}));
        QCOMPARE(env.dialogs.shown().size(), 3);
        for (const ScriptedDialogs::Shown &refused : env.dialogs.shown().mid(1))
            QVERIFY(refused.title == QLatin1String("WARNING") && refused.text.contains(QLatin1String("not stored.")));
        QCOMPARE(contents(path), before);
        QCOMPARE(QFileInfo(path).isDir(), kind == QLatin1String("folder"));
        QCOMPARE(QFileInfo::exists(path), kind != QLatin1String("missing"));
    }

    void readOnlyDescriptionsRefuseEveryChange_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("reason");
        QTest::newRow("opened for reading") << "mode" << "It was opened for reading only.";
        QTest::newRow("read-only file") << "file" << "The file is read-only.";
        QTest::newRow("read-only folder") << "folder" << "is read-only.";
    }

    void readOnlyDescriptionsRefuseEveryChange()
    {
        QFETCH(QString, what);
        QFETCH(QString, reason);
        TestEnvironment env;
        const QString path = env.store.databasePath();
        DescriptionFile::create(path, {{QStringLiteral("Holiday"), 3, 2, QStringLiteral("Beach")}});

        std::unique_ptr<ReadOnlyPath> guard;
        if (what != QLatin1String("mode")) {
            guard = std::make_unique<ReadOnlyPath>(what == QLatin1String("file") ? path : env.programFolder());
            if (!guard->isActive())
                QSKIP("This file system cannot make the path read-only for this process.");
        }
        ScriptedDialogs &dialogs = env.dialogs;
        auto tell = [&dialogs](const PictureInfoDatabase::Notice &n) { dialogs.message(n.text, QStringLiteral("WARNING")); };
        std::shared_ptr<PictureInfoDatabase> db = PictureInfoDatabase::open(
            path, tell,
            what == QLatin1String("mode") ? PictureInfoDatabase::OpenMode::ReadOnly : PictureInfoDatabase::OpenMode::Detect);
        QCOMPARE(db->access(), PictureInfoDatabase::Access::ReadOnly);
        QVERIFY(dialogs.shown().isEmpty());

        PictureRecordSet set(db, RecordQuery::position(QStringLiteral("HOLIDAY"), 3, 2));
        QCOMPARE(set.field(PictureRecord::kDiscription).toString(), QStringLiteral("Beach"));
        QVERIFY(!set.setDescription(QStringLiteral("Sea")));
        QVERIFY(!set.addNew({QStringLiteral("Holiday"), 3, 3, QStringLiteral("Sand")}));
        QVERIFY(!set.deleteCurrent());
        QVERIFY(!set.deleteAll());
        QCOMPARE(dialogs.shown().size(), 4);
        for (const ScriptedDialogs::Shown &shown : dialogs.shown()) {
            QVERIFY2(shown.text.contains(QLatin1String("can only be read here")), qPrintable(shown.text));
            QVERIFY2(shown.text.contains(reason), qPrintable(shown.text));
            QVERIFY2(shown.text.contains(QDir::toNativeSeparators(path)), qPrintable(shown.text));
        }
        // What is shown is still what is stored.
        QCOMPARE(set.field(PictureRecord::kDiscription).toString(), QStringLiteral("Beach"));
        guard.reset();
        QCOMPARE(DescriptionFile::rows(path), QStringList{QStringLiteral("Holiday|3|2|Beach")});
    }
};

KOLUMBRA_TEST(TestPictureInfoDatabase)
#include "PictureInfoDatabaseTest.moc"
