#include "albums/frmSelect.h"
#include "albumstore/AlbumStore.h"
#include "albumview/Form1.h"
#include "app/frmStartUp.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

namespace {

QStringList entries(const frmSelect &form)
{
    QStringList list;
    for (int i = 0; i < form.list()->count(); ++i)
        list << form.list()->item(i)->text();
    return list;
}

void select(frmSelect &form, const QString &text)
{
    form.list()->setCurrentItem(form.list()->findItems(text, Qt::MatchExactly).value(0));
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
    void albumsSortIgnoringCaseWithCreationLast()
    {
        TestEnvironment env;
        for (const char *name : {"beta", "Alpha", "gamma"})
            env.makeAlbum(QLatin1String(name));
        QDir(env.makeAlbum(QStringLiteral("empty"))).removeRecursively();
        env.makeAlbum(QStringLiteral("Zebra pictures"));
        frmSelect &form = env.owner().albumList();
        env.owner().present(form);
        QCOMPARE(entries(form), QStringList({"Alpha", "beta", "gamma", "Zebra pictures", "Create New Album"}));
        QCOMPARE(form.windowTitle(), QStringLiteral("Select Album Display"));
        QCOMPARE(form.findChild<QLabel *>(QStringLiteral("Label1"))->text(),
                 QStringLiteral("Either double click the album name\r\nor\r\n"
                                "select the album with a left click and  then display a menu with a right click."));
    }

    void emptyProgramFolderOffersCreationFirst()
    {
        TestEnvironment env;
        frmSelect &form = env.owner().albumList();
        env.owner().present(form);
        QCOMPARE(entries(form), QStringList({"Create New Album", "There are no Album's stored"}));

        select(form, QStringLiteral("There are no Album's stored"));
        form.List1_DblClick();
        QCOMPARE(env.dialogs.shown().size(), 1);
        QCOMPARE(env.dialogs.lastText(), QStringLiteral("You can't select this item as an album"));
        QCOMPARE(env.dialogs.shown().last().title, QStringLiteral("WARNING"));
        QVERIFY(!env.owner().albumPage().isVisible());
    }

    void listIsRenewedOnEveryActivation()
    {
        TestEnvironment env;
        env.makeAlbum(QStringLiteral("One"));
        frmSelect &form = env.owner().albumList();
        env.owner().present(form);
        env.values.PageNumber = 5;
        env.values.PageLoaded = true;
        env.makeAlbum(QStringLiteral("Two"));
        form.hide();
        env.owner().present(form);
        QCOMPARE(entries(form), QStringList({"One", "Two", "Create New Album"}));
        QCOMPARE(env.values.PageNumber, 1);
        QVERIFY(!env.values.PageLoaded);
    }

    void doubleClickOpensTheAlbum()
    {
        TestEnvironment env;
        env.putPicture(QStringLiteral("Holidays"), 1, 2, QStringLiteral(".jpg"), QSize(30, 20));
        frmSelect &form = env.owner().albumList();
        env.owner().present(form);
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        // A double click starts with a press that selects the row.
        QTest::mouseClick(form.list()->viewport(), Qt::LeftButton, {}, rowCentre(form, 0));
        QTest::mouseDClick(form.list()->viewport(), Qt::LeftButton, {}, rowCentre(form, 0));
        Form1 &page = env.owner().albumPage();
        QVERIFY(TestEnvironment::waitForPage(page));
        QCOMPARE(env.values.AlbumName, QStringLiteral("Holidays"));
        QCOMPARE(env.values.AlbumKind, QStringLiteral("Stored Album"));
        QCOMPARE(page.windowTitle(), QStringLiteral("Holidays, Page 1"));
        QVERIFY(!form.isVisible());
    }

    void doubleClickWithoutSelectionDoesNothing()
    {
        TestEnvironment env;
        env.makeAlbum(QStringLiteral("Holidays"));
        frmSelect &form = env.owner().albumList();
        env.owner().present(form);
        form.list()->clearSelection();
        form.List1_DblClick();
        QVERIFY(!env.owner().albumPage().isVisible());
        QVERIFY(env.dialogs.shown().isEmpty());
    }

    void rightClickShowsThePopupForTheChosenEntry()
    {
        TestEnvironment env;
        env.makeAlbum(QStringLiteral("First"));
        env.makeAlbum(QStringLiteral("Second"));
        frmSelect &form = env.owner().albumList();
        env.owner().present(form);
        QVERIFY(QTest::qWaitForWindowExposed(&form));

        QTest::mouseClick(form.list()->viewport(), Qt::RightButton, {}, rowCentre(form, 1));
        QVERIFY(!form.popupMenu()->isVisible());  // nothing chosen yet

        QTest::mouseClick(form.list()->viewport(), Qt::LeftButton, {}, rowCentre(form, 0));
        QTest::mouseClick(form.list()->viewport(), Qt::RightButton, {}, rowCentre(form, 1));
        QTRY_VERIFY(form.popupMenu()->isVisible());
        QCOMPARE(form.list()->currentItem()->text(), QStringLiteral("First"));
        form.popupMenu()->findChild<QAction *>(QStringLiteral("mnuSelect"))->trigger();
        form.popupMenu()->hide();
        QVERIFY(TestEnvironment::waitForPage(env.owner().albumPage()));
        QCOMPARE(env.values.AlbumName, QStringLiteral("First"));
    }

    void escapeAndClosingEndTheProgram()
    {
        TestEnvironment env;
        frmSelect &form = env.owner().albumList();
        env.owner().present(form);
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTest::keyClick(&form, Qt::Key_Escape);
        QCOMPARE(env.endCount(), 1);

        TestEnvironment other;
        other.owner().present(other.owner().albumList());
        other.owner().albumList().close();
        QCOMPARE(other.endCount(), 1);
    }

    void thousandAlbumsAreAllListed()
    {
        TestEnvironment env;
        for (int i = 0; i < 1000; ++i)
            env.makeAlbum(QStringLiteral("Album %1").arg(i, 4, 10, QLatin1Char('0')));
        frmSelect &form = env.owner().albumList();
        env.owner().present(form);
        QCOMPARE(form.list()->count(), 1001);
        QCOMPARE(form.list()->item(0)->text(), QStringLiteral("Album 0000"));
        QCOMPARE(form.list()->item(999)->text(), QStringLiteral("Album 0999"));
    }
};

KOLUMBRA_TEST(AlbumListTest)
#include "AlbumListTest.moc"
