#include "support/DescriptionFile.h"
#include "support/ReadOnlyPath.h"

#include "albums/AlbumManager.h"
#include "albums/frmSelect.h"
#include "albumstore/AlbumName.h"
#include "albumview/Form1.h"
#include "platform/PictureView.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Answer = Dialogs::Answer;
const QString kWarning = QStringLiteral("WARNING");

QStringList listed(const frmSelect &list)
{
    QStringList out;
    for (int i = 0; i < list.list()->count(); ++i)
        out << list.list()->item(i)->text();
    return out;
}

void select(frmSelect &list, const QString &entry)
{
    const QList<QListWidgetItem *> items = list.list()->findItems(entry, Qt::MatchExactly);
    QVERIFY(!items.isEmpty());
    list.list()->setCurrentItem(items.first());
}

QStringList kinds(const ScriptedDialogs &dialogs)
{
    QStringList out;
    for (const ScriptedDialogs::Shown &s : dialogs.shown())
        out << s.kind;
    return out;
}

QString row(const QString &album, int page, int picture, const QString &text)
{
    return DescriptionFile::row(album, page, picture, text);
}

} // namespace

class TestAlbumManagement : public QObject
{
    Q_OBJECT

private slots:
    void namesThatCannotBeFolders_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("problem");  // a part of the message; empty when the name is fine
        QTest::newRow("plain") << "Summer 2024" << "";
        QTest::newRow("apostrophe, percent") << "Holiday's 100%" << "";
        QTest::newRow("beyond ASCII") << QString::fromUtf8("Ärger in Zürich") << "";
        QTest::newRow("dot inside") << "v1.2" << "";
        QTest::newRow("leading space") << " Indented" << "";
        QTest::newRow("longest") << QString(255, QLatin1Char('x')) << "";
        QTest::newRow("slash") << "a/b" << "'/' or '\\'";
        QTest::newRow("backslash") << "a\\b" << "'/' or '\\'";
        QTest::newRow("dot") << "." << "'.' cannot be";
        QTest::newRow("dot dot") << ".." << "'..' cannot be";
        QTest::newRow("colon") << "a:b" << "the sign ':'";
        QTest::newRow("star") << "a*" << "the sign '*'";
        QTest::newRow("question mark") << "why?" << "the sign '?'";
        QTest::newRow("quote") << "\"x\"" << "the sign '\"'";
        QTest::newRow("angle") << "<x" << "the sign '<'";
        QTest::newRow("bar") << "a|b" << "the sign '|'";
        QTest::newRow("line break") << "a\nb" << "line break";
        QTest::newRow("tab") << "a\tb" << "control character";
        QTest::newRow("hidden") << ".secret" << "begin with a dot";
        QTest::newRow("trailing dot") << "Summer." << "end with a dot or a space";
        QTest::newRow("trailing space") << "Summer " << "end with a dot or a space";
        QTest::newRow("spaces only") << "   " << "other than a space";
        QTest::newRow("device") << "con" << "'con' cannot be an album name";
        QTest::newRow("device with extension") << "LPT1.txt" << "'LPT1' cannot be";
        QTest::newRow("too many characters") << QString(256, QLatin1Char('x')) << "it has 256 characters";
        QTest::newRow("too many bytes") << QString(130, QChar(0xe9)) << "260 bytes";
    }

    void namesThatCannotBeFolders()
    {
        QFETCH(QString, name);
        QFETCH(QString, problem);
        const std::optional<QString> found = AlbumName::problem(name);
        if (problem.isEmpty()) {
            QVERIFY2(!found, qPrintable(found.value_or(QString())));
            // Whatever the check lets through, the disk takes.
            QTemporaryDir dir;
            QVERIFY(QDir(dir.path()).mkdir(name));
            return;
        }
        QVERIFY(found.has_value());
        QVERIFY2(found->contains(problem), qPrintable(*found));
    }

    void createAsksUntilTheNameIsUsable()
    {
        TestEnvironment env;
        env.makeAlbum(QStringLiteral("Summer"));
        env.dialogs.type(QStringLiteral(" "));
        env.dialogs.answer(Answer::Yes);
        env.dialogs.type(QStringLiteral("Summer"));
        env.dialogs.type(QStringLiteral("SUMMER"));
        env.dialogs.type(QStringLiteral("a:b"));
        env.dialogs.type(QStringLiteral("Create New Album"));
        env.dialogs.type(QStringLiteral("EMPTY.BMP"));
        env.dialogs.type(QStringLiteral("Winter's 100%"));
        AlbumManager manager(env.store, env.values, env.dialogs);
        QVERIFY(manager.createAlbum());
        QVERIFY(env.dialogs.allAnswered());
        QCOMPARE(env.values.NewAlbumName, QStringLiteral("Winter's 100%"));
        QVERIFY(QFileInfo(env.store.albumFolder(QStringLiteral("Winter's 100%"))).isDir());
        QVERIFY(QDir(env.store.albumFolder(QStringLiteral("Winter's 100%"))).isEmpty());

        const QList<ScriptedDialogs::Shown> &shown = env.dialogs.shown();
        QCOMPARE(kinds(env.dialogs), QStringList({"input", "yesno", "input", "message", "input", "message", "input",
                                                  "message", "input", "message", "input", "message", "input"}));
        QCOMPARE(shown[0].text, QStringLiteral("Input the name of the new album"));
        QCOMPARE(shown[0].title, QStringLiteral("ENTER ALBUM NAME"));
        QCOMPARE(shown[1].text, QStringLiteral("You either did not enter a name or pressed <Cancel>\r\n"
                                               "Do you wish to continue creating a album?"));
        QCOMPARE(shown[3].text, QStringLiteral("You have allready used 'Summer' as a album name"));
        QCOMPARE(shown[5].text, QStringLiteral("You have allready used 'SUMMER' as a album name"));
        QVERIFY(shown[7].text.contains(QLatin1String("':'")));
        QVERIFY(shown[9].text.contains(QLatin1String("entry of the album list")));
        QVERIFY(shown[11].text.contains(QLatin1String("file named 'EMPTY.BMP'")));
        for (const ScriptedDialogs::Shown &s : shown)
            QVERIFY(s.kind == QLatin1String("input") || s.title == kWarning);
    }

    void createGivesUpOnNo()
    {
        TestEnvironment env;
        const QStringList before = QDir(env.programFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        env.dialogs.type(QString());
        env.dialogs.answer(Answer::No);
        QVERIFY(!AlbumManager(env.store, env.values, env.dialogs).createAlbum());
        QVERIFY(env.dialogs.allAnswered());
        QCOMPARE(QDir(env.programFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    }

    void newAlbumOpensAtPageOneEmpty()
    {
        TestEnvironment env;
        frmSelect &list = env.owner().albumList();
        env.owner().present(list);
        select(list, frmSelect::kCreateNewAlbum);
        env.dialogs.type(QStringLiteral("Trip"));
        list.List1_DblClick();
        Form1 &page = env.owner().albumPage();
        QTRY_VERIFY(page.isVisible());
        QCOMPARE(env.values.AlbumName, QStringLiteral("Trip"));
        QTRY_COMPARE(page.windowTitle(), QStringLiteral("Trip, Page 1"));
        for (int k = 1; k <= 6; ++k)
            QTRY_COMPARE(page.Image1(k)->tag(), QStringLiteral("0"));
        QVERIFY(QFileInfo(env.store.albumFolder(QStringLiteral("Trip"))).isDir());
    }

    void givingUpCreationOpensNothing()
    {
        TestEnvironment env;
        frmSelect &list = env.owner().albumList();
        env.owner().present(list);
        select(list, frmSelect::kCreateNewAlbum);
        env.dialogs.type(QString());
        env.dialogs.answer(Answer::No);
        list.List1_DblClick();
        QCoreApplication::processEvents();
        QVERIFY(list.isVisible());
        QVERIFY(!env.owner().albumPage().isVisible());
        QCOMPARE(env.values.AlbumName, frmSelect::kCreateNewAlbum);
    }

    void renameAsksAgainOnCancelAndStopsOnNo()
    {
        TestEnvironment env;
        env.putPicture(QStringLiteral("Holidays"), 1, 1, QStringLiteral(".jpg"), QSize(8, 8));
        env.dialogs.type(QStringLiteral("Summer"));
        env.dialogs.answer(Answer::Cancel);
        env.dialogs.type(QStringLiteral("Autumn"));
        env.dialogs.answer(Answer::No);
        QVERIFY(!AlbumManager(env.store, env.values, env.dialogs).renameAlbum(QStringLiteral("Holidays")));
        QVERIFY(env.dialogs.allAnswered());
        QCOMPARE(kinds(env.dialogs), QStringList({"input", "yesnocancel", "input", "yesnocancel"}));
        const ScriptedDialogs::Shown &confirm = env.dialogs.shown().at(1);
        QCOMPARE(confirm.text, QStringLiteral("Are you sure that you want to rename the album \r\n"
                                              " ' Holidays '  as ' Summer ' \r\n"
                                              "Press <Cancel> to get another name."));
        QCOMPARE(confirm.title, kWarning);
        QCOMPARE(env.dialogs.shown().at(0).title, QStringLiteral("RENAME"));
        QCOMPARE(env.dialogs.shown().at(0).text, QStringLiteral("Input a new name for the album"));
        QCOMPARE(env.store.albumNames(), QStringList({QStringLiteral("Holidays")}));
    }

    void renameRefusesNamesAndAsksAgain()
    {
        TestEnvironment env;
        env.makeAlbum(QStringLiteral("Holidays"));
        env.makeAlbum(QStringLiteral("Winter"));
        env.dialogs.type(QString());
        env.dialogs.answer(Answer::Yes);
        env.dialogs.type(QStringLiteral("winter"));
        env.dialogs.type(QStringLiteral("Holidays"));
        env.dialogs.type(QStringLiteral("x/y"));
        env.dialogs.type(QStringLiteral(" "));
        env.dialogs.answer(Answer::No);
        QVERIFY(!AlbumManager(env.store, env.values, env.dialogs).renameAlbum(QStringLiteral("Holidays")));
        QVERIFY(env.dialogs.allAnswered());
        QCOMPARE(kinds(env.dialogs),
                 QStringList({"input", "yesno", "input", "message", "input", "message", "input", "message", "input",
                              "yesno"}));
        QCOMPARE(env.dialogs.shown().at(1).text, QStringLiteral("You either did not enter a name or pressed <Cancel>\r\n"
                                                                "Do you wish to continue renaming the album?"));
        QCOMPARE(env.dialogs.shown().at(3).text, QStringLiteral("You have allready used 'winter' as a album name"));
        QCOMPARE(env.dialogs.shown().at(5).text, QStringLiteral("You have allready used 'Holidays' as a album name"));
        QCOMPARE(env.store.albumNames(),
                 QStringList({QStringLiteral("Holidays"), QStringLiteral("Winter")}));
    }

    void renameTakesTheDescriptionsAlong_data()
    {
        QTest::addColumn<QString>("newName");
        QTest::newRow("another name") << "Summer's 100%";
        QTest::newRow("other letter case") << "HOLIDAYS";
    }

    void renameTakesTheDescriptionsAlong()
    {
        QFETCH(QString, newName);
        TestEnvironment env;
        const QString path = env.store.databasePath();
        const QString picture = env.putPicture(QStringLiteral("Holidays"), 2, 3, QStringLiteral(".bmp"), QSize(8, 8));
        DescriptionFile::create(path, {{QStringLiteral("Holidays"), 2, 3, QStringLiteral("beach")},
                                       {QStringLiteral("Holiday"), 2, 3, QStringLiteral("not mine")},
                                       {QStringLiteral("holidays"), 1, 1, QStringLiteral("mine in other letters")}});
        env.dialogs.type(newName);
        env.dialogs.answer(Answer::Yes);
        QVERIFY(AlbumManager(env.store, env.values, env.dialogs).renameAlbum(QStringLiteral("Holidays")));
        QVERIFY(env.dialogs.allAnswered());
        QCOMPARE(env.dialogs.shown().size(), 2);
        QVERIFY(!QFileInfo::exists(picture));
        QVERIFY(QFileInfo::exists(env.store.picturePath(newName, 2, 3, QStringLiteral(".bmp"))));
        QVERIFY(env.store.albumNames().contains(newName));
        QVERIFY(!env.store.albumNames().contains(QStringLiteral("Holidays")));
        QCOMPARE(DescriptionFile::rows(path), QStringList({row(newName, 2, 3, QStringLiteral("beach")),
                                                           row(QStringLiteral("Holiday"), 2, 3, QStringLiteral("not mine")),
                                                           row(newName, 1, 1, QStringLiteral("mine in other letters"))}));
    }

    void renameOverLeftoverDescriptionsKeepsOnePerPosition()
    {
        // Rows of a "Summer" that is gone (its folder removed by hand).
        TestEnvironment env;
        const QString path = env.store.databasePath();
        env.makeAlbum(QStringLiteral("Holidays"));
        DescriptionFile::create(path, {{QStringLiteral("Summer"), 1, 1, QStringLiteral("stale")},
                                       {QStringLiteral("Summer"), 1, 2, QStringLiteral("leftover")},
                                       {QStringLiteral("Holidays"), 1, 1, QStringLiteral("current")}});
        QVERIFY(AlbumManager(env.store, env.values, env.dialogs).moveAlbum(QStringLiteral("Holidays"),
                                                                           QStringLiteral("Summer")));
        QCOMPARE(DescriptionFile::rows(path), QStringList({row(QStringLiteral("Summer"), 1, 2, QStringLiteral("leftover")),
                                                           row(QStringLiteral("Summer"), 1, 1, QStringLiteral("current"))}));
    }

    void failedRenameChangesNeitherFolderNorDescriptions()
    {
        // The list still shows an album whose folder was removed meanwhile.
        TestEnvironment env;
        const QString path = env.store.databasePath();
        env.makeAlbum(QStringLiteral("Other"));
        DescriptionFile::create(path, {{QStringLiteral("Gone"), 1, 1, QStringLiteral("kept")}});
        env.dialogs.type(QStringLiteral("Back"));
        env.dialogs.answer(Answer::Yes);
        QVERIFY(!AlbumManager(env.store, env.values, env.dialogs).renameAlbum(QStringLiteral("Gone")));
        QVERIFY(env.dialogs.lastText().startsWith(QLatin1String("'Gone' could not be renamed to 'Back': ")));
        QVERIFY(env.dialogs.lastText().endsWith(QLatin1String("The album and its descriptions are unchanged.")));
        QCOMPARE(DescriptionFile::rows(path), QStringList{row(QStringLiteral("Gone"), 1, 1, QStringLiteral("kept"))});
        QVERIFY(!QFileInfo::exists(env.store.albumFolder(QStringLiteral("Back"))));

        // A folder that may not be renamed.
        env.dialogs.clear();
        DescriptionFile::Connection(path).insert({{QStringLiteral("Other"), 1, 1, QStringLiteral("other")}});
        ReadOnlyPath guard(env.programFolder());
        if (!guard.isActive())
            QSKIP("This file system cannot make the folder read-only for this process.");
        QVERIFY(!AlbumManager(env.store, env.values, env.dialogs).moveAlbum(QStringLiteral("Other"),
                                                                            QStringLiteral("Renamed")));
        QVERIFY(!env.dialogs.shown().isEmpty());
        QVERIFY(QFileInfo(env.store.albumFolder(QStringLiteral("Other"))).isDir());
        QCOMPARE(DescriptionFile::rows(path), QStringList({row(QStringLiteral("Gone"), 1, 1, QStringLiteral("kept")),
                                                           row(QStringLiteral("Other"), 1, 1, QStringLiteral("other"))}));
    }

    void readOnlyDescriptionsHoldBackARenameThatWouldLoseThem()
    {
        TestEnvironment env;
        const QString path = env.store.databasePath();
        env.makeAlbum(QStringLiteral("Described"));
        env.makeAlbum(QStringLiteral("Bare"));
        DescriptionFile::create(path, {{QStringLiteral("Described"), 1, 1, QStringLiteral("text")}});
        ReadOnlyPath guard(path);
        if (!guard.isActive())
            QSKIP("This file system cannot make the file read-only for this process.");
        AlbumManager manager(env.store, env.values, env.dialogs);
        QVERIFY(!manager.moveAlbum(QStringLiteral("Described"), QStringLiteral("Moved")));
        QVERIFY(env.dialogs.lastText().startsWith(QLatin1String("'Described' was not renamed.")));
        QVERIFY(QFileInfo(env.store.albumFolder(QStringLiteral("Described"))).isDir());
        // Nothing to carry, nothing lost.
        QVERIFY(manager.moveAlbum(QStringLiteral("Bare"), QStringLiteral("Clothed")));
        QVERIFY(QFileInfo(env.store.albumFolder(QStringLiteral("Clothed"))).isDir());
    }

    void deleteTakesPicturesFolderAndOwnDescriptions_data()
    {
        QTest::addColumn<QString>("album");
        QTest::addColumn<QStringList>("neighbours");
        QTest::newRow("plain") << "Holidays" << QStringList{"Holiday", "Holidays 2", "Other"};
        QTest::newRow("apostrophe") << "Holiday's" << QStringList{"Holiday''s", "Holidays", "Holiday"};
        QTest::newRow("percent") << "100%" << QStringList{"1000", "100", "100x"};
        QTest::newRow("underscore") << "a_b" << QStringList{"axb", "a_bc"};
    }

    void deleteTakesPicturesFolderAndOwnDescriptions()
    {
        QFETCH(QString, album);
        QFETCH(QStringList, neighbours);
        TestEnvironment env;
        const QString path = env.store.databasePath();
        env.putPicture(album, 1, 1, QStringLiteral(".jpg"), QSize(8, 8));
        env.putPicture(album, 10, 6, QStringLiteral(".JPG"), QSize(8, 8));
        env.putPicture(album, 4, 2, QStringLiteral(".BMP"), QSize(8, 8));
        env.putPicture(album, 4, 2, QStringLiteral(".bmp"), QSize(8, 8));
        QList<PictureRecord> records{{album, 1, 1, QStringLiteral("gone")}, {album.toUpper(), 4, 2, QStringLiteral("gone")}};
        QStringList kept;
        for (const QString &n : neighbours) {
            env.putPicture(n, 1, 1, QStringLiteral(".jpg"), QSize(8, 8));
            records << PictureRecord{n, 1, 1, QStringLiteral("kept")};
            kept << row(n, 1, 1, QStringLiteral("kept"));
        }
        DescriptionFile::create(path, records);

        env.dialogs.answer(Answer::Yes);
        QCOMPARE(AlbumManager(env.store, env.values, env.dialogs).deleteAlbum(album), AlbumManager::Deletion::Deleted);
        QCOMPARE(kinds(env.dialogs), QStringList{"yesno"});
        QCOMPARE(env.dialogs.shown().first().text, QStringLiteral("Are you sure that You want to delete '") + album
                                                       + QStringLiteral("'"));
        QVERIFY(!QFileInfo::exists(env.store.albumFolder(album)));
        QCOMPARE(DescriptionFile::rows(path), kept);
        for (const QString &n : neighbours)
            QVERIFY(QFileInfo::exists(env.store.picturePath(n, 1, 1, QStringLiteral(".jpg"))));
    }

    void deleteAnsweredNoKeepsEverything()
    {
        TestEnvironment env;
        const QString picture = env.putPicture(QStringLiteral("Keep"), 1, 1, QStringLiteral(".jpg"), QSize(8, 8));
        DescriptionFile::create(env.store.databasePath(), {{QStringLiteral("Keep"), 1, 1, QStringLiteral("text")}});
        env.dialogs.answer(Answer::No);
        QCOMPARE(AlbumManager(env.store, env.values, env.dialogs).deleteAlbum(QStringLiteral("Keep")),
                 AlbumManager::Deletion::Cancelled);
        QVERIFY(QFileInfo::exists(picture));
        QCOMPARE(DescriptionFile::rows(env.store.databasePath()).size(), 1);
    }

    void linksAreRemovedAsLinks()
    {
        TestEnvironment env;
        QTemporaryDir outside;
        const QString theirs = QDir(outside.path()).filePath(QStringLiteral("P1I0.jpg"));
        QVERIFY(QFile::copy(TestEnvironment::deliveredData(QStringLiteral("P1I0.jpg")), theirs));

        // An album that is a link to a folder elsewhere.
        QVERIFY(QFile::link(outside.path(), env.store.albumFolder(QStringLiteral("Linked"))));
        QCOMPARE(AlbumManager(env.store, env.values, env.dialogs).removeAlbum(QStringLiteral("Linked")),
                 AlbumManager::Deletion::Deleted);
        QVERIFY(!QFileInfo(env.store.albumFolder(QStringLiteral("Linked"))).isSymLink());
        QVERIFY(!QFileInfo::exists(env.store.albumFolder(QStringLiteral("Linked"))));
        QVERIFY(QFileInfo::exists(theirs));

        // A picture of an album that is a link to a file elsewhere.
        env.makeAlbum(QStringLiteral("Real"));
        QVERIFY(QFile::link(theirs, env.store.picturePath(QStringLiteral("Real"), 1, 1, QStringLiteral(".jpg"))));
        QCOMPARE(AlbumManager(env.store, env.values, env.dialogs).removeAlbum(QStringLiteral("Real")),
                 AlbumManager::Deletion::Deleted);
        QVERIFY(!QFileInfo::exists(env.store.albumFolder(QStringLiteral("Real"))));
        QVERIFY(QFileInfo::exists(theirs));
        QVERIFY(env.dialogs.shown().isEmpty());
    }

    void namesReachingOutsideAreRefused_data()
    {
        QTest::addColumn<QString>("album");
        QTest::newRow("parent") << "..";
        QTest::newRow("path") << "../%1-outside";
        QTest::newRow("empty") << "";
    }

    void namesReachingOutsideAreRefused()
    {
        QFETCH(QString, album);
        TestEnvironment env;
        // A folder beside the program folder, holding a picture.
        const QString outside = env.programFolder() + QStringLiteral("-outside");
        QVERIFY(QDir().mkpath(outside));
        const QString victim = QDir(outside).filePath(QStringLiteral("P1I0.jpg"));
        QVERIFY(QFile::copy(TestEnvironment::deliveredData(QStringLiteral("P1I0.jpg")), victim));
        album = album.arg(QFileInfo(env.programFolder()).fileName());

        QCOMPARE(AlbumManager(env.store, env.values, env.dialogs).removeAlbum(album), AlbumManager::Deletion::Kept);
        QVERIFY(!AlbumManager(env.store, env.values, env.dialogs).moveAlbum(album, QStringLiteral("x")));
        QVERIFY(QFileInfo::exists(victim));
        QVERIFY(QFileInfo::exists(env.store.placeholderPath()));
        QVERIFY(!QFileInfo::exists(env.store.albumFolder(QStringLiteral("x"))));
        QDir(outside).removeRecursively();
    }

    void picturesThatCannotGoKeepTheirDescriptions()
    {
        TestEnvironment env;
        const QString folder = env.makeAlbum(QStringLiteral("Locked"));
        const QString picture = env.putPicture(QStringLiteral("Locked"), 1, 1, QStringLiteral(".jpg"), QSize(8, 8));
        DescriptionFile::create(env.store.databasePath(), {{QStringLiteral("Locked"), 1, 1, QStringLiteral("text")}});
        ReadOnlyPath guard(folder);
        if (!guard.isActive())
            QSKIP("This file system cannot make the folder read-only for this process.");
        QCOMPARE(AlbumManager(env.store, env.values, env.dialogs).removeAlbum(QStringLiteral("Locked")),
                 AlbumManager::Deletion::Kept);
        QVERIFY(env.dialogs.lastText().startsWith(QLatin1String("Not every picture of 'Locked' could be deleted.")));
        QVERIFY(env.dialogs.lastText().contains(QLatin1String("P1I0.jpg")));
        QVERIFY(QFileInfo::exists(picture));
        QCOMPARE(DescriptionFile::rows(env.store.databasePath()).size(), 1);
    }

    void albumListDeletesAndRenames()
    {
        TestEnvironment env;
        env.putPicture(QStringLiteral("Mixed"), 1, 1, QStringLiteral(".jpg"), QSize(8, 8));
        QFile notes(QDir(env.store.albumFolder(QStringLiteral("Mixed"))).filePath(QStringLiteral("notes.txt")));
        QVERIFY(notes.open(QIODevice::WriteOnly));
        notes.close();
        env.makeAlbum(QStringLiteral("Plain"));
        frmSelect &list = env.owner().albumList();
        env.owner().present(list);
        const QString create = frmSelect::kCreateNewAlbum;
        QCOMPARE(listed(list), QStringList({QStringLiteral("Mixed"),
                                            QStringLiteral("Plain"), create}));

        // The special entries are neither renamed nor deleted.
        select(list, create);
        list.findChild<QAction *>(QStringLiteral("mnuChangeName"))->trigger();
        list.findChild<QAction *>(QStringLiteral("mnuDelete"))->trigger();
        QCOMPARE(env.dialogs.shown().size(), 2);
        QCOMPARE(env.dialogs.shown().at(0).text, QStringLiteral("You can not change the name of this item"));
        QCOMPARE(env.dialogs.shown().at(1).text, QStringLiteral("You can not delete this item"));

        // A folder holding another file loses its pictures and its entry,
        // and comes back when the list is filled again.
        select(list, QStringLiteral("Mixed"));
        env.dialogs.answer(Answer::Yes);
        list.findChild<QAction *>(QStringLiteral("mnuDelete"))->trigger();
        QCOMPARE(listed(list), QStringList({QStringLiteral("Plain"), create}));
        QVERIFY(!QFileInfo::exists(env.store.picturePath(QStringLiteral("Mixed"), 1, 1, QStringLiteral(".jpg"))));
        QVERIFY(notes.exists());
        list.RenewList();
        QVERIFY(listed(list).contains(QStringLiteral("Mixed")));

        select(list, QStringLiteral("Plain"));
        env.dialogs.type(QStringLiteral("Fancy"));
        env.dialogs.answer(Answer::Yes);
        list.findChild<QAction *>(QStringLiteral("mnuChangeName"))->trigger();
        QCOMPARE(listed(list), QStringList({QStringLiteral("Fancy"),
                                            QStringLiteral("Mixed"), create}));
        QVERIFY(env.dialogs.allAnswered());
    }
};

KOLUMBRA_TEST(TestAlbumManagement)
#include "AlbumManagementTest.moc"
