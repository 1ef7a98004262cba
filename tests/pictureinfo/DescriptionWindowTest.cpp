#include "support/DescriptionFile.h"
#include "support/ReadOnlyPath.h"

#include "albumview/Form1.h"
#include "display/frmDisplayPicture.h"
#include "editing/EditController.h"
#include "pictureinfo/PictureInfo.h"
#include "pictureinfo/PictureInfoDatabase.h"
#include "pictureinfo/frmDiscription.h"
#include "platform/PictureView.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace {

const QString kAlbum = QStringLiteral("Trip");

struct Window
{
    TestEnvironment env;
    frmDiscription *w = nullptr;

    QStringList rows() { return DescriptionFile::Connection(env.store.databasePath()).rows(); }
    void seed(const QList<PictureRecord> &records)
    {
        PictureInfoDatabase::open(env.store.databasePath());  // creates the table
        DescriptionFile::Connection(env.store.databasePath()).insert(records);
    }
    frmDiscription &open(const QString &album, int page, int picture)
    {
        env.values.AlbumName = album;
        env.values.PageNumber = page;
        env.values.PictureNumber = picture;
        w = &env.owner().descriptionWindow();
        env.owner().present(*w);
        return *w;
    }
    QPlainTextEdit *text() { return w->findChild<QPlainTextEdit *>(QStringLiteral("Text1")); }
    QPushButton *button(const char *name) { return w->findChild<QPushButton *>(QLatin1String(name)); }
    bool editAndDeleteShown() { return button("CmdEdit")->isVisible() && button("cmdDelete")->isVisible(); }
    void type(const QString &t)
    {
        text()->setFocus();
        QTest::keyClicks(text(), t);
    }
};

} // namespace

class DescriptionWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void aPositionWithoutADescriptionIsReadyForTyping()
    {
        Window t;
        frmDiscription &w = t.open(kAlbum, 2, 3);
        QVERIFY(t.text()->isEnabled());
        QVERIFY(t.text()->toPlainText().isEmpty());
        QCOMPARE(w.windowTitle(), QStringLiteral("Picture Information"));
        QTest::qWait(40);
        QVERIFY(!t.editAndDeleteShown());

        QVERIFY(w.cmdClose_Click());
        QVERIFY(!w.isVisible());
        QVERIFY(t.rows().isEmpty());

        t.open(kAlbum, 2, 3);
        t.type(QStringLiteral("x"));
        QVERIFY(w.cmdClose_Click());
        QCOMPARE(t.rows(), QStringList(QStringLiteral("Trip|2|3|x")));
    }

    void blanksAreNeverStored_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("one blank") << " ";
        QTest::newRow("several blanks") << "   ";
        QTest::newRow("an empty line") << "\n";
    }

    void blanksAreNeverStored()
    {
        QFETCH(QString, typed);
        Window t;
        frmDiscription &w = t.open(kAlbum, 1, 1);
        t.text()->setPlainText(typed);
        QVERIFY(w.cmdClose_Click());
        QVERIFY(t.rows().isEmpty());
    }

    void anExistingDescriptionIsShownReadOnly()
    {
        Window t;
        t.seed({{kAlbum, 4, 5, QStringLiteral("Sunset at the pier")}});
        frmDiscription &w = t.open(QStringLiteral("TRIP"), 4, 5);  // album names ignore letter case
        QCOMPARE(t.text()->toPlainText(), QStringLiteral("Sunset at the pier"));
        QVERIFY(!t.text()->isEnabled());
        QTRY_VERIFY(t.editAndDeleteShown());
        QVERIFY(t.button("cmdClose")->isVisible());
        QVERIFY(w.cmdClose_Click());
        QCOMPARE(t.rows(), QStringList(QStringLiteral("Trip|4|5|Sunset at the pier")));
    }

    void editingChangesTheSameRow()
    {
        Window t;
        t.seed({{kAlbum, 1, 2, QStringLiteral("old")}, {kAlbum, 1, 3, QStringLiteral("other")}});
        frmDiscription &w = t.open(kAlbum, 1, 2);
        QTRY_VERIFY(t.editAndDeleteShown());
        t.button("CmdEdit")->click();
        QVERIFY(w.Edit());
        QVERIFY(t.text()->isEnabled());
        QVERIFY(!t.editAndDeleteShown());
        QTest::keyClicks(t.text(), QStringLiteral(" and new"));
        QVERIFY(w.cmdClose_Click());
        QVERIFY(!w.Edit());
        QCOMPARE(t.rows(), QStringList({"Trip|1|2|old and new", "Trip|1|3|other"}));
    }

    void erasingWhileEditingRemovesTheRow()
    {
        Window t;
        t.seed({{kAlbum, 3, 1, QStringLiteral("to go")}});
        frmDiscription &w = t.open(kAlbum, 3, 1);
        QTRY_VERIFY(t.editAndDeleteShown());
        w.CmdEdit_Click();
        t.text()->clear();
        QVERIFY(w.cmdClose_Click());
        QVERIFY(t.rows().isEmpty());
        t.open(kAlbum, 3, 1);
        QVERIFY(t.text()->isEnabled());
        QVERIFY(t.text()->toPlainText().isEmpty());
    }

    void aSingleBlankDescriptionOffersNothing()
    {
        Window t;
        t.seed({{kAlbum, 1, 1, QStringLiteral(" ")}});
        frmDiscription &w = t.open(kAlbum, 1, 1);
        QTest::qWait(60);
        QVERIFY(!t.editAndDeleteShown());
        QVERIFY(t.button("cmdClose")->isVisible());
        QVERIFY(w.cmdClose_Click());
        QCOMPARE(t.rows().size(), 1);
    }

    void deleteAsksFirst()
    {
        Window t;
        t.seed({{kAlbum, 2, 2, QStringLiteral("keep me?")}});
        frmDiscription &w = t.open(kAlbum, 2, 2);
        QTRY_VERIFY(t.editAndDeleteShown());
        t.env.dialogs.answer(Dialogs::Answer::No);
        w.cmdDelete_Click();
        QCOMPARE(t.env.dialogs.lastText(), QStringLiteral("Are you sure that you want to delete this information"));
        QVERIFY(t.editAndDeleteShown());
        QCOMPARE(t.rows().size(), 1);
        t.env.dialogs.answer(Dialogs::Answer::Yes);
        w.cmdDelete_Click();
        QVERIFY(!w.isVisible());
        QVERIFY(t.rows().isEmpty());
    }

    void comingBackToTheWindowKeepsTheTyping()
    {
        Window t;
        frmDiscription &w = t.open(kAlbum, 1, 4);
        t.type(QStringLiteral("half a thought"));
        w.Form_Activate();  // the user went to another window and came back
        QCOMPARE(t.text()->toPlainText(), QStringLiteral("half a thought"));
        t.env.values.PictureNumber = 5;  // another picture was asked for
        w.Form_Activate();
        QVERIFY(t.text()->toPlainText().isEmpty());
    }

    void theTextGoesToThePictureShown()
    {
        Window t;
        t.seed({{kAlbum, 1, 1, QStringLiteral("first")}});
        frmDiscription &w = t.open(kAlbum, 2, 6);
        t.type(QStringLiteral("for page two"));
        // Meanwhile the browser opened the whole table and the page moved on.
        PictureInfo::openRecords(t.env.values, t.env.store, t.env.dialogs, RecordQuery::all());
        t.env.values.PageNumber = 7;
        t.env.values.PictureNumber = 1;
        QVERIFY(w.cmdClose_Click());
        QCOMPARE(t.rows(), QStringList({"Trip|1|1|first", "Trip|2|6|for page two"}));
    }

    void whatCannotBeStoredStaysOnScreen()
    {
        Window t;
        PictureInfoDatabase::open(t.env.store.databasePath());
        ReadOnlyPath lock(t.env.store.databasePath());
        if (!lock.isActive())
            QSKIP("cannot make a file read-only here");
        frmDiscription &w = t.open(kAlbum, 1, 1);
        t.type(QStringLiteral("precious words"));
        QVERIFY(!w.cmdClose_Click());
        QVERIFY(w.isVisible());
        QCOMPARE(t.text()->toPlainText(), QStringLiteral("precious words"));
        QVERIFY(!t.env.dialogs.shown().isEmpty());
    }

    void openedFromThePageAndThePicture()
    {
        TestEnvironment env;
        env.putPicture(kAlbum, 1, 2, QStringLiteral(".jpg"), QSize(30, 20));
        Form1 *form = env.openAlbum(kAlbum);
        QVERIFY(form);
        QTest::mouseClick(form->Image1(2), Qt::RightButton);
        form->pictureEditMenu()->hide();
        form->findChild<QAction *>(QStringLiteral("mnuPicInfo"))->trigger();
        frmDiscription &w = env.owner().descriptionWindow();
        QVERIFY(w.isVisible());
        QTest::keyClicks(w.findChild<QPlainTextEdit *>(QStringLiteral("Text1")), QStringLiteral("from the page"));
        QVERIFY(w.cmdClose_Click());

        QTest::mouseClick(form->Image1(2), Qt::LeftButton);
        frmDisplayPicture &display = env.owner().pictureWindow();
        display.popupMenu()->findChild<QAction *>(QStringLiteral("mnuPicinfo"))->trigger();
        QVERIFY(w.isVisible());
        QVERIFY(display.isVisible());
        QCOMPARE(w.text(), QStringLiteral("from the page"));
    }

    void deletingFromThePopupTakesTheDescription()
    {
        TestEnvironment env;
        env.putPicture(kAlbum, 1, 1, QStringLiteral(".jpg"), QSize(30, 20));
        env.putPicture(kAlbum, 1, 2, QStringLiteral(".jpg"), QSize(30, 20));
        PictureInfoDatabase::open(env.store.databasePath());
        DescriptionFile::Connection(env.store.databasePath())
            .insert({{kAlbum, 1, 1, QStringLiteral("one")}, {kAlbum, 1, 2, QStringLiteral("two")}});
        Form1 *form = env.openAlbum(kAlbum);
        QVERIFY(form);

        // From the Edit menu the description stays.
        form->findChild<QAction *>(QStringLiteral("mnuDelete"))->trigger();
        env.dialogs.answer(Dialogs::Answer::Yes);
        QTest::mouseClick(form->Image1(1), Qt::LeftButton);
        // From the popup it goes with the picture.
        QTest::mouseClick(form->Image1(2), Qt::RightButton);
        form->pictureEditMenu()->hide();
        env.dialogs.answer(Dialogs::Answer::Yes);
        form->editing().mnuDDelete_Click();
        QCOMPARE(DescriptionFile::Connection(env.store.databasePath()).rows(), QStringList("Trip|1|1|one"));
        QCOMPARE(form->Image1(2)->tag(), QStringLiteral("0"));
    }
};

KOLUMBRA_TEST(DescriptionWindowTest)
#include "DescriptionWindowTest.moc"
