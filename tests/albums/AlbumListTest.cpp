#include "support/DescriptionFile.h"

#include "albums/frmSelect.h"
#include "albumview/Form1.h"
#include "platform/PictureView.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"

#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QtTest>

namespace {

using Answer = Dialogs::Answer;

QStringList entries(const frmSelect &form)
{
    QStringList list;
    for (int i = 0; i < form.list()->count(); ++i)
        list << form.list()->item(i)->text();
    return list;
}

void select(frmSelect &form, const QString &entry)
{
    form.list()->setCurrentItem(form.list()->findItems(entry, Qt::MatchExactly).value(0));
}

void trigger(frmSelect &form, const char *action)
{
    form.findChild<QAction *>(QLatin1String(action))->trigger();
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

QPoint rowCentre(const frmSelect &form, int row)
{
    return form.list()->visualItemRect(form.list()->item(row)).center();
}

} // namespace

class AlbumListTest : public QObject
{
    Q_OBJECT

private slots:
    void theListIsReadAgainOnEveryActivation()
    {
        TestEnvironment env;
        frmSelect &form = env.owner().albumList();
        env.owner().present(form);
        QCOMPARE(entries(form), QStringList({"Create New Album", "There are no Album's stored"}));
        form.list()->setCurrentRow(1);
        form.List1_DblClick();
        QCOMPARE(env.dialogs.lastText(), QStringLiteral("You can't select this item as an album"));
        QVERIFY(!env.owner().albumPage().isVisible());

        // Coming back from an album: the albums, sorted without regard to
        // letter case, and the next album opens at page 1.
        for (const char *name : {"beta", "Alpha", "Zebra pictures"})
            env.makeAlbum(QLatin1String(name));
        env.values.PageNumber = 5;
        env.values.PageLoaded = true;
        form.hide();
        env.owner().present(form);
        QCOMPARE(entries(form), QStringList({"Alpha", "beta", "Zebra pictures", "Create New Album"}));
        QCOMPARE(form.findChild<QLabel *>(QStringLiteral("Label1"))->text(),
                 QStringLiteral("Either double click the album name\r\nor\r\nselect the album with a left "
                                "click and  then display a menu with a right click."));
        QCOMPARE(env.values.PageNumber, 1);
        QVERIFY(!env.values.PageLoaded);
    }

    void theMouseChoosesAndOpens()
    {
        TestEnvironment env;
        env.putPicture(QStringLiteral("Holidays"), 1, 2, QStringLiteral(".jpg"), QSize(30, 20));
        env.makeAlbum(QStringLiteral("Other"));
        frmSelect &form = env.owner().albumList();
        env.owner().present(form);
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QWidget *rows = form.list()->viewport();

        QTest::mouseClick(rows, Qt::LeftButton, {}, rowCentre(form, 0));
        QTest::mouseDClick(rows, Qt::LeftButton, {}, rowCentre(form, 0));
        Form1 &page = env.owner().albumPage();
        QVERIFY(TestEnvironment::waitForPage(page));
        QCOMPARE(env.values.AlbumKind, QStringLiteral("Stored Album"));
        QCOMPARE(page.windowTitle(), QStringLiteral("Holidays, Page 1"));
        QVERIFY(!form.isVisible());

        // The popup comes only once an entry is chosen.
        env.owner().present(form);
        QTest::mouseClick(rows, Qt::RightButton, {}, rowCentre(form, 0));
        QVERIFY(!form.popupMenu()->isVisible());
        select(form, QStringLiteral("Other"));
        QTest::mouseClick(rows, Qt::RightButton, {}, rowCentre(form, 0));
        QTRY_VERIFY(form.popupMenu()->isVisible());
        trigger(form, "mnuSelect");
        form.popupMenu()->hide();
        QTRY_COMPARE(page.windowTitle(), QStringLiteral("Other, Page 1"));

        // Esc and closing end the program.
        env.owner().present(form);
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTest::keyClick(&form, Qt::Key_Escape);
        QCOMPARE(env.endCount(), 1);
        TestEnvironment other;
        other.owner().present(other.owner().albumList());
        other.owner().albumList().close();
        QCOMPARE(other.endCount(), 1);
    }

    void createAsksUntilTheNameIsUsableThenOpensTheAlbum()
    {
        TestEnvironment env;
        env.makeAlbum(QStringLiteral("Summer"));
        frmSelect &list = env.owner().albumList();
        env.owner().present(list);
        select(list, frmSelect::kCreateNewAlbum);

        // Given up: nothing opened.
        env.dialogs.type(QString());
        env.dialogs.answer(Answer::No);
        list.List1_DblClick();
        QVERIFY(env.dialogs.allAnswered());
        QVERIFY(!env.owner().albumPage().isVisible());

        env.dialogs.clear();
        env.dialogs.type(QStringLiteral(" "));
        env.dialogs.answer(Answer::Yes);
        for (const char *name : {"Summer", "SUMMER", "Create New Album", "EMPTY.BMP", "Winter's 100%"})
            env.dialogs.type(QLatin1String(name));
        list.List1_DblClick();
        QVERIFY(env.dialogs.allAnswered());
        QCOMPARE(env.dialogs.shown().size(), 11);
        checkAskedAgain(env.dialogs, QStringLiteral("ENTER ALBUM NAME"),
                        QStringLiteral("Input the name of the new album"), QStringLiteral("creating a album"),
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

    void deleteAndRenameFromTheMenu()
    {
        TestEnvironment env;
        const QString picture = env.putPicture(QStringLiteral("Mixed"), 1, 1, QStringLiteral(".jpg"), QSize(8, 8));
        const QString rows = env.store.databasePath();
        DescriptionFile::create(rows, {{QStringLiteral("Mixed"), 1, 1, QStringLiteral("text")}});
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
        QCOMPARE(env.dialogs.shown()[0].text, QStringLiteral("You can not change the name of this item"));
        QCOMPARE(env.dialogs.shown()[1].text, QStringLiteral("You can not delete this item"));

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
        QVERIFY(notes.exists());
        list.RenewList();
        QVERIFY(entries(list).contains(QStringLiteral("Mixed")));

        // Renaming asks again after Cancel and after a name it cannot take (the
        // rules are those of creation); No changes nothing.
        select(list, QStringLiteral("Plain"));
        env.dialogs.clear();
        env.dialogs.type(QString());
        env.dialogs.answer(Answer::Yes);
        env.dialogs.type(QStringLiteral("Plain"));
        env.dialogs.type(QStringLiteral("Summer"));
        env.dialogs.answer(Answer::Cancel);
        env.dialogs.type(QStringLiteral("Autumn"));
        env.dialogs.answer(Answer::No);
        trigger(list, "mnuChangeName");
        QVERIFY(env.dialogs.allAnswered());
        QCOMPARE(env.dialogs.shown().size(), 8);
        checkAskedAgain(env.dialogs, QStringLiteral("RENAME"), QStringLiteral("Input a new name for the album"),
                        QStringLiteral("renaming the album"), {QStringLiteral("allready used 'Plain' as a album")});
        const ScriptedDialogs::Shown &confirm = env.dialogs.shown()[5];
        QCOMPARE(confirm.kind + confirm.title, QStringLiteral("yesnocancelWARNING"));
        QCOMPARE(confirm.text, QStringLiteral("Are you sure that you want to rename the album \r\n"
                                              " ' Plain '  as ' Summer ' \r\nPress <Cancel> to get another name."));
        QCOMPARE(env.dialogs.shown()[6].text, QStringLiteral("Input a new name for the album"));
        QCOMPARE(env.store.albumNames(), QStringList({"Mixed", "Plain"}));

        env.dialogs.type(QStringLiteral("Fancy"));
        env.dialogs.answer(Answer::Yes);
        trigger(list, "mnuChangeName");
        QCOMPARE(entries(list), QStringList({QStringLiteral("Fancy"), QStringLiteral("Mixed"), create}));
    }
};

KOLUMBRA_TEST(AlbumListTest)
#include "AlbumListTest.moc"
