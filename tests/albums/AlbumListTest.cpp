#include "albums/frmSelect.h"
#include "albumview/Form1.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"

#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QtTest>

namespace {

QStringList entries(const frmSelect &form)
{
    QStringList list;
    for (int i = 0; i < form.list()->count(); ++i)
        list << form.list()->item(i)->text();
    return list;
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
    void albumsSortIgnoringCaseAndTheListIsRenewedOnActivation()
    {
        TestEnvironment env;
        for (const char *name : {"beta", "Alpha", "Zebra pictures"})
            env.makeAlbum(QLatin1String(name));
        frmSelect &form = env.owner().albumList();
        env.owner().present(form);
        QCOMPARE(entries(form), QStringList({"Alpha", "beta", "Zebra pictures", "Create New Album"}));
        QCOMPARE(form.windowTitle(), QStringLiteral("Select Album Display"));
        QCOMPARE(form.findChild<QLabel *>(QStringLiteral("Label1"))->text(),
                 QStringLiteral("Either double click the album name\r\nor\r\n"
                                "select the album with a left click and  then display a menu with a right click."));

        // Coming back from an album: the list is read again and the next album opens at page 1.
        env.values.PageNumber = 5;
        env.values.PageLoaded = true;
        env.makeAlbum(QStringLiteral("gamma"));
        form.hide();
        env.owner().present(form);
        QCOMPARE(entries(form), QStringList({"Alpha", "beta", "gamma", "Zebra pictures", "Create New Album"}));
        QCOMPARE(env.values.PageNumber, 1);
        QVERIFY(!env.values.PageLoaded);
    }

    void emptyProgramFolderOffersCreationFirst()
    {
        TestEnvironment env;
        frmSelect &form = env.owner().albumList();
        env.owner().present(form);
        QCOMPARE(entries(form), QStringList({"Create New Album", "There are no Album's stored"}));

        // Nothing chosen: a double click does nothing.
        form.list()->clearSelection();
        form.List1_DblClick();
        QVERIFY(env.dialogs.shown().isEmpty());

        form.list()->setCurrentRow(1);
        form.List1_DblClick();
        QCOMPARE(env.dialogs.shown().size(), 1);
        QCOMPARE(env.dialogs.lastText(), QStringLiteral("You can't select this item as an album"));
        QCOMPARE(env.dialogs.shown().last().title, QStringLiteral("WARNING"));
        QVERIFY(!env.owner().albumPage().isVisible());
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

        // A double click opens the album at page 1.
        QTest::mouseClick(rows, Qt::LeftButton, {}, rowCentre(form, 0));
        QTest::mouseDClick(rows, Qt::LeftButton, {}, rowCentre(form, 0));
        Form1 &page = env.owner().albumPage();
        QVERIFY(TestEnvironment::waitForPage(page));
        QCOMPARE(env.values.AlbumKind, QStringLiteral("Stored Album"));
        QCOMPARE(page.windowTitle(), QStringLiteral("Holidays, Page 1"));
        QVERIFY(!form.isVisible());

        // The popup comes only once an entry is chosen, and leaves the choice alone.
        env.owner().present(form);
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::mouseClick(rows, Qt::RightButton, {}, rowCentre(form, 0));
        QVERIFY(!form.popupMenu()->isVisible());
        QTest::mouseClick(rows, Qt::LeftButton, {}, rowCentre(form, 1));
        QTest::mouseClick(rows, Qt::RightButton, {}, rowCentre(form, 0));
        QTRY_VERIFY(form.popupMenu()->isVisible());
        form.popupMenu()->findChild<QAction *>(QStringLiteral("mnuSelect"))->trigger();
        form.popupMenu()->hide();
        QTRY_COMPARE(page.windowTitle(), QStringLiteral("Other, Page 1"));
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
};

KOLUMBRA_TEST(AlbumListTest)
#include "AlbumListTest.moc"
