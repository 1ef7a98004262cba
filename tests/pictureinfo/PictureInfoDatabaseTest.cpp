#include "support/DescriptionFile.h"
#include "support/ReadOnlyPath.h"

#include "pictureinfo/PictureInfo.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace {

QList<PictureRecord> someRows(int albums)
{
    QList<PictureRecord> rows;
    for (int a = 0; a < albums; ++a)
        for (int n = 1; n <= 6; ++n)
            rows << PictureRecord{QStringLiteral("Album %1").arg(a), 1 + a % 10, n, QStringLiteral("Text %1").arg(n)};
    return rows;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int messagesContaining(const ScriptedDialogs &dialogs, const QString &part)
{
    int n = 0;
    for (const ScriptedDialogs::Shown &s : dialogs.shown())
        n += (s.kind == QLatin1String("message") && s.title == QLatin1String("WARNING") && s.text.contains(part));
    return n;
}

} // namespace

class TestPictureInfoDatabase : public QObject
{
    Q_OBJECT

private slots:
    void missingFileIsMadeWithTableAndIndex()
    {
        TestEnvironment env;
        QVERIFY(!QFile::exists(env.store.databasePath()));
        PictureRecordSet &set = PictureInfo::openRecords(env.values, env.store, env.dialogs, RecordQuery::all());
        QCOMPARE(set.count(), 0);
        QVERIFY(env.values.PictureDatabase->isWritable());
        QVERIFY(env.dialogs.shown().isEmpty());

        DescriptionFile::Connection raw(env.store.databasePath());
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(raw.handle(), "SELECT type || ':' || name FROM sqlite_master ORDER BY 1", -1, &st, nullptr);
        QStringList objects;
        while (sqlite3_step(st) == SQLITE_ROW)
            objects << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
        sqlite3_finalize(st);
        QCOMPARE(objects, QStringList({QStringLiteral("index:KoLumbraKey"), QStringLiteral("table:KoLumbra")}));

        QVERIFY(set.addNew({QStringLiteral("Holiday"), 3, 2, QStringLiteral("Beach")}));
        QCOMPARE(DescriptionFile::rows(env.store.databasePath()),
                 QStringList{DescriptionFile::row(QStringLiteral("Holiday"), 3, 2, QStringLiteral("Beach"))});
    }

    void existingFileIsUsedAsItIs()
    {
        TestEnvironment env;
        const QString path = env.store.databasePath();
        DescriptionFile::create(path, {{QStringLiteral("Old"), 2, 5, QStringLiteral("kept")}});
        PictureRecordSet &set = PictureInfo::openRecords(env.values, env.store, env.dialogs, RecordQuery::all());
        QCOMPARE(set.count(), 1);
        QCOMPARE(set.field(QStringLiteral("Discription")).toString(), QStringLiteral("kept"));
        QCOMPARE(DescriptionFile::rows(path), QStringList{DescriptionFile::row(QStringLiteral("Old"), 2, 5,
                                                                                QStringLiteral("kept"))});
        // The key index is added; the lookups depend on it.
        QVERIFY(env.values.PictureDatabase->queryPlan(RecordQuery::position(QStringLiteral("Old"), 2, 5))
                    .contains(QLatin1String("KoLumbraKey")));
    }

    void keyLookupsUseTheIndex_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("one position") << int(RecordQuery::Kind::Position);
        QTest::newRow("one album") << int(RecordQuery::Kind::Album);
        QTest::newRow("whole table, in order") << int(RecordQuery::Kind::All);
    }

    void keyLookupsUseTheIndex()
    {
        QFETCH(int, kind);
        TestEnvironment env;
        DescriptionFile::create(env.store.databasePath(), someRows(50));
        PictureInfoDatabase &db = PictureInfo::openDatabase(env.values, env.store, env.dialogs);
        RecordQuery query{RecordQuery::Kind(kind), QStringLiteral("album 7"), 8, 3};
        const QString plan = db.queryPlan(query);
        QVERIFY2(plan.contains(QLatin1String("INDEX KoLumbraKey")), qPrintable(plan));
        // Neither a pass over the whole table for a key nor a sort of it.
        QVERIFY2(!plan.contains(QLatin1String("TEMP B-TREE")), qPrintable(plan));
        if (RecordQuery::Kind(kind) != RecordQuery::Kind::All)
            QVERIFY2(plan.contains(QLatin1String("SEARCH")), qPrintable(plan));
        PictureRecordSet set(env.values.PictureDatabase, query);
        QCOMPARE(set.count(), RecordQuery::Kind(kind) == RecordQuery::Kind::Position ? 1
                              : RecordQuery::Kind(kind) == RecordQuery::Kind::Album  ? 6
                                                                                     : 300);
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
            DescriptionFile::create(path, someRows(400));
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.size() > 16384);
            file.seek(4096);
            file.write(QByteArray(int(file.size()) - 4096, '\x5a'));
        } else if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkpath(path));
        } else {
            DescriptionFile::Connection raw(path);
            QVERIFY(raw.exec(QStringLiteral("CREATE TABLE KoLumbra (Name TEXT, Picture INTEGER)")));
        }
        const QByteArray before = contents(path);

        for (int activation = 0; activation < 3; ++activation) {
            PictureRecordSet &set = PictureInfo::openRecords(env.values, env.store, env.dialogs, RecordQuery::all());
            QCOMPARE(set.count(), 0);
            QVERIFY(!set.hasCurrent());
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
        QCOMPARE(messagesContaining(env.dialogs, QStringLiteral("The description was not stored.")), 2);
        QCOMPARE(contents(path), before);
        QCOMPARE(QFileInfo(path).isDir(), kind == QLatin1String("folder"));
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
        const QStringList before = DescriptionFile::rows(path);

        std::unique_ptr<ReadOnlyPath> guard;
        if (what != QLatin1String("mode")) {
            guard = std::make_unique<ReadOnlyPath>(what == QLatin1String("file") ? path : env.programFolder());
            if (!guard->isActive())
                QSKIP("This file system cannot make the path read-only for this process.");
        }
        ScriptedDialogs &dialogs = env.dialogs;
        auto tell = [&dialogs](const PictureInfoDatabase::Notice &n) {
            dialogs.message(n.text, QStringLiteral("WARNING"));
        };
        std::shared_ptr<PictureInfoDatabase> db = PictureInfoDatabase::open(
            path, tell,
            what == QLatin1String("mode") ? PictureInfoDatabase::OpenMode::ReadOnly
                                          : PictureInfoDatabase::OpenMode::Detect);
        QCOMPARE(db->access(), PictureInfoDatabase::Access::ReadOnly);
        QVERIFY(dialogs.shown().isEmpty());

        PictureRecordSet set(db, RecordQuery::position(QStringLiteral("HOLIDAY"), 3, 2));
        QCOMPARE(set.count(), 1);
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
        QCOMPARE(DescriptionFile::rows(path), before);
    }

    void missingFileInReadOnlyFolder()
    {
        TestEnvironment env;
        ReadOnlyPath guard(env.programFolder());
        if (!guard.isActive())
            QSKIP("This file system cannot make the folder read-only for this process.");
        PictureRecordSet &set = PictureInfo::openRecords(env.values, env.store, env.dialogs, RecordQuery::all());
        QCOMPARE(set.count(), 0);
        QCOMPARE(env.dialogs.shown().size(), 1);
        QVERIFY(env.dialogs.lastText().contains(QLatin1String("The file does not exist and cannot be made")));
        QVERIFY(!QFile::exists(env.store.databasePath()));
    }
};

KOLUMBRA_TEST(TestPictureInfoDatabase)
#include "PictureInfoDatabaseTest.moc"
