#include "albums/AlbumManager.h"
#include "pictureinfo/PictureInfo.h"
#include "pictureinfo/PictureInfoDatabase.h"
#include "slideshow/SlideOrder.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QtTest>

namespace {

// Everything below a folder, with sizes, to see that nothing changed there.
QStringList snapshot(const QString &root)
{
    QStringList out;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        out << it.filePath() + QLatin1Char(' ') + QString::number(it.fileInfo().size());
    }
    out.sort();
    return out;
}

} // namespace

class HostileNamesTest : public QObject
{
    Q_OBJECT

private slots:
    void namesEitherWorkOrAreRefusedClearly_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("works");
        QTest::newRow("apostrophe") << "O'Brien's trip" << true;
        QTest::newRow("quotes and percent") << QString::fromUtf8("100% \u201creal\u201d") << true;
        QTest::newRow("sql wildcards") << "a_b [c] %d" << true;
        QTest::newRow("umlauts") << QString::fromUtf8("Ärger über Öl") << true;
        QTest::newRow("emoji") << QString::fromUtf8("Beach \xF0\x9F\x8C\x8A") << true;
        QTest::newRow("leading blank") << " Spring" << true;
        QTest::newRow("255 letters") << QString(255, QLatin1Char('x')) << true;
        QTest::newRow("double quote") << "say \"cheese\"" << false;
        QTest::newRow("star") << "best*" << false;
        QTest::newRow("backslash") << "a\\b" << false;
        QTest::newRow("slash") << "a/b" << false;
        QTest::newRow("up") << ".." << false;
        QTest::newRow("here") << "." << false;
        QTest::newRow("climb out") << "../outside" << false;
        QTest::newRow("trailing blank") << "Autumn " << false;
        QTest::newRow("hidden") << ".secret" << false;
        QTest::newRow("256 letters") << QString(256, QLatin1Char('x')) << false;
        QTest::newRow("long in bytes") << QString(130, QChar(0x00C4)) << false;
        QTest::newRow("device name") << "CON" << false;
        QTest::newRow("control character") << QStringLiteral("tab\there") << false;
    }

    void namesEitherWorkOrAreRefusedClearly()
    {
        QFETCH(QString, name);
        QFETCH(bool, works);
        TestEnvironment env;
        // A neighbour of the program folder that must never be touched.
        QDir parent = QDir(env.programFolder());
        parent.cdUp();
        const QString outside = parent.filePath(QStringLiteral("outside"));
        QDir().mkpath(outside);
        QFile keep(QDir(outside).filePath(QStringLiteral("P1I0.jpg")));
        QVERIFY(keep.open(QIODevice::WriteOnly));
        keep.write("keep me");
        keep.close();
        const QStringList around = snapshot(outside);

        AlbumManager albums(env.store, env.values, env.dialogs);
        env.dialogs.type(name);
        env.dialogs.type(QString());
        env.dialogs.answer(Dialogs::Answer::No);
        const bool created = albums.createAlbum();
        QCOMPARE(created, works);
        if (works) {
            QVERIFY(QFileInfo(env.store.albumFolder(name)).isDir());
            QCOMPARE(QFileInfo(env.store.albumFolder(name)).dir().absolutePath(), env.programFolder());
            QVERIFY(env.store.albumNames().contains(name));
            QCOMPARE(env.values.NewAlbumName, name);
        } else {
            // A message that names the trouble, then the question again.
            QCOMPARE(env.dialogs.shown().at(1).kind, QStringLiteral("message"));
            QVERIFY(env.dialogs.shown().at(1).text.size() > 10);
            QCOMPARE(env.dialogs.shown().at(2).kind, QStringLiteral("input"));
            QCOMPARE(QDir(env.programFolder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden),
                     QStringList());
        }
        QCOMPARE(snapshot(outside), around);
        QDir(outside).removeRecursively();
    }

    void aHostileAlbumKeepsItsPicturesDescriptionsAndShow()
    {
        const QString name = QString::fromUtf8("Tom's 50% \u00e9t\u00e9 \xF0\x9F\x8C\x8A");
        TestEnvironment env;
        env.putPicture(name, 2, 3, QStringLiteral(".jpg"), QSize(30, 20));
        PictureInfo::openRecords(env.values, env.store, env.dialogs, RecordQuery::position(name, 2, 3))
            .addNew({name, 2, 3, QStringLiteral("it's 100% \"true\"")});
        PictureInfo::openRecords(env.values, env.store, env.dialogs, RecordQuery::position(name, 2, 3));
        QVERIFY(env.values.PictureRecords->moveFirst());
        QCOMPARE(env.values.PictureRecords->field(PictureRecord::kDiscription).toString(),
                 QStringLiteral("it's 100% \"true\""));
        // Searching for the wildcard characters finds them as typed, and only them.
        PictureInfo::openRecords(env.values, env.store, env.dialogs, RecordQuery::albumNameContains(QStringLiteral("50%")));
        QCOMPARE(env.values.PictureRecords->count(), 1);
        PictureInfo::openRecords(env.values, env.store, env.dialogs, RecordQuery::albumNameContains(QStringLiteral("5_%")));
        QCOMPARE(env.values.PictureRecords->count(), 0);

        const SlideOrder::Loader slides = SlideOrder::screenLoader(env.store, name, QSize(800, 600), 1.0);
        QVERIFY(!slides({2, 3}).isNull());

        AlbumManager albums(env.store, env.values, env.dialogs);
        const QString renamed = QString::fromUtf8("\u00c9t\u00e9 d'O'Neil");
        QVERIFY(albums.moveAlbum(name, renamed));
        PictureInfo::openRecords(env.values, env.store, env.dialogs, RecordQuery::position(renamed, 2, 3));
        QCOMPARE(env.values.PictureRecords->count(), 1);
        QCOMPARE(albums.removeAlbum(renamed), AlbumManager::Deletion::Deleted);
        QVERIFY(!QFileInfo::exists(env.store.albumFolder(renamed)));
        PictureInfo::openRecords(env.values, env.store, env.dialogs, RecordQuery::all());
        QCOMPARE(env.values.PictureRecords->count(), 0);
    }
};

KOLUMBRA_TEST(HostileNamesTest)
#include "HostileNamesTest.moc"
