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
        QTest::addColumn<QString>("problem");  // a part of the message; empty when the name works
        QTest::newRow("apostrophe") << "O'Brien's trip" << "";
        QTest::newRow("quotes and percent") << QString::fromUtf8("100% \u201creal\u201d") << "";
        QTest::newRow("sql wildcards") << "a_b [c] %d" << "";
        QTest::newRow("umlauts") << QString::fromUtf8("Ärger über Öl") << "";
        QTest::newRow("emoji") << QString::fromUtf8("Beach \xF0\x9F\x8C\x8A") << "";
        QTest::newRow("dot inside") << "v1.2" << "";
        QTest::newRow("leading blank") << " Spring" << "";
        QTest::newRow("255 letters") << QString(255, QLatin1Char('x')) << "";
        QTest::newRow("backslash") << "a\\b" << "'/' or '\\'";
        QTest::newRow("climb out") << "../outside" << "'/' or '\\'";
        QTest::newRow("up") << ".." << "'..' cannot be";
        QTest::newRow("colon") << "a:b" << "the sign ':'";
        QTest::newRow("star") << "best*" << "the sign '*'";
        QTest::newRow("double quote") << "say \"cheese\"" << "the sign '\"'";
        QTest::newRow("question mark") << "why?" << "the sign '?'";
        QTest::newRow("angle") << "<x" << "the sign '<'";
        QTest::newRow("bar") << "a|b" << "the sign '|'";
        QTest::newRow("line break") << "a\nb" << "line break";
        QTest::newRow("hidden") << ".secret" << "begin with a dot";
        QTest::newRow("trailing dot") << "Summer." << "end with a dot or a space";
        QTest::newRow("trailing blank") << "Autumn " << "end with a dot or a space";
        QTest::newRow("blanks only") << "   " << "other than a space";
        QTest::newRow("device") << "con" << "'con' cannot be an album name";
        QTest::newRow("device with extension") << "LPT1.txt" << "'LPT1' cannot be";
        QTest::newRow("256 letters") << QString(256, QLatin1Char('x')) << "it has 256 characters";
        QTest::newRow("long in bytes") << QString(130, QChar(0x00C4)) << "260 bytes";
    }

    void namesEitherWorkOrAreRefusedClearly()
    {
        QFETCH(QString, name);
        QFETCH(QString, problem);
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

        env.dialogs.type(name);
        env.dialogs.type(QString());
        env.dialogs.answer(Dialogs::Answer::No);
        QCOMPARE(AlbumManager(env.store, env.values, env.dialogs).createAlbum(), problem.isEmpty());
        if (problem.isEmpty()) {
            QCOMPARE(QFileInfo(env.store.albumFolder(name)).dir().absolutePath(), env.programFolder());
            QCOMPARE(env.store.albumNames(), QStringList{name});
        } else {
            // A message that names the trouble, then the question again.
            QCOMPARE(env.dialogs.shown().at(1).kind, QStringLiteral("message"));
            QVERIFY2(env.dialogs.shown().at(1).text.contains(problem), qPrintable(env.dialogs.shown().at(1).text));
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
        const QString text = QStringLiteral("it's 100% \"true\"");
        TestEnvironment env;
        const auto open = [&env](const RecordQuery &query) -> PictureRecordSet & {
            return PictureInfo::openRecords(env.values, env.store, env.dialogs, query);
        };
        env.putPicture(name, 2, 3, QStringLiteral(".jpg"), QSize(30, 20));
        open(RecordQuery::position(name, 2, 3)).addNew({name, 2, 3, text});
        QVERIFY(open(RecordQuery::position(name, 2, 3)).moveFirst());
        QCOMPARE(env.values.PictureRecords->field(PictureRecord::kDiscription).toString(), text);

        const SlideOrder::Loader slides = SlideOrder::screenLoader(env.store, name, QSize(800, 600), 1.0);
        QVERIFY(!slides({2, 3}).isNull());

        AlbumManager albums(env.store, env.values, env.dialogs);
        const QString renamed = QString::fromUtf8("\u00c9t\u00e9 d'O'Neil");
        QVERIFY(albums.moveAlbum(name, renamed));
        QCOMPARE(open(RecordQuery::position(renamed, 2, 3)).count(), 1);
        QCOMPARE(albums.removeAlbum(renamed), AlbumManager::Deletion::Deleted);
        QVERIFY(!QFileInfo::exists(env.store.albumFolder(renamed)));
        QCOMPARE(open(RecordQuery::all()).count(), 0);
    }
};

KOLUMBRA_TEST(HostileNamesTest)
#include "HostileNamesTest.moc"
