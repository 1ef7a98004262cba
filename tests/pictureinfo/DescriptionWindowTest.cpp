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

    QStringList rows() { return DescriptionFile::rows(env.store.databasePath()); }
    void seed(const QList<PictureRecord> &records)
    {
        PictureInfoDatabase::open(env.store.databasePath());  // creates the table
        DescriptionFile::Connection(env.store.databasePath()).insert(records);
    }
    frmDiscription &open(int page, int picture)
    {
        env.values.AlbumName = kAlbum;
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

// The picture information window: showing, typing, editing and deleting the
// description of one position, and where it is opened from.
class DescriptionWindowTest : public QObject
{
    Q_OBJECT

private slots:
    // What Close stores, for a position with and without a row, edited or
    // not. A blank description is never stored.
    void closeStoresWhatIsShown_data()
    {
        QTest::addColumn<QString>("stored");  // the row of 1/2 before; empty: none
        QTest::addColumn<bool>("edit");
        QTest::addColumn<QString>("text");  // the text at Close; null: as shown
        QTest::addColumn<QStringList>("after");
        const QString other = QStringLiteral("Trip|1|3|other");
        QTest::newRow("no row, nothing typed") << "" << false << "" << QStringList{other};
        QTest::newRow("no row, blanks") << "" << false << " \n " << QStringList{other};
        QTest::newRow("no row, typed") << "" << false << "x" << QStringList{other, "Trip|1|2|x"};
        QTest::newRow("a row, not edited") << "old" << false << QString() << QStringList{"Trip|1|2|old", other};
        QTest::newRow("a row, edited") << "old" << true << "old and new" << QStringList{"Trip|1|2|old and new", other};
        QTest::newRow("a row, blanked") << "old" << true << "   " << QStringList{other};
        QTest::newRow("a blank row offers nothing") << " " << false << QString() << QStringList{"Trip|1|2| ", other};
    }

    void closeStoresWhatIsShown()
    {
        QFETCH(QString, stored);
        QFETCH(bool, edit);
        QFETCH(QString, text);
        QFETCH(QStringList, after);
        Window t;
        QList<PictureRecord> seeded{{kAlbum, 1, 3, QStringLiteral("other")}};
        if (!stored.isEmpty())
            seeded.prepend({kAlbum, 1, 2, stored});
        t.seed(seeded);
        frmDiscription &w = t.open(1, 2);
        QCOMPARE(w.windowTitle(), QStringLiteral("Picture Information"));
        QCOMPARE(t.text()->toPlainText(), stored);
        // Edit and Delete are offered for a description, typing for none.
        const bool offered = !stored.trimmed().isEmpty();
        if (offered) {
            QTRY_VERIFY(t.editAndDeleteShown());
        } else {
            QTest::qWait(40);
            QVERIFY(!t.editAndDeleteShown());
        }
        QCOMPARE(t.text()->isEnabled(), stored.isEmpty());
        QVERIFY(t.button("cmdClose")->isVisible());
        if (edit) {
            t.button("CmdEdit")->click();
            QVERIFY(t.text()->isEnabled());
            QVERIFY(!t.editAndDeleteShown());
        }
        if (!text.isNull())
            t.text()->setPlainText(text);
        QVERIFY(w.cmdClose_Click());
        QVERIFY(!w.isVisible());
        QCOMPARE(t.rows(), after);

        // Shown again for the same picture, it reads what is stored; closing
        // it once more stores nothing new.
        t.open(1, 2);
        const bool rowLeft = !after.filter(QStringLiteral("Trip|1|2|")).isEmpty();
        QCOMPARE(t.text()->isEnabled(), !rowLeft);
        QVERIFY(w.cmdClose_Click());
        QCOMPARE(t.rows(), after);
    }

    void deleteAsksFirst()
    {
        Window t;
        t.seed({{kAlbum, 2, 2, QStringLiteral("keep me?")}});
        frmDiscription &w = t.open(2, 2);
        QTRY_VERIFY(t.editAndDeleteShown());
        t.env.dialogs.answer(Dialogs::Answer::No);
        t.button("cmdDelete")->click();
        QCOMPARE(t.env.dialogs.lastText(), QStringLiteral("Are you sure that you want to delete this information"));
        QVERIFY(t.editAndDeleteShown());
        QCOMPARE(t.rows().size(), 1);
        t.env.dialogs.answer(Dialogs::Answer::Yes);
        t.button("cmdDelete")->click();
        QVERIFY(!w.isVisible());
        QVERIFY(t.rows().isEmpty());
    }

    // Coming back keeps the typing; it is stored for the picture it was typed
    // for, even when the browser reopened the shared set and the page moved on.
    void theTypingBelongsToThePositionShown()
    {
        Window t;
        t.seed({{kAlbum, 1, 1, QStringLiteral("first")}});
        frmDiscription &w = t.open(2, 6);
        t.type(QStringLiteral("for page two"));
        w.Form_Activate();
        QCOMPARE(t.text()->toPlainText(), QStringLiteral("for page two"));
        PictureInfo::openRecords(t.env.values, t.env.store, t.env.dialogs, RecordQuery::all());
        t.env.values.PageNumber = 7;
        t.env.values.PictureNumber = 1;
        QVERIFY(w.cmdClose_Click());
        QCOMPARE(t.rows(), QStringList({"Trip|1|1|first", "Trip|2|6|for page two"}));
        w.Form_Activate();  // another picture was asked for
        QVERIFY(t.text()->toPlainText().isEmpty());
    }

    void whatCannotBeStoredStaysOnScreen()
    {
        Window t;
        PictureInfoDatabase::open(t.env.store.databasePath());
        ReadOnlyPath lock(t.env.store.databasePath());
        if (!lock.isActive())
            QSKIP("cannot make a file read-only here");
        frmDiscription &w = t.open(1, 1);
        t.type(QStringLiteral("precious words"));
        QVERIFY(!w.cmdClose_Click());
        QVERIFY(w.isVisible());
        QCOMPARE(t.text()->toPlainText(), QStringLiteral("precious words"));
        QVERIFY(!t.env.dialogs.shown().isEmpty());
    }

    // Opened from the page's popup and the picture's; deleting a picture from
    // the Edit menu keeps its description, from the popup it goes with it.
    void theAlbumPageAndThePictureOpenIt()
    {
        Window t;
        t.env.putPicture(kAlbum, 1, 1, QStringLiteral(".jpg"), QSize(30, 20));
        t.env.putPicture(kAlbum, 1, 2, QStringLiteral(".jpg"), QSize(30, 20));
        t.seed({{kAlbum, 1, 1, QStringLiteral("one")}});
        Form1 *form = t.env.openAlbum(kAlbum);
        QVERIFY(form);
        QTest::mouseClick(form->Image1(2), Qt::RightButton);
        form->pictureEditMenu()->hide();
        form->findChild<QAction *>(QStringLiteral("mnuPicInfo"))->trigger();
        t.w = &t.env.owner().descriptionWindow();
        QVERIFY(t.w->isVisible());
        t.type(QStringLiteral("two"));
        QVERIFY(t.w->cmdClose_Click());
        QTest::mouseClick(form->Image1(2), Qt::LeftButton);
        frmDisplayPicture &display = t.env.owner().pictureWindow();
        display.popupMenu()->findChild<QAction *>(QStringLiteral("mnuPicinfo"))->trigger();
        QVERIFY(t.w->isVisible() && display.isVisible());
        QCOMPARE(t.w->text(), QStringLiteral("two"));
        t.w->hide();
        display.hide();

        form->findChild<QAction *>(QStringLiteral("mnuDelete"))->trigger();
        t.env.dialogs.answer(Dialogs::Answer::Yes);
        QTest::mouseClick(form->Image1(1), Qt::LeftButton);
        QTest::mouseClick(form->Image1(2), Qt::RightButton);
        form->pictureEditMenu()->hide();
        t.env.dialogs.answer(Dialogs::Answer::Yes);
        form->editing().mnuDDelete_Click();
        QCOMPARE(t.rows(), QStringList("Trip|1|1|one"));
        QCOMPARE(form->Image1(1)->tag(), QStringLiteral("0"));
        QCOMPARE(form->Image1(2)->tag(), QStringLiteral("0"));
    }
};

KOLUMBRA_TEST(DescriptionWindowTest)
#include "DescriptionWindowTest.moc"
