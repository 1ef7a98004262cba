#include "support/DescriptionFile.h"

#include "pictureinfo/PictureInfo.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"

#include <QtTest>

namespace {

QStringList descriptionsOf(PictureRecordSet &set)
{
    QStringList out;
    if (!set.moveFirst())
        return out;
    do
        out << set.field(PictureRecord::kDiscription).toString();
    while (set.moveNext());
    return out;
}

QStringList albumsOf(PictureRecordSet &set)
{
    QStringList out;
    if (!set.moveFirst())
        return out;
    do
        out << set.field(PictureRecord::kAlbumName).toString();
    while (set.moveNext());
    return out;
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

class TestPictureRecordSet : public QObject
{
    Q_OBJECT

private slots:
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
        PictureRecordSet &set = PictureInfo::openRecords(env.values, env.store, env.dialogs, RecordQuery::all());
        // Letter case does not split an album; pages go by number, not text.
        QCOMPARE(descriptionsOf(set), QStringList({QStringLiteral("a2-3"), QStringLiteral("a2-6"),
                                                   QStringLiteral("b2-1"), QStringLiteral("b10-1"),
                                                   QStringLiteral("g1-1"), QStringLiteral("äpfel")}));
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
        QTest::newRow("album with underscore") << true << "_" << QStringList{d("file_name")};
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
        QCOMPARE(descriptionsOf(set), found);
        QCOMPARE(set.count(), found.size());
    }

    void onePositionIgnoresLetterCaseOfTheAlbum_data()
    {
        QTest::addColumn<QString>("album");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("picture");
        QTest::addColumn<int>("count");
        QTest::newRow("as stored") << "Holiday's" << 1 << 1 << 1;
        QTest::newRow("other case") << "HOLIDAY'S" << 1 << 1 << 1;
        QTest::newRow("umlaut, other case") << QString::fromUtf8("ÄRGER") << 1 << 4 << 1;
        QTest::newRow("other picture") << "Holiday's" << 1 << 2 << 0;
        QTest::newRow("no wildcard in a name") << "Summer 1%" << 1 << 2 << 0;
        QTest::newRow("similar name") << "Holidays" << 1 << 1 << 0;
    }

    void onePositionIgnoresLetterCaseOfTheAlbum()
    {
        QFETCH(QString, album);
        QFETCH(int, page);
        QFETCH(int, picture);
        QFETCH(int, count);
        TestEnvironment env;
        DescriptionFile::create(env.store.databasePath(), kSearchRows);
        PictureRecordSet &set = PictureInfo::openRecords(env.values, env.store, env.dialogs,
                                                         RecordQuery::position(album, page, picture));
        QCOMPARE(set.count(), count);
        QCOMPARE(set.hasCurrent(), count > 0);
    }

    void movesStayInsideTheSet()
    {
        TestEnvironment env;
        DescriptionFile::create(env.store.databasePath(), {{QStringLiteral("A"), 1, 1, QStringLiteral("one")},
                                                           {QStringLiteral("A"), 1, 2, QStringLiteral("two")},
                                                           {QStringLiteral("A"), 1, 3, QStringLiteral("three")}});
        PictureRecordSet &set = PictureInfo::openRecords(env.values, env.store, env.dialogs, RecordQuery::all());
        QCOMPARE(set.count(), 3);
        QCOMPARE(set.position(), 0);
        QVERIFY(!set.movePrevious());
        QCOMPARE(set.position(), 0);
        QVERIFY(set.moveNext());
        QCOMPARE(set.field(QStringLiteral("imagenumber")).toInt(), 2);
        QVERIFY(set.moveLast());
        QVERIFY(!set.moveNext());
        QCOMPARE(set.position(), 2);
        QCOMPARE(set.current()->description, QStringLiteral("three"));
        QVERIFY(set.movePrevious());
        QCOMPARE(set.field(PictureRecord::kPage).toInt(), 1);
        QCOMPARE(set.field(PictureRecord::kAlbumName).toString(), QStringLiteral("A"));
        QVERIFY(!set.field(QStringLiteral("Description")).isValid());
    }

    void changesAreStoredAtOnce()
    {
        TestEnvironment env;
        const QString path = env.store.databasePath();
        DescriptionFile::create(path, {{QStringLiteral("A"), 1, 1, QStringLiteral("one")},
                                       {QStringLiteral("A"), 1, 2, QStringLiteral("two")},
                                       {QStringLiteral("A"), 1, 3, QStringLiteral("three")}});
        PictureRecordSet &set = PictureInfo::openRecords(env.values, env.store, env.dialogs, RecordQuery::all());

        QVERIFY(set.addNew({QStringLiteral("B"), 4, 5, QStringLiteral("new")}));
        QCOMPARE(set.count(), 4);
        QCOMPARE(set.position(), 3);
        QVERIFY(DescriptionFile::rows(path).contains(DescriptionFile::row(QStringLiteral("B"), 4, 5,
                                                                          QStringLiteral("new"))));

        QVERIFY(set.moveFirst());
        QVERIFY(set.setDescription(QStringLiteral("ONE")));
        QCOMPARE(set.field(PictureRecord::kDiscription).toString(), QStringLiteral("ONE"));
        QCOMPARE(DescriptionFile::rows(path).first(), DescriptionFile::row(QStringLiteral("A"), 1, 1,
                                                                           QStringLiteral("ONE")));

        // Delete the middle row: no row is current, the next move decides.
        QVERIFY(set.moveNext());
        QVERIFY(set.deleteCurrent());
        QVERIFY(!set.hasCurrent());
        QCOMPARE(set.position(), -1);
        QVERIFY(set.moveNext());
        QCOMPARE(set.field(PictureRecord::kDiscription).toString(), QStringLiteral("three"));
        QVERIFY(set.deleteCurrent());
        QVERIFY(set.movePrevious());
        QCOMPARE(set.field(PictureRecord::kDiscription).toString(), QStringLiteral("ONE"));

        // A set opened afterwards sees all of it, in order.
        PictureRecordSet later(env.values.PictureDatabase, RecordQuery::all());
        QCOMPARE(descriptionsOf(later), QStringList({QStringLiteral("ONE"), QStringLiteral("new")}));
        QVERIFY(env.dialogs.shown().isEmpty());
    }

    void deletingTheLastRowLeavesAnEmptySet()
    {
        TestEnvironment env;
        DescriptionFile::create(env.store.databasePath(), {{QStringLiteral("A"), 1, 1, QStringLiteral("one")}});
        PictureRecordSet &set = PictureInfo::openRecords(env.values, env.store, env.dialogs, RecordQuery::all());
        QVERIFY(set.deleteCurrent());
        QCOMPARE(set.count(), 0);
        QVERIFY(!set.moveNext());
        QVERIFY(!set.movePrevious());
        QVERIFY(!set.moveFirst());
        QVERIFY(DescriptionFile::rows(env.store.databasePath()).isEmpty());
    }

    void oneAlbumIsItsOwnRowsOnly()
    {
        TestEnvironment env;
        const QString path = env.store.databasePath();
        DescriptionFile::create(path, {{QStringLiteral("Holiday's"), 1, 1, QStringLiteral("mine")},
                                       {QStringLiteral("HOLIDAY'S"), 2, 1, QStringLiteral("mine too")},
                                       {QStringLiteral("Holidays"), 1, 1, QStringLiteral("other")},
                                       {QStringLiteral("Holiday''s"), 1, 1, QStringLiteral("other")},
                                       {QStringLiteral("Holiday"), 1, 1, QStringLiteral("other")}});
        PictureRecordSet &set = PictureInfo::openRecords(env.values, env.store, env.dialogs,
                                                         RecordQuery::album(QStringLiteral("holiday's")));
        QCOMPARE(albumsOf(set), QStringList({QStringLiteral("Holiday's"), QStringLiteral("HOLIDAY'S")}));
        QVERIFY(set.deleteAll());
        QCOMPARE(set.count(), 0);
        QCOMPARE(DescriptionFile::rows(path),
                 QStringList({DescriptionFile::row(QStringLiteral("Holidays"), 1, 1, QStringLiteral("other")),
                              DescriptionFile::row(QStringLiteral("Holiday''s"), 1, 1, QStringLiteral("other")),
                              DescriptionFile::row(QStringLiteral("Holiday"), 1, 1, QStringLiteral("other"))}));
    }

    void rowDeletedByAnotherSet()
    {
        TestEnvironment env;
        DescriptionFile::create(env.store.databasePath(), {{QStringLiteral("A"), 1, 1, QStringLiteral("one")}});
        PictureRecordSet &browser = PictureInfo::openRecords(env.values, env.store, env.dialogs, RecordQuery::all());
        PictureRecordSet window(env.values.PictureDatabase, RecordQuery::position(QStringLiteral("a"), 1, 1));
        QVERIFY(window.deleteCurrent());
        QVERIFY(browser.moveFirst());
        QVERIFY(!browser.field(PictureRecord::kDiscription).isValid());
        QVERIFY(!browser.setDescription(QStringLiteral("again")));
        QVERIFY(env.dialogs.lastText().startsWith(QLatin1String("The description was not stored.")));
        QVERIFY(DescriptionFile::rows(env.store.databasePath()).isEmpty());
    }
};

KOLUMBRA_TEST(TestPictureRecordSet)
#include "PictureRecordSetTest.moc"
