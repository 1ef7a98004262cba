#include "support/DescriptionFile.h"
#include "support/ReadOnlyPath.h"

#include "albums/AlbumManager.h"
#include "albums/frmSelect.h"
#include "albumview/Form1.h"
#include "platform/PictureView.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QtTest>

namespace {

using Answer = Dialogs::Answer;
using Deletion = AlbumManager::Deletion;
using DescriptionFile::row;

QStringList listed(const frmSelect &list)
{
    QStringList out;
    for (int i = 0; i < list.list()->count(); ++i)
        out << list.list()->item(i)->text();
    return out;
}

void select(frmSelect &list, const QString &entry)
{
    list.list()->setCurrentItem(list.list()->findItems(entry, Qt::MatchExactly).value(0));
}

void trigger(frmSelect &list, const char *action)
{
    list.findChild<QAction *>(QLatin1String(action))->trigger();
}

// After an empty reply answered Yes, each refused name brings a warning that
// names the trouble, then the prompt again.
void checkAskedAgain(const ScriptedDialogs &dialogs, const QString &title, const QString &prompt,
                     const QString &goingOn, const QStringList &refusals)
{
    const QList<ScriptedDialogs::Shown> &s = dialogs.shown();
    QVERIFY(s.size() >= 3 + 2 * refusals.size());
    QCOMPARE(s[0].title, title);
    QCOMPARE(s[0].text, prompt);
    QCOMPARE(s[1].kind + s[1].title, QStringLiteral("yesnoWARNING"));
    QCOMPARE(s[1].text, QStringLiteral("You either did not enter a name or pressed <Cancel>\r\n"
                                       "Do you wish to continue %1?").arg(goingOn));
    for (int i = 0; i < refusals.size(); ++i) {
        const ScriptedDialogs::Shown &warning = s[3 + 2 * i];
        QCOMPARE(warning.kind + warning.title, QStringLiteral("messageWARNING"));
        QVERIFY2(warning.text.contains(refusals[i]), qPrintable(warning.text));
        QCOMPARE(s[4 + 2 * i].text, prompt);
    }
}

QString text(const ScriptedDialogs &dialogs, int i)
{
    return dialogs.shown().at(i).text;
}

QStringList rows(const TestEnvironment &env)
{
    return DescriptionFile::rows(env.store.databasePath());
}

} // namespace

class TestAlbumManagement : public QObject
{
    Q_OBJECT

private slots:
    void createAsksUntilTheNameIsUsableThenOpensTheAlbum()
    {
        TestEnvironment env;
        env.makeAlbum(QStringLiteral("Summer"));
        frmSelect &list = env.owner().albumList();
        env.owner().present(list);
        const QStringList before = QDir(env.programFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        select(list, frmSelect::kCreateNewAlbum);

        // Given up: nothing made, nothing opened.
        env.dialogs.type(QString());
        env.dialogs.answer(Answer::No);
        list.List1_DblClick();
        QVERIFY(env.dialogs.allAnswered());
        QVERIFY(!env.owner().albumPage().isVisible());
        QCOMPARE(QDir(env.programFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);

        env.dialogs.clear();
        env.dialogs.type(QStringLiteral(" "));
        env.dialogs.answer(Answer::Yes);
        for (const char *name : {"Summer", "SUMMER", "Create New Album", "EMPTY.BMP", "Winter's 100%"})
            env.dialogs.type(QLatin1String(name));
        list.List1_DblClick();
        QVERIFY(env.dialogs.allAnswered());
        QCOMPARE(env.dialogs.shown().size(), 11);
        checkAskedAgain(env.dialogs, QStringLiteral("ENTER ALBUM NAME"), QStringLiteral("Input the name of the new album"),
                        QStringLiteral("creating a album"),
                        {QStringLiteral("You have allready used 'Summer' as a album name"),
                         QStringLiteral("You have allready used 'SUMMER' as a album name"),
                         QStringLiteral("entry of the album list"), QStringLiteral("file named 'EMPTY.BMP'")});

        // The new album opens at page 1, empty.
        Form1 &page = env.owner().albumPage();
        QTRY_COMPARE(page.windowTitle(), QStringLiteral("Winter's 100%, Page 1"));
        for (int k = 1; k <= 6; ++k)
            QTRY_COMPARE(page.Image1(k)->tag(), QStringLiteral("0"));
        QVERIFY(QDir(env.store.albumFolder(QStringLiteral("Winter's 100%"))).isEmpty());
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
        const QString picture = env.putPicture(QStringLiteral("Holidays"), 2, 3, QStringLiteral(".bmp"), QSize(8, 8));
        DescriptionFile::create(env.store.databasePath(),
                                {{QStringLiteral("Holidays"), 2, 3, QStringLiteral("beach")},
                                 {QStringLiteral("Holiday"), 2, 3, QStringLiteral("not mine")},
                                 {QStringLiteral("holidays"), 1, 1, QStringLiteral("mine in other letters")}});
        env.dialogs.type(newName);
        env.dialogs.answer(Answer::Yes);
        QVERIFY(AlbumManager(env.store, env.values, env.dialogs).renameAlbum(QStringLiteral("Holidays")));
        QCOMPARE(env.dialogs.shown().size(), 2);
        QVERIFY(!QFileInfo::exists(picture));
        QVERIFY(QFileInfo::exists(env.store.picturePath(newName, 2, 3, QStringLiteral(".bmp"))));
        QCOMPARE(env.store.albumNames(), QStringList{newName});
        QCOMPARE(rows(env), QStringList({row(newName, 2, 3, QStringLiteral("beach")),
                                         row(QStringLiteral("Holiday"), 2, 3, QStringLiteral("not mine")),
                                         row(newName, 1, 1, QStringLiteral("mine in other letters"))}));
    }

    void renameFailuresAndLeftoversKeepTheDescriptionsWhole()
    {
        TestEnvironment env;
        env.makeAlbum(QStringLiteral("Holidays"));
        // Rows of a "Gone" the list still shows, and of a "Summer" whose folder was removed by hand.
        DescriptionFile::create(env.store.databasePath(), {{QStringLiteral("Gone"), 1, 1, QStringLiteral("kept")},
                                                           {QStringLiteral("Summer"), 1, 1, QStringLiteral("stale")},
                                                           {QStringLiteral("Summer"), 1, 2, QStringLiteral("leftover")},
                                                           {QStringLiteral("Holidays"), 1, 1, QStringLiteral("current")}});
        const QStringList before = rows(env);
        env.dialogs.type(QStringLiteral("Back"));
        env.dialogs.answer(Answer::Yes);
        AlbumManager manager(env.store, env.values, env.dialogs);
        QVERIFY(!manager.renameAlbum(QStringLiteral("Gone")));
        QVERIFY(env.dialogs.lastText().startsWith(QLatin1String("'Gone' could not be renamed to 'Back': ")));
        QVERIFY(env.dialogs.lastText().endsWith(QLatin1String("The album and its descriptions are unchanged.")));
        QCOMPARE(rows(env), before);
        QVERIFY(!QFileInfo::exists(env.store.albumFolder(QStringLiteral("Back"))));

        // One description per position after the rename.
        QVERIFY(manager.moveAlbum(QStringLiteral("Holidays"), QStringLiteral("Summer")));
        QCOMPARE(rows(env), QStringList({row(QStringLiteral("Gone"), 1, 1, QStringLiteral("kept")),
                                         row(QStringLiteral("Summer"), 1, 2, QStringLiteral("leftover")),
                                         row(QStringLiteral("Summer"), 1, 1, QStringLiteral("current"))}));
    }

    void whatCannotBeChangedKeepsItsDescriptions()
    {
        TestEnvironment env;
        env.makeAlbum(QStringLiteral("Described"));
        env.makeAlbum(QStringLiteral("Bare"));
        const QString picture = env.putPicture(QStringLiteral("Locked"), 1, 1, QStringLiteral(".jpg"), QSize(8, 8));
        DescriptionFile::create(env.store.databasePath(), {{QStringLiteral("Described"), 1, 1, QStringLiteral("text")},
                                                           {QStringLiteral("Locked"), 1, 1, QStringLiteral("text")}});
        AlbumManager manager(env.store, env.values, env.dialogs);

        // Pictures that cannot be deleted keep their album and descriptions.
        {
            ReadOnlyPath guard(env.store.albumFolder(QStringLiteral("Locked")));
            if (!guard.isActive())
                QSKIP("This file system cannot make a folder read-only for this process.");
            QCOMPARE(manager.removeAlbum(QStringLiteral("Locked")), Deletion::Kept);
            QVERIFY(env.dialogs.lastText().startsWith(QLatin1String("Not every picture of 'Locked' could be deleted.")));
            QVERIFY(env.dialogs.lastText().contains(QLatin1String("P1I0.jpg")));
            QVERIFY(QFileInfo::exists(picture));
        }

        // Descriptions that cannot be carried hold the rename back.
        ReadOnlyPath guard(env.store.databasePath());
        QVERIFY(!manager.moveAlbum(QStringLiteral("Described"), QStringLiteral("Moved")));
        QVERIFY(env.dialogs.lastText().startsWith(QLatin1String("'Described' was not renamed.")));
        QVERIFY(QFileInfo(env.store.albumFolder(QStringLiteral("Described"))).isDir());
        QCOMPARE(rows(env).size(), 2);
        // Nothing to carry, nothing lost.
        QVERIFY(manager.moveAlbum(QStringLiteral("Bare"), QStringLiteral("Clothed")));
    }

    void deleteTakesPicturesFolderAndOwnDescriptions_data()
    {
        QTest::addColumn<QString>("album");
        QTest::addColumn<QStringList>("neighbours");
        QTest::newRow("apostrophe") << "Holiday's" << QStringList{"Holiday''s", "Holidays", "Holiday"};
        QTest::newRow("wildcards") << "1_0%" << QStringList{"1x0%", "1_00", "1_0"};
    }

    void deleteTakesPicturesFolderAndOwnDescriptions()
    {
        QFETCH(QString, album);
        QFETCH(QStringList, neighbours);
        TestEnvironment env;
        for (const char *extension : {".jpg", ".JPG", ".BMP", ".bmp"})
            env.putPicture(album, 4, 2, QLatin1String(extension), QSize(8, 8));
        QList<PictureRecord> records{{album, 1, 1, QStringLiteral("gone")}, {album.toUpper(), 4, 2, QStringLiteral("gone")}};
        QStringList kept;
        for (const QString &n : neighbours) {
            env.putPicture(n, 1, 1, QStringLiteral(".jpg"), QSize(8, 8));
            records << PictureRecord{n, 1, 1, QStringLiteral("kept")};
            kept << row(n, 1, 1, QStringLiteral("kept"));
        }
        DescriptionFile::create(env.store.databasePath(), records);

        env.dialogs.answer(Answer::Yes);
        QCOMPARE(AlbumManager(env.store, env.values, env.dialogs).deleteAlbum(album), Deletion::Deleted);
        QCOMPARE(env.dialogs.shown().size(), 1);
        QCOMPARE(text(env.dialogs, 0), QStringLiteral("Are you sure that You want to delete '%1'").arg(album));
        QVERIFY(!QFileInfo::exists(env.store.albumFolder(album)));
        QCOMPARE(rows(env), kept);
        for (const QString &n : neighbours)
            QVERIFY(QFileInfo::exists(env.store.picturePath(n, 1, 1, QStringLiteral(".jpg"))));
    }

    void nothingOutsideTheProgramFolderIsTouched()
    {
        TestEnvironment env;
        // A folder beside the program folder, holding a picture.
        const QString outside = env.programFolder() + QStringLiteral("-outside");
        QVERIFY(QDir().mkpath(outside));
        const QString theirs = QDir(outside).filePath(QStringLiteral("P1I0.jpg"));
        QVERIFY(QFile::copy(TestEnvironment::deliveredData(QStringLiteral("P1I0.jpg")), theirs));
        AlbumManager manager(env.store, env.values, env.dialogs);

        // An album that is a link to a folder elsewhere goes as a link.
        QVERIFY(QFile::link(outside, env.store.albumFolder(QStringLiteral("Linked"))));
        QCOMPARE(manager.removeAlbum(QStringLiteral("Linked")), Deletion::Deleted);
        QVERIFY(!QFileInfo(env.store.albumFolder(QStringLiteral("Linked"))).isSymLink());
        // So does a picture that is a link to a file elsewhere.
        env.makeAlbum(QStringLiteral("Real"));
        QVERIFY(QFile::link(theirs, env.store.picturePath(QStringLiteral("Real"), 1, 1, QStringLiteral(".jpg"))));
        QCOMPARE(manager.removeAlbum(QStringLiteral("Real")), Deletion::Deleted);
        QVERIFY(!QFileInfo::exists(env.store.albumFolder(QStringLiteral("Real"))));
        QVERIFY(env.dialogs.shown().isEmpty());

        // Names that reach outside are refused.
        for (const QString &album : {QStringLiteral(".."), QStringLiteral("../") + QFileInfo(outside).fileName(), QString()}) {
            QCOMPARE(manager.removeAlbum(album), Deletion::Kept);
            QVERIFY(!manager.moveAlbum(album, QStringLiteral("x")));
        }
        QVERIFY(QFileInfo::exists(theirs));
        QVERIFY(QFileInfo::exists(env.store.placeholderPath()));
        QVERIFY(!QFileInfo::exists(env.store.albumFolder(QStringLiteral("x"))));
        QDir(outside).removeRecursively();
    }

    void albumListDeletesAndRenames()
    {
        TestEnvironment env;
        const QString picture = env.putPicture(QStringLiteral("Mixed"), 1, 1, QStringLiteral(".jpg"), QSize(8, 8));
        DescriptionFile::create(env.store.databasePath(), {{QStringLiteral("Mixed"), 1, 1, QStringLiteral("text")}});
        QFile notes(QDir(env.store.albumFolder(QStringLiteral("Mixed"))).filePath(QStringLiteral("notes.txt")));
        QVERIFY(notes.open(QIODevice::WriteOnly));
        notes.close();
        env.makeAlbum(QStringLiteral("Plain"));
        frmSelect &list = env.owner().albumList();
        env.owner().present(list);
        const QString create = frmSelect::kCreateNewAlbum;

        // The special entries are neither renamed nor deleted.
        select(list, create);
        trigger(list, "mnuChangeName");
        trigger(list, "mnuDelete");
        QCOMPARE(env.dialogs.shown().size(), 2);
        QCOMPARE(text(env.dialogs, 0), QStringLiteral("You can not change the name of this item"));
        QCOMPARE(text(env.dialogs, 1), QStringLiteral("You can not delete this item"));

        // No keeps everything.
        select(list, QStringLiteral("Mixed"));
        env.dialogs.answer(Answer::No);
        trigger(list, "mnuDelete");
        QVERIFY(QFileInfo::exists(picture));
        QCOMPARE(rows(env).size(), 1);

        // A folder holding another file loses its pictures, rows and entry,
        // and comes back when the list is filled again.
        env.dialogs.answer(Answer::Yes);
        trigger(list, "mnuDelete");
        QCOMPARE(listed(list), QStringList({QStringLiteral("Plain"), create}));
        QVERIFY(!QFileInfo::exists(picture));
        QVERIFY(rows(env).isEmpty());
        QVERIFY(notes.exists());
        list.RenewList();
        QVERIFY(listed(list).contains(QStringLiteral("Mixed")));

        // Renaming asks again after Cancel and after a name it cannot take; No changes nothing.
        select(list, QStringLiteral("Plain"));
        env.dialogs.clear();
        env.dialogs.type(QString());
        env.dialogs.answer(Answer::Yes);
        for (const char *name : {"mixed", "Plain", "x/y", "Summer"})
            env.dialogs.type(QLatin1String(name));
        env.dialogs.answer(Answer::Cancel);
        env.dialogs.type(QStringLiteral("Autumn"));
        env.dialogs.answer(Answer::No);
        trigger(list, "mnuChangeName");
        QVERIFY(env.dialogs.allAnswered());
        QCOMPARE(env.dialogs.shown().size(), 12);
        checkAskedAgain(env.dialogs, QStringLiteral("RENAME"), QStringLiteral("Input a new name for the album"),
                        QStringLiteral("renaming the album"),
                        {QStringLiteral("You have allready used 'mixed' as a album name"),
                         QStringLiteral("You have allready used 'Plain' as a album name"), QStringLiteral("'/'")});
        for (const int confirm : {9, 11}) {
            QCOMPARE(env.dialogs.shown()[confirm].kind + env.dialogs.shown()[confirm].title,
                     QStringLiteral("yesnocancelWARNING"));
        }
        QCOMPARE(text(env.dialogs, 9), QStringLiteral("Are you sure that you want to rename the album \r\n"
                                                      " ' Plain '  as ' Summer ' \r\n"
                                                      "Press <Cancel> to get another name."));
        QCOMPARE(env.store.albumNames(), QStringList({"Mixed", "Plain"}));

        env.dialogs.type(QStringLiteral("Fancy"));
        env.dialogs.answer(Answer::Yes);
        trigger(list, "mnuChangeName");
        QCOMPARE(listed(list), QStringList({QStringLiteral("Fancy"), QStringLiteral("Mixed"), create}));
        QVERIFY(env.dialogs.allAnswered());
    }
};

KOLUMBRA_TEST(TestAlbumManagement)
#include "AlbumManagementTest.moc"
