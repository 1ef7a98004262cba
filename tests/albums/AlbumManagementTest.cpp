#include "support/DescriptionFile.h"
#include "support/ReadOnlyPath.h"
#include "support/StaleThumbnails.h"

#include "albums/AlbumManager.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"
#include "support/TrashFolder.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace {

using Answer = Dialogs::Answer;
using Deletion = AlbumManager::Deletion;
using DescriptionFile::row;

QStringList rows(const TestEnvironment &env)
{
    return DescriptionFile::rows(env.store.databasePath());
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class TestAlbumManagement : public QObject
{
    Q_OBJECT

private slots:
    void renameTakesTheDescriptionsAlong()
    {
        const QString newName = QString::fromUtf8("\u00c9t\u00e9 d'O'Neil 100% \xF0\x9F\x8C\x8A");
        TestEnvironment env;
        const QString old = QStringLiteral("Holidays");
        env.putPicture(old, QStringLiteral("P2I2.bmp"), QSize(8, 8));
        DescriptionFile::create(env.store.databasePath(),
                                {{old, 2, 3, QStringLiteral("beach")},
                                 {QStringLiteral("Holiday"), 2, 3, QStringLiteral("not mine")},
                                 {QStringLiteral("holidays"), 1, 1, QStringLiteral("mine in other letters")}});
        env.dialogs.type(newName);
        env.dialogs.answer(Answer::Yes);
        QVERIFY(AlbumManager(env.store, env.descriptions, env.dialogs).renameAlbum(old));
        QCOMPARE(env.store.albumNames(), QStringList{newName});
        QVERIFY(QFileInfo::exists(env.albumFile(newName, QStringLiteral("P2I2.bmp"))));
        QCOMPARE(rows(env),
                 QStringList({row(newName, 2, 3, QStringLiteral("beach")),
                              row(QStringLiteral("Holiday"), 2, 3, QStringLiteral("not mine")),
                              row(newName, 1, 1, QStringLiteral("mine in other letters"))}));
    }

    void whatCannotBeChangedKeepsItsDescriptions()
    {
        TestEnvironment env;
        env.makeAlbum(QStringLiteral("Holidays"));
        const QString locked = env.putPicture(QStringLiteral("Locked"), QStringLiteral("P1I0.jpg"), QSize(8, 8));
        // Rows of a "Gone" the list still shows, and of a "Summer" whose folder was removed by hand.
        DescriptionFile::create(env.store.databasePath(),
                                {{QStringLiteral("Gone"), 1, 1, QStringLiteral("kept")},
                                 {QStringLiteral("Summer"), 1, 1, QStringLiteral("stale")},
                                 {QStringLiteral("Summer"), 1, 2, QStringLiteral("leftover")},
                                 {QStringLiteral("Holidays"), 1, 1, QStringLiteral("current")},
                                 {QStringLiteral("Locked"), 1, 1, QStringLiteral("text")}});
        const QStringList before = rows(env);
        env.dialogs.type(QStringLiteral("Back"));
        env.dialogs.answer(Answer::Yes);
        AlbumManager manager(env.store, env.descriptions, env.dialogs);
        QVERIFY(!manager.renameAlbum(QStringLiteral("Gone")));
        QVERIFY(env.dialogs.lastText().endsWith(QLatin1String("The album and its descriptions are unchanged.")));
        QCOMPARE(rows(env), before);
        QVERIFY(!QFileInfo::exists(env.store.albumFolder(QStringLiteral("Back"))));

        // One description per position after the rename.
        QVERIFY(manager.moveAlbum(QStringLiteral("Holidays"), QStringLiteral("Summer")));
        const QStringList renamed({row(QStringLiteral("Gone"), 1, 1, QStringLiteral("kept")),
                                   row(QStringLiteral("Summer"), 1, 2, QStringLiteral("leftover")),
                                   row(QStringLiteral("Summer"), 1, 1, QStringLiteral("current")),
                                   row(QStringLiteral("Locked"), 1, 1, QStringLiteral("text"))});
        QCOMPARE(rows(env), renamed);

        // Pictures that cannot be deleted keep their album and descriptions.
        {
            ReadOnlyPath guard(env.store.albumFolder(QStringLiteral("Locked")));
            if (!guard.isActive())
                QSKIP("This file system cannot make a folder read-only for this process.");
            QCOMPARE(manager.removeAlbum(QStringLiteral("Locked")), Deletion::Kept);
            QVERIFY(env.dialogs.lastText().startsWith(QLatin1String("Not every picture of 'Locked' could be")));
            QVERIFY(QFileInfo::exists(locked));
        }

        // Descriptions that cannot be carried hold the rename back.
        ReadOnlyPath guard(env.store.databasePath());
        QVERIFY(!manager.moveAlbum(QStringLiteral("Summer"), QStringLiteral("Moved")));
        QVERIFY(env.dialogs.lastText().startsWith(QLatin1String("'Summer' was not renamed.")));
        QVERIFY(QFileInfo(env.store.albumFolder(QStringLiteral("Summer"))).isDir());
        QCOMPARE(rows(env), renamed);
    }

    void deleteTakesPicturesFolderAndOwnDescriptions()
    {
        const QString album = QString::fromUtf8("Tom's 1_0% \u00e9t\u00e9");
        TestEnvironment env;
        for (const char *name : {"P4I1.jpg", "P4I1.JPG", "P4I1.BMP", "P4I1.bmp"})
            env.putPicture(album, QLatin1String(name), QSize(8, 8));
        QList<PictureRecord> records{{album, 1, 1, QStringLiteral("gone")},
                                     {album.toUpper(), 4, 2, QStringLiteral("gone")}};
        // Names the album's would match if its quote or wildcards were not taken literally.
        const QStringList neighbours{
            "Tom''s 1_0% \u00e9t\u00e9", "Toms 1_0% \u00e9t\u00e9", "Tom", "Tom's 1x0% \u00e9t\u00e9", "Tom's 1_0",
            "Tom's 1_00 \u00e9t\u00e9"};
        QStringList kept;
        for (const QString &n : neighbours) {
            env.putPicture(n, QStringLiteral("P1I0.jpg"), QSize(8, 8));
            records << PictureRecord{n, 1, 1, QStringLiteral("kept")};
            kept << row(n, 1, 1, QStringLiteral("kept"));
        }
        DescriptionFile::create(env.store.databasePath(), records);

        env.dialogs.answer(Answer::Yes);
        QCOMPARE(AlbumManager(env.store, env.descriptions, env.dialogs).deleteAlbum(album), Deletion::Deleted);
        QVERIFY(!QFileInfo::exists(env.store.albumFolder(album)));
        QCOMPARE(rows(env), kept);
        QCOMPARE(env.store.albumNames().size(), neighbours.size());
    }

    // An album of pictures goes to the trash as one folder, to be restored
    // whole; one that holds other files too stays, and only its pictures go;
    // without a trash the pictures are deleted as before.
    void deletedAlbumGoesToTheTrash()
    {
        TestEnvironment env;
        TrashFolder trash;
        const QString summer = env.putPicture(QStringLiteral("Summer"), QStringLiteral("P1I0.jpg"), QSize(8, 8));
        env.putPicture(QStringLiteral("Summer"), QStringLiteral("P3I5.BMP"), QSize(8, 8));
        const QByteArray summerBytes = contents(summer);
        const QString mixed = env.putPicture(QStringLiteral("Mixed"), QStringLiteral("P2I1.jpg"), QSize(8, 8));
        const QString notes =
            QDir(env.store.albumFolder(QStringLiteral("Mixed"))).filePath(QStringLiteral("notes.txt"));
        QFile(notes).open(QIODevice::WriteOnly);
        AlbumManager manager(env.store, env.descriptions, env.dialogs);

        QCOMPARE(manager.removeAlbum(QStringLiteral("Summer")), Deletion::Deleted);
        QVERIFY(!QFileInfo::exists(env.store.albumFolder(QStringLiteral("Summer"))));
        QCOMPARE(trash.files(), QStringList("Summer"));
        QCOMPARE(trash.originalPaths(), QStringList(env.store.albumFolder(QStringLiteral("Summer"))));
        QCOMPARE(trash.contents(QStringLiteral("Summer/P1I0.jpg")), summerBytes);
        QVERIFY(!trash.contents(QStringLiteral("Summer/P3I5.BMP")).isEmpty());

        QCOMPARE(manager.removeAlbum(QStringLiteral("Mixed")), Deletion::Deleted);
        QCOMPARE(QDir(env.store.albumFolder(QStringLiteral("Mixed"))).entryList(QDir::Files), QStringList("notes.txt"));
        QCOMPARE(trash.files(), QStringList({"P2I1.jpg", "Summer"}));
        QCOMPARE(trash.originalPaths(), QStringList({mixed, env.store.albumFolder(QStringLiteral("Summer"))}));

        trash.block();
        env.putPicture(QStringLiteral("Winter"), QStringLiteral("P1I0.jpg"), QSize(8, 8));
        QCOMPARE(manager.removeAlbum(QStringLiteral("Winter")), Deletion::Deleted);
        QVERIFY(!QFileInfo::exists(env.store.albumFolder(QStringLiteral("Winter"))));
        QCOMPARE(trash.files(), QStringList({"P2I1.jpg", "Summer"}));
        QVERIFY(env.dialogs.shown().isEmpty());
    }

    void nothingOutsideTheProgramFolderIsTouched()
    {
        TestEnvironment env;
        // A folder beside the program folder, holding a picture.
        const QString outside = env.programFolder() + QStringLiteral("-outside");
        QVERIFY(QDir().mkpath(outside));
        const QString theirs = QDir(outside).filePath(QStringLiteral("P1I0.jpg"));
        QVERIFY(QFile::copy(TestEnvironment::deliveredData(QStringLiteral("P1I0.jpg")), theirs));
        AlbumManager manager(env.store, env.descriptions, env.dialogs);

        // An album that is a link to a folder elsewhere goes as a link.
        QVERIFY(QFile::link(outside, env.store.albumFolder(QStringLiteral("Linked"))));
        QCOMPARE(manager.removeAlbum(QStringLiteral("Linked")), Deletion::Deleted);
        QVERIFY(!QFileInfo(env.store.albumFolder(QStringLiteral("Linked"))).isSymLink());
        QVERIFY(env.dialogs.shown().isEmpty());

        // Names that reach outside are refused.
        const QString climb = QStringLiteral("../") + QFileInfo(outside).fileName();
        for (const QString &album : {QStringLiteral(".."), climb, QString()}) {
            QCOMPARE(manager.removeAlbum(album), Deletion::Kept);
            QVERIFY(!manager.moveAlbum(album, QStringLiteral("x")));
        }
        QVERIFY(QFileInfo::exists(theirs));
        QVERIFY(QFileInfo::exists(QDir(env.programFolder()).filePath(QStringLiteral("EMPTY.BMP"))));
        QVERIFY(!QFileInfo::exists(env.store.albumFolder(QStringLiteral("x"))));
        QDir(outside).removeRecursively();
    }

    void namesEitherWorkOrAreRefusedClearly_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("problem");  // a part of the message; empty when the name works
        QTest::newRow("quotes, wildcards, umlauts, emoji")
            << QString::fromUtf8("O'Brien's 100% a_b [c] \u00c4rger \xF0\x9F\x8C\x8A") << "";
        QTest::newRow("leading blank, dot") << " Spring v1.2"
                                            << "";
        QTest::newRow("taken") << "Summer"
                               << "You have allready used 'Summer' as a album name";
        QTest::newRow("taken in other letters") << "SUMMER"
                                                << "allready used 'SUMMER'";
        QTest::newRow("list entry") << "create new album"
                                    << "entry of the album list";
        QTest::newRow("a file of the program") << "EMPTY.BMP"
                                               << "file named 'EMPTY.BMP'";
        QTest::newRow("255 letters") << QString(255, QLatin1Char('x')) << "";
        QTest::newRow("backslash") << "a\\b"
                                   << "'/' or '\\'";
        QTest::newRow("climb out") << "../outside"
                                   << "'/' or '\\'";
        QTest::newRow("up") << ".."
                            << "'..' cannot be";
        for (const QChar sign : QStringLiteral("<>:\"|?*"))
            QTest::addRow("sign %c", sign.toLatin1())
                << QStringLiteral("a%1b").arg(sign) << QStringLiteral("the sign '%1'").arg(sign);
        QTest::newRow("line break") << "a\nb"
                                    << "line break";
        QTest::newRow("hidden") << ".secret"
                                << "begin with a dot";
        QTest::newRow("trailing blank") << "Autumn "
                                        << "end with a dot or a space";
        QTest::newRow("blanks only") << "   "
                                     << "other than a space";
        QTest::newRow("device with extension") << "LPT1.txt"
                                               << "'LPT1' cannot be";
        QTest::newRow("256 letters") << QString(256, QLatin1Char('x')) << "it has 256 characters";
        QTest::newRow("long in bytes") << QString(130, QChar(0x00C4)) << "260 bytes";
    }

    void namesEitherWorkOrAreRefusedClearly()
    {
        QFETCH(QString, name);
        QFETCH(QString, problem);
        TestEnvironment env;
        env.makeAlbum(QStringLiteral("Summer"));
        env.dialogs.type(name);
        env.dialogs.type(QString());
        env.dialogs.answer(Answer::No);
        QCOMPARE(AlbumManager(env.store, env.descriptions, env.dialogs).createAlbum().has_value(), problem.isEmpty());
        const QStringList made = QDir(env.programFolder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
        QCOMPARE(made.size(), problem.isEmpty() ? 2 : 1);
        if (problem.isEmpty()) {
            QVERIFY2(made.contains(name), qPrintable(made.join(QLatin1Char('|'))));
            return;
        }
        // A message that names the trouble, then the question again.
        const ScriptedDialogs::Shown &told = env.dialogs.shown().at(1);
        QCOMPARE(told.kind, QStringLiteral("message"));
        QVERIFY2(told.text.contains(problem), qPrintable(told.text));
        QCOMPARE(env.dialogs.shown().at(2).kind, QStringLiteral("input"));
    }

    // A new album of an old one's name, holding a picture of the same size
    // and time at the same position, must not be drawn with the old one's
    // thumbnail.
    void anAlbumRenamedOrDeletedLeavesNoThumbnailBehind_data()
    {
        QTest::addColumn<bool>("rename");
        QTest::newRow("renamed") << true;
        QTest::newRow("deleted") << false;
    }

    void anAlbumRenamedOrDeletedLeavesNoThumbnailBehind()
    {
        using namespace StaleThumbnails;
        QFETCH(bool, rename);
        TestEnvironment env;
        TrashFolder trash;
        const QString name = QStringLiteral("Holidays");
        const QString picture = env.albumFile(name, QStringLiteral("P1I0.bmp"));
        env.makeAlbum(name);
        QVERIFY(drawnRed(picture));
        AlbumManager manager(env.store, env.descriptions, env.dialogs);
        if (rename) {
            QVERIFY(manager.moveAlbum(name, QStringLiteral("Summer")));
        } else {
            QCOMPARE(manager.removeAlbum(name), AlbumManager::Deletion::Deleted);
        }
        QCOMPARE(env.thumbnailEntries(), QStringList());
        env.makeAlbum(name);
        QVERIFY(put(picture, Qt::blue));
        QVERIFY(isBlue(drawn(picture)));
    }
};

KOLUMBRA_TEST(TestAlbumManagement)
#include "AlbumManagementTest.moc"
