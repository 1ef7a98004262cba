#include "support/Contrast.h"
#include "support/DescriptionFile.h"
#include "support/ReadOnlyPath.h"

#include "albumpage/AlbumPageWindow.h"
#include "albumpage/EditController.h"
#include "albumpage/ThumbnailGrid.h"
#include "pictureinfo/Descriptions.h"
#include "pictureinfo/PictureInfoWindow.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"
#include "widgets/PictureView.h"

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace {

const QString kAlbum = QStringLiteral("Trip");

// The picture information window for a position of the album "Trip".
struct Window
{
    TestEnvironment env;
    PictureInfoWindow *w = nullptr;

    QStringList rows() { return DescriptionFile::rows(env.store.databasePath()); }
    PictureInfoWindow &open(int page, int picture)
    {
        env.session.album = kAlbum;
        env.session.page = page;
        env.session.picture = picture;
        w = &env.owner().descriptionWindow();
        env.owner().present(*w);
        return *w;
    }
    QPlainTextEdit *text() { return w->findChild<QPlainTextEdit *>(QStringLiteral("Text1")); }
    QPushButton *button(const char *name) { return w->findChild<QPushButton *>(QLatin1String(name)); }
    bool editAndDeleteShown() { return button("CmdEdit")->isVisible() && button("cmdDelete")->isVisible(); }
};

// "ink on background: ratio", for a failure message.
QByteArray describe(const Contrast::Drawn &drawn)
{
    return QStringLiteral("%1 on %2: %3")
        .arg(drawn.ink.name(), drawn.background.name())
        .arg(drawn.contrast(), 0, 'f', 2)
        .toUtf8();
}

}  // namespace

// The picture information window: showing, typing, editing and deleting the
// description of one position, and where it is opened from.
class DescriptionWindowTest : public QObject
{
    Q_OBJECT

private slots:
    // What Close stores, for a position with and without a row, edited,
    // deleted (the question answered "Delete" Yes, "Delete?" No) or not. A
    // blank description is never stored.
    void closeStoresWhatIsShown_data()
    {
        QTest::addColumn<QString>("stored");  // the row of 1/2 before; empty: none
        QTest::addColumn<QString>("press");
        QTest::addColumn<QString>("text");  // the text at Close; null: as shown
        QTest::addColumn<QStringList>("after");
        const QString other = QStringLiteral("Trip|1|3|other");
        const QStringList kept{"Trip|1|2|old", other};
        QTest::newRow("no row, blanks") << ""
                                        << ""
                                        << " \n " << QStringList{other};
        QTest::newRow("no row, typed") << ""
                                       << ""
                                       << "x" << QStringList{other, "Trip|1|2|x"};
        QTest::newRow("a row, edited") << "old"
                                       << "Edit"
                                       << "old and new" << QStringList{"Trip|1|2|old and new", other};
        QTest::newRow("a row, blanked") << "old"
                                        << "Edit"
                                        << "   " << QStringList{other};
        QTest::newRow("a row, delete answered no") << "old"
                                                   << "Delete?" << QString() << kept;
        QTest::newRow("a row, deleted") << "old"
                                        << "Delete" << QString() << QStringList{other};
    }

    void closeStoresWhatIsShown()
    {
        QFETCH(QString, stored);
        QFETCH(QString, press);
        QFETCH(QString, text);
        QFETCH(QStringList, after);
        Window t;
        QList<PictureRecord> seeded{{kAlbum, 1, 3, QStringLiteral("other")}};
        if (!stored.isEmpty())
            seeded.prepend({kAlbum, 1, 2, stored});
        DescriptionFile::create(t.env.store.databasePath(), seeded);
        PictureInfoWindow &w = t.open(1, 2);
        QCOMPARE(t.text()->toPlainText(), stored);
        // Edit and Delete are offered for a description, typing for none.
        if (stored.trimmed().isEmpty())
            QTest::qWait(40);
        QTRY_COMPARE(t.editAndDeleteShown(), !stored.trimmed().isEmpty());
        QCOMPARE(!t.text()->isReadOnly(), stored.isEmpty());
        if (press == QLatin1String("Edit")) {
            t.button("CmdEdit")->click();
            QVERIFY(!t.text()->isReadOnly());
        } else if (press.startsWith(QLatin1String("Delete"))) {
            const bool no = press.endsWith('?');
            t.env.dialogs.answer(no ? Dialogs::Answer::No : Dialogs::Answer::Yes);
            t.button("cmdDelete")->click();
            QCOMPARE(w.isVisible(), no);
        }
        if (!text.isNull())
            t.text()->setPlainText(text);
        QVERIFY(w.cmdClose_Click());
        QCOMPARE(t.rows(), after);

        // Shown again for the same picture, it reads what is stored; closing
        // it once more stores nothing new.
        t.open(1, 2);
        QCOMPARE(!t.text()->isReadOnly(), after.filter(QStringLiteral("Trip|1|2|")).isEmpty());
        QVERIFY(w.cmdClose_Click());
        QCOMPARE(t.rows(), after);
    }

    // A description shown is as readable as one being typed; typing reaches
    // it only after Edit.
    void theDescriptionShownIsReadable()
    {
        Window t;
        const QString stored = QStringLiteral("Sunset over the harbour");
        DescriptionFile::create(t.env.store.databasePath(), {{kAlbum, 1, 2, stored}});
        t.open(1, 2);
        QTRY_VERIFY(t.editAndDeleteShown());
        const Contrast::Drawn shown = Contrast::drawnColours(t.text()->viewport());
        QVERIFY2(shown.contrast() >= 4.5, describe(shown).constData());
        QTest::keyClicks(t.text(), QStringLiteral("typed"));
        QCOMPARE(t.text()->toPlainText(), stored);

        t.button("CmdEdit")->click();
        QTest::keyClicks(t.text(), QStringLiteral(" at dusk"));
        QCOMPARE(t.text()->toPlainText(), stored + QStringLiteral(" at dusk"));
        const Contrast::Drawn typed = Contrast::drawnColours(t.text()->viewport());
        QVERIFY2(typed.contrast() >= 4.5, describe(typed).constData());
    }

    // Coming back keeps the typing; it is stored for the picture it was typed
    // for, even when the browser reopened the shared set and the page moved
    // on. What cannot be stored stays on screen.
    void theTypingBelongsToThePositionShown()
    {
        Window t;
        DescriptionFile::create(t.env.store.databasePath(), {{kAlbum, 1, 1, "first"}});
        PictureInfoWindow &w = t.open(2, 6);
        QTest::keyClicks(t.text(), QStringLiteral("for page two"));
        w.activated();  // coming back keeps the typing
        const auto other = t.env.descriptions.records(RecordQuery::all());
        t.env.session.page = 7;
        t.env.session.picture = 1;
        QVERIFY(w.cmdClose_Click());
        QCOMPARE(t.rows(), QStringList({"Trip|1|1|first", "Trip|2|6|for page two"}));
        w.activated();  // another picture was asked for
        QVERIFY(t.text()->toPlainText().isEmpty());

        ReadOnlyPath lock(t.env.store.databasePath());
        if (!lock.isActive())
            QSKIP("cannot make a file read-only here");
        t.open(3, 3);
        QTest::keyClicks(t.text(), QStringLiteral("precious words"));
        QVERIFY(!w.cmdClose_Click());
        QCOMPARE(t.text()->toPlainText(), QStringLiteral("precious words"));
        QVERIFY(t.env.dialogs.lastText().startsWith("The description was not stored."));
    }

    // Opened from the page's popup; deleting a picture from the Edit menu
    // keeps its description, from the popup it goes with it.
    void theAlbumPageOpensItAndDeletesWithIt()
    {
        Window t;
        t.env.putPicture(kAlbum, QStringLiteral("P1I0.jpg"), QSize(30, 20));
        t.env.putPicture(kAlbum, QStringLiteral("P1I1.jpg"), QSize(30, 20));
        DescriptionFile::create(t.env.store.databasePath(), {{kAlbum, 1, 1, "one"}});
        AlbumPageWindow *form = t.env.openAlbum(kAlbum);
        QVERIFY(form);
        QTest::mouseClick(form->grid().view(2), Qt::RightButton);
        form->pictureEditMenu()->hide();
        form->findChild<QAction *>(QStringLiteral("mnuPicInfo"))->trigger();
        t.w = &t.env.owner().descriptionWindow();
        QTest::keyClicks(t.text(), QStringLiteral("two"));
        QVERIFY(t.w->cmdClose_Click());
        QCOMPARE(t.rows(), QStringList({"Trip|1|1|one", "Trip|1|2|two"}));

        form->findChild<QAction *>(QStringLiteral("mnuDelete"))->trigger();
        t.env.dialogs.answer(Dialogs::Answer::Yes);
        QTest::mouseClick(form->grid().view(1), Qt::LeftButton);
        QTest::mouseClick(form->grid().view(2), Qt::RightButton);
        form->pictureEditMenu()->hide();
        t.env.dialogs.answer(Dialogs::Answer::Yes);
        form->editing().mnuDDelete_Click();
        QCOMPARE(t.rows(), QStringList("Trip|1|1|one"));
        QVERIFY(!form->grid().isFilled(1));
        QVERIFY(!form->grid().isFilled(2));
    }
};

KOLUMBRA_TEST(DescriptionWindowTest)
#include "DescriptionWindowTest.moc"
