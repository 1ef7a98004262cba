#include "pictureinfo/BrowserFixture.h"

#include "albums/frmSelect.h"
#include "pictureinfo/RecordPicture.h"
#include "support/TestMain.h"

#include <QtTest>

using namespace BrowserFixture;

namespace {

const QList<PictureRecord> kThreeRows = {
    {QStringLiteral("beta"), 1, 2, QStringLiteral("second of beta")},
    {QStringLiteral("Alpha"), 2, 1, QStringLiteral("alpha two")},
    {QStringLiteral("beta"), 1, 1, QStringLiteral("first of beta")},
};

QList<PictureRecord> firstRows(int n)
{
    return kThreeRows.mid(0, n);
}

// Typing beyond ASCII is not something the test library can do key by key.
void type(QLineEdit *box, const QString &text)
{
    box->setText(text);
}

// Search in album names (true) or descriptions (false) as the user does it.
void search(frmDatabase &form, bool inAlbumNames, const QString &text)
{
    press(form, "cmdSearch");
    QTest::mouseClick(control<QRadioButton>(form, inAlbumNames ? "optAlb" : "optDisc"), Qt::LeftButton);
    type(control<QLineEdit>(form, "TxtSearch"), text);
    press(form, "cmdSearch");
}

} // namespace

// The database browser: opening it from the album list, moving through the
// descriptions, their pictures, searching, deleting, and leaving it.
class DatabaseBrowserTest : public QObject
{
    Q_OBJECT

private slots:
    void opensFromTheAlbumListAtTheFirstRow()
    {
        TestEnvironment env;
        DescriptionFile::create(descriptionFile(env), kThreeRows);
        frmSelect &list = env.owner().albumList();
        env.owner().present(list);
        QTest::mouseClick(list.findChild<QPushButton *>(QStringLiteral("cmdDatabase")), Qt::LeftButton);
        QVERIFY(env.owner().hasDatabaseBrowser());
        frmDatabase &form = env.owner().databaseBrowser();
        QVERIFY(form.isVisible());
        QCOMPARE(form.windowTitle(), QStringLiteral("Picture Database"));
        QCOMPARE(fields(form), QStringLiteral("Alpha|2|1|alpha two"));
        QCOMPARE(counters(form), QStringLiteral("Found - 3 - Records/Current Record = 1"));
        QVERIFY(!control(form, "lblSearchMsg")->isVisible());
        QVERIFY(!control(form, "txtDiscription")->isEnabled());

        // Close goes back to the album list, which is still open beneath.
        press(form, "cmdClose");
        QVERIFY(!form.isVisible());
        QVERIFY(list.isVisible());
        QVERIFY(env.dialogs.shown().isEmpty());
    }

    // Button states and counters after each press, for 0, 1 and 3 rows.
    void movingThroughTheRows_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<QStringList>("presses");
        QTest::addColumn<QStringList>("enabled");
        QTest::addColumn<QString>("counter");
        QTest::addColumn<QString>("shown");

        QTest::newRow("empty table") << 0 << QStringList{} << kEmptyTable
                                     << "Found - 0 - Records/Current Record = 0" << "|||";
        QTest::newRow("one row") << 1 << QStringList{} << kBrowsingNoMoves
                                 << "Found - 1 - Records/Current Record = 1" << "beta|1|2|second of beta";
        QTest::newRow("one row, every move") << 1 << QStringList{"Next", "Last", "Previous", "First"}
                                             << kBrowsingNoMoves << "Found - 1 - Records/Current Record = 1"
                                             << "beta|1|2|second of beta";
        QTest::newRow("three rows at the first") << 3 << QStringList{} << browsing({"cmdMoveNext", "cmdMoveLast"})
                                                 << "Found - 3 - Records/Current Record = 1" << "Alpha|2|1|alpha two";
        const QStringList all{"cmdMoveFirst", "cmdMovePrevious", "cmdMoveNext", "cmdMoveLast"};
        QTest::newRow("next") << 3 << QStringList{"Next"} << browsing(all)
                              << "Found - 3 - Records/Current Record = 2" << "beta|1|1|first of beta";
        QTest::newRow("last") << 3 << QStringList{"Last"} << browsing({"cmdMoveFirst", "cmdMovePrevious"})
                              << "Found - 3 - Records/Current Record = 3" << "beta|1|2|second of beta";
        QTest::newRow("next twice") << 3 << QStringList{"Next", "Next"}
                                    << browsing({"cmdMoveFirst", "cmdMovePrevious"})
                                    << "Found - 3 - Records/Current Record = 3" << "beta|1|2|second of beta";
        QTest::newRow("last, previous") << 3 << QStringList{"Last", "Previous"} << browsing(all)
                                        << "Found - 3 - Records/Current Record = 2" << "beta|1|1|first of beta";
        QTest::newRow("last, previous twice") << 3 << QStringList{"Last", "Previous", "Previous"}
                                              << browsing({"cmdMoveNext", "cmdMoveLast"})
                                              << "Found - 3 - Records/Current Record = 1" << "Alpha|2|1|alpha two";
        QTest::newRow("last, first") << 3 << QStringList{"Last", "First"} << browsing({"cmdMoveNext", "cmdMoveLast"})
                                     << "Found - 3 - Records/Current Record = 1" << "Alpha|2|1|alpha two";
    }

    void movingThroughTheRows()
    {
        QFETCH(int, rows);
        QFETCH(QStringList, presses);
        QFETCH(QStringList, enabled);
        QFETCH(QString, counter);
        QFETCH(QString, shown);
        TestEnvironment env;
        DescriptionFile::create(descriptionFile(env), firstRows(rows));
        frmDatabase &form = open(env);
        for (const QString &move : presses)
            press(form, qPrintable(QStringLiteral("cmdMove") + move));
        QCOMPARE(enabledButtons(form), enabled);
        QCOMPARE(counters(form), counter);
        QCOMPARE(fields(form), shown);
    }

    // A move that cannot go anywhere changes nothing, even when asked for
    // directly rather than through its greyed button.
    void aMoveThatCannotActChangesNothing()
    {
        TestEnvironment env;
        DescriptionFile::create(descriptionFile(env), kThreeRows);
        frmDatabase &form = open(env);
        form.cmdMovePrevious_Click();
        form.cmdMoveFirst_Click();
        QCOMPARE(counters(form), QStringLiteral("Found - 3 - Records/Current Record = 1"));
        QCOMPARE(enabledButtons(form), browsing({"cmdMoveNext", "cmdMoveLast"}));
        form.cmdMoveLast_Click();
        form.cmdMoveNext_Click();
        QCOMPARE(counters(form), QStringLiteral("Found - 3 - Records/Current Record = 3"));
        QCOMPARE(fields(form), QStringLiteral("beta|1|2|second of beta"));
    }

    void picturesAreFittedIntoTheSquare_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("200 wide, 100 high") << QSize(200, 100) << QRect(42, 260, 183, 91);
        QTest::newRow("100 wide, 200 high") << QSize(100, 200) << QRect(88, 214, 91, 183);
    }

    void picturesAreFittedIntoTheSquare()
    {
        QFETCH(QSize, size);
        QFETCH(QRect, geometry);
        TestEnvironment env;
        env.putPicture(QStringLiteral("Alpha"), 2, 1, QStringLiteral(".jpg"), size);
        DescriptionFile::create(descriptionFile(env), kThreeRows);
        frmDatabase &form = open(env);
        QVERIFY(waitForPicture(form));
        QVERIFY(form.image()->hasPicture());
        QCOMPARE(form.image()->naturalSize(), size);
        QCOMPARE(form.image()->geometry(), geometry);

        // The next row has no picture file: the square stays empty.
        press(form, "cmdMoveNext");
        QVERIFY(waitForPicture(form));
        QVERIFY(!form.image()->hasPicture());
        QCOMPARE(form.image()->geometry(), QRect(42, 214, 183, 183));
        press(form, "cmdMovePrevious");
        QVERIFY(waitForPicture(form));
        QCOMPARE(form.image()->geometry(), geometry);
    }

    // A bitmap pasted over a camera picture is what the album shows for the
    // position; the browser shows the same.
    void theAlbumsPictureOfThePositionIsShown()
    {
        TestEnvironment env;
        env.putPicture(QStringLiteral("Alpha"), 2, 1, QStringLiteral(".jpg"), QSize(50, 50), Qt::red);
        const QString replacement =
            env.putPicture(QStringLiteral("Alpha"), 2, 1, QStringLiteral(".bmp"), QSize(60, 30), Qt::blue);
        DescriptionFile::create(descriptionFile(env), kThreeRows);
        frmDatabase &form = open(env);
        QVERIFY(waitForPicture(form));
        QCOMPARE(form.image()->path(), replacement);
        QCOMPARE(form.image()->naturalSize(), QSize(60, 30));
    }

    // Going quickly past rows with pictures ends on the picture of the row
    // shown, never on one decoded for a row passed by.
    void theLastRowsPictureWins()
    {
        TestEnvironment env;
        const QString beta1 = env.putPicture(QStringLiteral("beta"), 1, 1, QStringLiteral(".jpg"), QSize(300, 100));
        env.putPicture(QStringLiteral("Alpha"), 2, 1, QStringLiteral(".jpg"), QSize(100, 300));
        env.putPicture(QStringLiteral("beta"), 1, 2, QStringLiteral(".jpg"), QSize(200, 200));
        DescriptionFile::create(descriptionFile(env), kThreeRows);
        frmDatabase &form = open(env);
        press(form, "cmdMoveLast");
        press(form, "cmdMovePrevious");
        QVERIFY(waitForPicture(form));
        QCOMPARE(form.image()->path(), beta1);
        QCOMPARE(form.image()->geometry(), RecordPicture::toPixels(RecordPicture::fitted(QSize(300, 100))));
    }

    // Pictures seen before are kept, but never once their file has changed.
    void aReplacedPictureIsNotShownStale()
    {
        TestEnvironment env;
        env.putPicture(QStringLiteral("Alpha"), 2, 1, QStringLiteral(".jpg"), QSize(80, 40));
        DescriptionFile::create(descriptionFile(env), kThreeRows);
        frmDatabase &form = open(env);
        QVERIFY(waitForPicture(form));
        QCOMPARE(form.image()->naturalSize(), QSize(80, 40));
        press(form, "cmdMoveNext");
        press(form, "cmdMovePrevious");
        QVERIFY(!form.pictureLoading());
        QCOMPARE(form.image()->naturalSize(), QSize(80, 40));

        press(form, "cmdMoveNext");
        env.putPicture(QStringLiteral("Alpha"), 2, 1, QStringLiteral(".jpg"), QSize(30, 90));
        press(form, "cmdMovePrevious");
        QVERIFY(waitForPicture(form));
        QCOMPARE(form.image()->naturalSize(), QSize(30, 90));
    }

    void searchFindsTheTextLiterallyAnywhere_data()
    {
        QTest::addColumn<bool>("inAlbumNames");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("found");  // descriptions, in the order shown
        const auto u = [](const char *s) { return QString::fromUtf8(s); };
        QTest::newRow("middle of a description, other case") << false << "AT NOON" << QStringList{"Beach at noon"};
        QTest::newRow("beyond ASCII") << false << u("ärger im büro") << QStringList{u("ÄRGER im Büro")};
        QTest::newRow("percent is a percent") << false << "100%" << QStringList{"100% sure"};
        QTest::newRow("underscore is an underscore") << false << "e_n" << QStringList{"file_name"};
        QTest::newRow("star is a star") << false << "r*" << QStringList{"star*"};
        QTest::newRow("single quote") << false << "it's" << QStringList{"it's mine"};
        QTest::newRow("double quotes") << false << "\"cheese\"" << QStringList{"say \"cheese\""};
        QTest::newRow("album names, other case") << true << "SUMMER" << QStringList{u("ÄRGER im Büro"), "100% sure"};
        QTest::newRow("album name with a quote") << true << "y's" << QStringList{"Beach at noon"};
        QTest::newRow("album name with a percent") << true << "0%" << QStringList{u("ÄRGER im Büro")};
    }

    void searchFindsTheTextLiterallyAnywhere()
    {
        QFETCH(bool, inAlbumNames);
        QFETCH(QString, text);
        QFETCH(QStringList, found);
        TestEnvironment env;
        DescriptionFile::create(descriptionFile(env),
                                {{QStringLiteral("Holiday's"), 1, 1, QStringLiteral("Beach at noon")},
                                 {QStringLiteral("Summer 100%"), 1, 2, QString::fromUtf8("ÄRGER im Büro")},
                                 {QStringLiteral("Summer 1000"), 1, 3, QStringLiteral("100% sure")},
                                 {QStringLiteral("Zoo"), 1, 4, QStringLiteral("100 percent")},
                                 {QStringLiteral("Zoo"), 1, 5, QStringLiteral("file_name")},
                                 {QStringLiteral("Zoo"), 1, 6, QStringLiteral("fileXname")},
                                 {QStringLiteral("Zoo"), 2, 1, QStringLiteral("it's mine")},
                                 {QStringLiteral("Zoo"), 2, 2, QStringLiteral("star*")},
                                 {QStringLiteral("Zoo"), 2, 3, QStringLiteral("stars")},
                                 {QStringLiteral("Zoo"), 2, 4, QStringLiteral("say \"cheese\"")}});
        frmDatabase &form = open(env);
        search(form, inAlbumNames, text);
        QVERIFY(env.dialogs.shown().isEmpty());
        QCOMPARE(counters(form), QStringLiteral("Found - %1 - Records/Current Record = 1").arg(found.size()));
        QStringList shown;
        for (int i = 0; i < found.size(); ++i) {
            shown << control<QPlainTextEdit>(form, "txtDiscription")->toPlainText();
            press(form, "cmdMoveNext");
        }
        QCOMPARE(shown, found);
        // The window is back to browsing, through the rows found only.
        QCOMPARE(button(form, "cmdSearch")->text(), QStringLiteral("&Search"));
        QVERIFY(!control(form, "TxtSearch")->isVisible());
        QVERIFY(!control(form, "lblSearch")->isVisible());
        QVERIFY(!control<QRadioButton>(form, "optAlb")->isChecked());
        QVERIFY(!control<QRadioButton>(form, "optDisc")->isChecked());
    }

    void searchStepsShowTheirPrompts()
    {
        TestEnvironment env;
        DescriptionFile::create(descriptionFile(env), kThreeRows);
        frmDatabase &form = open(env);
        press(form, "cmdSearch");
        QCOMPARE(enabledButtons(form), QStringList{"cmdCancel"});
        QCOMPARE(control<QLabel>(form, "lblSearch")->text(), QStringLiteral("Select where to search in option"));
        QVERIFY(control(form, "optAlb")->isVisible() && control(form, "optDisc")->isVisible());
        QTest::mouseClick(control<QRadioButton>(form, "optDisc"), Qt::LeftButton);
        QCOMPARE(control<QLabel>(form, "lblSearch")->text(),
                 QStringLiteral("Enter a word or phrase to search for in Discription"));
        QVERIFY(!control(form, "optAlb")->isVisible() && !control(form, "optDisc")->isVisible());
        QVERIFY(control(form, "TxtSearch")->isVisible() && control(form, "TxtSearch")->isEnabled());
        QCOMPARE(button(form, "cmdSearch")->text(), QStringLiteral("Start &Search"));
        QCOMPARE(enabledButtons(form), QStringList({"cmdCancel", "cmdSearch"}));

        // Nothing typed: refused, and the text can still be typed.
        press(form, "cmdSearch");
        QCOMPARE(env.dialogs.shown().size(), 1);
        QCOMPARE(env.dialogs.lastText(), QStringLiteral("You did not enter anything to search for"));
        QCOMPARE(env.dialogs.shown().last().title, QStringLiteral("WARNING"));
        QCOMPARE(button(form, "cmdSearch")->text(), QStringLiteral("Start &Search"));
        QVERIFY(control(form, "TxtSearch")->isVisible());
        QCOMPARE(counters(form), QStringLiteral("Found - 3 - Records/Current Record = 1"));

        // Cancel puts everything back.
        press(form, "cmdCancel");
        QCOMPARE(enabledButtons(form), browsing({"cmdMoveNext", "cmdMoveLast"}));
        QCOMPARE(button(form, "cmdSearch")->text(), QStringLiteral("&Search"));
        QVERIFY(!control(form, "TxtSearch")->isVisible() && !control(form, "lblSearch")->isVisible());
        QCOMPARE(fields(form), QStringLiteral("Alpha|2|1|alpha two"));

        // Enter in the search box starts the search.
        press(form, "cmdSearch");
        QTest::mouseClick(control<QRadioButton>(form, "optAlb"), Qt::LeftButton);
        QTest::keyClicks(control(form, "TxtSearch"), QStringLiteral("BET"));
        QTest::keyClick(control(form, "TxtSearch"), Qt::Key_Return);
        QTRY_COMPARE(counters(form), QStringLiteral("Found - 2 - Records/Current Record = 1"));
    }

    void aSearchWithoutResultReloadsAfterThreeSeconds()
    {
        TestEnvironment env;
        DescriptionFile::create(descriptionFile(env), kThreeRows);
        frmDatabase &form = open(env);
        search(form, false, QStringLiteral("nowhere"));
        QVERIFY(control(form, "lblSearch")->isVisible());
        QCOMPARE(control<QLabel>(form, "lblSearch")->text(), QStringLiteral("No data found."));
        QCOMPARE(counters(form), QStringLiteral("Found - 0 - Records/Current Record = 0"));
        QCOMPARE(fields(form), QStringLiteral("|||"));
        QCOMPARE(enabledButtons(form), QStringList());
        QVERIFY(!form.image()->hasPicture());
        auto *timer = form.findChild<QTimer *>(QStringLiteral("Timer1"));
        QVERIFY(timer && timer->isActive());
        QCOMPARE(timer->interval(), 3000);
        QTRY_COMPARE_WITH_TIMEOUT(counters(form), QStringLiteral("Found - 3 - Records/Current Record = 1"), 5000);
        QCOMPARE(fields(form), QStringLiteral("Alpha|2|1|alpha two"));
        QCOMPARE(enabledButtons(form), browsing({"cmdMoveNext", "cmdMoveLast"}));
        QVERIFY(!control(form, "lblSearch")->isVisible());
        QCOMPARE(button(form, "cmdSearch")->text(), QStringLiteral("&Search"));
    }

    // The reload waits for nobody once the window is left: it would replace
    // the record set the picture information window may be working on.
    void leavingDuringNoDataFoundStopsTheReload()
    {
        TestEnvironment env;
        DescriptionFile::create(descriptionFile(env), kThreeRows);
        frmDatabase &form = open(env);
        search(form, true, QStringLiteral("nowhere"));
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(!form.isVisible());
        QVERIFY(!form.findChild<QTimer *>(QStringLiteral("Timer1"))->isActive());
        open(env);
        QCOMPARE(counters(form), QStringLiteral("Found - 3 - Records/Current Record = 1"));
        QCOMPARE(button(form, "cmdSearch")->text(), QStringLiteral("&Search"));
        QVERIFY(!control(form, "lblSearch")->isVisible());
    }

    void deleting_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<QStringList>("moves");
        QTest::addColumn<QString>("counter");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("enabled");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("the only row") << 1 << QStringList{} << "Found - 0 - Records/Current Record = 0" << "|||"
                                      << kEmptyTable << QStringList{};
        QTest::newRow("the middle of three")
            << 3 << QStringList{"Next"} << "Found - 2 - Records/Current Record = 1" << "Alpha|2|1|alpha two"
            << browsing({"cmdMoveNext", "cmdMoveLast"})
            << QStringList{DescriptionFile::row("beta", 1, 2, "second of beta"), DescriptionFile::row("Alpha", 2, 1, "alpha two")};
        QTest::newRow("the first of three")
            << 3 << QStringList{} << "Found - 2 - Records/Current Record = 1" << "beta|1|1|first of beta"
            << browsing({"cmdMoveNext", "cmdMoveLast"})
            << QStringList{DescriptionFile::row("beta", 1, 2, "second of beta"), DescriptionFile::row("beta", 1, 1, "first of beta")};
    }

    void deleting()
    {
        QFETCH(int, rows);
        QFETCH(QStringList, moves);
        QFETCH(QString, counter);
        QFETCH(QString, shown);
        QFETCH(QStringList, enabled);
        QFETCH(QStringList, left);
        TestEnvironment env;
        DescriptionFile::create(descriptionFile(env), firstRows(rows));
        frmDatabase &form = open(env);
        for (const QString &move : moves)
            press(form, qPrintable(QStringLiteral("cmdMove") + move));
        env.dialogs.answer(Dialogs::Answer::Yes);
        press(form, "cmdDelete");
        QCOMPARE(env.dialogs.shown().size(), 1);
        QCOMPARE(env.dialogs.lastText(), QStringLiteral("Are you sure that you want to delete this record"));
        QCOMPARE(env.dialogs.shown().last().title, QStringLiteral("WARNING"));
        QCOMPARE(counters(form), counter);
        QCOMPARE(fields(form), shown);
        QCOMPARE(enabledButtons(form), enabled);
        QCOMPARE(DescriptionFile::rows(descriptionFile(env)), left);
    }

    void deleteAnsweredNoKeepsTheRow()
    {
        TestEnvironment env;
        DescriptionFile::create(descriptionFile(env), kThreeRows);
        frmDatabase &form = open(env);
        press(form, "cmdMoveLast");
        env.dialogs.answer(Dialogs::Answer::No);
        press(form, "cmdDelete");
        QCOMPARE(counters(form), QStringLiteral("Found - 3 - Records/Current Record = 3"));
        QCOMPARE(fields(form), QStringLiteral("beta|1|2|second of beta"));
        QCOMPARE(enabledButtons(form), browsing({"cmdMoveFirst", "cmdMovePrevious"}));
        QCOMPARE(DescriptionFile::rows(descriptionFile(env)).size(), 3);
    }

    // Whatever window the user went to meanwhile, coming back shows the
    // table as it is now.
    void comingBackReadsTheTableAgain()
    {
        TestEnvironment env;
        DescriptionFile::create(descriptionFile(env), kThreeRows);
        frmDatabase &form = open(env);
        search(form, true, QStringLiteral("alpha"));
        QCOMPARE(counters(form), QStringLiteral("Found - 1 - Records/Current Record = 1"));
        DescriptionFile::Connection(descriptionFile(env)).insert({{QStringLiteral("Aaa"), 1, 1, QStringLiteral("new")}});
        env.owner().present(env.owner().albumList());
        env.owner().showDatabaseBrowser();
        QCOMPARE(counters(form), QStringLiteral("Found - 4 - Records/Current Record = 1"));
        QCOMPARE(fields(form), QStringLiteral("Aaa|1|1|new"));
    }

    void escapeAndTheFrameReturnToTheAlbumList()
    {
        TestEnvironment env(QSize(1280, 1024));
        DescriptionFile::create(descriptionFile(env), kThreeRows);
        frmSelect &list = env.owner().albumList();
        env.owner().present(list);
        frmDatabase &form = open(env);
        const auto centred = [&form] {
            return (form.frameGeometry().center() - QPoint(640, 512)).manhattanLength() <= 4;
        };
        QVERIFY(centred());
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(!form.isVisible());
        QVERIFY(list.isVisible());

        // Closed from its frame, the window comes back as newly opened: in
        // the middle of the screen again.
        open(env);
        form.move(10, 10);
        QVERIFY(form.close());
        QVERIFY(!form.isVisible());
        open(env);
        QVERIFY(centred());
        QCOMPARE(counters(form), QStringLiteral("Found - 3 - Records/Current Record = 1"));
        QCOMPARE(env.endCount(), 0);
    }

    void keepsItsPlaceOnTheScreenItWasDesignedFor()
    {
        TestEnvironment env(QSize(640, 480));
        frmDatabase &form = open(env);
        QCOMPARE(form.pos(), QPoint(0, 0));
    }

    // Descriptions that cannot be read: told once, and the window still works
    // as far as it can.
    void anUnusableDescriptionsFileIsToldOnce()
    {
        TestEnvironment env;
        QVERIFY(QDir().mkpath(descriptionFile(env)));
        env.putPicture(QStringLiteral("Alpha"), 2, 2, QStringLiteral(".jpg"), QSize(40, 20));
        frmDatabase &form = open(env);
        QCOMPARE(env.dialogs.shown().size(), 1);
        QVERIFY(env.dialogs.lastText().startsWith(QStringLiteral("Picture descriptions are not available.")));
        QCOMPARE(counters(form), QStringLiteral("Found - 0 - Records/Current Record = 0"));
        QCOMPARE(enabledButtons(form), kEmptyTable);
        search(form, false, QStringLiteral("x"));
        QCOMPARE(control<QLabel>(form, "lblSearch")->text(), QStringLiteral("No data found."));

        // An addition is refused when it is saved; the text typed stays.
        form.Timer1_Timer();
        press(form, "cmdAddNew");
        env.dialogs.type(QStringLiteral("2"));
        env.dialogs.type(QStringLiteral("2"));
        QVERIFY(chooseAlbum(form, QStringLiteral("Alpha")));
        QTest::keyClicks(description(form), QStringLiteral("kept"));
        press(form, "cmdClose");
        QVERIFY(env.dialogs.lastText().startsWith(QStringLiteral("The description was not stored.")));
        QCOMPARE(description(form)->toPlainText(), QStringLiteral("kept"));
        QCOMPARE(enabledButtons(form), QStringList({"cmdClose", "cmdCancel"}));
        press(form, "cmdCancel");
        QCOMPARE(enabledButtons(form), kEmptyTable);
        QVERIFY(QFileInfo(descriptionFile(env)).isDir());
    }

    void helpKey()
    {
        TestEnvironment env;
        frmDatabase &form = open(env);
        QTest::keyClick(&form, Qt::Key_F12);
        QCOMPARE(env.help.opened.size(), 1);
    }
};

KOLUMBRA_TEST(DatabaseBrowserTest)
#include "DatabaseBrowserTest.moc"
