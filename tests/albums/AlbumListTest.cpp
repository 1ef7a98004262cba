#include "albums/BatchFiles.h"
#include "support/DescriptionFile.h"

#include "albumpage/AlbumPageWindow.h"
#include "albumpage/ThumbnailGrid.h"
#include "albums/AlbumListWindow.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"
#include "widgets/PictureView.h"

#include <QListWidget>
#include <QtTest>

namespace {

using Answer = Dialogs::Answer;

QStringList entries(const AlbumListWindow &form)
{
    QStringList list;
    for (int i = 0; i < form.list()->count(); ++i)
        list << form.list()->item(i)->text();
    return list;
}

void select(AlbumListWindow &form, const QString &entry)
{
    form.list()->setCurrentItem(form.list()->findItems(entry, Qt::MatchExactly).value(0));
}

void trigger(AlbumListWindow &form, const char *action)
{
    form.findChild<QAction *>(QLatin1String(action))->trigger();
}

}  // namespace

class AlbumListTest : public QObject
{
    Q_OBJECT

private slots:
    // Albums in the order of their names with letter case ignored, then the
    // entry that makes a new one.
    void albumsAreListedIgnoringLetterCase()
    {
        TestEnvironment env;
        for (const char *name : {"cherry", "Banana", "apple"})
            env.makeAlbum(QLatin1String(name));
        AlbumListWindow &list = env.owner().albumList();
        env.owner().present(list);
        QCOMPARE(entries(list), QStringList({"apple", "Banana", "cherry", "Create New Album"}));
    }

    void createAsksUntilTheNameIsUsableThenOpensTheAlbum()
    {
        TestEnvironment env;
        env.makeAlbum(QStringLiteral("Summer"));
        AlbumListWindow &list = env.owner().albumList();
        env.owner().present(list);
        select(list, QStringLiteral("Create New Album"));

        // A single space asks whether to go on; a name in use is asked again.
        env.dialogs.type(QStringLiteral(" "));
        env.dialogs.answer(Answer::Yes);
        env.dialogs.type(QStringLiteral("Summer"));
        env.dialogs.type(QStringLiteral("Winter's 100%"));
        list.List1_DblClick();
        QVERIFY(env.dialogs.allAnswered());
        QCOMPARE(env.dialogs.shown().at(3).text, QStringLiteral("You have allready used 'Summer' as a album name"));

        // The new album opens at page 1, empty.
        AlbumPageWindow &page = env.owner().albumPage();
        QTRY_COMPARE(page.windowTitle(), QStringLiteral("Winter's 100%, Page 1"));
        QTRY_VERIFY(!page.grid().isFilled(1));
    }

    void deleteAndRenameFromTheMenu()
    {
        TestEnvironment env;
        const QString picture = env.putPicture(QStringLiteral("Mixed"), QStringLiteral("P1I0.jpg"), QSize(8, 8));
        const QString rows = env.store.databasePath();
        DescriptionFile::create(rows, {{QStringLiteral("Mixed"), 1, 1, QStringLiteral("text")}});
        BatchFiles::write(env.store.albumFolder(QStringLiteral("Mixed")), QStringLiteral("notes.txt"), "mine");
        env.makeAlbum(QStringLiteral("Plain"));
        AlbumListWindow &list = env.owner().albumList();
        env.owner().present(list);
        const QString create = QStringLiteral("Create New Album");

        // No keeps everything. Yes takes the pictures, rows and entry of a folder
        // holding another file, which comes back when the list is filled again.
        select(list, QStringLiteral("Mixed"));
        env.dialogs.answer(Answer::No);
        trigger(list, "mnuDelete");
        QVERIFY(QFileInfo::exists(picture));
        QCOMPARE(DescriptionFile::rows(rows).size(), 1);
        env.dialogs.answer(Answer::Yes);
        trigger(list, "mnuDelete");
        QCOMPARE(entries(list), QStringList({QStringLiteral("Plain"), create}));
        QVERIFY(!QFileInfo::exists(picture));
        QVERIFY(DescriptionFile::rows(rows).isEmpty());
        QCOMPARE(BatchFiles::all(env.store.albumFolder(QStringLiteral("Mixed"))), QStringList{"notes.txt"});
        list.refillList();
        QVERIFY(entries(list).contains(QStringLiteral("Mixed")));

        // Its own name is refused and Cancel asks again; No changes nothing.
        select(list, QStringLiteral("Plain"));
        env.dialogs.type(QStringLiteral("Plain"));
        env.dialogs.type(QStringLiteral("Summer"));
        env.dialogs.answer(Answer::Cancel);
        env.dialogs.type(QStringLiteral("Autumn"));
        env.dialogs.answer(Answer::No);
        trigger(list, "mnuChangeName");
        QVERIFY(env.dialogs.allAnswered());
        QCOMPARE(env.store.albumNames(), QStringList({"Mixed", "Plain"}));

        env.dialogs.type(QStringLiteral("Fancy"));
        env.dialogs.answer(Answer::Yes);
        trigger(list, "mnuChangeName");
        QCOMPARE(entries(list), QStringList({QStringLiteral("Fancy"), QStringLiteral("Mixed"), create}));
    }
};

KOLUMBRA_TEST(AlbumListTest)
#include "AlbumListTest.moc"
